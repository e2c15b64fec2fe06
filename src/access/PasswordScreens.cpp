#include "access/PasswordScreens.h"

#include "app/Conventions.h"
#include "app/Pictures.h"
#include "app/Style.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>

namespace opusteca::passwordui {

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
    auto *l = new QLabel(parent);
    l->setObjectName(QStringLiteral("imgLogo"));
    l->setAlignment(Qt::AlignCenter);
    l->setPixmap(artwork::pixmap(QStringLiteral("logo"), QSize(300, 110)));
    return l;
}

QLineEdit *passwordField(const QString &name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    QFont f = e->font();
    f.setBold(true);
    f.setPointSize(14);
    e->setFont(f);
    e->setMinimumHeight(34);
    return e;
}

QWidget *fieldHolder(QLineEdit *field, QWidget *extra)
{
    auto *holder = new QWidget;
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(12);
    row->addWidget(field, 1);
    if (extra) row->addWidget(extra);
    new FocusFrame(field);
    return holder;
}

} // namespace opusteca::passwordui
