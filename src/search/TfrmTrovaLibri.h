#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmTrovaLibri : public DialogScreen {
    Q_OBJECT
public:
    TfrmTrovaLibri(Application &app, QWidget *opener);
    // Puts text into the filter field of that name before the screen is shown.
    void prefillFilter(const QString &control, const QString &text);
};

} // namespace opusteca
