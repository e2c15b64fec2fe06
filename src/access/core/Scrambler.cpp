#include "access/core/Scrambler.h"

#include <cstdint>

namespace opusteca::scrambler {
namespace {

constexpr std::uint16_t kStartKey = 3951;

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

} // namespace

QString scramble(const QString &text)
{
    static const char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() * 2);
    std::uint16_t key = kStartKey;
    for (QChar c : text) {
        const auto s = std::uint8_t(std::uint8_t(c.unicode() & 0xFF) ^ std::uint8_t(key >> 8));
        out.append(QLatin1Char(digits[s >> 4]));
        out.append(QLatin1Char(digits[s & 0x0F]));
        key = nextKey(key, s);
    }
    return out;
}

std::optional<QString> unscramble(const QString &hex)
{
    const qsizetype n = hex.size() / 2;
    QString out;
    out.reserve(n);
    std::uint16_t key = kStartKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexValue(hex.at(2 * i));
        const int lo = hexValue(hex.at(2 * i + 1));
        if (hi < 0 || lo < 0) return std::nullopt;
        const auto s = std::uint8_t(hi * 16 + lo);
        out.append(QChar(char16_t(s ^ std::uint8_t(key >> 8))));
        key = nextKey(key, s);
    }
    return out;
}

} // namespace opusteca::scrambler
