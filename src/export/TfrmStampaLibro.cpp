#include "export/TfrmStampaLibro.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmStampaLibro::TfrmStampaLibro(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmStampaLibro"))
{
    RegionalSettings::instance().apply();
    setWindowTitle(QStringLiteral(" Stampa scheda"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
