#include "app/DialogScreen.h"

#include "store/Text.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QScreen>

namespace opusteca {

DialogScreen::DialogScreen(Application &app, QWidget *opener, const QString &className)
    : QDialog(opener), m_app(app), m_lblMemory(new QLabel(this))
{
    setObjectName(className);
    setModal(true);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();
}

QString DialogScreen::callerTag() const { return text::trimmed(m_lblMemory->text()); }

void DialogScreen::setFixedClientSize(int width, int height)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(width, height);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width / 2, height / 2));
    }
}

void DialogScreen::addCloseButton()
{
    auto *v = new QVBoxLayout(this);
    v->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    auto *chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("btnChiudi"));
    chiudi->setAutoDefault(false);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(chiudi);
    v->addLayout(row);
}

void DialogScreen::disableDefaultButtons()
{
    for (QPushButton *b : findChildren<QPushButton *>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

} // namespace opusteca
