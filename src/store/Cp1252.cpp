#include "store/Cp1252.h"

#include <array>
#include <utility>

namespace opusteca::cp1252 {
namespace {

// 0x80-0x9F. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the code points of the same value, so that every byte
// survives a load and a store unchanged.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t *decodeInto(const char *data, qsizetype size, char16_t *out)
{
    // The code page differs from Latin-1 only in 0x80-0x9F: the bytes are
    // widened as they are (a loop the compiler turns into vector code) and
    // only those bytes are then looked up.
    const auto *__restrict s = reinterpret_cast<const unsigned char *>(data);
    char16_t *__restrict o = out;
    bool c1 = false;
    for (qsizetype i = 0; i < size; ++i) {
        o[i] = s[i];
        c1 |= (s[i] & 0xE0) == 0x80;
    }
    if (c1) {
        for (qsizetype i = 0; i < size; ++i)
            if ((s[i] & 0xE0) == 0x80) o[i] = kHigh[s[i] - 0x80];
    }
    return out + size;
}

} // namespace

QChar toUnicode(unsigned char b) { return (b >= 0x80 && b <= 0x9F) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b)); }

char fromUnicode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return char(0x80 + i);
    return '?';
}

bool represents(char16_t c) { return c < 0x80 || (c >= 0xA0 && c <= 0xFF) || fromUnicode(c) != '?'; }

namespace {

// Letters users meet in names and places that have no canonical decomposition.
constexpr std::array<std::pair<char16_t, char16_t>, 7> kLookAlikes = {{
    {0x0141, u'L'},
    {0x0142, u'l'}, // Ł ł
    {0x0110, u'D'},
    {0x0111, u'd'}, // Đ đ
    {0x0126, u'H'},
    {0x0127, u'h'}, // Ħ ħ
    {0x0131, u'i'}, // ı
}};

char16_t fitOne(char16_t c)
{
    if (represents(c)) return c;
    for (const auto &[from, to] : kLookAlikes)
        if (from == c) return to;
    // Follow the canonical decomposition down to its first character until the
    // code page has it ("ǖ" -> "ü"); a compatibility one ("ﬁ", "²") is no base letter.
    QChar q(c);
    for (int depth = 0; depth < 4 && q.decompositionTag() == QChar::Canonical; ++depth) {
        const QString d = q.decomposition();
        if (d.isEmpty() || d[0].isSurrogate()) break;
        q = d[0];
        if (represents(q.unicode())) return q.unicode();
    }
    return u'?';
}

} // namespace

QString fit(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && represents(s[i].unicode())) ++i;
    if (i == s.size()) return s.toString();
    QString out;
    out.reserve(s.size());
    out.append(s.left(i));
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode())) {
            out.append(QLatin1Char('?'));
            ++i;
            continue;
        }
        out.append(QChar(fitOne(c)));
    }
    return out;
}

QByteArray encode(QStringView s)
{
    QByteArray out;
    out.resize(s.size());
    char *p = out.data();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode())) {
            // One character outside the code page, one replacement.
            *p++ = '?';
            ++i;
            continue;
        }
        *p++ = fromUnicode(c);
    }
    out.truncate(p - out.data());
    return out;
}

bool encodeExactly(QStringView s, QByteArray &out)
{
    out = encode(s);
    return decode(out) == s;
}

QString decode(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    decodeInto(data, size, reinterpret_cast<char16_t *>(out.data()));
    return out;
}

} // namespace opusteca::cp1252
