#include "search/core/ListLine.h"

#include "search/core/RawFields.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace opusteca::listline {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F: a line's bytes are
// widened as they are (a loop the compiler turns into vector code) and only
// those bytes are then looked up.
const std::array<char16_t, 32> &highTable()
{
    static const std::array<char16_t, 32> table = [] {
        std::array<char16_t, 32> t{};
        for (int b = 0; b < 32; ++b) t[b] = cp1252::toUnicode(static_cast<unsigned char>(0x80 + b)).unicode();
        return t;
    }();
    return table;
}

inline char16_t *decodeInto(QByteArrayView v, char16_t *out, const std::array<char16_t, 32> &high)
{
    const auto *__restrict s = reinterpret_cast<const unsigned char *>(v.data());
    char16_t *__restrict o = out;
    const qsizetype n = v.size();
    bool c1 = false;
    for (qsizetype i = 0; i < n; ++i) {
        o[i] = s[i];
        c1 |= (s[i] & 0xE0) == 0x80;
    }
    if (c1) {
        for (qsizetype i = 0; i < n; ++i)
            if ((s[i] & 0xE0) == 0x80) o[i] = high[s[i] - 0x80];
    }
    return out + n;
}

} // namespace

QString pad(const QString &v, int n)
{
    QString s = text::trimmed(v).left(n);
    if (s.size() < n) s.append(QString(n - s.size(), QLatin1Char(' ')));
    return s;
}

void appendSegmentBytes(const SearchKindDef &kind, int segment, const char *record, QByteArray &out)
{
    const LineSegment &seg = kind.line[segment];
    out.append(seg.literal);
    // One byte is one character, so cutting and padding bytes is cutting and
    // padding characters.
    const QByteArrayView v = rawfield::trimmed(rawfield::text(kind.layout(), record, seg.field));
    if (seg.width == 0) {
        out.append(v);
    } else {
        const qsizetype n = std::min<qsizetype>(v.size(), seg.width);
        out.append(v.first(n));
        out.append(seg.width - n, ' ');
    }
}

void appendBytes(const SearchKindDef &kind, const char *record, QByteArray &out)
{
    for (int i = 0; i < int(kind.line.size()); ++i) appendSegmentBytes(kind, i, record, out);
}

QString build(const SearchKindDef &kind, const char *record)
{
    // Decoded straight into the line's own storage: a search builds one line
    // per match, so no intermediate buffer and a single allocation.
    const RecordLayout &layout = kind.layout();
    QByteArrayView values[kMaxLineSegments];
    const int segments = int(kind.line.size());
    qsizetype length = 0;
    for (int i = 0; i < segments; ++i) {
        const LineSegment &seg = kind.line[i];
        values[i] = rawfield::trimmed(rawfield::text(layout, record, seg.field));
        if (seg.width > 0) values[i] = values[i].first(std::min<qsizetype>(values[i].size(), seg.width));
        length += qsizetype(std::strlen(seg.literal)) + std::max<qsizetype>(values[i].size(), seg.width);
    }
    const std::array<char16_t, 32> &high = highTable();
    QString line(length, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(line.data());
    for (int i = 0; i < segments; ++i) {
        const LineSegment &seg = kind.line[i];
        for (const char *l = seg.literal; *l; ++l) *out++ = char16_t(static_cast<unsigned char>(*l));
        out = decodeInto(values[i], out, high);
        if (values[i].size() < seg.width) out = std::fill_n(out, seg.width - values[i].size(), u' ');
    }
    return line;
}

QString build(const SearchKindDef &kind, const Record &record)
{
    if (&record.layout() != &kind.layout()) return {};
    return build(kind, record.bytes().constData());
}

} // namespace opusteca::listline
