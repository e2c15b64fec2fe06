#pragma once
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace opusteca {

// Artwork is drawn by the project as SVG under :/icons; this renders it at the
// size a screen asks for, crisp at any scale.
namespace artwork {
QPixmap pixmap(const QString &name, const QSize &size);
QIcon icon(const QString &name);
// A still picture: a label named `objectName`, of `size`, showing artwork `name`.
QLabel *picture(const QString &objectName, const QString &name, const QSize &size, QWidget *parent);
} // namespace artwork

// A clickable picture: shows the hand cursor and reports press, release and click.
class CommandPicture : public QLabel {
    Q_OBJECT
public:
    CommandPicture(const QString &objectName, const QString &artworkName, const QSize &size, QWidget *parent = nullptr);
    // A picture with a caption under it, as on the toolbars.
    void setCaption(const QString &caption);

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_down = false;
};

} // namespace opusteca
