// The printed book card filled from a book's texts alone: no program, no card.
#include "export/BookCardReport.h"
#include "report/ReportLayout.h"
#include "store/BookRecord.h"

#include <QTest>

using namespace opusteca;

class TestBookCardFill : public QObject {
    Q_OBJECT

    // A book whose every field holds a text of its own.
    static QStringList everyFieldFilled()
    {
        QStringList book;
        for (int f = 0; f < libro::FieldCount; ++f) book << QStringLiteral("campo %1").arg(f);
        return book;
    }

private slots:
    // Each of the rows prints the field it names, and no other.
    void everyRowPrintsItsOwnField()
    {
        const auto layout = bookcard::build();
        bookcard::fill(*layout, everyFieldFilled(), QDateTime(QDate(2024, 3, 5), QTime(9, 7, 1)));
        QCOMPARE(bookcard::rows().size(), 26);
        for (const bookcard::Row &row : bookcard::rows()) {
            const report::Memo *value = layout->findMemo(bookcard::valueName(row));
            QVERIFY2(value, qPrintable(bookcard::valueName(row)));
            QCOMPARE(value->text(), QStringLiteral("campo %1").arg(row.field));
        }
    }

    void printedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("printed");
        QTest::newRow("blanks around") << "  Verga  "
                                       << "Verga";
        QTest::newRow("lines of a note") << "Prima riga\r\nSeconda\nTerza\rQuarta"
                                         << "Prima riga Seconda Terza Quarta";
        QTest::newRow("outside the code page") << "Gy\u0151r \u20AC"
                                               << "Gy\u0151r \u20AC";
        QTest::newRow("empty") << ""
                               << "";
    }
    // A row holds one line of the text as the card shows it, saved or not.
    void printedText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, printed);
        QStringList book = everyFieldFilled();
        book[libro::Note] = typed;
        const auto layout = bookcard::build();
        bookcard::fill(*layout, book, QDateTime(QDate(2024, 3, 5), QTime(9, 7, 1)));
        QCOMPARE(layout->findMemo(QStringLiteral("txtNote"))->text(), printed);
    }

    // Fewer texts than fields (a caller that handed nothing) print blank rows.
    void missingTextsPrintBlank()
    {
        const auto layout = bookcard::build();
        bookcard::fill(*layout, {QStringLiteral("Solo il titolo")}, QDateTime(QDate(2024, 3, 5), QTime(9, 7, 1)));
        QCOMPARE(layout->findMemo(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Solo il titolo"));
        QCOMPARE(layout->findMemo(QStringLiteral("txtNote"))->text(), QString());
    }
};

QTEST_MAIN(TestBookCardFill)
#include "tst_book_card_fill.moc"
