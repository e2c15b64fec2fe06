#include "app/TfrmInfo.h"

#include "kit/Backgrounds.h"
#include "kit/Links.h"
#include "kit/Pictures.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/core/Maker.h"

#include <QLabel>
#include <QPushButton>

namespace opusteca {
namespace {

QString productInformation()
{
    return QStringLiteral(
               "<p style=\"margin:0 0 8px 0;\"><b>Opusteca 2.0</b> &ndash; versione 2.0</p>"
               "<p style=\"margin:0 0 8px 0;\">Il programma per la biblioteca privata e per le piccole "
               "biblioteche di scuole, associazioni e centri culturali.</p>"
               "<p style=\"margin:0 0 4px 0;\">&bull; Catalogo dei libri con prestiti, classificazione Dewey "
               "e documenti allegati</p>"
               "<p style=\"margin:0 0 4px 0;\">&bull; Archivio biografico degli autori con le loro opere</p>"
               "<p style=\"margin:0 0 8px 0;\">&bull; Registro delle ricerche bibliografiche</p>"
               "<p style=\"margin:0 0 8px 0;\">Tutti i dati restano nella cartella del programma: per "
               "portarli con s&eacute; o farne una copia di sicurezza basta copiare la cartella.</p>"
               "<p style=\"margin:0;\">%1. Per informazioni e suggerimenti scriveteci all'indirizzo "
               "qui sotto.</p>")
        .arg(maker::copyright().toHtmlEscaped());
}

} // namespace

TfrmInfo::TfrmInfo(Program &app, QWidget *opener) : DialogScreen(app, opener, QStringLiteral("TfrmInfo"))
{
    setCaptionAndSize(QStringLiteral(" Informazioni su Opusteca 2.0"), 473, 579);

    auto *background = GradientBackground::fill(this, style::infoWindow);

    auto *band = new QWidget(background);
    band->setObjectName(QStringLiteral("shpLogo"));
    band->setGeometry(0, 0, 473, 104);
    band->setStyleSheet(QStringLiteral("#shpLogo { background: %1; border-bottom: 3px solid %2; }")
                            .arg(style::css(style::colour::white), style::css(style::colour::navy)));
    artwork::picture(QStringLiteral("imgLogo"), QStringLiteral("info_intestazione"), QSize(441, 84), background)
        ->move(16, 10);

    // The product information, on a sheet of its own over the shaded background.
    auto *area = new QLabel(background);
    area->setObjectName(QStringLiteral("imgInformazioni"));
    area->setGeometry(20, 122, 433, 290);
    area->setTextFormat(Qt::RichText);
    area->setWordWrap(true);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setFont(style::font(10));
    area->setText(productInformation());
    area->setStyleSheet(QStringLiteral("#imgInformazioni { background: %1; color: %2; border: 1px solid %3;"
                                       " border-radius: 10px; padding: 14px 16px; }")
                            .arg(style::css(style::colour::paper), style::css(style::colour::navy),
                                 style::css(style::colour::sheetBorder)));

    auto *chiudi = dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), background, 12, QSize(), false);
    chiudi->setGeometry((473 - 161) / 2, 432, 161, 41);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);

    m_mail = new ScreenLink(background, QStringLiteral("imgEmail"), QStringLiteral("busta"), QRect(0, 508, 32, 32),
                            maker::mail(), QPoint(0, 526), [] { shell::open(links::contactMail()); });
    // Picture and address centred together under the button.
    const int width = 32 + 8 + m_mail->text()->width();
    const int left = (473 - width) / 2;
    m_mail->picture()->move(left, 508);
    m_mail->text()->move(left + 40, 508 + (32 - m_mail->text()->height()) / 2);
    disableDefaultButtons();
}

} // namespace opusteca
