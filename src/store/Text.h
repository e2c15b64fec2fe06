#pragma once
#include <QByteArrayView>
#include <QString>

namespace opusteca::text {

// The program's own trimming: every leading and trailing character whose code is
// 32 or below goes; inner characters stay. QString::trimmed() would also strip
// Unicode spaces and keep other control characters, which is not the same rule.
QString trimmed(const QString &s);
// The same rule on text still in the code page: codes 0 to 32 are the same bytes there.
QByteArrayView trimmed(QByteArrayView bytes);
bool isBlank(const QString &s);

// Case folding touches only the letters A-Z / a-z; accented letters keep their case.
QString lowerAZ(const QString &s);
QString upperAZ(const QString &s);
inline char16_t lowerAZ(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
inline char16_t upperAZ(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }
inline unsigned char lowerAZByte(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

} // namespace opusteca::text
