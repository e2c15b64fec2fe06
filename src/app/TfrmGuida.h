#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmGuida : public DialogScreen {
    Q_OBJECT
public:
    TfrmGuida(Application &app, QWidget *opener);
};

} // namespace opusteca
