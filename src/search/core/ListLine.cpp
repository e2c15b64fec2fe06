#include "search/core/ListLine.h"

#include "search/core/RawFields.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <array>
#include <cstring>

namespace opusteca::listline {
namespace {

// The code page as a table: lines decode every byte they show, and a lookup
// costs less than a call per character.
const std::array<char16_t, 256> &decodeTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) t[b] = cp1252::toUnicode(static_cast<unsigned char>(b)).unicode();
        return t;
    }();
    return table;
}

} // namespace

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
    const std::array<char16_t, 256> &table = decodeTable();
    QString line(length, Qt::Uninitialized);
    QChar *out = line.data();
    for (int i = 0; i < segments; ++i) {
        const LineSegment &seg = kind.line[i];
        for (const char *l = seg.literal; *l; ++l) *out++ = QLatin1Char(*l);
        for (char c : values[i]) *out++ = QChar(table[static_cast<unsigned char>(c)]);
        for (qsizetype n = values[i].size(); n < seg.width; ++n) *out++ = QLatin1Char(' ');
    }
    return line;
}

QString build(const SearchKindDef &kind, const Record &record)
{
    if (&record.layout() != &kind.layout()) return {};
    return build(kind, record.bytes().constData());
}

} // namespace opusteca::listline
