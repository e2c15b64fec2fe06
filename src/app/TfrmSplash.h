#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmSplash : public DialogScreen {
    Q_OBJECT
public:
    TfrmSplash(Application &app, QWidget *opener);
};

} // namespace opusteca
