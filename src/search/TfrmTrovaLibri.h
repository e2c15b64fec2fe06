#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmTrovaLibri : public DialogScreen {
    Q_OBJECT
public:
    TfrmTrovaLibri(Application &app, QWidget *opener);
};

} // namespace opusteca
