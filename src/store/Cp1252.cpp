#include "store/Cp1252.h"

#include <array>

namespace opusteca::cp1252 {
namespace {

// 0x80-0x9F. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the code points of the same value, so that every byte
// survives a load and a store unchanged.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

QChar toUnicode(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
}

char fromUnicode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return char(0x80 + i);
    return '?';
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
