// Cutting a multi-line text at its breaks and joining it again.
#include "screens/core/LineBreaks.h"

#include <QTest>

using namespace opusteca;

class TestLineBreaks : public QObject {
    Q_OBJECT

private slots:
    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("breaks");
        QTest::newRow("empty") << "" << QStringList{""} << QStringList{};
        QTest::newRow("no break") << "abc" << QStringList{"abc"} << QStringList{};
        QTest::newRow("CR LF") << "a\r\nb" << QStringList{"a", "b"} << QStringList{"\r\n"};
        QTest::newRow("LF CR is one break") << "a\n\rb" << QStringList{"a", "b"} << QStringList{"\n\r"};
        QTest::newRow("lone CR and LF") << "a\rb\nc" << QStringList{"a", "b", "c"} << QStringList{"\r", "\n"};
        QTest::newRow("two CR LF are two breaks")
            << "a\r\n\r\nb" << QStringList{"a", "", "b"} << QStringList{"\r\n", "\r\n"};
        QTest::newRow("typed break then import")
            << "a\r\n\n\rb" << QStringList{"a", "", "b"} << QStringList{"\r\n", "\n\r"};
        QTest::newRow("break at both ends") << "\nx\r" << QStringList{"", "x", ""} << QStringList{"\n", "\r"};
    }
    void split()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, breaks);
        const linebreaks::Lines got = linebreaks::split(text);
        QCOMPARE(got.lines, lines);
        QCOMPARE(got.breaks, breaks);
        QCOMPARE(linebreaks::join(got), text);
    }

    void lineWithoutItsBreakGetsTheTypedOne()
    {
        linebreaks::Lines l{{"a", "b", "c"}, {"\n"}};
        QCOMPARE(linebreaks::join(l), QStringLiteral("a\nb\r\nc"));
    }
};

QTEST_GUILESS_MAIN(TestLineBreaks)
#include "tst_linebreaks.moc"
