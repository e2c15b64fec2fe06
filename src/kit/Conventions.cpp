#include "kit/Conventions.h"

#include "kit/Style.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace opusteca {

StatusLine *addStatusBar(QBoxLayout *layout, QWidget *screen, const QString &idle)
{
    auto *panInfo = new QLabel(idle, screen);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setMinimumHeight(26);
    panInfo->setContentsMargins(10, 0, 10, 0);
    panInfo->setFont(style::captionFont());
    panInfo->setStyleSheet(QStringLiteral("#panInfo { background: %1; color: %2; border-radius: 5px; }")
                               .arg(style::css(style::colour::navy), style::css(style::colour::white)));
    layout->addWidget(panInfo);
    auto *status = new StatusLine(panInfo);
    status->addBackground(screen);
    return status;
}

QLabel *captionLabel(const QString &text, QWidget *parent, int points)
{
    auto *l = new QLabel(text, parent);
    l->setFont(style::captionFont(points));
    style::setTextColour(l, style::colour::navy);
    return l;
}

// ---- status line ---------------------------------------------------------

StatusLine::StatusLine(QLabel *panInfo) : QObject(panInfo), m_panInfo(panInfo) {}

void StatusLine::addHover(QWidget *picture, const QString &text)
{
    m_hover.append({picture, text});
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
}

void StatusLine::addBackground(QWidget *background)
{
    m_background.append(background);
    background->setMouseTracking(true);
    background->installEventFilter(this);
}

namespace {
// A bare widget or frame that only lays out the controls on it: the gaps
// between them are background, whether or not the screen named it.
bool isPlainHolder(const QWidget *w)
{
    const QMetaObject *type = w->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject;
}
} // namespace

bool StatusLine::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::Enter && type != QEvent::MouseMove && type != QEvent::HoverMove) return false;
    if (!m_panInfo) return false;
    for (const auto &[w, text] : std::as_const(m_hover)) {
        if (w == watched) {
            if (m_panInfo->text() != text) m_panInfo->setText(text);
            return false;
        }
    }
    auto *background = static_cast<QWidget *>(watched);
    if (!m_background.contains(background)) return false;
    // Entering a field also enters every parent of it, and a move over a child that
    // ignores it reaches its parents too: the line empties only when nothing between
    // the deepest widget under the pointer and this background is a control. The
    // deepest widget may be a bare part of a control (a multi-line field's viewport).
    const QPoint pos = static_cast<QSinglePointEvent *>(event)->position().toPoint();
    for (QWidget *w = background->childAt(pos); w && w != background; w = w->parentWidget())
        if (!m_background.contains(w) && !isPlainHolder(w)) return false;
    if (!m_panInfo->text().isEmpty()) m_panInfo->clear();
    return false;
}

// ---- focus highlight -----------------------------------------------------

FocusFrame::FocusFrame(QWidget *field) : QWidget(field->parentWidget()), m_field(field)
{
    setObjectName(frameNameFor(field->objectName()));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    field->installEventFilter(this);
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
    follow();
}

QString FocusFrame::frameNameFor(const QString &fieldName)
{
    QString base = fieldName;
    if (base.startsWith(QLatin1String("txt"))) base = base.mid(3);
    return QStringLiteral("eff") + base;
}

void FocusFrame::follow()
{
    if (!m_field) return;
    if (parentWidget() != m_field->parentWidget()) setParent(m_field->parentWidget());
    setGeometry(m_field->geometry().adjusted(-4, -4, 4, 4));
    stackUnder(m_field);
}

bool FocusFrame::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        follow();
        show();
        break;
    case QEvent::FocusOut:
        // An editable list passes the focus between itself and its line edit.
        if (m_field && !m_field->hasFocus()) hide();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ParentChange:
        follow();
        break;
    case QEvent::Hide:
        hide();
        break;
    default:
        break;
    }
    return false;
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    // A yellow body with a border that fades from yellow to white towards the edge.
    const QColor yellow = style::colour::focus;
    for (int i = 0; i < 4; ++i) {
        const int t = 255 * (3 - i) / 4;
        QColor c(255, yellow.green() + (255 - yellow.green()) * t / 255,
                 yellow.blue() + (255 - yellow.blue()) * t / 255);
        p.setPen(c);
        p.drawRect(r.adjusted(i, i, -i - 1, -i - 1));
    }
    p.fillRect(r.adjusted(4, 4, -4, -4), yellow);
}

// ---- Enter chain ---------------------------------------------------------

namespace {

bool isSingleLine(QWidget *w) { return qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w); }

bool isEnter(QEvent *event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

class ButtonEnter : public QObject {
public:
    explicit ButtonEnter(QAbstractButton *button) : QObject(button), m_button(button)
    {
        setObjectName(QStringLiteral("pressOnEnter"));
        button->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!isEnter(event)) return false;
        if (m_button->isEnabled()) m_button->click();
        return true;
    }

private:
    QAbstractButton *m_button;
};

void pressWhenButton(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w)) pressOnEnter(button);
}

class PairLink : public QObject {
public:
    PairLink(QWidget *from, QWidget *to) : QObject(from), m_to(to) { from->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!isEnter(event)) return false;
        if (m_to) m_to->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    QPointer<QWidget> m_to;
};

} // namespace

EnterChain::EnterChain(QObject *owner, const QList<QWidget *> &chain, bool wrap)
    : QObject(owner), m_chain(chain), m_wrap(wrap)
{
    for (QWidget *w : chain) {
        if (isSingleLine(w)) w->installEventFilter(this);
        pressWhenButton(w);
    }
}

void EnterChain::link(QWidget *from, QWidget *to)
{
    new PairLink(from, to);
    pressWhenButton(to);
}

void pressOnEnter(QAbstractButton *button)
{
    if (!button->findChild<ButtonEnter *>(QStringLiteral("pressOnEnter"), Qt::FindDirectChildrenOnly))
        new ButtonEnter(button);
}

bool EnterChain::eventFilter(QObject *watched, QEvent *event)
{
    if (!isEnter(event)) return false;
    const qsizetype i = m_chain.indexOf(static_cast<QWidget *>(watched));
    if (i < 0) return false;
    if (i + 1 < m_chain.size())
        m_chain[i + 1]->setFocus(Qt::TabFocusReason);
    else if (m_wrap && !m_chain.isEmpty())
        m_chain.first()->setFocus(Qt::TabFocusReason);
    return true;
}

EnterChain *chainFocus(QObject *owner, const QList<QWidget *> &fields, bool wrap, const QList<QWidget *> &tabAfter)
{
    const QList<QWidget *> tabs = fields + tabAfter;
    for (qsizetype i = 0; i + 1 < tabs.size(); ++i) QWidget::setTabOrder(tabs[i], tabs[i + 1]);
    return new EnterChain(owner, fields, wrap);
}

} // namespace opusteca
