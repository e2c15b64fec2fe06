#include "search/TfrmTrovaBibliografie.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmTrovaBibliografie::TfrmTrovaBibliografie(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmTrovaBibliografie"))
{
    RegionalSettings::instance().apply();
    setFixedClientSize(480, 320);
}

} // namespace opusteca
