#include "export/TfrmExpAutori.h"

namespace opusteca {

TfrmExpAutori::TfrmExpAutori(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmExpAutori"))
{
    setWindowTitle(QStringLiteral(" Esportazione archivio autori"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
