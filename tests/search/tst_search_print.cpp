// "Stampa" on the search screens: the result list on show, printed through the
// print seam on landscape A4 pages.
#include "kit/core/RegionalSettings.h"
#include "report/ReportPrinter.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "support/ArchiveKit.h"
#include "support/PdfText.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

Record book(int n)
{
    // Titles that sort in another order than the codes, with blanks inside.
    return makeRecord(bookLayout(), {{libro::Codice, QStringLiteral("C%1").arg(n)},
                                     {libro::Titolo, QStringLiteral("Titolo %1 del libro").arg(1000 - n)},
                                     {libro::Autore, QStringLiteral("Autore %1").arg(n % 7)},
                                     {libro::Convalida, libro::no()},
                                     {libro::Annullata, libro::no()}});
}

QString simplified(const QString &s) { return s.simplified(); }

} // namespace

class TestSearchPrint : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QTemporaryDir dir;
    QString pdf;

    // Opens `archive`, its search from `picture`, presses Cerca with no filter,
    // and runs `then` on the result panel.
    void withResults(const QString &archive, const QString &picture, const QString &dialog,
                     const std::function<void(QWidget *)> &then)
    {
        QWidget *screen = openArchive(*program, archive);
        QVERIFY(screen);
        const bool opened = whileModal([&] { clickPicture(screen, picture); }, dialog,
                                       [&](QWidget *d) {
                                           d->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
                                           then(d);
                                           d->close();
                                       });
        QVERIFY(opened);
    }

    static QStringList listLines(QWidget *d)
    {
        auto *list = d->findChild<QListView *>(QStringLiteral("lstRecords"));
        QStringList lines;
        for (int i = 0; i < list->model()->rowCount(); ++i) lines << list->model()->index(i, 0).data().toString();
        return lines;
    }

    static void print(QWidget *d)
    {
        const Boxes b = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        QCOMPARE(b.count(), 0);
    }

    // Every printed text line of the document, page after page.
    QStringList printedLines(int pages)
    {
        QStringList out;
        for (int p = 1; p <= pages; ++p) out += pdfPageText(pdf, p).split(QLatin1Char('\n'));
        return out;
    }

private slots:
    void initTestCase()
    {
        pdf = dir.filePath(QStringLiteral("lista.pdf"));
        qputenv(report::kPrintToPdfVariable, pdf.toLocal8Bit());
        RegionalSettings::setFixedNow(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)));
    }
    void init()
    {
        QFile::remove(pdf);
        program = std::make_unique<RunningProgram>();
    }
    void cleanup() { program.reset(); }

    void longListOverSeveralPages()
    {
        QList<Record> books;
        for (int i = 1; i <= 120; ++i) books << book(i);
        program->folder.write(QStringLiteral("Libri.pro"), fileOf(books));
        QStringList shown;
        withResults(QStringLiteral("TfrmLibri"), QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"),
                    [&](QWidget *d) {
                        shown = listLines(d);
                        print(d);
                        QVERIFY(d->isVisible()); // the screen stays on its results
                    });
        QCOMPARE(shown.size(), 120);

        // 53 lines under the title, then 56 a page: 53 + 56 + 11.
        QCOMPARE(pdfPageCount(pdf), 3);
        const QSizeF size = pdfPageSizeMm(pdf);
        QVERIFY(qAbs(size.width() - 297) < 0.5 && qAbs(size.height() - 210) < 0.5);

        QStringList expected{QStringLiteral("Riepilogo libri in archivio")};
        for (const QString &l : shown) expected << simplified(l);
        expected << QStringLiteral("Stampa eseguita in data 07/03/2024");
        QCOMPARE(printedLines(3), expected);
        QCOMPARE(pdfPageText(pdf, 2).split(QLatin1Char('\n')).first(), simplified(shown[53]));

        // One line every 3.392 mm in a fixed-pitch font, columns kept: the
        // first word of every line starts at the memo's left, 13 mm.
        const auto words = pdfWords(pdf);
        QList<PdfWord> firstOfLine;
        for (const PdfWord &w : words)
            if (w.page == 2 && qAbs(w.xMin - 13) < 0.5) firstOfLine << w;
        QCOMPARE(firstOfLine.size(), 56);
        for (int i = 1; i < firstOfLine.size(); ++i)
            QVERIFY(qAbs(firstOfLine[i].yMax - firstOfLine[i - 1].yMax - 3.392) < 0.02);
    }

    void printingTwicePrintsTheSameList()
    {
        program->folder.write(QStringLiteral("Libri.pro"), fileOf({book(1), book(2), book(3)}));
        QStringList first, second;
        withResults(QStringLiteral("TfrmLibri"), QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"),
                    [&](QWidget *d) {
                        print(d);
                        first = printedLines(pdfPageCount(pdf));
                        print(d);
                        second = printedLines(pdfPageCount(pdf));
                    });
        QCOMPARE(first.size(), 5);
        QCOMPARE(second, first);
    }

    void titleOfEachScreen_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title");
        QTest::newRow("libri") << "TfrmLibri"
                               << "cmdTrova"
                               << "TfrmTrovaLibri"
                               << "Riepilogo libri in archivio";
        QTest::newRow("disponibili") << "TfrmLibri"
                                     << "cmdDisponibili"
                                     << "TfrmTrovaDisponibili"
                                     << "Riepilogo libri disponibili per il prestito";
        QTest::newRow("autori") << "TfrmAutori"
                                << "cmdTrova"
                                << "TfrmTrovaAutori"
                                << "Riepilogo autori in archivio";
        QTest::newRow("bibliografie") << "TfrmBibliografie"
                                      << "cmdTrova"
                                      << "TfrmTrovaBibliografie"
                                      << "Riepilogo bibliografie in archivio";
    }
    void titleOfEachScreen()
    {
        QFETCH(QString, archive);
        QFETCH(QString, picture);
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        program->folder.write(QStringLiteral("Libri.pro"), fileOf({book(1)}));
        program->folder.write(QStringLiteral("Autori.pro"),
                              fileOf({makeRecord(authorLayout(), {{autore::Autore, QStringLiteral("Dante")}})}));
        program->folder.write(
            QStringLiteral("Bibliografie.pro"),
            fileOf({makeRecord(bibliographyLayout(), {{bibliografia::Titolo, QStringLiteral("Ricerca")}})}));
        QStringList shown;
        withResults(archive, picture, dialog, [&](QWidget *d) {
            shown = listLines(d);
            print(d);
        });
        QCOMPARE(shown.size(), 1);
        QCOMPARE(pdfPageText(pdf, 1).split(QLatin1Char('\n')),
                 QStringList({title, simplified(shown[0]), QStringLiteral("Stampa eseguita in data 07/03/2024")}));
    }
};

OPUSTECA_PINNED_TEST_MAIN(TestSearchPrint)
#include "tst_search_print.moc"
