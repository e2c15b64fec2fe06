#include "search/TfrmTrovaLibri.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmTrovaLibri::TfrmTrovaLibri(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmTrovaLibri"))
{
    RegionalSettings::instance().apply();
    setFixedClientSize(480, 320);
}

} // namespace opusteca
