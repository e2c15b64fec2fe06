// The printed book card: the book screen's print picture, TfrmStampaLibro and
// the page it writes through the print seam.
#include "export/BookCardReport.h"
#include "kit/core/RegionalSettings.h"
#include "report/ReportPrinter.h"
#include "support/ArchiveKit.h"
#include "support/PdfText.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

// The words of one printed line (same baseline), left to right, joined by blanks.
QString lineAt(const QList<PdfWord> &words, double baseline)
{
    QList<PdfWord> on;
    for (const PdfWord &w : words)
        if (qAbs(w.yMax - baseline) < 0.05) on << w;
    std::sort(on.begin(), on.end(), [](const PdfWord &a, const PdfWord &b) { return a.xMin < b.xMin; });
    QStringList t;
    for (const PdfWord &w : on) t << w.text;
    return t.join(QLatin1Char(' '));
}

// The 26 printed rows top to bottom: the card control each prints, its caption,
// and a value told apart from every other in the fixture.
struct PrintedRow {
    const char *control;
    const char *caption;
    const char *value;
};
const PrintedRow kRows[] = {
    {"txtTitolo", "Titolo libro:", "Il nome della rosa"},
    {"txtCodice", "Codice identificativo:", "LIB-0042"},
    {"txtScaffale", "Scaffale:", "Scaffale B3"},
    {"txtAutore", "Autore:", "Umberto Eco"},
    {"txtNazione", "Nazione:", "Italia"},
    {"txtCuratore", "Curatore:", "Mario Bianchi"},
    {"txtDewey", "Codice Dewey:", "853"},
    {"txtPagine", "Pagine:", "503"},
    {"txtGenere", "Genere:", "Romanzo storico"},
    {"txtGiudizio", "Giudizio:", "Ottimo"},
    {"txtEditore", "Casa editrice:", "Bompiani"},
    {"txtIsbn", "ISBN:", "88-452-0738-7"},
    {"txtCitta", "Città pubblicazione:", "Milano"},
    {"txtAnno", "Anno pubblicazione:", "1980"},
    {"txtVolumi", "Volumi:", "2"},
    {"txtPrezzo", "Prezzo:", "12,50"},
    {"txtCollana", "Collana:", "I grandi tascabili"},
    {"txtFormato", "Formato:", "Brossura"},
    {"txtOriginale", "Titolo originale:", "Der Name der Rose"},
    {"txtLingua", "Lingua:", "Italiano"},
    {"txtPrima", "Prima pubblicazione:", "1979"},
    {"txtTraduttore", "Traduttore:", "Anna Verdi"},
    {"txtVersione", "Versione:", "Seconda edizione"},
    {"txtNote", "Note:", "Copia con dedica"},
    {"txtPrestato", "Prestato a:", "Luca Neri"},
    {"txtScadenza", "Data prestito:", "15/04/2024"},
};

} // namespace

class TestBookCardPrint : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *libri = nullptr;
    QTemporaryDir dir;
    QString pdf;

    void setField(const QString &name, const QString &text)
    {
        if (auto *e = libri->findChild<QLineEdit *>(name))
            e->setText(text);
        else if (auto *c = libri->findChild<QComboBox *>(name))
            c->setEditText(text);
        else if (auto *p = libri->findChild<QPlainTextEdit *>(name))
            p->setPlainText(text);
        else
            QFAIL(qPrintable(name));
    }

    // Opens the print screen from the card and, inside, runs `inside`; the
    // screen must have closed afterwards.
    void withPrintScreen(const std::function<void(QWidget *)> &inside)
    {
        bool closed = false;
        const bool opened =
            whileModal([&] { clickPicture(libri, QStringLiteral("cmdStampa")); }, QStringLiteral("TfrmStampaLibro"),
                       [&](QWidget *d) {
                           inside(d);
                           closed = !d->isVisible();
                           if (!closed) d->close();
                       });
        QVERIFY(opened);
        QVERIFY2(closed, "the print screen stayed open");
    }

private slots:
    void initTestCase()
    {
        pdf = dir.filePath(QStringLiteral("scheda.pdf"));
        qputenv(report::kPrintToPdfVariable, pdf.toLocal8Bit());
        RegionalSettings::setFixedNow(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)));
    }
    void init()
    {
        QFile::remove(pdf);
        program = std::make_unique<RunningProgram>();
        libri = openArchive(*program, QStringLiteral("TfrmLibri"));
        QVERIFY(libri);
    }
    void cleanup() { program.reset(); }

    void screenAsLaidOut()
    {
        withPrintScreen([](QWidget *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral(" Stampa scheda libro"));
            QCOMPARE(d->size(), QSize(364, 287));
            auto *annulla = d->findChild<QPushButton *>(QStringLiteral("btnAnnulla"));
            auto *stampa = d->findChild<QPushButton *>(QStringLiteral("btnStampa"));
            QVERIFY(annulla && stampa);
            QCOMPARE(annulla->geometry(), QRect(18, 243, 137, 28));
            QCOMPARE(stampa->geometry(), QRect(208, 243, 137, 28));
            QCOMPARE(annulla->text(), QStringLiteral("Annulla"));
            QCOMPARE(stampa->text(), QStringLiteral("Stampa"));
            QCOMPARE(d->findChild<QWidget *>(QStringLiteral("imgLogo01"))->geometry(), QRect(22, 26, 318, 190));
            annulla->click();
        });
    }

    void annullaPrintsNothing()
    {
        setField(QStringLiteral("txtTitolo"), QStringLiteral("Il nome della rosa"));
        withPrintScreen([](QWidget *d) { d->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click(); });
        QVERIFY(!QFile::exists(pdf));
    }

    void cancelledPrintDialogClosesTheScreen()
    {
        qunsetenv(report::kPrintToPdfVariable);
        const auto restore = qScopeGuard([&] { qputenv(report::kPrintToPdfVariable, pdf.toLocal8Bit()); });
        bool dialog = false;
        withPrintScreen([&](QWidget *d) {
            Boxes b;
            dialog = whileModal(
                [&] { b = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); }); },
                QStringLiteral("QPrintDialog"), [](QWidget *p) { static_cast<QDialog *>(p)->reject(); });
            QCOMPARE(b.count(), 0);
        });
        QVERIFY(dialog);
        QVERIFY(!QFile::exists(pdf));
    }

    void editedCardPrintsItsTexts()
    {
        // Typed, never saved.
        libri->findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->setFocus();
        typeText(libri->findChild<QLineEdit *>(QStringLiteral("txtTitolo")), QStringLiteral("   Città di vetro"));
        setField(QStringLiteral("txtPagine"), QStringLiteral("[Pagine]"));
        setField(QStringLiteral("txtGenere"), QStringLiteral("Romanzo giallo"));
        setField(QStringLiteral("txtLingua"), QStringLiteral("Italiano"));
        const QString longNote = QStringLiteral("inizio ") + QString(240, QLatin1Char('w'));
        setField(QStringLiteral("txtNote"), longNote);

        withPrintScreen([](QWidget *d) { d->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        QCOMPARE(pdfPageCount(pdf), 1);
        const QSizeF size = pdfPageSizeMm(pdf);
        QVERIFY(qAbs(size.width() - 210) < 0.5 && qAbs(size.height() - 297) < 0.5);

        const auto words = pdfWords(pdf);
        // Row k: caption at x = 12 mm, value at 54 mm, on one baseline inside
        // the row's 3.5 mm text box (y = 12.5 + 5k mm on the paper).
        const auto rowBaseline = [&](const QString &caption, int k) {
            const double top = 12.5 + 5 * k;
            QList<PdfWord> c;
            for (const PdfWord &w : findWords(words, caption))
                if (w.yMax > top && w.yMin < top + 3.5) c << w;
            if (c.size() != 1) return -1.0;
            const PdfWord &w = c[0];
            if (qAbs(w.xMin - 12) > 0.5) return -2.0;
            if (w.yMin < top - 0.5 || w.yMax > top + 3.5 + 0.5) return -3.0;
            return w.yMax;
        };
        const double titolo = rowBaseline(QStringLiteral("Titolo"), 1);
        QVERIFY(titolo > 0);
        QCOMPARE(lineAt(words, titolo), QStringLiteral("Titolo libro: Città di vetro"));
        const auto value = findWords(words, QStringLiteral("vetro"));
        QCOMPARE(value.size(), 1);
        QVERIFY(value[0].xMin > 54 && value[0].xMax < 80);

        const double pagine = rowBaseline(QStringLiteral("Pagine:"), 8);
        QVERIFY(pagine > 0);
        QCOMPARE(lineAt(words, pagine), QStringLiteral("Pagine: [Pagine]"));
        QCOMPARE(lineAt(words, rowBaseline(QStringLiteral("Genere:"), 9)), QStringLiteral("Genere: Romanzo giallo"));
        QCOMPARE(lineAt(words, rowBaseline(QStringLiteral("Lingua:"), 20)), QStringLiteral("Lingua: Italiano"));

        // The long note is cut at the row's right edge (54 + 144 mm), on its line.
        const double note = rowBaseline(QStringLiteral("Note:"), 24);
        QVERIFY(note > 0);
        const QString printed = lineAt(words, note);
        QVERIFY(printed.startsWith(QStringLiteral("Note: inizio www")));
        QVERIFY(printed.size() < QStringLiteral("Note: ").size() + longNote.size());
        for (const PdfWord &w : words)
            if (w.text.startsWith(QLatin1String("www"))) QVERIFY2(w.xMax <= 198.1, qPrintable(QString::number(w.xMax)));

        // Heading and footer, the time exactly hh:mm:ss.
        QCOMPARE(pdfPageText(pdf, 1).split(QLatin1Char('\n')).first(), QStringLiteral("SCHEDA INFORMATIVA LIBRO"));
        QVERIFY(pdfPageText(pdf, 1).endsWith(QStringLiteral("Stampa eseguita in data 07/03/2024 alle ore 09:05:02")));
    }

    void blankCardPrintsEveryCaption()
    {
        withPrintScreen([](QWidget *d) { d->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        const QStringList lines = pdfPageText(pdf, 1).split(QLatin1Char('\n'));
        QStringList expected{QStringLiteral("SCHEDA INFORMATIVA LIBRO")};
        for (const PrintedRow &row : kRows) expected << QString::fromUtf8(row.caption);
        expected << QStringLiteral("Stampa eseguita in data 07/03/2024 alle ore 09:05:02");
        QCOMPARE(lines, expected);
    }

    // Every row prints its own field, beside its caption, in the layout's order.
    void everyRowPrintsItsField()
    {
        for (const PrintedRow &row : kRows) setField(QString::fromLatin1(row.control), QString::fromUtf8(row.value));
        withPrintScreen([](QWidget *d) { d->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        QCOMPARE(pdfPageCount(pdf), 1);
        const QStringList lines = pdfPageText(pdf, 1).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 1 + int(std::size(kRows)) + 1);
        QCOMPARE(lines.first(), QStringLiteral("SCHEDA INFORMATIVA LIBRO"));
        for (int i = 0; i < int(std::size(kRows)); ++i)
            QCOMPARE(lines[i + 1],
                     QString::fromUtf8(kRows[i].caption) + QLatin1Char(' ') + QString::fromUtf8(kRows[i].value));
    }
};

OPUSTECA_PINNED_TEST_MAIN(TestBookCardPrint)
#include "tst_book_card_print.moc"
