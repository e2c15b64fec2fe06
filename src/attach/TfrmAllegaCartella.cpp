#include "attach/TfrmAllegaCartella.h"

namespace opusteca {

TfrmAllegaCartella::TfrmAllegaCartella(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmAllegaCartella"))
{
    setFixedClientSize(480, 320);
}

} // namespace opusteca
