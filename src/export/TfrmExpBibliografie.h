#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmExpBibliografie : public DialogScreen {
    Q_OBJECT
public:
    TfrmExpBibliografie(Application &app, QWidget *opener);
};

} // namespace opusteca
