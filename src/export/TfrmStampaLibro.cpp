#include "export/TfrmStampaLibro.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmStampaLibro::TfrmStampaLibro(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmStampaLibro"))
{
    RegionalSettings::instance().apply();
    setFixedClientSize(480, 320);
}

} // namespace opusteca
