#include "search/core/RawFields.h"

#include "store/Record.h"

namespace opusteca::rawfield {

QByteArrayView text(const RecordLayout &layout, const char *record, int i)
{
    const FieldDef &f = layout.fields[i];
    return field::rawText(record + f.offset, layout.kind, f.capacity);
}

QByteArrayView trimmed(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && isBlankByte(v[b])) ++b;
    while (e > b && isBlankByte(v[e - 1])) --e;
    return v.sliced(b, e - b);
}

bool isBlank(QByteArrayView v)
{
    for (char c : v)
        if (!isBlankByte(c)) return false;
    return true;
}

QByteArrayView value(const RecordLayout &layout, const char *record, int i)
{
    const QByteArrayView v = text(layout, record, i);
    return layout.trimming == Trimming::Trimmed ? trimmed(v) : v;
}

} // namespace opusteca::rawfield
