#include "app/TfrmSplash.h"

namespace opusteca {

TfrmSplash::TfrmSplash(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmSplash"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
