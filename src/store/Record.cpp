#include "store/Record.h"

#include "store/Cp1252.h"
#include "store/Text.h"

#include <cstring>

namespace opusteca {
namespace field {

QString load(const char *p, FieldKind kind, int capacity)
{
    const QByteArrayView raw = rawText(p, kind, capacity);
    return cp1252::decode(raw.data(), raw.size());
}

void store(char *p, FieldKind kind, int capacity, QStringView text)
{
    std::memset(p, 0, size_t(capacity) + 1);
    if (kind == FieldKind::LengthPrefixed) {
        // The length byte can count at most 255 characters.
        const QByteArray bytes = cp1252::encode(text.left(255));
        const int len = std::min<int>(int(bytes.size()), capacity);
        p[0] = char(len);
        std::memcpy(p + 1, bytes.constData(), size_t(len));
    } else {
        const QByteArray bytes = cp1252::encode(text);
        const int len = std::min<int>(int(bytes.size()), capacity);
        std::memcpy(p, bytes.constData(), size_t(len));
    }
}

} // namespace field

Record::Record(const RecordLayout &layout) : m_layout(&layout), m_bytes(layout.recordSize, '\0') {}

Record::Record(const RecordLayout &layout, QByteArray bytes) : m_layout(&layout), m_bytes(std::move(bytes))
{
    m_bytes.resize(layout.recordSize, '\0');
}

QByteArrayView Record::rawText(int i) const
{
    const FieldDef &f = m_layout->fields[i];
    return field::rawText(m_bytes.constData() + f.offset, m_layout->kind, f.capacity);
}

QString Record::text(int i) const
{
    const FieldDef &f = m_layout->fields[i];
    QString s = field::load(m_bytes.constData() + f.offset, m_layout->kind, f.capacity);
    return m_layout->trimming == Trimming::Trimmed ? text::trimmed(s) : s;
}

void Record::setText(int i, const QString &value)
{
    const FieldDef &f = m_layout->fields[i];
    const QString s = m_layout->trimming == Trimming::Trimmed ? text::trimmed(value) : value;
    field::store(m_bytes.data() + f.offset, m_layout->kind, f.capacity, s);
}

} // namespace opusteca
