#include "export/TfrmExpLibri.h"

namespace opusteca {

TfrmExpLibri::TfrmExpLibri(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmExpLibri"))
{
    setWindowTitle(QStringLiteral(" Esportazione archivio libri"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
