#include "app/TfrmSplash.h"

namespace opusteca {

TfrmSplash::TfrmSplash(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmSplash"))
{
    setWindowTitle(QStringLiteral(" Opusteca 2.0"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
