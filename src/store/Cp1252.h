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

} // namespace opusteca::cp1252
