#include "app/TfrmGuida.h"

namespace opusteca {

TfrmGuida::TfrmGuida(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmGuida"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
