#include "app/WindowProbe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace opusteca {
namespace {

QJsonArray placeOf(const QWidget *w)
{
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    return {at.x(), at.y(), w->width(), w->height()};
}

QJsonObject describe(QWidget *window)
{
    QJsonObject d;
    d[QLatin1String("window")] = window->objectName();
    d[QLatin1String("class")] = QString::fromLatin1(window->metaObject()->className());
    d[QLatin1String("title")] = window->windowTitle();
    d[QLatin1String("place")] = placeOf(window);
    QJsonObject controls;
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *c : children) {
        const QString name = c->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !c->isVisibleTo(window) || c->isWindow())
            continue;
        controls[name] = placeOf(c);
    }
    d[QLatin1String("controls")] = controls;
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        d[QLatin1String("text")] = box->text();
        QList<QAbstractButton *> buttons = box->buttons();
        // In the order the user sees them, left to right.
        std::sort(buttons.begin(), buttons.end(), [](const QAbstractButton *a, const QAbstractButton *b) {
            return a->mapToGlobal(QPoint(0, 0)).x() < b->mapToGlobal(QPoint(0, 0)).x();
        });
        QJsonArray list;
        for (QAbstractButton *b : buttons)
            list.append(QJsonObject{{QLatin1String("text"), b->text()}, {QLatin1String("place"), placeOf(b)}});
        d[QLatin1String("buttons")] = list;
        d[QLatin1String("default")] = box->defaultButton() ? box->defaultButton()->text() : QString();
    }
    return d;
}

} // namespace

void WindowProbe::installFromEnvironment()
{
    const QString path = qEnvironmentVariable("OPUSTECA_WINDOW_PROBE");
    if (path.isEmpty()) return;
    qApp->installEventFilter(new WindowProbe(path));
}

WindowProbe::WindowProbe(const QString &path) : QObject(qApp), m_path(path) {}

bool WindowProbe::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if (t != QEvent::Show && t != QEvent::Move && t != QEvent::Resize && t != QEvent::Hide) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || !w->isWindow()) return false;
    if (t == QEvent::Hide) {
        write(QJsonDocument(QJsonObject{{QLatin1String("hidden"), w->objectName()},
                                        {QLatin1String("class"), QString::fromLatin1(w->metaObject()->className())}})
                  .toJson(QJsonDocument::Compact));
    } else {
        describeLater(w);
    }
    return false;
}

void WindowProbe::describeLater(QWidget *window)
{
    if (std::find(m_pending.begin(), m_pending.end(), window) == m_pending.end()) m_pending.emplace_back(window);
    if (m_scheduled) return;
    m_scheduled = true;
    // After the events already queued: the window's layout has placed its controls by then.
    QTimer::singleShot(0, this, &WindowProbe::describePending);
}

void WindowProbe::describePending()
{
    m_scheduled = false;
    const std::vector<QPointer<QWidget>> pending = std::exchange(m_pending, {});
    for (const QPointer<QWidget> &w : pending)
        if (w && w->isVisible()) write(QJsonDocument(describe(w)).toJson(QJsonDocument::Compact));
}

void WindowProbe::write(const QByteArray &line)
{
    // Opened for each line, so a test reading the file sees every line at once.
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.write(line + '\n');
}

} // namespace opusteca
