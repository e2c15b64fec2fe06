#include "export/TfrmExpAutori.h"

namespace opusteca {

TfrmExpAutori::TfrmExpAutori(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmExpAutori"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
