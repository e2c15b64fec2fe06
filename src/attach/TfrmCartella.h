#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmCartella : public DialogScreen {
    Q_OBJECT
public:
    TfrmCartella(Application &app, QWidget *opener);
};

} // namespace opusteca
