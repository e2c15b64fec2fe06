#include "access/PasswordScreens.h"

#include "kit/Conventions.h"
#include "kit/DialogScreen.h"
#include "kit/Pictures.h"
#include "kit/Style.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace opusteca::passwordui {
namespace {
// Fields and buttons share one height, so a row of them lines up.
constexpr int kRowHeight = 34;
} // namespace

void setupWindow(QWidget *screen, const QString &className, const QString &caption, int w, int h)
{
    screen->setObjectName(className);
    screen->setWindowTitle(caption);
    screen->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    screen->setFixedSize(w, h);
    screen->setAutoFillBackground(true);
    QPalette pal = screen->palette();
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, style::passwordWindow.top);
    g.setColorAt(1, style::passwordWindow.bottom);
    pal.setBrush(QPalette::Window, g);
    screen->setPalette(pal);
    if (const QScreen *s = QGuiApplication::primaryScreen())
        screen->move(s->availableGeometry().center() - QPoint(w / 2, h / 2));
}

QWidget *logo(QWidget *parent)
{
    QLabel *l = artwork::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), QSize(300, 110), parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLineEdit *passwordField(const QString &name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    e->setFont(style::font(14, true));
    e->setFixedHeight(kRowHeight);
    return e;
}

QWidget *fieldHolder(QLineEdit *field, QWidget *extra)
{
    auto *holder = new QWidget;
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(kFieldInset, kFieldInset, kFieldInset, kFieldInset);
    row->setSpacing(12);
    row->addWidget(field, 1);
    if (extra) row->addWidget(extra);
    new FocusFrame(field);
    return holder;
}

QLabel *caption(const QString &text, const QString &name, int pointSize, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(style::captionFont(pointSize));
    return l;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    QPushButton *b = dialogButton(name, text, parent, 10, QSize());
    b->setAutoDefault(false);
    const int padding = 16;
    b->setFixedHeight(kRowHeight);
    b->setMinimumWidth(std::max(88, b->fontMetrics().horizontalAdvance(text) + 2 * padding));
    return b;
}

} // namespace opusteca::passwordui
