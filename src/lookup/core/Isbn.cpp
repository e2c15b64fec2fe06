#include "lookup/core/Isbn.h"

#include "store/Text.h"

namespace opusteca::isbn {
namespace {

bool allDigits(QStringView s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The check character of the first nine digits of an ISBN-10.
QChar check10(QStringView nine)
{
    int sum = 0;
    for (int i = 0; i < 9; ++i) sum += (nine[i].unicode() - u'0') * (10 - i);
    const int c = (11 - sum % 11) % 11;
    return c == 10 ? QChar(u'X') : QChar(char16_t(u'0' + c));
}

// The check digit of the first twelve digits of an ISBN-13.
QChar check13(QStringView twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (twelve[i].unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return QChar(char16_t(u'0' + (10 - sum % 10) % 10));
}

} // namespace

QString compact(QStringView typed)
{
    const QString t = text::trimmed(typed.toString());
    QString out;
    out.reserve(t.size());
    for (QChar c : t) {
        if (c == u'-' || c == u' ') continue;
        out += c == u'x' ? QChar(u'X') : c;
    }
    return out;
}

bool isValid10(QStringView s) { return s.size() == 10 && allDigits(s.first(9)) && s[9] == check10(s.first(9)); }

bool isValid13(QStringView s)
{
    return s.size() == 13 && allDigits(s) && (s.startsWith(u"978") || s.startsWith(u"979")) &&
           s[12] == check13(s.first(12));
}

QString valid(QStringView typed)
{
    const QString c = compact(typed);
    return isValid10(c) || isValid13(c) ? c : QString();
}

QString to13(QStringView s)
{
    if (isValid13(s)) return s.toString();
    if (!isValid10(s)) return {};
    const QString twelve = QStringLiteral("978") + s.first(9).toString();
    return twelve + check13(twelve);
}

QString to10(QStringView s)
{
    if (isValid10(s)) return s.toString();
    if (!isValid13(s) || !s.startsWith(u"978")) return {};
    const QStringView nine = s.sliced(3, 9);
    return nine.toString() + check10(nine);
}

} // namespace opusteca::isbn
