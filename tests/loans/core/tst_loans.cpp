// The books on loan as the overview lists them: which records are lent, how a
// loan date is read, the order, the days and states, the filter, the summary
// and the printed lines, from an archive file read in one pass.
#include "kit/core/RegionalSettings.h"
#include "loans/core/LoanDate.h"
#include "loans/core/LoanPeriod.h"
#include "loans/core/Loans.h"
#include "store/BookRecord.h"
#include "store/Record.h"
#include "support/Files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::loans;
using namespace opusteca::test;

namespace {

const QDate kToday(2026, 12, 11);

// A date as the today button writes it: two-digit day and month, the regional separator.
QString typed(const QDate &d) { return RegionalSettings::instance().formatDate(d); }
QString daysAgo(int n) { return typed(kToday.addDays(-n)); }

QByteArray book(const QString &code, const QString &reader, const QString &date, const QString &cancelled = libro::no())
{
    Record r(bookLayout());
    r.setText(libro::Titolo, QStringLiteral("Titolo ") + code);
    r.setText(libro::Codice, code);
    r.setText(libro::Autore, QStringLiteral("Autore"));
    r.setText(libro::Convalida, libro::no());
    r.setText(libro::Prestato, reader);
    r.setText(libro::Scadenza, date);
    r.setText(libro::Annullata, cancelled);
    return r.bytes();
}

// The fixture of the overview, in a file order unlike the list order.
QByteArray fixture()
{
    return book(QStringLiteral("B5"), QStringLiteral("Anna Bianchi"), daysAgo(5)) +
           book(QStringLiteral("BND"), QStringLiteral("Bruno Neri"), QString()) +
           book(QStringLiteral("B40"), QStringLiteral("Carla Rossi"), daysAgo(40)) +
           book(QStringLiteral("BANN"), QStringLiteral("Dario Verdi"), daysAgo(50), libro::yes()) +
           book(QStringLiteral("BDISP"), QString(), QString()) +
           book(QStringLiteral("BIERI"), QStringLiteral("Elena Gialli"), QStringLiteral("ieri")) +
           book(QStringLiteral("B30"), QStringLiteral("Franco Blu"), daysAgo(30)) +
           book(QStringLiteral("B31"), QStringLiteral("carla rossi"), daysAgo(31));
}

QStringList codes(const QList<LoanRow> &rows)
{
    QStringList out;
    for (const LoanRow &r : rows) out << r.code;
    return out;
}

} // namespace

class TestLoans : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString archive(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("Libri.pro"));
        writeAll(path, bytes);
        return path;
    }

private slots:
    void readsLoanDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        const QDate d(2024, 3, 5);
        QTest::newRow("dd/mm/yyyy") << "05/03/2024" << d;
        QTest::newRow("d/m/yyyy") << "5/3/2024" << d;
        QTest::newRow("dashes") << "05-03-2024" << d;
        QTest::newRow("dots") << "5.3.2024" << d;
        QTest::newRow("blanks around") << " 05/03/2024 " << d;
        QTest::newRow("last day of a leap February") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("no such day") << "31/02/2024" << QDate();
        QTest::newRow("month 13") << "05/13/2024" << QDate();
        QTest::newRow("a word") << "ieri" << QDate();
        QTest::newRow("two-digit year") << "05/03/24" << QDate();
        QTest::newRow("mixed separators") << "05/03-2024" << QDate();
        QTest::newRow("year first") << "2024/03/05" << QDate();
        QTest::newRow("three-digit day") << "005/03/2024" << QDate();
        QTest::newRow("blank inside") << "05/ 03/2024" << QDate();
        QTest::newRow("trailing text") << "05/03/2024x" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void readsLoanDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const std::optional<QDate> read = readLoanDate(text);
        QCOMPARE(read.has_value(), date.isValid());
        if (read) QCOMPARE(*read, date);
    }

    void listsLentCurrentBooksInOrder()
    {
        const LoanList list = readLoans(archive(fixture()));
        QVERIFY(list.ok);
        // Dated rows oldest first; the undated and the unreadable after them, in file order.
        QCOMPARE(codes(list.rows), QStringList({"B40", "B31", "B30", "B5", "BND", "BIERI"}));
        QCOMPARE(list.rows[0].number, 3);
        QCOMPARE(list.rows[0].reader, QStringLiteral("Carla Rossi"));
        QCOMPARE(list.rows[0].title, QStringLiteral("Titolo B40"));
        QCOMPARE(list.rows[5].number, 6);
        QCOMPARE(list.rows[5].dateText, QStringLiteral("ieri"));
    }

    void daysAndStates_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QStringList>("states");
        QTest::addColumn<QString>("summary");
        QTest::newRow("30 days") << 30 << QStringList({"40", "31", "30", "5", "", ""})
                                 << QStringList(
                                        {"Scaduto", "Scaduto", "In corso", "In corso", "Senza data", "Data non valida"})
                                 << "6 libri in prestito, di cui 2 scaduti.";
        QTest::newRow("3 days") << 3 << QStringList({"40", "31", "30", "5", "", ""})
                                << QStringList(
                                       {"Scaduto", "Scaduto", "Scaduto", "Scaduto", "Senza data", "Data non valida"})
                                << "6 libri in prestito, di cui 4 scaduti.";
        QTest::newRow("40 days") << 40 << QStringList({"40", "31", "30", "5", "", ""})
                                 << QStringList({"In corso", "In corso", "In corso", "In corso", "Senza data",
                                                 "Data non valida"})
                                 << "6 libri in prestito, di cui 0 scaduti.";
    }
    void daysAndStates()
    {
        QFETCH(int, period);
        QFETCH(QStringList, days);
        QFETCH(QStringList, states);
        QFETCH(QString, summary);
        const LoanList list = readLoans(archive(fixture()));
        QStringList gotDays, gotStates;
        int overdue = 0;
        for (const LoanRow &r : list.rows) {
            gotDays << daysText(r, kToday);
            const LoanState s = stateOf(r, kToday, period);
            gotStates << stateText(s);
            if (s == LoanState::Overdue) ++overdue;
        }
        QCOMPARE(gotDays, days);
        QCOMPARE(gotStates, states);
        QCOMPARE(summaryText(int(list.rows.size()), overdue), summary);
    }

    void aDateInTheFutureCountsBackwards()
    {
        const LoanList list = readLoans(archive(book(QStringLiteral("F"), QStringLiteral("X"), daysAgo(-3))));
        QCOMPARE(list.rows.size(), 1);
        QCOMPARE(daysText(list.rows[0], kToday), QStringLiteral("-3"));
        QCOMPARE(stateOf(list.rows[0], kToday, 1), LoanState::Running);
    }

    void aDateWithoutBorrowerIsALoan()
    {
        const LoanList list = readLoans(archive(book(QStringLiteral("D"), QString(), daysAgo(2)) +
                                                book(QStringLiteral("E"), QStringLiteral("   "), QString())));
        QCOMPARE(codes(list.rows), QStringList({"D"}));
        QCOMPARE(list.rows[0].reader, QString());
    }

    void damagedRecordsAreReadSafely()
    {
        // A flag neither "Sì" nor "No", a length byte past the capacity, and a
        // trailing piece of a record.
        QByteArray odd = book(QStringLiteral("ODD"), QStringLiteral("Ugo"), daysAgo(1), QString());
        QByteArray longReader = book(QStringLiteral("LONG"), QStringLiteral("Zeno"), daysAgo(1));
        // Prestato claims 250 bytes of its 120, and the unused ones hold text.
        longReader[1345] = char(250);
        for (int i = 1346 + 4; i < 1346 + 120; ++i) longReader[i] = 'x';
        const QByteArray bytes =
            odd + longReader + book(QStringLiteral("CUT"), QStringLiteral("Y"), daysAgo(1)).left(900);
        const LoanList list = readLoans(archive(bytes));
        QVERIFY(list.ok);
        QCOMPARE(codes(list.rows), QStringList({"LONG"}));
        QCOMPARE(list.rows[0].reader, QStringLiteral("Zeno") + QString(116, QLatin1Char('x')));
        QCOMPARE(list.rows[0].date, kToday.addDays(-1)); // the next field is read as it stands
    }

    void anUnreadableArchiveFails()
    {
        const QString path = dir.filePath(QStringLiteral("cartella"));
        QVERIFY(QDir().mkpath(path)); // a folder where the archive should be
        QVERIFY(!readLoans(path).ok);
    }

    void anEmptyOrMissingArchiveHasNoLoans()
    {
        const LoanList list = readLoans(dir.filePath(QStringLiteral("Nuovo.pro")));
        QVERIFY(list.ok);
        QVERIFY(list.rows.isEmpty());
    }

    void filtersByBorrower_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("blank") << "  " << QStringList({"B40", "B31", "B30", "B5", "BND", "BIERI"});
        QTest::newRow("any case") << "CARLA" << QStringList({"B40", "B31"});
        QTest::newRow("any part") << "ross" << QStringList({"B40", "B31"});
        QTest::newRow("blanks around") << " neri " << QStringList({"BND"});
        QTest::newRow("none") << "Zorro" << QStringList();
    }
    void filtersByBorrower()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        const LoanList list = readLoans(archive(fixture()));
        QStringList got;
        for (int i : filterLoans(list.rows, filter)) got << list.rows[i].code;
        QCOMPARE(got, shown);
    }

    void oneReadersBooks()
    {
        const LoanList list = readLoans(archive(fixture()));
        QCOMPARE(codes(rowsOfReader(list.rows, QStringLiteral(" Carla Rossi"))), QStringList({"B40", "B31"}));
        QCOMPARE(codes(rowsOfReader(list.rows, QStringLiteral("Carla"))), QStringList());
    }

    void printedLinesLineUp()
    {
        const LoanList list =
            readLoans(archive(book(QStringLiteral("B40"), QStringLiteral("Carla Rossi"), daysAgo(40)) +
                              book(QStringLiteral("BIERI"), QStringLiteral("Elena"), QStringLiteral("ieri"))));
        const QStringList lines = printedLines(list.rows, kToday, 30);
        const QString sp(2, QLatin1Char(' '));
        const auto cell = [](const char *s, int n) { return QString::fromUtf8(s).leftJustified(n); };
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], cell("Lettore", 30) + sp + cell("Titolo libro", 50) + sp + cell("Codice", 24) + sp +
                               cell("Data prestito", 13) + sp + "Giorni" + sp + "Stato");
        QCOMPARE(lines[1], cell("Carla Rossi", 30) + sp + cell("Titolo B40", 50) + sp + cell("B40", 24) + sp +
                               daysAgo(40).leftJustified(13) + sp + "    40" + sp + "Scaduto");
        QCOMPARE(lines[2], cell("Elena", 30) + sp + cell("Titolo BIERI", 50) + sp + cell("BIERI", 24) + sp +
                               cell("ieri", 13) + sp + "      " + sp + "Data non valida");
        QCOMPARE(lines[3], QString());
        QCOMPARE(lines[4], QStringLiteral("2 libri in prestito, di cui 1 scaduti."));
    }

    void loanPeriodInTheSettings_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("period");
        QTest::newRow("no file") << QByteArray() << 30;
        QTest::newRow("set") << QByteArray("[Prestiti]\r\nDurata=45\r\n") << 45;
        QTest::newRow("lowest") << QByteArray("[Prestiti]\r\nDurata=1\r\n") << 1;
        QTest::newRow("highest") << QByteArray("[Prestiti]\r\nDurata=3650\r\n") << 3650;
        QTest::newRow("zero") << QByteArray("[Prestiti]\r\nDurata=0\r\n") << 30;
        QTest::newRow("too many") << QByteArray("[Prestiti]\r\nDurata=3651\r\n") << 30;
        QTest::newRow("a word") << QByteArray("[Prestiti]\r\nDurata=trenta\r\n") << 30;
        QTest::newRow("other section") << QByteArray("[Altro]\r\nDurata=12\r\n") << 30;
    }
    void loanPeriodInTheSettings()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, period);
        QTemporaryDir folder;
        if (!ini.isEmpty()) writeAll(folder.filePath(QStringLiteral("Opusteca.ini")), ini);
        QCOMPARE(loanPeriod(folder.path()), period);
    }

    void loanPeriodWrittenAndKept()
    {
        QTemporaryDir folder;
        QVERIFY(setLoanPeriod(folder.path(), 12));
        QCOMPARE(loanPeriod(folder.path()), 12);
        QVERIFY(readAll(folder.filePath(QStringLiteral("Opusteca.ini"))).contains("Durata=12"));
        // A folder that cannot take the file: the period holds for the session.
        const QString gone = folder.filePath(QStringLiteral("manca"));
        QVERIFY(!setLoanPeriod(gone, 7));
        QCOMPARE(loanPeriod(gone), 7);
    }
};

QTEST_GUILESS_MAIN(TestLoans)
#include "tst_loans.moc"
