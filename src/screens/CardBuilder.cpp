#include "screens/CardBuilder.h"

#include "app/Conventions.h"
#include "app/Style.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace opusteca::cardui {
namespace {

const FieldDef &def(const Card &card, int field) { return card.layout().fields[field]; }

void finish(Card &card, int field, QWidget *w)
{
    w->setObjectName(QString::fromLatin1(def(card, field).control));
    w->setFont(style::fieldFont());
    card.bind(field, w);
    new FocusFrame(w);
}

} // namespace

QLineEdit *lineField(Card &card, int field, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setMaxLength(def(card, field).capacity);
    e->setMinimumHeight(24);
    finish(card, field, e);
    return e;
}

QComboBox *listField(Card &card, int field, const QStringList &items, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    // Typed text is a value of its own, never added to the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setMaxVisibleItems(20);
    c->setCurrentIndex(-1);
    c->lineEdit()->setMaxLength(def(card, field).capacity);
    c->setMinimumHeight(24);
    finish(card, field, c);
    c->lineEdit()->setFont(style::fieldFont());
    return c;
}

QPlainTextEdit *memoField(Card &card, int field, QWidget *parent)
{
    auto *p = new QPlainTextEdit(parent);
    p->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    p->setTabChangesFocus(true);
    finish(card, field, p);
    return p;
}

QLabel *hiddenField(Card &card, int field, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(def(card, field).control));
    l->hide();
    card.bind(field, l);
    return l;
}

QLabel *caption(const Card &card, int field, QWidget *parent, const QString &name)
{
    auto *l = new QLabel(QString::fromUtf8(def(card, field).label), parent);
    if (!name.isEmpty()) l->setObjectName(name);
    l->setFont(style::captionFont());
    return l;
}

} // namespace opusteca::cardui
