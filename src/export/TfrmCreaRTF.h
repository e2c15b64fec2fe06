#pragma once
#include "kit/DialogScreen.h"

#include <QStringList>

namespace opusteca {

struct RtfCardKind;

// Between a card's RTF picture and the document: the caller tag says which
// card, "autori" or "bibliografie"; "Esporta e stampa" writes the texts the
// opener hands (the card as it stands on screen) into that card's RTF document
// and offers to open it.
class TfrmCreaRTF : public DialogScreen {
    Q_OBJECT
public:
    TfrmCreaRTF(Program &app, QWidget *opener);

    // The card's texts, one per field in field-table order.
    void setCardTexts(const QStringList &texts) { m_texts = texts; }

    void btnStampaClick();
    void btnAnnullaClick();

private:
    void exportCard(const RtfCardKind &kind);

    QStringList m_texts;
};

} // namespace opusteca
