#include "kit/Program.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace opusteca {

void Program::moveTo(QWidget *from, QWidget *to)
{
    if (!to) return;
    // The archive screens and the start menu open maximised.
    if (to->objectName() == QLatin1String("TfrmAvvio") || to->objectName() == QLatin1String("TfrmLibri") ||
        to->objectName() == QLatin1String("TfrmAutori") || to->objectName() == QLatin1String("TfrmBibliografie")) {
        // Filling the screen first keeps the size right where no window manager maximises.
        if (!to->isVisible())
            if (const QScreen *s = QGuiApplication::primaryScreen()) to->setGeometry(s->availableGeometry());
        to->showMaximized();
    } else
        to->show();
    to->raise();
    to->activateWindow();
    if (from && from != to) from->hide();
}

} // namespace opusteca
