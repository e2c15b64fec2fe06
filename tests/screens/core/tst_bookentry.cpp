#include "screens/core/BookEntry.h"
#include "store/AuthorRecord.h"
#include "store/BookRecord.h"
#include "store/Record.h"

#include <QTest>

using namespace opusteca;

class TestBookEntry : public QObject {
    Q_OBJECT
private slots:
    void build_data()
    {
        QTest::addColumn<QStringList>("values"); // Autore, Titolo, Citta, Editore, Anno
        QTest::addColumn<QString>("entry");
        QTest::newRow("all fields") << QStringList{"Umberto Eco", "Il nome della rosa", "Milano", "Bompiani", "1980"}
                                    << "Umberto Eco, Il nome della rosa, Milano, Bompiani, 1980";
        QTest::newRow("no city and publisher keep their separators")
            << QStringList{"Umberto Eco", "Il nome della rosa", "", "", "1980"}
            << "Umberto Eco, Il nome della rosa, , , 1980";
        QTest::newRow("no year") << QStringList{"A", "T", "C", "E", ""} << "A, T, C, E, ";
        QTest::newRow("blanks trimmed") << QStringList{"  Italo Calvino ", " Le citt\u00E0 invisibili", "Torino\t",
                                                       " Einaudi", " 1972 "}
                                        << QStringLiteral(
                                               "Italo Calvino, Le citt\u00E0 invisibili, Torino, Einaudi, 1972");
    }
    void build()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, entry);
        Record r(bookLayout());
        const int fields[] = {libro::Autore, libro::Titolo, libro::Citta, libro::Editore, libro::Anno};
        for (int i = 0; i < 5; ++i) r.setText(fields[i], values[i]);
        r.setText(libro::Codice, "X1");
        r.setText(libro::Note, "not in the entry");
        QCOMPARE(bookentry::build(r), entry);
    }

    void buildTrimsValuesLeftUntrimmedByAnotherWriter()
    {
        QByteArray bytes = Record(bookLayout()).bytes();
        const FieldDef &f = bookLayout().fields[libro::Autore];
        bytes[f.offset] = 5;
        std::memcpy(bytes.data() + f.offset + 1, " Eco ", 5);
        QCOMPARE(bookentry::build(Record(bookLayout(), bytes)), QStringLiteral("Eco, , , , "));
    }

    void buildRefusesOtherRecords() { QCOMPARE(bookentry::build(Record(authorLayout())), QString()); }

    void appendTo_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("result");
        const QString e = QStringLiteral("Eco, Il nome della rosa, Milano, Bompiani, 1980");
        QTest::newRow("empty field: entry alone") << "" << e;
        QTest::newRow("blanks and empty lines dropped") << "  \r\n \t\n\r" << e;
        QTest::newRow("after text: LF then CR") << "Prima opera"
                                                << "Prima opera\n\r" + e;
        QTest::newRow("old text kept untrimmed") << " Prima opera \r\n"
                                                 << " Prima opera \r\n\n\r" + e;
        QTest::newRow("second import") << e << e + "\n\r" + e;
    }
    void appendTo()
    {
        QFETCH(QString, old);
        QFETCH(QString, result);
        QCOMPARE(bookentry::appendTo(old, QStringLiteral("Eco, Il nome della rosa, Milano, Bompiani, 1980")), result);
    }
};

QTEST_GUILESS_MAIN(TestBookEntry)
#include "tst_bookentry.moc"
