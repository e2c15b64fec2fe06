#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmAllegaCartella : public DialogScreen {
    Q_OBJECT
public:
    TfrmAllegaCartella(Application &app, QWidget *opener);
};

} // namespace opusteca
