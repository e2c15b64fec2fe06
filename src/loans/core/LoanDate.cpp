#include "loans/core/LoanDate.h"

namespace opusteca::loans {
namespace {

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.'); }

// Reads 1 to maxDigits digits at `at`; -1 when there are none or more.
int number(QStringView s, qsizetype &at, int minDigits, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (at < s.size() && s[at] >= QLatin1Char('0') && s[at] <= QLatin1Char('9')) {
        if (++digits > maxDigits) return -1;
        value = value * 10 + (s[at].unicode() - '0');
        ++at;
    }
    return digits >= minDigits ? value : -1;
}

} // namespace

std::optional<QDate> readLoanDate(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 32) ++b;
    while (e > b && text[e - 1].unicode() <= 32) --e;
    const QStringView s = text.sliced(b, e - b);

    qsizetype at = 0;
    const int day = number(s, at, 1, 2);
    if (day < 0 || at >= s.size() || !isSeparator(s[at])) return std::nullopt;
    const QChar separator = s[at++];
    const int month = number(s, at, 1, 2);
    if (month < 0 || at >= s.size() || s[at] != separator) return std::nullopt;
    ++at;
    const int year = number(s, at, 4, 4);
    if (year < 0 || at != s.size()) return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

} // namespace opusteca::loans
