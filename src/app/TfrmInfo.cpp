#include "app/TfrmInfo.h"

namespace opusteca {

TfrmInfo::TfrmInfo(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmInfo"))
{
    setWindowTitle(QStringLiteral(" Informazioni su Opusteca 2.0"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
