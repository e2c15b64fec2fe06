#include "export/TfrmExpBibliografie.h"

namespace opusteca {

TfrmExpBibliografie::TfrmExpBibliografie(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmExpBibliografie"))
{
    setWindowTitle(QStringLiteral(" Esportazione archivio bibliografie"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
