#include "screens/TfrmBibliografie.h"

#include "app/Application.h"
#include "app/Pictures.h"
#include "app/TfrmAvvio.h"
#include "app/core/RegionalSettings.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace opusteca {

TfrmBibliografie::TfrmBibliografie(Application &app) : m_app(app)
{
    setObjectName(QStringLiteral("TfrmBibliografie"));
    RegionalSettings::instance().apply();
    auto *v = new QVBoxLayout(this);
    auto *cmdEsci = new CommandPicture(QStringLiteral("cmdEsci"), QStringLiteral("esci"), QSize(40, 40), this);
    v->addWidget(cmdEsci);
    connect(cmdEsci, &CommandPicture::clicked, this, [this] { close(); });
}

void TfrmBibliografie::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_app.hasEnded()) Application::moveTo(this, m_app.avvio());
}

} // namespace opusteca
