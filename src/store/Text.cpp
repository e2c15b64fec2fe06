#include "store/Text.h"

namespace opusteca::text {

QString trimmed(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    qsizetype b = 0, e = bytes.size();
    while (b < e && static_cast<unsigned char>(bytes[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32) --e;
    return bytes.sliced(b, e - b);
}

bool isBlank(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() > 32) return false;
    return true;
}

QString lowerAZ(const QString &s)
{
    QString r = s;
    for (QChar &c : r) c = QChar(lowerAZ(c.unicode()));
    return r;
}

QString upperAZ(const QString &s)
{
    QString r = s;
    for (QChar &c : r) c = QChar(upperAZ(c.unicode()));
    return r;
}

} // namespace opusteca::text
