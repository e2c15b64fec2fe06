#pragma once
#include <QFrame>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QBoxLayout;
class QLabel;

namespace opusteca {

// Status line: hovering a command picture shows its text in panInfo; hovering the
// screen's background empties it; anything else leaves the last text in place.
class StatusLine : public QObject {
    Q_OBJECT
public:
    explicit StatusLine(QLabel *panInfo);
    void addHover(QWidget *picture, const QString &text);
    void addBackground(QWidget *background);
    QLabel *label() const { return m_panInfo; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QLabel> m_panInfo;
    QList<QPair<QWidget *, QString>> m_hover;
    QList<QWidget *> m_background;
};

// The status line at the foot of a screen: panInfo on a navy bar, showing
// `idle` until a hover text replaces it; hovering the screen itself empties it.
StatusLine *addStatusBar(QBoxLayout *layout, QWidget *screen, const QString &idle);

// A caption of a screen's control: navy, in the caption face.
QLabel *captionLabel(const QString &text, QWidget *parent, int points = 9);

// Focus highlight: a yellow frame 4 units wider than its field on every side,
// drawn behind the field and shown only while the field has the focus.
class FocusFrame : public QWidget {
    Q_OBJECT
public:
    // Creates the frame as a sibling of field, named "eff" + the field name
    // without its "txt" prefix, and keeps it glued to the field.
    explicit FocusFrame(QWidget *field);
    QWidget *field() const { return m_field; }
    static QString frameNameFor(const QString &fieldName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow();
    QPointer<QWidget> m_field;
};

// Enter chain: Enter in a single-line field moves the focus to the next field of
// the chain and does nothing else. Multi-line fields keep Enter as a line break.
// Where the chain leads to a button, Enter on that focused button presses it.
class EnterChain : public QObject {
    Q_OBJECT
public:
    // With wrap, Enter in the last field returns to the first.
    EnterChain(QObject *owner, const QList<QWidget *> &chain, bool wrap);
    // Enter in from moves the focus to to; nothing else. A button as to is then
    // pressed by a second Enter.
    static void link(QWidget *from, QWidget *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> m_chain;
    bool m_wrap;
};

// The focus order of a screen's fields, written once: Tab visits the fields in
// the order given, then the widgets of tabAfter (a check box, say, that Enter
// does not reach); Enter moves along the fields, from the last back to the first
// when wrap is set.
EnterChain *chainFocus(QObject *owner, const QList<QWidget *> &fields, bool wrap = true,
                       const QList<QWidget *> &tabAfter = {});

// Enter (either key) on the focused button presses it, as Space does; Enter
// typed elsewhere never reaches it. Calling it again on a button changes nothing.
void pressOnEnter(QAbstractButton *button);

} // namespace opusteca
