#include "app/Application.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "kit/core/RegionalSettings.h"
#include "screens/TfrmAutori.h"
#include "screens/TfrmBibliografie.h"
#include "screens/TfrmLibri.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace opusteca {
Application::Application(const QString &programFolder, Contents contents) : m_programFolder(programFolder)
{
    // Dates and numbers are formatted alike by every screen and report.
    RegionalSettings::instance().apply();
    const auto made = [contents](LongLivedScreen *screen) {
        if (contents == Contents::AtCreation) screen->ensureBuilt();
    };
    m_password = std::make_unique<TfrmPassword>(*this);
    m_avvio = std::make_unique<TfrmAvvio>(*this);
    made(m_avvio.get());
    m_cambiaPassword = std::make_unique<TfrmCambiaPassword>(*this);
    made(m_cambiaPassword.get());
    m_libri = std::make_unique<TfrmLibri>(*this);
    made(m_libri.get());
    m_autori = std::make_unique<TfrmAutori>(*this);
    made(m_autori.get());
    m_bibliografie = std::make_unique<TfrmBibliografie>(*this);
    made(m_bibliografie.get());
}

Application::~Application()
{
    // Later screens may refer to earlier ones: destroy them in reverse order.
    m_bibliografie.reset();
    m_autori.reset();
    m_libri.reset();
    m_cambiaPassword.reset();
    m_avvio.reset();
    m_password.reset();
}

namespace {
template <class Screen>
Screen *built(const std::unique_ptr<Screen> &screen)
{
    if (screen) screen->ensureBuilt();
    return screen.get();
}
} // namespace

TfrmAvvio *Application::avvio() const { return built(m_avvio); }
TfrmCambiaPassword *Application::cambiaPassword() const { return built(m_cambiaPassword); }
TfrmLibri *Application::libri() const { return built(m_libri); }
TfrmAutori *Application::autori() const { return built(m_autori); }
TfrmBibliografie *Application::bibliografie() const { return built(m_bibliografie); }

QList<LongLivedScreen *> Application::longLived() const
{
    return {m_avvio.get(), m_cambiaPassword.get(), m_libri.get(), m_autori.get(), m_bibliografie.get()};
}

bool Application::isComplete() const
{
    const QList<LongLivedScreen *> screens = longLived();
    return std::all_of(screens.begin(), screens.end(), [](LongLivedScreen *s) { return s->isBuilt(); });
}

void Application::completeNext()
{
    const QList<LongLivedScreen *> screens = longLived();
    const auto next = std::find_if(screens.begin(), screens.end(), [](LongLivedScreen *s) { return !s->isBuilt(); });
    if (next != screens.end()) (*next)->ensureBuilt();
    if (isComplete())
        emit completed();
    else
        QTimer::singleShot(0, this, &Application::completeNext);
}

QWidget *Application::loginWindow() const { return m_password.get(); }
QWidget *Application::startMenu() const { return avvio(); }
QWidget *Application::passwordChangeWindow() const { return cambiaPassword(); }
QWidget *Application::booksWindow() const { return m_libri.get(); }
QWidget *Application::authorsWindow() const { return m_autori.get(); }
QWidget *Application::bibliographiesWindow() const { return m_bibliografie.get(); }

void Application::start()
{
    if (const QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        m_password->move(area.center() - QPoint(m_password->width() / 2, m_password->height() / 2));
    }
    m_password->show();
    m_password->raise();
    m_password->activateWindow();
    // The other screens are completed while the user reads the login and types.
    if (!isComplete()) m_password->installEventFilter(this);
}

bool Application::eventFilter(QObject *watched, QEvent *event)
{
    // Once the login has been painted, or has gone without ever being painted.
    if (watched == m_password.get() && (event->type() == QEvent::Paint || event->type() == QEvent::Hide)) {
        watched->removeEventFilter(this);
        // Queued: the painted login reaches the screen first.
        QTimer::singleShot(0, this, &Application::completeNext);
    }
    return QObject::eventFilter(watched, event);
}

void Application::endProgram()
{
    if (m_ended) return;
    m_ended = true;
    for (QWidget *w : {static_cast<QWidget *>(m_bibliografie.get()), static_cast<QWidget *>(m_autori.get()),
                       static_cast<QWidget *>(m_libri.get()), static_cast<QWidget *>(m_cambiaPassword.get()),
                       static_cast<QWidget *>(m_avvio.get()), static_cast<QWidget *>(m_password.get())})
        if (w) w->hide();
    // The event loop is stopped by whoever runs it (main() quits on this signal):
    // exiting from here would also refuse every later event loop of the process.
    emit ended();
}

} // namespace opusteca
