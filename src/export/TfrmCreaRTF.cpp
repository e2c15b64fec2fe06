#include "export/TfrmCreaRTF.h"

namespace opusteca {

TfrmCreaRTF::TfrmCreaRTF(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmCreaRTF"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
