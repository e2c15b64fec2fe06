#include "search/core/ListLine.h"

#include "search/core/RawFields.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

namespace opusteca::listline {

QString pad(const QString &v, int n)
{
    QString s = text::trimmed(v).left(n);
    if (s.size() < n) s.append(QString(n - s.size(), QLatin1Char(' ')));
    return s;
}

void appendBytes(const SearchKindDef &kind, const char *record, QByteArray &out)
{
    const RecordLayout &layout = kind.layout();
    for (const LineSegment &seg : kind.line) {
        out.append(seg.literal);
        // One byte is one character, so cutting and padding bytes is cutting and
        // padding characters.
        const QByteArrayView v = rawfield::trimmed(rawfield::text(layout, record, seg.field));
        if (seg.width == 0) {
            out.append(v);
        } else {
            const qsizetype n = std::min<qsizetype>(v.size(), seg.width);
            out.append(v.first(n));
            out.append(seg.width - n, ' ');
        }
    }
}

QString build(const SearchKindDef &kind, const char *record)
{
    QByteArray bytes;
    bytes.reserve(256);
    appendBytes(kind, record, bytes);
    return cp1252::decode(bytes);
}

QString build(const SearchKindDef &kind, const Record &record)
{
    if (&record.layout() != &kind.layout()) return {};
    return build(kind, record.bytes().constData());
}

} // namespace opusteca::listline
