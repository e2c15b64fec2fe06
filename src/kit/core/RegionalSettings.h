#pragma once
#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace opusteca {

// The process-wide formatting settings: the short date format "dd/mm/yyyy" with
// the system's own date separator, and "," as the decimal separator. Every date
// the program writes as text goes through here.
class RegionalSettings {
public:
    static RegionalSettings &instance();

    // Fixes the settings for the whole process: the application does, once, as
    // it starts. Idempotent.
    void apply();
    bool isApplied() const { return m_applied; }

    QChar dateSeparator() const { return m_dateSeparator; }
    QChar decimalSeparator() const { return QLatin1Char(','); }
    // "dd/MM/yyyy" in Qt's notation, with the system separator.
    QString shortDateFormat() const;
    QString formatDate(const QDate &date) const;
    // The system's long time format (seconds included, 12 or 24 hours as the
    // system has it), without its time-zone part.
    QString formatTime(const QTime &time) const;
    static QString formatTime(const QTime &time, const QLocale &locale);
    // A time format of the locale's notation with its time-zone fields taken out.
    static QString withoutTimeZone(const QString &format);
    QString formatNumber(double value, int decimals) const;

    // The clock every "today" comes from; tests may pin it.
    static QDateTime now();
    static QDate today() { return now().date(); }
    static void setFixedNow(std::optional<QDateTime> when);

    // Separator of the system's short date format ("/" when it has none).
    static QChar systemDateSeparator();
    // The separator a short date format uses: its first "/", "." or "-"; "/" when
    // it has none (a month name, blanks).
    static QChar separatorIn(const QString &shortDateFormat);
    // Settings as a system with this short date format would give them; the
    // process-wide object is the one for the system's own format.
    static RegionalSettings forSystemFormat(const QString &shortDateFormat);

private:
    explicit RegionalSettings(QChar dateSeparator);
    bool m_applied = false;
    QChar m_dateSeparator;
};

} // namespace opusteca
