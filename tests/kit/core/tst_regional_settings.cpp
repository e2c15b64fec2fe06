// The two process-wide formatting settings: the short date and the decimal comma.
#include "kit/core/RegionalSettings.h"

#include <QLocale>
#include <QTest>

using namespace opusteca;

class TestRegionalSettings : public QObject {
    Q_OBJECT

private slots:
    void dates_data();
    void dates();
    void decimalComma_data();
    void decimalComma();
    void longTime_data();
    void longTime();
    void zoneLeftOut_data();
    void zoneLeftOut();
};

void TestRegionalSettings::dates_data()
{
    // The system's short date format (as a locale gives it) lends only its
    // separator: the order stays day, month, four-digit year.
    QTest::addColumn<QString>("systemFormat");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::newRow("Italian") << "dd/MM/yy" << QDate(2024, 3, 7) << QChar(u'/') << "07/03/2024";
    QTest::newRow("German") << "dd.MM.yy" << QDate(2024, 3, 7) << QChar(u'.') << "07.03.2024";
    QTest::newRow("Dutch") << "dd-MM-y" << QDate(2024, 3, 7) << QChar(u'-') << "07-03-2024";
    QTest::newRow("American, month first") << "M/d/yy" << QDate(1999, 12, 31) << QChar(u'/') << "31/12/1999";
    QTest::newRow("ISO, year first") << "yyyy-MM-dd" << QDate(2024, 2, 29) << QChar(u'-') << "29-02-2024";
    QTest::newRow("Czech, dot and blank") << "d. M. yyyy" << QDate(2000, 1, 1) << QChar(u'.') << "01.01.2000";
    QTest::newRow("month name, no separator") << "d MMM yyyy" << QDate(2024, 3, 7) << QChar(u'/') << "07/03/2024";
    QTest::newRow("empty format") << "" << QDate(2024, 3, 7) << QChar(u'/') << "07/03/2024";
}

void TestRegionalSettings::dates()
{
    QFETCH(QString, systemFormat);
    QFETCH(QDate, date);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(RegionalSettings::separatorIn(systemFormat), separator);
    const RegionalSettings rs = RegionalSettings::forSystemFormat(systemFormat);
    QCOMPARE(rs.dateSeparator(), separator);
    QCOMPARE(rs.formatDate(date), text);
    QCOMPARE(date.toString(rs.shortDateFormat()), text);
    // Fixing the process settings changes numbers, not dates.
    RegionalSettings::instance().apply();
    QCOMPARE(rs.formatDate(date), text);
    QCOMPARE(date.toString(rs.shortDateFormat()), text);
}

void TestRegionalSettings::longTime_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("Italian") << "it_IT" << QTime(9, 5, 2) << "09:05:02";
    QTest::newRow("German") << "de_DE" << QTime(15, 42, 7) << "15:42:07";
    QTest::newRow("American, afternoon") << "en_US" << QTime(15, 42, 7) << "3:42:07 PM";
    QTest::newRow("American, morning") << "en_US" << QTime(9, 5, 2) << "9:05:02 AM";
    QTest::newRow("no locale") << "C" << QTime(0, 0, 59) << "00:00:59";
}

void TestRegionalSettings::longTime()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, text);
    QString got = RegionalSettings::formatTime(time, QLocale(locale));
    // Some versions of the locale data put a narrow blank before AM/PM, others a plain one.
    got.replace(QLatin1Char(' '), QChar(0x202F));
    QCOMPARE(got, text);
}

void TestRegionalSettings::zoneLeftOut_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("without");
    QTest::newRow("zone last") << "HH:mm:ss t"
                               << "HH:mm:ss";
    QTest::newRow("zone first") << "t HH:mm:ss"
                                << "HH:mm:ss";
    QTest::newRow("twelve hours") << "h:mm:ss AP t"
                                  << "h:mm:ss AP";
    QTest::newRow("zone in brackets") << "HH:mm:ss (t)"
                                      << "HH:mm:ss";
    QTest::newRow("long zone name") << "H.mm.ss tttt"
                                    << "H.mm.ss";
    QTest::newRow("quoted t stays") << "HH 'tempo' mm t"
                                    << "HH 'tempo' mm";
    QTest::newRow("no zone") << "HH:mm:ss"
                             << "HH:mm:ss";
}

void TestRegionalSettings::zoneLeftOut()
{
    QFETCH(QString, format);
    QFETCH(QString, without);
    QCOMPARE(RegionalSettings::withoutTimeZone(format), without);
}

void TestRegionalSettings::decimalComma_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("price") << 12.5 << 2 << "12,50";
    QTest::newRow("whole") << 3.0 << 0 << "3";
    QTest::newRow("negative") << -0.25 << 2 << "-0,25";
    QTest::newRow("large") << 1234567.891 << 3 << "1234567,891";
}

void TestRegionalSettings::decimalComma()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    RegionalSettings &rs = RegionalSettings::instance();
    rs.apply();
    QVERIFY(rs.isApplied());
    QCOMPARE(rs.decimalSeparator(), QLatin1Char(','));
    QCOMPARE(rs.formatNumber(value, decimals), text);
    // Whatever else in the process formats a number through the default locale gets the comma too.
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QCOMPARE(QLocale().toString(value, 'f', decimals).remove(QLocale().groupSeparator()), text);
}

QTEST_GUILESS_MAIN(TestRegionalSettings)
#include "tst_regional_settings.moc"
