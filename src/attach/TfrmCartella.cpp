#include "attach/TfrmCartella.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmCartella::TfrmCartella(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmCartella"))
{
    RegionalSettings::instance().apply();
    setWindowTitle(QStringLiteral(" Cartella abbinata"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
