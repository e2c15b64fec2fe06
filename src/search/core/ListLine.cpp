#include "search/core/ListLine.h"

#include "search/core/RawFields.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

namespace opusteca::listline {

QString pad(const QString &v, int n)
{
    QString s = text::trimmed(v).left(n);
    if (s.size() < n) s.append(QString(n - s.size(), QLatin1Char(' ')));
    return s;
}

namespace {

qsizetype segmentMaxBytes(const RecordLayout &layout, const LineSegment &seg)
{
    return qsizetype(std::strlen(seg.literal)) + std::max(seg.width, layout.fields[seg.field].capacity);
}

// Writes one segment at out and returns where it ends. One byte is one
// character, so cutting and padding bytes is cutting and padding characters.
inline char *writeSegment(const RecordLayout &layout, const LineSegment &seg, const char *record, char *out)
{
    for (const char *l = seg.literal; *l; ++l) *out++ = *l;
    QByteArrayView v = rawfield::trimmed(rawfield::text(layout, record, seg.field));
    if (seg.width > 0) v = v.first(std::min<qsizetype>(v.size(), seg.width));
    if (!v.isEmpty()) std::memcpy(out, v.data(), size_t(v.size()));
    out += v.size();
    if (v.size() < seg.width) out = std::fill_n(out, seg.width - v.size(), ' ');
    return out;
}

} // namespace

void appendSegmentBytes(const SearchKindDef &kind, int segment, const char *record, QByteArray &out)
{
    const LineSegment &seg = kind.line[segment];
    const qsizetype at = out.size();
    out.resize(at + segmentMaxBytes(kind.layout(), seg));
    out.resize(writeSegment(kind.layout(), seg, record, out.data() + at) - out.constData());
}

qsizetype maxBytes(const SearchKindDef &kind)
{
    qsizetype n = 0;
    for (const LineSegment &seg : kind.line) n += segmentMaxBytes(kind.layout(), seg);
    return n;
}

char *writeBytes(const SearchKindDef &kind, const char *record, char *out)
{
    // Written straight where the line is kept: a search builds one line per
    // match, so no intermediate buffer.
    for (const LineSegment &seg : kind.line) out = writeSegment(kind.layout(), seg, record, out);
    return out;
}

QString build(const SearchKindDef &kind, const char *record)
{
    QVarLengthArray<char, 1024> bytes(maxBytes(kind));
    const char *end = writeBytes(kind, record, bytes.data());
    return cp1252::decode(bytes.data(), end - bytes.data());
}

QString build(const SearchKindDef &kind, const Record &record)
{
    if (&record.layout() != &kind.layout()) return {};
    return build(kind, record.bytes().constData());
}

} // namespace opusteca::listline
