#include "export/TfrmStampaLibro.h"

#include "export/BookCardReport.h"
#include "kit/Backgrounds.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"
#include "report/ReportPrinter.h"

#include <QLabel>
#include <QPushButton>

namespace opusteca {

TfrmStampaLibro::TfrmStampaLibro(Program &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmStampaLibro")), m_repDocumento(bookcard::build())
{
    setCaptionAndSize(QStringLiteral(" Stampa scheda libro"), 364, 287);
    // Over the book screen rather than the middle of the display.
    if (QWidget *over = app.booksWindow(); over && over->isVisible())
        move(over->frameGeometry().center() - QPoint(width() / 2, height() / 2));

    auto *background = new GradientBackground(style::menuWindow, this);
    background->setGeometry(rect());
    background->lower();

    auto *shpSfondo = new QLabel(this);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(18, 18, 326, 215);
    shpSfondo->setStyleSheet(QStringLiteral("background: %1;").arg(style::css(style::colour::white)));

    artwork::picture(QStringLiteral("imgLogo01"), QStringLiteral("stampa_scheda"), QSize(318, 190), this)->move(22, 26);

    const auto button = [this](const char *name, const QString &caption, int x) {
        QPushButton *b = dialogButton(QString::fromLatin1(name), caption, this, 9, QSize(), false);
        b->setGeometry(x, 243, 137, 28);
        return b;
    };
    QPushButton *btnAnnulla = button("btnAnnulla", QStringLiteral("Annulla"), 18);
    QPushButton *btnStampa = button("btnStampa", QStringLiteral("Stampa"), 208);
    disableDefaultButtons();
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaLibro::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaLibro::btnStampaClick);
}

TfrmStampaLibro::~TfrmStampaLibro() = default;

void TfrmStampaLibro::btnAnnullaClick() { reject(); }

void TfrmStampaLibro::btnStampaClick()
{
    bookcard::fill(*m_repDocumento, m_book, RegionalSettings::now());
    m_repDocumento->prepare();
    // A cancelled dialog or a failed print (told by the engine) close the screen alike.
    report::print(*m_repDocumento, this);
    accept();
}

} // namespace opusteca
