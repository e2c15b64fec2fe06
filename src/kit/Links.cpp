#include "kit/Links.h"

#include "kit/Pictures.h"
#include "kit/Style.h"
#include "kit/core/Maker.h"

#include <QDir>

namespace opusteca {

ScreenLink::ScreenLink(QWidget *parent, const QString &pictureName, const QString &artwork,
                       const QRect &pictureGeometry, const QString &text, const QPoint &textPosition,
                       std::function<void()> action)
    : QObject(parent), m_action(std::move(action))
{
    m_picture = new CommandPicture(pictureName, artwork, pictureGeometry.size(), parent);
    m_picture->move(pictureGeometry.topLeft());

    QFont f = style::font(14, false, style::Face::Tahoma);
    f.setUnderline(true);
    m_text = new CommandPicture(QStringLiteral("lnkWeb"), QString(), QSize(1, 1), parent);
    m_text->setPixmap({});
    m_text->setFont(f);
    m_text->setText(text);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setFixedSize(m_text->sizeHint());
    m_text->move(textPosition);
    setTextColour(style::colour::link);

    for (CommandPicture *w : {m_picture, m_text}) {
        connect(w, &CommandPicture::pressed, this, &ScreenLink::lnkWebMouseDown);
        connect(w, &CommandPicture::released, this, &ScreenLink::lnkWebMouseUp);
        connect(w, &CommandPicture::clicked, this, &ScreenLink::lnkWebClick);
    }
}

void ScreenLink::lnkWebMouseDown() { setTextColour(style::colour::linkPressed); }

void ScreenLink::lnkWebMouseUp() { setTextColour(style::colour::link); }

void ScreenLink::lnkWebClick()
{
    setTextColour(style::colour::link);
    if (m_action) m_action();
}

void ScreenLink::setTextColour(const QColor &colour)
{
    QPalette pal = m_text->palette();
    pal.setColor(QPalette::WindowText, colour);
    m_text->setPalette(pal);
}

namespace links {

QString contactMail()
{
    // Subject and body stay as they are: the shell-open step does the encoding.
    return QLatin1Char('"') + QStringLiteral("mailto:") + maker::mail() + QStringLiteral("?subject=") +
           QStringLiteral("Software Opusteca 2.0") + QStringLiteral("&body=") +
           QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:") +
           QLatin1Char('"');
}

QString makerSite() { return maker::site(); }

QString userGuide(const QString &programFolder)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(QDir(programFolder).filePath(QStringLiteral("Guida.pdf"))) +
           QLatin1Char('"');
}

} // namespace links
} // namespace opusteca
