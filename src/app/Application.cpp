#include "app/Application.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "app/core/RegionalSettings.h"
#include "screens/TfrmAutori.h"
#include "screens/TfrmBibliografie.h"
#include "screens/TfrmLibri.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

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

Application::Application(const QString &programFolder) : m_programFolder(programFolder)
{
    using enum CreationEffect;
    m_password = std::make_unique<TfrmPassword>(*this);
    m_avvio = std::make_unique<TfrmAvvio>(*this);
    m_cambiaPassword = std::make_unique<TfrmCambiaPassword>(*this);
    runCreationEffects({/* TfrmGuida */ None, /* TfrmInfo */ None, /* TfrmSplash */ None});
    m_libri = std::make_unique<TfrmLibri>(*this);
    runCreationEffects({/* TfrmAllegaCartella */ None, /* TfrmCodici_Dewey */ RegionalSettings,
                        /* TfrmTrovaLibri */ RegionalSettings, /* TfrmExpLibri */ None,
                        /* TfrmTrovaDisponibili */ RegionalSettings, /* TfrmStampaLibro */ RegionalSettings});
    m_autori = std::make_unique<TfrmAutori>(*this);
    runCreationEffects({/* TfrmCartella */ RegionalSettings, /* TfrmExpAutori */ None,
                        /* TfrmTrovaAutori */ RegionalSettings, /* TfrmCreaRTF */ None});
    m_bibliografie = std::make_unique<TfrmBibliografie>(*this);
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
