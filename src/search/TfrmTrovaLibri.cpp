#include "search/TfrmTrovaLibri.h"

#include "app/core/RegionalSettings.h"

#include <QLineEdit>

namespace opusteca {

TfrmTrovaLibri::TfrmTrovaLibri(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmTrovaLibri"))
{
    RegionalSettings::instance().apply();
    setFixedClientSize(480, 320);
}

} // namespace opusteca

namespace opusteca {

void TfrmTrovaLibri::prefillFilter(const QString &control, const QString &text)
{
    if (auto *e = findChild<QLineEdit *>(control)) e->setText(text);
}

} // namespace opusteca
