#include "kit/DialogScreen.h"

#include "kit/Backgrounds.h"
#include "kit/Conventions.h"
#include "kit/Style.h"
#include "store/Text.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace opusteca {

DialogScreen::DialogScreen(Program &app, QWidget *opener, const QString &className)
    : QDialog(opener), m_app(app), m_lblMemory(new QLabel(this))
{
    setObjectName(className);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();
}

QString DialogScreen::callerTag() const { return text::trimmed(m_lblMemory->text()); }

void DialogScreen::setCaptionAndSize(const QString &caption, int width, int height)
{
    setWindowTitle(caption);
    setFixedSize(width, height);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width / 2, height / 2));
    }
}

QVBoxLayout *DialogScreen::shadedColumn(const QMargins &margins, int spacing)
{
    style::setDialogShade(this, style::dialogWindow);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(margins);
    v->setSpacing(spacing);
    return v;
}

QVBoxLayout *DialogScreen::gradientColumn(const QMargins &margins, int spacing)
{
    auto *v = new QVBoxLayout(GradientBackground::fill(this, style::dialogWindow, QStringLiteral("shpSfondo")));
    v->setContentsMargins(margins);
    v->setSpacing(spacing);
    return v;
}

void DialogScreen::disableDefaultButtons()
{
    for (QPushButton *b : findChildren<QPushButton *>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
        pressOnEnter(b);
    }
}

void DialogScreen::keyPressEvent(QKeyEvent *event)
{
    // Esc would reject the dialog: these screens close only through their controls.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogScreen::closeEvent(QCloseEvent *event)
{
    // A close the window system asks for is refused; the screen's own controls
    // close it through reject(), accept() or close().
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void DialogScreen::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // A minimised modal screen would leave the program blocked with nothing on
    // show; a window manager that offers the button anyway gets it back at once.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        QMetaObject::invokeMethod(
            this, [this] { setWindowState(windowState() & ~Qt::WindowMinimized); }, Qt::QueuedConnection);
    }
}

QPushButton *dialogButton(const QString &name, const QString &text, QWidget *parent, int points, QSize minimum,
                          bool bold)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    if (!minimum.isEmpty()) b->setMinimumSize(minimum);
    if (points > 0) b->setFont(style::font(points, bold));
    return b;
}

} // namespace opusteca
