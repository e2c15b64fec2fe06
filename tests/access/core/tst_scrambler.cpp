// Scrambling of the stored password, checked against a reference written here
// straight from the algorithm, and on the edges of the stored format.
#include "access/core/Scrambler.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace opusteca;

namespace {

// Checked while compiling, where an overflow of a signed product is an error and
// not a silent wrap. Values worked out separately.
static_assert(scrambler::nextKey(3951, 0x4E) == 25647);
static_assert(scrambler::nextKey(65535, 0) == 52849);
static_assert(scrambler::nextKey(65478, 223) == 40215); // key + byte wraps past 65535

// Start key 3951; the key moves on as (key + scrambled byte) * 40193 + 27506, mod 65536.
QString referenceScramble(const QString &text)
{
    unsigned key = 3951;
    QString hex;
    for (QChar c : text) {
        const unsigned b = c.unicode() % 256;
        const unsigned s = b ^ (key / 256);
        hex += QStringLiteral("%1").arg(s, 2, 16, QLatin1Char('0')).toUpper();
        key = ((key + s) * 40193u + 27506u) % 65536u;
    }
    return hex;
}

QString randomText(QRandomGenerator &g, int length)
{
    QString s;
    for (int i = 0; i < length; ++i) s.append(QChar(char16_t(g.bounded(256))));
    return s;
}

} // namespace

class TestScrambler : public QObject {
    Q_OBJECT

private slots:
    void empty();
    void handVector();
    void knownPairs_data();
    void knownPairs();
    void matchesReference_data();
    void matchesReference();
    void roundTripOfRandomTexts();
    void oddLengthIgnoresLastDigit_data();
    void oddLengthIgnoresLastDigit();
    void lowerCaseDigitsAccepted();
    void sameLetterScramblesDifferently();
    void characterAboveFFLosesHighByte_data();
    void characterAboveFFLosesHighByte();
    void nonHexPairFails_data();
    void nonHexPairFails();
};

void TestScrambler::empty()
{
    QCOMPARE(scrambler::scramble(QString()), QString());
    const std::optional<QString> back = scrambler::unscramble(QString());
    QVERIFY(back.has_value());
    QCOMPARE(*back, QString());
}

void TestScrambler::handVector()
{
    // Worked out on paper: 'A' ^ (3951 >> 8) = 0x41 ^ 0x0F = 0x4E; the key becomes
    // (3951 + 78) * 40193 + 27506 mod 65536 = 25647 = 0x642F; 'A' ^ 0x64 = 0x25.
    QCOMPARE(scrambler::scramble(QStringLiteral("AA")), QStringLiteral("4E25"));
    QCOMPARE(scrambler::unscramble(QStringLiteral("4E25")).value_or(QString()), QStringLiteral("AA"));
}

void TestScrambler::knownPairs_data()
{
    // Pairs worked out once by a separate small program, outside this code base.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("initial password") << "OPUSTECA"
                                      << "409E08EEAB4CDB23";
    QTest::newRow("key product beyond a signed int twice") << "PASSWORD"
                                                           << "5F909ECA660E8240";
    QTest::newRow("blank and digits") << "BIBLIOTECA 2026"
                                      << "4D8E3DC5191B862DC35B4DD140159F";
    QTest::newRow("symbols") << "1234-!?"
                             << "3EA6E2A6269D9F";
    QTest::newRow("accented capitals") << QStringLiteral("\u00C0\u00C8\u00CC\u00D2\u00D9") << "CF496EF182";
    QTest::newRow("code 255") << QStringLiteral("\u00FF\u00FF\u00FF\u00FF") << "F041CBEC";
    QTest::newRow("code 0") << QString(4, QChar(char16_t(0))) << "0FC01D2B";
    // The key before the second byte is 65478: key + byte passes 65535 and wraps.
    QTest::newRow("key sum wraps") << QStringLiteral("\u00EA ") << "E5DF";
}

void TestScrambler::knownPairs()
{
    QFETCH(QString, text);
    QFETCH(QString, hex);
    QCOMPARE(scrambler::scramble(text), hex);
    QCOMPARE(scrambler::unscramble(hex).value_or(QStringLiteral("failed")), text);
}

void TestScrambler::matchesReference_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("initial password") << "OPUSTECA";
    QTest::newRow("digits and symbols") << "1234-!?";
    QTest::newRow("accented") << QStringLiteral("CITT\u00E0 \u00C8");
    QTest::newRow("codes 0 and 255") << QString(QChar(char16_t(0))) + QChar(char16_t(255));
    QString all;
    for (int i = 1; i < 256; ++i) all.append(QChar(char16_t(i)));
    QTest::newRow("every code from 1 to 255") << all;
}

void TestScrambler::matchesReference()
{
    QFETCH(QString, text);
    QCOMPARE(scrambler::scramble(text), referenceScramble(text));
}

void TestScrambler::roundTripOfRandomTexts()
{
    QRandomGenerator g(20240307);
    static const QRegularExpression upperHex(QStringLiteral("^(?:[0-9A-F]{2})*$"));
    for (int round = 0; round < 400; ++round) {
        const int length = round < 2 ? round * 255 : int(g.bounded(256)); // 0 and 255 always
        const QString text = randomText(g, length);
        const QString hex = scrambler::scramble(text);
        QCOMPARE(hex.size(), 2 * text.size());
        QVERIFY2(upperHex.match(hex).hasMatch(), qPrintable(hex));
        const std::optional<QString> back = scrambler::unscramble(hex);
        QVERIFY(back.has_value());
        QCOMPARE(*back, text);
    }
}

void TestScrambler::oddLengthIgnoresLastDigit_data()
{
    QTest::addColumn<QString>("lastDigit");
    QTest::newRow("a digit") << "7";
    QTest::newRow("a letter digit") << "F";
    QTest::newRow("not even a digit") << "G";
}

void TestScrambler::oddLengthIgnoresLastDigit()
{
    QFETCH(QString, lastDigit);
    const QString hex = scrambler::scramble(QStringLiteral("PASSWORD"));
    const std::optional<QString> back = scrambler::unscramble(hex + lastDigit);
    QVERIFY(back.has_value());
    QCOMPARE(*back, QStringLiteral("PASSWORD"));
    QCOMPARE(scrambler::unscramble(lastDigit).value_or(QStringLiteral("failed")), QString());
}

void TestScrambler::lowerCaseDigitsAccepted()
{
    const QString text = QStringLiteral("OPUSTECA \u00FF\u00E9");
    const QString hex = scrambler::scramble(text);
    QVERIFY(hex != hex.toLower()); // there are letter digits to change
    QCOMPARE(scrambler::unscramble(hex.toLower()).value_or(QString()), text);
    // Mixed case too.
    QString mixed = hex;
    for (int i = 0; i < mixed.size(); i += 2) mixed[i] = mixed[i].toLower();
    QCOMPARE(scrambler::unscramble(mixed).value_or(QString()), text);
}

void TestScrambler::sameLetterScramblesDifferently()
{
    const QString hex = scrambler::scramble(QStringLiteral("AA"));
    QCOMPARE(hex.size(), 4);
    QVERIFY(hex.left(2) != hex.mid(2));
    // And a long run of one letter does not settle into a repeat either.
    const QString run = scrambler::scramble(QString(8, QLatin1Char('A')));
    for (int i = 2; i < run.size(); i += 2) QVERIFY(run.mid(i, 2) != run.mid(i - 2, 2));
}

void TestScrambler::characterAboveFFLosesHighByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("back");
    QTest::newRow("A with macron") << QStringLiteral("\u0100") << QString(QChar(char16_t(0)));
    QTest::newRow("euro") << QStringLiteral("x\u20ACy") << QStringLiteral("x\u00ACy");
    QTest::newRow("omega") << QStringLiteral("\u03A9") << QStringLiteral("\u00A9");
}

void TestScrambler::characterAboveFFLosesHighByte()
{
    QFETCH(QString, text);
    QFETCH(QString, back);
    const std::optional<QString> got = scrambler::unscramble(scrambler::scramble(text));
    QVERIFY(got.has_value());
    QCOMPARE(*got, back);
    QVERIFY(*got != text);
}

void TestScrambler::nonHexPairFails_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("letter beyond F") << "4G";
    QTest::newRow("blank") << " 4";
    QTest::newRow("sign") << "+4";
    QTest::newRow("0x prefix") << "0x4E";
    QTest::newRow("bad pair after good ones") << QStringLiteral("4E25") + QStringLiteral("Z1");
    QTest::newRow("full-width digit") << QStringLiteral("4\uFF11");
}

void TestScrambler::nonHexPairFails()
{
    QFETCH(QString, hex);
    QVERIFY(!scrambler::unscramble(hex).has_value());
}

QTEST_GUILESS_MAIN(TestScrambler)
#include "tst_scrambler.moc"
