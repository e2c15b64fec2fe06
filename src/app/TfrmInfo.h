#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmInfo : public DialogScreen {
    Q_OBJECT
public:
    TfrmInfo(Application &app, QWidget *opener);
};

} // namespace opusteca
