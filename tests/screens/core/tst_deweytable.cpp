#include "screens/core/DeweyTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace opusteca;

// The built-in table against the data file it is compiled from, and the parsing
// of a table text. Counts come from the file, never from a figure written here.
class TestDeweyTable : public QObject {
    Q_OBJECT
private:
    static QByteArray dataFile()
    {
        QFile f(QStringLiteral(OPUSTECA_RESOURCES_DIR "/data/dewey_it.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void builtInTableIsTheDataFileLineForLine()
    {
        const QByteArray bytes = dataFile();
        QVERIFY(!bytes.isEmpty());
        const QList<QByteArray> lines = bytes.split('\n');
        QStringList expected;
        for (const QByteArray &l : lines)
            if (!l.isEmpty()) expected << QString::fromLatin1(l);
        QVERIFY(expected.size() > 1000);
        QCOMPARE(dewey::table(), expected);
    }

    void entriesHaveTheTableForm()
    {
        // Three-digit code, one space, an upper-case heading without accents.
        const QRegularExpression form(QStringLiteral("^[0-9]{3} [A-Z0-9 .,'()/-]+$"));
        const QStringList &t = dewey::table();
        QVERIFY(!t.isEmpty());
        QString previous = QStringLiteral("000");
        for (const QString &e : t) {
            QVERIFY2(form.match(e).hasMatch(), qPrintable(e));
            QVERIFY2(e.size() <= 120, qPrintable(e));
            QVERIFY2(e == e.trimmed(), qPrintable(e));
            const QString code = dewey::classCode(e);
            QVERIFY2(code >= previous, qPrintable(e)); // ascending codes, ties in source order
            QVERIFY(code != QLatin1String("000"));
            previous = code;
        }
    }

    void fixedFirstAndLastEntries()
    {
        const QStringList &t = dewey::table();
        QVERIFY(t.size() >= 10);
        QCOMPARE(t.mid(0, 5), (QStringList{"001 CONOSCENZA", "001 VITA INTELLETTUALE", "001 STUDIO E CULTURA",
                                           "001 DISCIPLINE UMANISTICHE", "001 RICERCA"}));
        QCOMPARE(
            t.mid(t.size() - 5),
            (QStringList{"996 STORIA. ALTRE PARTI DEL PACIFICO POLINESIA",
                         "996 STORIA. PACIFICO CENTROSETTENTRIONALE HAWAII", "997 STORIA. ISOLE DELL'OCEANO ATLANTICO",
                         "998 STORIA. ISOLE ARTICHE E ANTARTIDE", "999 STORIA DI MONDI EXTRATERRESTRI"}));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("lf") << QByteArray("001 A\n002 B\n") << QStringList{"001 A", "002 B"};
        QTest::newRow("crlf from a windows checkout")
            << QByteArray("001 A\r\n002 B\r\n") << QStringList{"001 A", "002 B"};
        QTest::newRow("no final line break") << QByteArray("001 A\n002 B") << QStringList{"001 A", "002 B"};
        QTest::newRow("blank lines are no entries")
            << QByteArray("\n001 A\n \r\n\n002 B\n\n") << QStringList{"001 A", "002 B"};
        QTest::newRow("inner blanks kept") << QByteArray("001 A  B\n") << QStringList{"001 A  B"};
        QTest::newRow("a repeated line stays twice") << QByteArray("001 A\n001 A\n") << QStringList{"001 A", "001 A"};
        QTest::newRow("windows-1252 bytes")
            << QByteArray("001 CITT\xC0 \x80\n") << QStringList{QStringLiteral("001 CITT\u00C0 \u20AC")};
    }
    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, entries);
        QCOMPARE(dewey::parse(text), entries);
    }
};

QTEST_GUILESS_MAIN(TestDeweyTable)
#include "tst_deweytable.moc"
