#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmTrovaDisponibili : public DialogScreen {
    Q_OBJECT
public:
    TfrmTrovaDisponibili(Application &app, QWidget *opener);
};

} // namespace opusteca
