#pragma once
#include <QString>
#include <optional>

// The stored password is kept scrambled, two upper-case hexadecimal digits per
// character. Only the low 8 bits of each character take part.
namespace opusteca::scrambler {

QString scramble(const QString &text);
// Nothing when a pair is not hexadecimal; an odd last digit is ignored.
std::optional<QString> unscramble(const QString &hex);

} // namespace opusteca::scrambler
