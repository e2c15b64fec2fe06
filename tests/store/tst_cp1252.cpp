// The Windows-1252 codec the archives are written in, checked against the code
// page itself rather than against the codec's own table.
#include "store/Cp1252.h"

#include <QTest>

using namespace opusteca;

class TestCp1252 : public QObject {
    Q_OBJECT

private slots:
    void everyByteSurvivesDecodeAndEncode();
    void latin1RangeIsIdentity();
    void highRange_data();
    void highRange();
    void undefinedBytes_data();
    void undefinedBytes();
    void outsideCodePage_data();
    void outsideCodePage();
    void fit_data();
    void fit();
    void fitKeepsEveryCodePageCharacter();
};

void TestCp1252::everyByteSurvivesDecodeAndEncode()
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i) all[i] = char(i);
    const QString decoded = cp1252::decode(all);
    QCOMPARE(decoded.size(), 256);
    QCOMPARE(cp1252::encode(decoded), all);
}

void TestCp1252::latin1RangeIsIdentity()
{
    for (int b = 0; b < 256; ++b) {
        if (b >= 0x80 && b <= 0x9F) continue;
        QCOMPARE(cp1252::toUnicode(uchar(b)).unicode(), char16_t(b));
        QCOMPARE(uchar(cp1252::fromUnicode(char16_t(b))), uchar(b));
    }
}

void TestCp1252::highRange_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    // The 27 characters Windows-1252 puts in 0x80-0x9F.
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("low single quote") << 0x82 << 0x201A;
    QTest::newRow("f hook") << 0x83 << 0x0192;
    QTest::newRow("low double quote") << 0x84 << 0x201E;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("dagger") << 0x86 << 0x2020;
    QTest::newRow("double dagger") << 0x87 << 0x2021;
    QTest::newRow("circumflex") << 0x88 << 0x02C6;
    QTest::newRow("per mille") << 0x89 << 0x2030;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("left angle quote") << 0x8B << 0x2039;
    QTest::newRow("OE") << 0x8C << 0x0152;
    QTest::newRow("Z caron") << 0x8E << 0x017D;
    QTest::newRow("left single quote") << 0x91 << 0x2018;
    QTest::newRow("right single quote") << 0x92 << 0x2019;
    QTest::newRow("left double quote") << 0x93 << 0x201C;
    QTest::newRow("right double quote") << 0x94 << 0x201D;
    QTest::newRow("bullet") << 0x95 << 0x2022;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("small tilde") << 0x98 << 0x02DC;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("s caron") << 0x9A << 0x0161;
    QTest::newRow("right angle quote") << 0x9B << 0x203A;
    QTest::newRow("oe") << 0x9C << 0x0153;
    QTest::newRow("z caron") << 0x9E << 0x017E;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
}

void TestCp1252::highRange()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    QCOMPARE(int(cp1252::toUnicode(uchar(byte)).unicode()), codePoint);
    QCOMPARE(int(uchar(cp1252::fromUnicode(char16_t(codePoint)))), byte);
    // Through the text functions too, between neighbours that must stay untouched.
    const QString text = QStringLiteral("a") + QChar(char16_t(codePoint)) + QStringLiteral("z");
    const QByteArray bytes = QByteArray("a") + char(byte) + QByteArray("z");
    QCOMPARE(cp1252::encode(text), bytes);
    QCOMPARE(cp1252::decode(bytes), text);
    // The C1 control of the same value is not in the code page: it must not
    // silently become this character's byte.
    QCOMPARE(cp1252::fromUnicode(char16_t(byte)), '?');
}

void TestCp1252::undefinedBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::newRow("0x81") << 0x81;
    QTest::newRow("0x8D") << 0x8D;
    QTest::newRow("0x8F") << 0x8F;
    QTest::newRow("0x90") << 0x90;
    QTest::newRow("0x9D") << 0x9D;
}

void TestCp1252::undefinedBytes()
{
    QFETCH(int, byte);
    QCOMPARE(int(cp1252::toUnicode(uchar(byte)).unicode()), byte);
    const QByteArray bytes(1, char(byte));
    QCOMPARE(cp1252::decode(bytes), QString(QChar(char16_t(byte))));
    QCOMPARE(cp1252::encode(cp1252::decode(bytes)), bytes);
}

void TestCp1252::outsideCodePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("greek letters") << QStringLiteral("\u0391\u03B8\u03B7\u03BD\u03B1") << QByteArray("?????");
    QTest::newRow("greek inside latin") << QStringLiteral("Omero: \u039F\u03BC\u03B7\u03C1\u03BF\u03C2.")
                                        << QByteArray("Omero: ??????.");
    QTest::newRow("cjk") << QStringLiteral("\u4E2D\u6587") << QByteArray("??");
    QTest::newRow("emoji is one character") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("two emoji") << QStringLiteral("\U0001F4DA\U0001F4D6") << QByteArray("??");
    QTest::newRow("lone high surrogate") << QString(QChar(char16_t(0xD83D))) + QStringLiteral("x") << QByteArray("?x");
    QTest::newRow("lone low surrogate") << QStringLiteral("x") + QString(QChar(char16_t(0xDE00))) << QByteArray("x?");
    QTest::newRow("cyrillic") << QStringLiteral("\u0416") << QByteArray("?");
    QTest::newRow("L with stroke") << QStringLiteral("\u0141\u00F3d\u017A")
                                   << QByteArray("?\xF3"
                                                 "d?");
}

void TestCp1252::outsideCodePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp1252::encode(text), bytes);
}

void TestCp1252::fit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("accents inside the code page")
        << QStringLiteral("àèéìòù ÀÈÉÌÒÙ ç ñ ß") << QStringLiteral("àèéìòù ÀÈÉÌÒÙ ç ñ ß");
    QTest::newRow("Polish city") << QStringLiteral("Łódź") << QStringLiteral("Lódz");
    QTest::newRow("double acute") << QStringLiteral("Erdős") << QStringLiteral("Erdos");
    QTest::newRow("comma below") << QStringLiteral("Timișoara") << QStringLiteral("Timisoara");
    QTest::newRow("caron kept where the code page has it") << QStringLiteral("Šťastný") << QStringLiteral("Štastný");
    QTest::newRow("decomposes to a letter with diaeresis") << QStringLiteral("ǖ") << QStringLiteral("ü");
    QTest::newRow("letters without decomposition") << QStringLiteral("ŁłĐđĦħı") << QStringLiteral("LlDdHhi");
    QTest::newRow("Greek") << QStringLiteral("Ωμέγα") << QStringLiteral("?????");
    QTest::newRow("euro and ligatures stay") << QStringLiteral("€ Œuvre œ") << QStringLiteral("€ Œuvre œ");
    QTest::newRow("emoji is one character") << QStringLiteral("a😀b") << QStringLiteral("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QStringLiteral("?");
    QTest::newRow("compatibility ligature is no letter") << QStringLiteral("ﬁne") << QStringLiteral("?ne");
    QTest::newRow("pasted paragraph") << QStringLiteral("Kraków,\r\nGdańsk – “Dzień”")
                                      << QStringLiteral("Kraków,\r\nGdansk – “Dzien”");
}

void TestCp1252::fit()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const QString fitted = cp1252::fit(typed);
    QCOMPARE(fitted, shown);
    // What is shown is exactly what is stored and read back.
    QByteArray bytes;
    QVERIFY(cp1252::encodeExactly(fitted, bytes));
}

void TestCp1252::fitKeepsEveryCodePageCharacter()
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b) all[b] = char(b);
    const QString text = cp1252::decode(all);
    QCOMPARE(cp1252::fit(text), text);
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
