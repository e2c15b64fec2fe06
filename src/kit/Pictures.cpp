#include "kit/Pictures.h"

#include "kit/Style.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace opusteca {
namespace artwork {

QPixmap pixmap(const QString &name, const QSize &size)
{
    // The same pictures recur on every screen (the toolbars, the links): each
    // is drawn once per size and shared, which keeps start-up short.
    const QString key = QStringLiteral("opusteca-art:%1:%2x%3").arg(name).arg(size.width()).arg(size.height());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;

    // Drawn for the densest screen: sharp there, and on ordinary screens no
    // pixels beyond those shown, which would cost time and be dropped again.
    const qreal dpr = std::max<qreal>(1.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    QPixmap pm(size * dpr);
    pm.fill(Qt::transparent);
    pm.setDevicePixelRatio(dpr);
    if (name.isEmpty()) return pm;
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    if (renderer.isValid()) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QPixmapCache::insert(key, pm);
    return pm;
}

QLabel *picture(const QString &objectName, const QString &name, const QSize &size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(pixmap(name, size));
    label->resize(size); // for screens placed by hand; a layout sizes it anew
    return label;
}

QIcon icon(const QString &name)
{
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64}) icon.addPixmap(pixmap(name, QSize(s, s)));
    return icon;
}

} // namespace artwork

CommandPicture::CommandPicture(const QString &objectName, const QString &artworkName, const QSize &size,
                               QWidget *parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setPixmap(artwork::pixmap(artworkName, size));
    setFixedSize(size);
}

void CommandPicture::setCaption(const QString &caption)
{
    const QPixmap pm = pixmap();
    const QSize iconSize = pm.deviceIndependentSize().toSize();
    const QFont f = style::captionFont(8);
    const QFontMetrics fm(f);
    const int w = std::max(iconSize.width(), fm.horizontalAdvance(caption) + 6);
    const int h = iconSize.height() + fm.height() + 2;
    QPixmap out(QSize(w, h) * pm.devicePixelRatio());
    out.setDevicePixelRatio(pm.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawPixmap((w - iconSize.width()) / 2, 0, pm);
    p.setFont(f);
    p.setPen(style::colour::pictureCaption);
    p.drawText(QRect(0, iconSize.height() + 1, w, fm.height()), Qt::AlignCenter, caption);
    p.end();
    setPixmap(out);
    setFixedSize(w, h);
    setAccessibleName(caption);
}

void CommandPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    m_down = true;
    emit pressed();
}

void CommandPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return QLabel::mouseReleaseEvent(event);
    const bool wasDown = m_down;
    m_down = false;
    emit released();
    if (wasDown && rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace opusteca
