#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmCodici_Dewey : public DialogScreen {
    Q_OBJECT
public:
    TfrmCodici_Dewey(Application &app, QWidget *opener);
};

} // namespace opusteca
