#pragma once
#include "app/DialogScreen.h"

namespace opusteca {

class TfrmStampaLibro : public DialogScreen {
    Q_OBJECT
public:
    TfrmStampaLibro(Application &app, QWidget *opener);
};

} // namespace opusteca
