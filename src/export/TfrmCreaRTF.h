#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmCreaRTF : public DialogScreen {
    Q_OBJECT
public:
    TfrmCreaRTF(Application &app, QWidget *opener);
};

} // namespace opusteca
