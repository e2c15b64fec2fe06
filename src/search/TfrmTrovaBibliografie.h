#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmTrovaBibliografie : public DialogScreen {
    Q_OBJECT
public:
    TfrmTrovaBibliografie(Application &app, QWidget *opener);
};

} // namespace opusteca
