#pragma once
#include "store/Record.h"
#include "store/RecordLayout.h"

#include <QByteArrayView>

// Reading fields straight from the Windows-1252 bytes of a record, without
// decoding: the scans look at a few fields of every record and decode only
// what ends up in the result. Byte and character rules agree because every
// byte of 0x20 or below decodes to a character of code 32 or below and every
// other byte to one above, and A-Z are the same bytes in both.
namespace opusteca::rawfield {

inline bool isBlankByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// The field's text bytes as they stand in the record.
inline QByteArrayView text(const RecordLayout &layout, const char *record, int field)
{
    const FieldDef &f = layout.fields[field];
    return field::rawText(record + f.offset, layout.kind, f.capacity);
}
// The program's trimming, on bytes.
inline QByteArrayView trimmed(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && isBlankByte(v[b])) ++b;
    while (e > b && isBlankByte(v[e - 1])) --e;
    return v.sliced(b, e - b);
}
bool isBlank(QByteArrayView v);
// The value a search compares: trimmed for layouts that trim, as stored otherwise.
inline QByteArrayView value(const RecordLayout &layout, const char *record, int field)
{
    const QByteArrayView v = text(layout, record, field);
    return layout.trimming == Trimming::Trimmed ? trimmed(v) : v;
}

} // namespace opusteca::rawfield
