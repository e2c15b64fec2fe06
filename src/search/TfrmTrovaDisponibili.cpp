#include "search/TfrmTrovaDisponibili.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmTrovaDisponibili::TfrmTrovaDisponibili(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmTrovaDisponibili"))
{
    RegionalSettings::instance().apply();
    setFixedClientSize(480, 320);
}

} // namespace opusteca
