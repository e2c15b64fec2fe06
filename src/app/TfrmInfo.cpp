#include "app/TfrmInfo.h"

namespace opusteca {

TfrmInfo::TfrmInfo(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmInfo"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
