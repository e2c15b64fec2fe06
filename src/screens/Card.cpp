#include "screens/Card.h"

namespace opusteca {

Card::Card(const RecordLayout &layout) : m_layout(layout), m_controls(size_t(layout.fieldCount())) {}

Card::~Card() = default;

void Card::bind(int field, std::unique_ptr<FieldControl> control) { m_controls.at(size_t(field)) = std::move(control); }

FieldControl *Card::at(int field) const
{
    return field >= 0 && size_t(field) < m_controls.size() ? m_controls[size_t(field)].get() : nullptr;
}

QWidget *Card::control(int field) const
{
    const FieldControl *c = at(field);
    return c ? c->widget() : nullptr;
}

QString Card::text(int field) const
{
    const FieldControl *c = at(field);
    return c ? c->text() : QString();
}

QStringList Card::texts() const
{
    QStringList all;
    all.reserve(m_layout.fieldCount());
    for (int f = 0; f < m_layout.fieldCount(); ++f) all.append(text(f));
    return all;
}

void Card::setText(int field, const QString &value)
{
    if (FieldControl *c = at(field)) c->setText(value);
}

void Card::load(const Record &record)
{
    for (int i = 0; i < m_layout.fieldCount(); ++i)
        if (m_controls[size_t(i)]) m_controls[size_t(i)]->setText(record.text(i));
}

Record Card::build() const
{
    Record r(m_layout);
    for (int i = 0; i < m_layout.fieldCount(); ++i)
        if (m_controls[size_t(i)]) r.setText(i, m_controls[size_t(i)]->text());
    return r;
}

void Card::clear()
{
    for (const auto &c : m_controls)
        if (c) c->clear();
}

} // namespace opusteca
