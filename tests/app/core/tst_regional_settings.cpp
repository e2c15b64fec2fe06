// The two process-wide formatting settings: the short date and the decimal comma.
#include "app/core/RegionalSettings.h"

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
};

void TestRegionalSettings::dates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text"); // with "/"; the system's separator takes its place
    QTest::newRow("7 March 2024") << QDate(2024, 3, 7) << "07/03/2024";
    QTest::newRow("last day of 1999") << QDate(1999, 12, 31) << "31/12/1999";
    QTest::newRow("leap day") << QDate(2024, 2, 29) << "29/02/2024";
    QTest::newRow("first day of 2000") << QDate(2000, 1, 1) << "01/01/2000";
}

void TestRegionalSettings::dates()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    RegionalSettings &rs = RegionalSettings::instance();
    const QChar sep = rs.dateSeparator();
    QVERIFY(sep == QLatin1Char('/') || sep == QLatin1Char('.') || sep == QLatin1Char('-'));
    QString expected = text;
    expected.replace(QLatin1Char('/'), sep);

    QCOMPARE(rs.formatDate(date), expected);
    QCOMPARE(date.toString(rs.shortDateFormat()), expected);
    // Fixing the process settings changes numbers, not dates.
    rs.apply();
    QCOMPARE(rs.formatDate(date), expected);
    if (sep != QLatin1Char('/')) QSKIP("the system's date separator is not \"/\"");
    QCOMPARE(rs.formatDate(date), text);
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
