#include "app/TfrmSplash.h"

#include "kit/Backgrounds.h"
#include "kit/Links.h"
#include "kit/Pictures.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/core/Maker.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace opusteca {
namespace {

constexpr QSize kPicture(625, 380);

// The credits artwork with the maker's name, copyright notice and web address
// written over it, so the picture always tells the addresses the program uses.
QPixmap creditsPicture()
{
    QPixmap pm = artwork::pixmap(QStringLiteral("crediti_grande"), kPicture);
    QPainter p(&pm);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect text(262, 30, 340, 220);
    p.setPen(style::colour::navy);
    p.setFont(style::font(28, true));
    p.drawText(QRect(text.left(), text.top(), text.width(), 48), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Opusteca 2.0"));
    p.fillRect(QRect(text.left() + 2, text.top() + 52, 150, 4), style::colour::gold);
    p.setPen(style::colour::subtitle);
    p.setFont(style::font(10));
    p.drawText(QRect(text.left(), text.top() + 66, text.width(), 40), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Catalogo dei libri, archivio degli autori e registro delle ricerche bibliografiche"));
    p.setFont(style::font(10));
    p.drawText(QRect(text.left(), text.top() + 122, text.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ideato e realizzato da"));
    p.setPen(style::colour::navy);
    p.setFont(style::font(16, true));
    p.drawText(QRect(text.left(), text.top() + 144, text.width(), 30), Qt::AlignLeft | Qt::AlignVCenter, maker::name());
    p.setPen(style::colour::subtitle);
    p.setFont(style::font(10));
    p.drawText(QRect(text.left(), text.top() + 178, text.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
               maker::copyright() + QStringLiteral(". Tutti i diritti riservati."));
    // The web address on the navy band at the foot of the picture.
    p.setPen(style::colour::white);
    p.setFont(style::font(13, true));
    p.drawText(QRect(0, 304, kPicture.width(), 72), Qt::AlignCenter, maker::site());
    return pm;
}

} // namespace

TfrmSplash::TfrmSplash(Program &app, QWidget *opener) : DialogScreen(app, opener, QStringLiteral("TfrmSplash"))
{
    setCaptionAndSize(QStringLiteral(" Opusteca 2.0 - ") + maker::copyright(), 661, 467);
    // Centred over the start menu rather than on the display.
    if (opener) {
        const QRect o = opener->frameGeometry();
        move(o.center() - QPoint(661 / 2, 467 / 2));
    }

    auto *background = GradientBackground::fill(this, style::creditsWindow);

    auto *imgSplash = new QLabel(background);
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    imgSplash->setGeometry(18, 12, kPicture.width(), kPicture.height());
    imgSplash->setPixmap(creditsPicture());

    // The link sits on a light plate: dark blue would not read on the dark foot.
    auto *plate = new QWidget(background);
    plate->setObjectName(QStringLiteral("shpLink"));
    plate->setGeometry(18, 408, 370, 44);
    style::setPanel(plate, style::Panel::Sheet);
    m_web = new ScreenLink(background, QStringLiteral("imgWeb"), QStringLiteral("globo"), QRect(28, 414, 32, 32),
                           maker::site(), QPoint(68, 418), [] { shell::open(links::makerSite()); });
    m_web->text()->move(68, 414 + (32 - m_web->text()->height()) / 2);

    auto *chiudi = dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), background, 12, QSize(), false);
    chiudi->setGeometry(661 - 18 - 225, 412, 225, 36);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    disableDefaultButtons();
}

} // namespace opusteca
