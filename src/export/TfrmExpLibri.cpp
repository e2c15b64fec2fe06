#include "export/TfrmExpLibri.h"

namespace opusteca {

TfrmExpLibri::TfrmExpLibri(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmExpLibri"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
