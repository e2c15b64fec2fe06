#include "app/core/RegionalSettings.h"

#include <QLocale>

namespace opusteca {
namespace {
std::optional<QDateTime> g_fixedNow;
}

RegionalSettings &RegionalSettings::instance()
{
    static RegionalSettings settings;
    return settings;
}

RegionalSettings::RegionalSettings() : m_dateSeparator(systemDateSeparator()) {}

QChar RegionalSettings::systemDateSeparator()
{
    const QString f = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (QChar c : f)
        if (!c.isLetter() && c != QLatin1Char('\'')) return c;
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
    const QString sep(m_dateSeparator);
    return QStringLiteral("%1%4%2%4%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(sep);
}

QString RegionalSettings::formatTime(const QTime &time) const
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString RegionalSettings::formatNumber(double value, int decimals) const
{
    QString s = QString::number(value, 'f', decimals);
    s.replace(QLatin1Char('.'), decimalSeparator());
    return s;
}

QDateTime RegionalSettings::now()
{
    return g_fixedNow ? *g_fixedNow : QDateTime::currentDateTime();
}

void RegionalSettings::setFixedNow(std::optional<QDateTime> when) { g_fixedNow = when; }

} // namespace opusteca
