#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmTrovaAutori : public DialogScreen {
    Q_OBJECT
public:
    TfrmTrovaAutori(Application &app, QWidget *opener);
};

} // namespace opusteca
