#include "app/Application.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmGuida.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "attach/TfrmAllegaCartella.h"
#include "attach/TfrmCartella.h"
#include "export/TfrmCreaRTF.h"
#include "export/TfrmExpAutori.h"
#include "export/TfrmExpBibliografie.h"
#include "export/TfrmExpLibri.h"
#include "export/TfrmStampaLibro.h"
#include "screens/TfrmAutori.h"
#include "screens/TfrmBibliografie.h"
#include "screens/TfrmCodici_Dewey.h"
#include "screens/TfrmLibri.h"
#include "search/TfrmTrovaAutori.h"
#include "search/TfrmTrovaBibliografie.h"
#include "search/TfrmTrovaDisponibili.h"
#include "search/TfrmTrovaLibri.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace opusteca {
namespace {

// Dialog screens live only while open. At start-up each class is still created
// once, in its place in the order, so that its creation handler has run (the
// regional settings among them); the instance is dropped at once and never shown.
template <class Screen>
void runCreationHandler(Application &app)
{
    Screen screen(app, nullptr);
}

} // namespace

Application::Application(const QString &programFolder) : m_programFolder(programFolder)
{
    m_password = std::make_unique<TfrmPassword>(*this);
    m_avvio = std::make_unique<TfrmAvvio>(*this);
    m_cambiaPassword = std::make_unique<TfrmCambiaPassword>(*this);
    runCreationHandler<TfrmGuida>(*this);
    runCreationHandler<TfrmInfo>(*this);
    runCreationHandler<TfrmSplash>(*this);
    m_libri = std::make_unique<TfrmLibri>(*this);
    runCreationHandler<TfrmAllegaCartella>(*this);
    runCreationHandler<TfrmCodici_Dewey>(*this);
    runCreationHandler<TfrmTrovaLibri>(*this);
    runCreationHandler<TfrmExpLibri>(*this);
    runCreationHandler<TfrmTrovaDisponibili>(*this);
    runCreationHandler<TfrmStampaLibro>(*this);
    m_autori = std::make_unique<TfrmAutori>(*this);
    runCreationHandler<TfrmCartella>(*this);
    runCreationHandler<TfrmExpAutori>(*this);
    runCreationHandler<TfrmTrovaAutori>(*this);
    runCreationHandler<TfrmCreaRTF>(*this);
    m_bibliografie = std::make_unique<TfrmBibliografie>(*this);
    runCreationHandler<TfrmTrovaBibliografie>(*this);
    runCreationHandler<TfrmExpBibliografie>(*this);
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
