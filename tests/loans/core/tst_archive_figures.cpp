// The statistics of the archives, counted in one pass over each file from the
// stored records: the figures and the three chart series.
#include "loans/core/ArchiveFigures.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Record.h"
#include "support/Files.h"

#include <QDebug>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::loans;
using namespace opusteca::test;

namespace opusteca::loans {
// How a chart entry reads in a failure message.
QDebug operator<<(QDebug d, const ChartEntry &e) { return d << e.label << e.count; }
} // namespace opusteca::loans

namespace {

const QDate kToday(2026, 12, 11);

struct Book {
    const char *flag;
    const char *reader;
    const char *date;
    const char *genre;
    const char *language;
    const char *year;
};

QByteArray bytesOf(const QList<Book> &books)
{
    QByteArray out;
    for (const Book &b : books) {
        Record r(bookLayout());
        r.setText(libro::Titolo, QStringLiteral("Titolo"));
        r.setText(libro::Codice, QStringLiteral("C"));
        r.setText(libro::Prestato, QString::fromUtf8(b.reader));
        r.setText(libro::Scadenza, QString::fromUtf8(b.date));
        r.setText(libro::Genere, QString::fromUtf8(b.genre));
        r.setText(libro::Lingua, QString::fromUtf8(b.language));
        r.setText(libro::Anno, QString::fromUtf8(b.year));
        r.setText(libro::Annullata, QString::fromUtf8(b.flag));
        out += r.bytes();
    }
    return out;
}

QByteArray records(const RecordLayout &layout, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i) out += Record(layout).bytes();
    return out;
}

} // namespace

class TestArchiveFigures : public QObject {
    Q_OBJECT

private slots:
    void figuresOfAKnownArchive()
    {
        QTemporaryDir dir;
        // 10 books: 2 cancelled, 1 with a flag that is neither; of the 7 current,
        // 3 lent (one 40 days ago, one 10, one "ieri"), 4 available.
        writeAll(dir.filePath(QStringLiteral("Libri.pro")),
                 bytesOf({{"No", "Anna", "01/11/2026", "Romanzo", "Italiano", "1985"},
                          {"No", "Bruno", "01/12/2026", "romanzo", "Inglese", "1989"},
                          {"No", "Carla", "ieri", "Saggio", "italiano", "1990"},
                          {"No", "", "", "Romanzo", "Italiano", "c1990"},
                          {"No", "", "", "", "", ""},
                          {"No", "", "", "Poesia", "Francese", "2001"},
                          {"No", "", "", "Saggio", "Italiano", "199"},
                          {"Sì", "Dario", "01/01/2020", "Romanzo", "Italiano", "1950"},
                          {"Sì", "", "", "Fumetto", "Italiano", "1950"},
                          {"", "", "", "Romanzo", "Italiano", "1950"}}));
        writeAll(dir.filePath(QStringLiteral("Autori.pro")), records(authorLayout(), 3) + QByteArray(100, 'x'));
        writeAll(dir.filePath(QStringLiteral("Bibliografie.pro")), records(bibliographyLayout(), 2));

        const ArchiveFigures f = readArchiveFigures(dir.path(), kToday, 30);
        QVERIFY(f.booksRead && f.authorsRead && f.bibliographiesRead);
        QCOMPARE(f.books, 10);
        QCOMPARE(f.current, 7);
        QCOMPARE(f.cancelled, 3);
        QCOMPARE(f.lent, 3);
        QCOMPARE(f.overdue, 1);
        QCOMPARE(f.available, 4);
        QCOMPARE(f.authors, 3); // the trailing piece of a record is no record
        QCOMPARE(f.bibliographies, 2);

        // Current books only; one group per text in any case, spelt as most spell it.
        QCOMPARE(f.byGenre, QList<ChartEntry>({{"Romanzo", 3}, {"Saggio", 2}, {"Poesia", 1}, {"Senza genere", 1}}));
        QCOMPARE(f.byLanguage,
                 QList<ChartEntry>({{"Italiano", 4}, {"Francese", 1}, {"Inglese", 1}, {"Senza lingua", 1}}));
        QCOMPARE(f.byDecade,
                 QList<ChartEntry>({{"1980-1989", 2}, {"1990-1999", 1}, {"2000-2009", 1}, {"Senza anno", 3}}));
    }

    void overdueFollowsThePeriod_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("overdue");
        QTest::newRow("3") << 3 << 2;
        QTest::newRow("10") << 10 << 1;
        QTest::newRow("41") << 41 << 0;
    }
    void overdueFollowsThePeriod()
    {
        QFETCH(int, period);
        QFETCH(int, overdue);
        QTemporaryDir dir;
        writeAll(dir.filePath(QStringLiteral("Libri.pro")),
                 bytesOf({{"No", "Anna", "01/11/2026", "", "", ""}, // 40 days
                          {"No", "Bruno", "1/12/2026", "", "", ""}, // 10 days
                          {"No", "", "11.12.2026", "", "", ""}}));  // today
        ArchiveFigures f;
        countBooks(dir.filePath(QStringLiteral("Libri.pro")), kToday, period, f);
        QCOMPARE(f.lent, 3);
        QCOMPARE(f.overdue, overdue);
    }

    void twelveLargestGroupsThenTheRest()
    {
        QTemporaryDir dir;
        // Genre Gn held by n + 1 books, n from 0 to 14: G14 largest.
        QList<Book> books;
        QList<QByteArray> names;
        for (int n = 0; n <= 14; ++n) names << QByteArray("G") + QByteArray::number(n);
        for (int n = 0; n <= 14; ++n)
            for (int k = 0; k <= n; ++k) books.append({"No", "", "", names[n].constData(), "Italiano", "2000"});
        writeAll(dir.filePath(QStringLiteral("Libri.pro")), bytesOf(books));
        ArchiveFigures f;
        countBooks(dir.filePath(QStringLiteral("Libri.pro")), kToday, 30, f);
        QCOMPARE(f.byGenre.size(), 13);
        QCOMPARE(f.byGenre.first(), ChartEntry({"G14", 15}));
        QCOMPARE(f.byGenre[11], ChartEntry({"G3", 4}));
        // G0, G1 and G2: 1 + 2 + 3 books.
        QCOMPARE(f.byGenre.last(), ChartEntry({"Altri", 6}));
        QCOMPARE(f.byLanguage, QList<ChartEntry>({{"Italiano", 120}}));
        QCOMPARE(f.byDecade, QList<ChartEntry>({{"2000-2009", 120}}));
    }

    void emptyAndUnreadableArchives()
    {
        QTemporaryDir dir;
        ArchiveFigures empty = readArchiveFigures(dir.path(), kToday, 30);
        QVERIFY(empty.booksRead && empty.authorsRead && empty.bibliographiesRead);
        QCOMPARE(empty.books, 0);
        QCOMPARE(empty.authors, 0);
        QVERIFY(empty.byGenre.isEmpty() && empty.byLanguage.isEmpty() && empty.byDecade.isEmpty());

        QTemporaryDir broken;
        QVERIFY(QDir(broken.path()).mkdir(QStringLiteral("Libri.pro")));
        QVERIFY(QDir(broken.path()).mkdir(QStringLiteral("Autori.pro")));
        const ArchiveFigures f = readArchiveFigures(broken.path(), kToday, 30);
        QVERIFY(!f.booksRead);
        QVERIFY(!f.authorsRead);
        QVERIFY(f.bibliographiesRead);
        QCOMPARE(f.books, 0);
    }
};

QTEST_GUILESS_MAIN(TestArchiveFigures)
#include "tst_archive_figures.moc"
