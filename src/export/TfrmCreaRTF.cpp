#include "export/TfrmCreaRTF.h"

namespace opusteca {

TfrmCreaRTF::TfrmCreaRTF(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmCreaRTF"))
{
    setWindowTitle(QStringLiteral(" Esporta scheda in formato RTF"));
    setFixedClientSize(480, 320);
    addCloseButton();
}

} // namespace opusteca
