#include "kit/core/RegionalSettings.h"

#include <QLocale>

namespace opusteca {
namespace {
std::optional<QDateTime> g_fixedNow;
}

RegionalSettings &RegionalSettings::instance()
{
    static RegionalSettings settings(systemDateSeparator());
    return settings;
}

RegionalSettings::RegionalSettings(QChar dateSeparator) : m_dateSeparator(dateSeparator) {}

RegionalSettings RegionalSettings::forSystemFormat(const QString &shortDateFormat)
{
    return RegionalSettings(separatorIn(shortDateFormat));
}

QChar RegionalSettings::systemDateSeparator()
{
    return separatorIn(QLocale::system().dateFormat(QLocale::ShortFormat));
}

QChar RegionalSettings::separatorIn(const QString &shortDateFormat)
{
    for (QChar c : shortDateFormat)
        if (c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-')) return c;
    return QLatin1Char('/');
}

void RegionalSettings::apply()
{
    if (m_applied) return;
    m_applied = true;
    // Numbers formatted by the process (the reports included) use a decimal comma;
    // the Italian locale gives exactly that while leaving dates to formatDate().
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QString RegionalSettings::shortDateFormat() const
{
    const QString sep = m_dateSeparator == QLatin1Char('\'') ? QStringLiteral("''") : QString(m_dateSeparator);
    return QStringLiteral("dd") + sep + QStringLiteral("MM") + sep + QStringLiteral("yyyy");
}

QString RegionalSettings::formatDate(const QDate &date) const
{
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return two(date.day()) + m_dateSeparator + two(date.month()) + m_dateSeparator +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString RegionalSettings::formatTime(const QTime &time) const { return formatTime(time, QLocale::system()); }

QString RegionalSettings::formatTime(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

QString RegionalSettings::withoutTimeZone(const QString &format)
{
    // "t" is the zone wherever it stands outside quotes; the blanks and the
    // brackets around it go with it.
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || c != QLatin1Char('t')) {
            out += c;
            continue;
        }
        while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t')) ++i;
        while (out.endsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char('('))) out.chop(1);
        while (i + 1 < format.size() && (format[i + 1] == QLatin1Char(')') || format[i + 1] == QLatin1Char(' '))) ++i;
        if (!out.isEmpty() && i + 1 < format.size()) out += QLatin1Char(' ');
    }
    return out.trimmed();
}

QString RegionalSettings::formatNumber(double value, int decimals) const
{
    QString s = QString::number(value, 'f', decimals);
    s.replace(QLatin1Char('.'), decimalSeparator());
    return s;
}

QDateTime RegionalSettings::now() { return g_fixedNow ? *g_fixedNow : QDateTime::currentDateTime(); }

void RegionalSettings::setFixedNow(std::optional<QDateTime> when) { g_fixedNow = when; }

} // namespace opusteca
