#include "screens/CardBuilder.h"

#include "kit/Conventions.h"
#include "kit/StoredText.h"
#include "kit/Style.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>

#include <algorithm>

namespace opusteca::cardui {
namespace {

const FieldDef &def(const Card &card, int field) { return card.layout().fields[field]; }

void name(const Card &card, int field, QWidget *w) { w->setObjectName(QString::fromLatin1(def(card, field).control)); }

// A text control the user types into: the card's font and a focus frame.
void finishTyped(const Card &card, int field, QWidget *w)
{
    name(card, field, w);
    w->setFont(style::fieldFont());
    new FocusFrame(w);
}

} // namespace

QLineEdit *lineField(Card &card, int field, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setMaxLength(def(card, field).capacity);
    e->setMinimumHeight(24);
    finishTyped(card, field, e);
    storedtext::keep(e);
    card.bind(field, lineControl(e));
    return e;
}

QComboBox *listField(Card &card, int field, const QStringList &items, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    // Typed text is a value of its own, never added to the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    // No completion either: it would turn a typed "Romanzo" into the first item
    // that begins so, and "arte" into "Arte".
    c->setCompleter(nullptr);
    c->addItems(items);
    c->setMaxVisibleItems(20);
    // The field is as wide as its column, never widened by its longest item, so
    // the card's columns line up; the open list is as wide as that item.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(8);
    int widest = 0;
    const QFontMetrics metrics(style::fieldFont());
    for (const QString &item : items) widest = std::max(widest, metrics.horizontalAdvance(item));
    c->view()->setMinimumWidth(widest + 2 * metrics.averageCharWidth() +
                               c->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    c->setCurrentIndex(-1);
    c->lineEdit()->setMaxLength(def(card, field).capacity);
    c->setMinimumHeight(24);
    finishTyped(card, field, c);
    c->lineEdit()->setFont(style::fieldFont());
    storedtext::keep(c);
    card.bind(field, choiceControl(c));
    return c;
}

QPlainTextEdit *memoField(Card &card, int field, QWidget *parent)
{
    auto *p = new QPlainTextEdit(parent);
    p->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    p->setTabChangesFocus(true);
    finishTyped(card, field, p);
    storedtext::keep(p);
    card.bind(field, memoControl(p));
    return p;
}

QCheckBox *flagField(Card &card, int field, const QString &yes, const QString &no, QWidget *parent)
{
    auto *b = new QCheckBox(QString::fromUtf8(def(card, field).label), parent);
    name(card, field, b);
    b->setFont(style::captionFont());
    card.bind(field, flagControl(b, yes, no));
    return b;
}

QLabel *hiddenField(Card &card, int field, QWidget *parent)
{
    auto *l = new QLabel(parent);
    name(card, field, l);
    l->hide();
    card.bind(field, hiddenControl(l));
    return l;
}

void hiddenFields(Card &card, QWidget *parent)
{
    for (int i = 0; i < card.layout().fieldCount(); ++i)
        if (def(card, i).kind == ControlKind::Hidden) hiddenField(card, i, parent);
}

QLabel *caption(const Card &card, int field, QWidget *parent, const QString &name)
{
    auto *l = new QLabel(QString::fromUtf8(def(card, field).label), parent);
    if (!name.isEmpty()) l->setObjectName(name);
    l->setFont(style::captionFont());
    return l;
}

} // namespace opusteca::cardui
