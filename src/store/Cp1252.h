#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252, written here once: the archives are in this code page whatever
// the machine, and ICU is neither everywhere nor faithful (it substitutes 0x1A).
namespace opusteca::cp1252 {

// A character the code page lacks becomes '?'.
char fromUnicode(char16_t c);
QChar toUnicode(unsigned char b);

QByteArray encode(QStringView s);
QString decode(const char *data, qsizetype size);
// The bytes of s, or false when a character has no byte in the code page
// (such a text equals no stored text).
bool encodeExactly(QStringView s, QByteArray &out);
inline QString decode(const QByteArray &b) { return decode(b.constData(), b.size()); }

// True when c has a byte of its own in the code page (a stored text keeps it).
bool represents(char16_t c);

// The text as the code page can store it, shown to the user before it is stored:
// a character the code page lacks becomes the base letter of its canonical
// decomposition when the code page has that letter ("ź" -> "z", "ő" -> "o"),
// a common letter with no decomposition its plain look-alike ("Ł" -> "L"), and
// anything else one "?" (a character outside the basic plane included). Text
// the code page holds comes back unchanged, with the same length when no pair
// of surrogates is replaced.
QString fit(QStringView s);

} // namespace opusteca::cp1252
