#include "attach/TfrmCartella.h"

#include "attach/core/RecordFolder.h"
#include "kit/Backgrounds.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace opusteca {
namespace {

constexpr int kWidth = 440;
constexpr int kPictureWidth = kWidth - 2 * 24;

// A picture with its message drawn in, as the program's artwork carries its words.
QLabel *textPicture(const QString &name, const QString &message, const QFont &font, int height, bool banner,
                    QWidget *parent)
{
    const qreal dpr = 2.0;
    QPixmap pm(QSize(kPictureWidth, height) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, kPictureWidth, height);
    if (banner) {
        QLinearGradient g(area.topLeft(), area.topRight());
        g.setColorAt(0, style::titleBanner.top);
        g.setColorAt(1, style::titleBanner.bottom);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(area, 6, 6);
        p.setPen(style::colour::white);
    } else {
        p.setPen(style::colour::navy);
    }
    p.setFont(font);
    p.drawText(area.adjusted(10, 4, -10, -4),
               Qt::TextWordWrap | (banner ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter), message);
    p.end();
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(pm);
    l->setAccessibleName(message);
    l->setFixedSize(kPictureWidth, height);
    return l;
}

} // namespace

TfrmCartella::TfrmCartella(Program &app, QWidget *opener) : DialogScreen(app, opener, QStringLiteral("TfrmCartella"))
{
    const QString caption = QStringLiteral(" Gestione cartella abbinata alla scheda corrente");
    setCaptionAndSize(caption, kWidth, 470);

    QVBoxLayout *v = gradientColumn(QMargins(12, 12, 12, 12), 10);
    QWidget *background = v->parentWidget();

    auto *panel = style::panel(QStringLiteral("panCartella"), style::Panel::Sheet, background);
    auto *pv = new QVBoxLayout(panel);
    pv->setContentsMargins(11, 11, 11, 11);
    pv->setSpacing(10);
    pv->addWidget(textPicture(QStringLiteral("imgTitolo"), caption.trimmed(), style::font(10, true), 34, true, panel));
    pv->addWidget(
        textPicture(QStringLiteral("imgIstruzioni1"),
                    QStringLiteral("Alla scheda corrente è abbinata una cartella in cui conservare qualsiasi file che "
                                   "riguardi l'autore: le sue opere in formato digitale, immagini, appunti. "
                                   "Il pulsante qui sotto apre la cartella."),
                    style::font(9), 80, false, panel));

    auto *icoCartella =
        artwork::picture(QStringLiteral("icoCartella"), QStringLiteral("cartella"), QSize(72, 72), panel);
    icoCartella->setAlignment(Qt::AlignCenter);
    pv->addWidget(icoCartella, 0, Qt::AlignHCenter);
    QPushButton *apri =
        dialogButton(QStringLiteral("btnApriCartella"), QStringLiteral("Apri cartella"), panel, 0, QSize(140, 30));
    pv->addWidget(apri, 0, Qt::AlignHCenter);

    pv->addWidget(
        textPicture(QStringLiteral("imgIstruzioni2"),
                    QStringLiteral("La cartella si trova nella cartella del programma: copiando l'intera cartella del "
                                   "programma su un disco esterno o su una chiavetta USB si ottiene una copia di "
                                   "sicurezza del programma e di tutti i suoi dati."),
                    style::font(9), 80, false, panel));
    v->addWidget(panel);
    v->addStretch(1);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton *chiudi =
        dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), background, 0, QSize(100, 30));
    row->addWidget(chiudi);
    v->addLayout(row);

    connect(apri, &QPushButton::clicked, this, &TfrmCartella::btnApriCartellaClick);
    connect(chiudi, &QPushButton::clicked, this, &TfrmCartella::btnChiudiClick);
    disableDefaultButtons();
}

void TfrmCartella::btnApriCartellaClick()
{
    const QString folder = recordfolder::path(app().programFolder(), callerTag());
    // Only a path that cannot name a folder stops here; a folder that cannot be
    // made is still handed over, and the shell shows what it finds.
    if (const std::optional<QString> error = recordfolder::create(folder)) {
        msg::systemError(this, *error);
        return;
    }
    shell::open(QLatin1Char('"') + folder + QLatin1Char('"'));
    accept();
}

void TfrmCartella::btnChiudiClick() { reject(); }

} // namespace opusteca
