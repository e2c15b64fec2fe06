#pragma once
#include <QString>

#include <cstdint>
#include <optional>

// The stored password is kept scrambled, two upper-case hexadecimal digits per
// character. Only the low 8 bits of each character take part.
namespace opusteca::scrambler {

// The next key after a scrambled byte. The key always moves on with the scrambled
// byte, which makes the two directions inverse. The arithmetic is unsigned 32-bit:
// a 16-bit key times the multiplier does not fit a signed int, and the wrap to 16
// bits must be the defined one.
constexpr std::uint16_t nextKey(std::uint16_t key, std::uint8_t scrambled)
{
    constexpr std::uint32_t multiplier = 40193;
    constexpr std::uint32_t addend = 27506;
    const std::uint32_t sum = (std::uint32_t(key) + scrambled) & 0xFFFFu;
    return std::uint16_t((sum * multiplier + addend) & 0xFFFFu);
}

QString scramble(const QString &text);
// Nothing when a pair is not hexadecimal; an odd last digit is ignored.
std::optional<QString> unscramble(const QString &hex);

} // namespace opusteca::scrambler
