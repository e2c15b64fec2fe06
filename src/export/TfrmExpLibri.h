#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmExpLibri : public DialogScreen {
    Q_OBJECT
public:
    TfrmExpLibri(Application &app, QWidget *opener);
};

} // namespace opusteca
