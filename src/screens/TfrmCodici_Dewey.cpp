#include "screens/TfrmCodici_Dewey.h"

#include "app/core/RegionalSettings.h"

namespace opusteca {

TfrmCodici_Dewey::TfrmCodici_Dewey(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmCodici_Dewey"))
{
    RegionalSettings::instance().apply();
    setWindowTitle(QStringLiteral(" Tabella Codici Dewey"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
