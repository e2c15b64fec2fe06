#pragma once
#include "store/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <cstring>

namespace opusteca {

// Field conversions between the two on-disk kinds and Unicode text. They never
// trust the bytes: a length byte above the capacity is clamped to the capacity,
// and a zero-terminated field without its zero reads up to the capacity.
namespace field {
// Inline: the searches call it for every field they look at in every record.
inline QByteArrayView rawText(const char *p, FieldKind kind, int capacity)
{
    if (kind == FieldKind::LengthPrefixed) {
        const int len = std::min<int>(static_cast<unsigned char>(p[0]), capacity);
        return QByteArrayView(p + 1, len);
    }
    const void *zero = std::memchr(p, 0, size_t(capacity));
    const int len = zero ? int(static_cast<const char *>(zero) - p) : capacity;
    return QByteArrayView(p, len);
}
QString load(const char *fieldStart, FieldKind kind, int capacity);
// Writes all capacity + 1 bytes of the field; the unused tail is zeroed.
void store(char *fieldStart, FieldKind kind, int capacity, QStringView text);
} // namespace field

// One record of a given layout: its raw bytes, read and written field by field
// with the layout's trimming rule. Bytes the program does not understand are
// kept as they are, so a load followed by a store changes only what was edited.
class Record {
public:
    explicit Record(const RecordLayout &layout);
    Record(const RecordLayout &layout, QByteArray bytes);

    const RecordLayout &layout() const { return *m_layout; }
    const QByteArray &bytes() const { return m_bytes; }

    // Loaded text, trimmed when the layout trims.
    QString text(int field) const;
    // Stores the text, trimmed first when the layout trims.
    void setText(int field, const QString &text);
    // The field's text bytes as they stand in the file, without decoding.
    QByteArrayView rawText(int field) const;

private:
    const RecordLayout *m_layout;
    QByteArray m_bytes;
};

} // namespace opusteca
