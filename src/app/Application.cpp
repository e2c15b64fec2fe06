#include "app/Application.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "app/core/RegionalSettings.h"
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
namespace {

// What the creation handler of a dialog screen does for the whole process. The
// dialog screens are created only when opened; at start-up their effects are run
// here instead, each in its place in the screen order.
enum class CreationEffect {
    None,
    RegionalSettings, // sets the date format and decimal separator
};

void runCreationEffects(std::initializer_list<CreationEffect> effects)
{
    for (CreationEffect e : effects)
        if (e == CreationEffect::RegionalSettings) RegionalSettings::instance().apply();
}

} // namespace

Application::Application(const QString &programFolder, Contents contents) : m_programFolder(programFolder)
{
    using enum CreationEffect;
    const auto made = [contents](LongLivedScreen *screen) {
        if (contents == Contents::AtCreation) screen->ensureBuilt();
    };
    m_password = std::make_unique<TfrmPassword>(*this);
    m_avvio = std::make_unique<TfrmAvvio>(*this);
    made(m_avvio.get());
    m_cambiaPassword = std::make_unique<TfrmCambiaPassword>(*this);
    made(m_cambiaPassword.get());
    runCreationEffects({/* TfrmGuida */ None, /* TfrmInfo */ None, /* TfrmSplash */ None});
    m_libri = std::make_unique<TfrmLibri>(*this);
    made(m_libri.get());
    runCreationEffects({/* TfrmAllegaCartella */ None, /* TfrmCodici_Dewey */ RegionalSettings,
                        /* TfrmTrovaLibri */ RegionalSettings, /* TfrmExpLibri */ None,
                        /* TfrmTrovaDisponibili */ RegionalSettings, /* TfrmStampaLibro */ RegionalSettings});
    m_autori = std::make_unique<TfrmAutori>(*this);
    made(m_autori.get());
    runCreationEffects({/* TfrmCartella */ RegionalSettings, /* TfrmExpAutori */ None,
                        /* TfrmTrovaAutori */ RegionalSettings, /* TfrmCreaRTF */ None});
    m_bibliografie = std::make_unique<TfrmBibliografie>(*this);
    made(m_bibliografie.get());
    runCreationEffects({/* TfrmTrovaBibliografie */ RegionalSettings, /* TfrmExpBibliografie */ None});
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
    if (isComplete()) emit completed();
    else QTimer::singleShot(0, this, &Application::completeNext);
}

QWidget *Application::libriWidget() const { return m_libri.get(); }
QWidget *Application::autoriWidget() const { return m_autori.get(); }
QWidget *Application::bibliografieWidget() const { return m_bibliografie.get(); }

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

void Application::moveTo(QWidget *from, QWidget *to)
{
    if (!to) return;
    // The archive screens and the start menu open maximised.
    if (to->objectName() == QLatin1String("TfrmAvvio") || to->objectName() == QLatin1String("TfrmLibri")
        || to->objectName() == QLatin1String("TfrmAutori")
        || to->objectName() == QLatin1String("TfrmBibliografie")) {
        // Filling the screen first keeps the size right where no window manager maximises.
        if (!to->isVisible())
            if (const QScreen *s = QGuiApplication::primaryScreen()) to->setGeometry(s->availableGeometry());
        to->showMaximized();
    }
    else
        to->show();
    to->raise();
    to->activateWindow();
    if (from && from != to) from->hide();
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
