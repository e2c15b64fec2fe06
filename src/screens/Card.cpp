#include "screens/Card.h"

#include "store/BookRecord.h"
#include "store/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace opusteca {
namespace {

// The editor keeps one "\n" per line break; the archives keep CR LF.
QString toStored(QString plain)
{
    plain.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return plain;
}

} // namespace

Card::Card(const RecordLayout &layout) : m_layout(layout), m_controls(layout.fieldCount(), nullptr) {}

void Card::bind(int field, QWidget *control) { m_controls[field] = control; }

qsizetype Card::storedLength(const QString &plainText)
{
    return plainText.size() + plainText.count(QLatin1Char('\n'));
}

QString Card::text(int field) const
{
    QWidget *w = m_controls.value(field);
    if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w)) return toStored(p->toPlainText());
    if (auto *b = qobject_cast<QCheckBox *>(w)) return b->isChecked() ? libro::yes() : libro::no();
    if (auto *l = qobject_cast<QLabel *>(w)) return l->text();
    return {};
}

void Card::setText(int field, const QString &value)
{
    QWidget *w = m_controls.value(field);
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(value);
        e->setCursorPosition(0);
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        // Text only: a value that happens to be in the list does not select it.
        c->setCurrentIndex(-1);
        c->setEditText(value);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        p->setPlainText(value);
    } else if (auto *b = qobject_cast<QCheckBox *>(w)) {
        const QString t = text::trimmed(value);
        if (t == libro::yes()) b->setChecked(true);
        else if (t == libro::no()) b->setChecked(false);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setText(value);
    }
}

void Card::load(const Record &record)
{
    for (int i = 0; i < m_layout.fieldCount(); ++i)
        if (m_controls[i]) setText(i, record.text(i));
}

Record Card::build() const
{
    Record r(m_layout);
    for (int i = 0; i < m_layout.fieldCount(); ++i)
        if (m_controls[i]) r.setText(i, text(i));
    return r;
}

void Card::clear()
{
    for (QWidget *w : m_controls) {
        if (auto *e = qobject_cast<QLineEdit *>(w)) e->clear();
        else if (auto *c = qobject_cast<QComboBox *>(w)) {
            c->setCurrentIndex(-1);
            c->clearEditText();
        } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) p->clear();
        else if (auto *b = qobject_cast<QCheckBox *>(w)) b->setChecked(false);
        else if (auto *l = qobject_cast<QLabel *>(w)) l->clear();
    }
}

} // namespace opusteca
