#include "export/TfrmExpBibliografie.h"

namespace opusteca {

TfrmExpBibliografie::TfrmExpBibliografie(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmExpBibliografie"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
