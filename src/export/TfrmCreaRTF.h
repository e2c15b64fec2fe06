#pragma once
#include "kit/DialogScreen.h"

namespace opusteca {

struct RtfCardKind;

// Between a card's RTF picture and the document: the caller tag says which
// card, "autori" or "bibliografie"; "Esporta e stampa" writes that card, as it
// stands on screen, into its RTF document and offers to open it.
class TfrmCreaRTF : public DialogScreen {
    Q_OBJECT
public:
    TfrmCreaRTF(Program &app, QWidget *opener);

    void btnStampaClick();
    void btnAnnullaClick();

private:
    void exportCard(const RtfCardKind &kind);
};

} // namespace opusteca
