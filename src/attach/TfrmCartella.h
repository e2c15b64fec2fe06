#pragma once
#include "kit/DialogScreen.h"

namespace opusteca {

// The folder kept for a stored author card. lblMemory holds the card's record
// number, set by the author screen in place of a caller tag.
class TfrmCartella : public DialogScreen {
    Q_OBJECT
public:
    TfrmCartella(Program &app, QWidget *opener);

    void btnApriCartellaClick();
    void btnChiudiClick();
};

} // namespace opusteca
