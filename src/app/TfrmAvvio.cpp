#include "app/TfrmAvvio.h"

#include "app/Application.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "kit/Backgrounds.h"
#include "kit/DialogScreen.h"
#include "kit/Links.h"
#include "kit/Pictures.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/TfrmGuida.h"
#include "kit/core/Maker.h"
#include "kit/core/RegionalSettings.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>

namespace opusteca {
namespace {

// A banner across the sheet: a text on a band that fades out at both ends.
void makeBanner(QLabel *banner, const QString &text, const QRect &geometry)
{
    banner->setText(text);
    banner->setFont(style::font(10, true));
    banner->setAlignment(Qt::AlignCenter);
    banner->setGeometry(geometry);
    const QString band = style::css(style::colour::mist);
    banner->setStyleSheet(
        QStringLiteral("QLabel { color: %1; border-radius: 4px; background: qlineargradient(x1:0,y1:0,x2:1,y2:0,"
                       " stop:0 transparent, stop:0.18 %2, stop:0.82 %2, stop:1 transparent); }")
            .arg(style::css(style::colour::navy), band));
}

} // namespace

QLabel *TfrmAvvio::artworkPicture(QWidget *panel, const QString &name, const QString &art, const QRect &geometry)
{
    auto *l = new QLabel(panel);
    l->setObjectName(name);
    l->setGeometry(geometry);
    m_artwork.append({l, art, geometry.size()});
    return l;
}

void TfrmAvvio::showEvent(QShowEvent *event)
{
    // The menu is made at start-up but first seen after the login: its large
    // pictures are drawn then, which keeps them out of the time to the login.
    for (const Artwork &a : std::as_const(m_artwork)) a.picture->setPixmap(artwork::pixmap(a.name, a.size));
    m_artwork.clear();
    QWidget::showEvent(event);
}

TfrmAvvio::TfrmAvvio(Application &app) : m_app(app)
{
    setObjectName(QStringLiteral("TfrmAvvio"));
    setWindowTitle(QStringLiteral(" Opusteca 2.0"));
    resize(1024, 720);
}

void TfrmAvvio::buildContents()
{
    // Shaded from steel blue to white, the content in a centred panel.
    auto *background = GradientBackground::fill(this, style::menuWindow);
    auto *centre = new QGridLayout(background);
    auto *panel = new QWidget(background);
    panel->setObjectName(QStringLiteral("panContainer"));
    panel->setFixedSize(995, 692);
    centre->addWidget(panel, 0, 0, Qt::AlignCenter);
    buildContent(panel);
}

void TfrmAvvio::buildContent(QWidget *panel)
{
    auto *shpSfondo = new QLabel(panel);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(8, 8, 979, 676);
    style::setPanel(shpSfondo, style::Panel::Sheet);

    const auto picture = [this, panel](const QString &name, const QString &art, const QRect &g) {
        auto *p = new CommandPicture(name, QString(), g.size(), panel);
        p->move(g.topLeft());
        m_artwork.append({p, art, g.size()});
        return p;
    };

    auto *imgInfo = picture(QStringLiteral("imgInfo"), QStringLiteral("info"), QRect(14, 14, 30, 30));
    auto *imgGuida = picture(QStringLiteral("imgGuida"), QStringLiteral("guida"), QRect(952, 16, 29, 28));
    artworkPicture(panel, QStringLiteral("imgLogo"), QStringLiteral("prodotto"), QRect(118, 22, 84, 80));
    artworkPicture(panel, QStringLiteral("imgTitolo"), QStringLiteral("titolo"), QRect(214, 26, 580, 72));
    artworkPicture(panel, QStringLiteral("Image1"), QStringLiteral("decorazione"), QRect(806, 24, 130, 72));
    auto *imgSottotitolo = new QLabel(panel);
    imgSottotitolo->setObjectName(QStringLiteral("imgSottotitolo"));
    makeBanner(
        imgSottotitolo,
        QStringLiteral("Catalogo dei libri, archivio biografico degli autori e registro delle ricerche bibliografiche"),
        QRect(17, 110, 961, 22));

    // The archive screens are created after the start menu, so they are looked up on click.
    const auto column = [&](const QString &key, const QString &title, const QString &description, int x,
                            QWidget *(Application::*target)() const) {
        auto *img =
            picture(QStringLiteral("img") + key, QStringLiteral("avvio_") + key.toLower(), QRect(x, 162, 288, 268));
        auto *btn = new CommandPicture(QStringLiteral("btn") + key, QString(), QSize(281, 42), panel);
        btn->move(x, 438);
        btn->setPixmap({});
        btn->setText(title);
        btn->setFont(style::font(14, true));
        btn->setStyleSheet(QStringLiteral("QLabel { color: %1; border-radius: 8px; background: %2; }")
                               .arg(style::css(style::colour::white),
                                    style::verticalGradient({style::colour::steel, style::colour::navy})));
        auto *inf = new CommandPicture(QStringLiteral("inf") + key, QString(), QSize(290, 105), panel);
        inf->move(x, 490);
        inf->setPixmap({});
        inf->setText(description);
        inf->setWordWrap(true);
        inf->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        inf->setFont(style::font(10));
        for (CommandPicture *w : {img, btn, inf})
            connect(w, &CommandPicture::clicked, this,
                    [this, target] { Application::moveTo(this, (m_app.*target)()); });
    };
    column(QStringLiteral("Autori"), QStringLiteral("Archivio Autori"),
           QStringLiteral("Schede biografiche degli autori: nazionalità, periodo, corrente, "
                          "biografia, opere, pensiero e giudizio personale."),
           22, &Application::authorsWindow);
    column(QStringLiteral("Libri"), QStringLiteral("Archivio Libri"),
           QStringLiteral("Il catalogo della biblioteca: dati bibliografici, collocazione, "
                          "classificazione Dewey, prestiti e documenti allegati."),
           350, &Application::booksWindow);
    column(QStringLiteral("Bibliografie"), QStringLiteral("Archivio Bibliografie"),
           QStringLiteral("Le ricerche bibliografiche: argomento, scopo, ricercatori, elenco dei "
                          "testi, presentazioni pubbliche e documenti allegati."),
           680, &Application::bibliographiesWindow);

    auto *imgSito = new CommandPicture(QStringLiteral("imgSito"), QString(), QSize(961, 22), panel);
    imgSito->setPixmap({});
    makeBanner(imgSito, maker::copyright() + QStringLiteral("  \u00B7  ") + maker::site(), QRect(17, 628, 961, 22));
    auto *credits = picture(QStringLiteral("imgCrediti"), QStringLiteral("crediti"), QRect(16, 660, 23, 22));
    auto *imgEsci = picture(QStringLiteral("imgEsci"), QStringLiteral("esci"), QRect(960, 662, 17, 18));

    connect(imgInfo, &CommandPicture::clicked, this, [this] { openDialog<TfrmInfo>(m_app, this); });
    connect(credits, &CommandPicture::clicked, this, [this] { openDialog<TfrmSplash>(m_app, this); });
    connect(imgEsci, &CommandPicture::clicked, this, [this] { m_app.endProgram(); });
    connect(imgGuida, &CommandPicture::clicked, this,
            [this] { TfrmGuida::openTopic(m_app, this, QStringLiteral("TfrmAvvio")); });
    // The maker's site is a fixed address: handed over as it is, unquoted.
    connect(imgSito, &CommandPicture::clicked, this, [] { shell::open(links::makerSite()); });
}

void TfrmAvvio::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_app.endProgram();
}

} // namespace opusteca
