#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmExpAutori : public DialogScreen {
    Q_OBJECT
public:
    TfrmExpAutori(Application &app, QWidget *opener);
};

} // namespace opusteca
