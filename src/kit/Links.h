#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>

namespace opusteca {

class CommandPicture;

// A link of the information, credits and help screens: a small picture and an
// underlined dark-blue text (lnkWeb) that act as one. Pressing the mouse
// button on either turns the text orange, releasing it turns it dark blue
// again, and a click runs the link's action.
class ScreenLink : public QObject {
    Q_OBJECT
public:
    ScreenLink(QWidget *parent, const QString &pictureName, const QString &artwork, const QRect &pictureGeometry,
               const QString &text, const QPoint &textPosition, std::function<void()> action);

    CommandPicture *picture() const { return m_picture; }
    CommandPicture *text() const { return m_text; }

private:
    void lnkWebMouseDown();
    void lnkWebMouseUp();
    void lnkWebClick();
    void setTextColour(const QColor &colour);

    CommandPicture *m_picture;
    CommandPicture *m_text;
    std::function<void()> m_action;
};

// The texts the three links hand to the shell.
namespace links {
// The information screen's mail: quoted, with subject and body, not encoded.
QString contactMail();
// The credits screen's link and the start menu's banner: the site, unquoted.
QString makerSite();
// The help viewer's link: the quoted path of Guida.pdf in the program folder.
QString userGuide(const QString &programFolder);
} // namespace links

} // namespace opusteca
