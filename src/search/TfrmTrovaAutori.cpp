#include "search/TfrmTrovaAutori.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmTrovaAutori::TfrmTrovaAutori(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmTrovaAutori"))
{
    RegionalSettings::instance().apply();
    setFixedClientSize(480, 320);
}

} // namespace opusteca
