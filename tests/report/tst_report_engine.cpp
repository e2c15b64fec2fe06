// The report engine on its own: layouts of named objects, prepared pages, the
// page drawn at paper scale, and the PDF written through the print seam.
#include "kit/core/RegionalSettings.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "support/PdfText.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace opusteca;
using namespace opusteca::report;
using namespace opusteca::test;

namespace {

// Pitch of a list line (Courier New 8 pt).
constexpr double kPitch = 12.822;

// A list layout holding `count` lines "Riga 1", "Riga 2", ... sized and prepared.
std::unique_ptr<Report> preparedList(int count, ListFooter footer = ListFooter::AfterList)
{
    auto r = buildListReport(footer);
    fillListReport(*r, QStringLiteral("Riepilogo libri in archivio"), count,
                   [](qsizetype i) { return QStringLiteral("Riga %1").arg(i + 1); });
    r->prepare();
    return r;
}

// The list lines each page shows, as [first, end) ranges of line numbers.
QList<QPair<int, int>> lineRanges(const Report &r)
{
    QList<QPair<int, int>> out;
    for (int p = 0; p < r.preparedPageCount(); ++p) {
        int first = -1, end = -1;
        for (const PlacedBand &b : r.preparedPage(p).bands) {
            if (b.band->name() != QLatin1String("MasterData")) continue;
            const int n = int(r.findMemo(QStringLiteral("txtRiepilogo"))->lineCount());
            first = qMin(n, int(std::ceil(b.from / kPitch - 1e-6)));
            end = qMin(n, int(std::floor(b.to / kPitch + 1e-6)));
        }
        if (first >= 0) out << qMakePair(first, end);
    }
    return out;
}

// A one-page layout with a few objects at known millimetre places.
std::unique_ptr<Report> cardLayout()
{
    auto r = std::make_unique<Report>(QStringLiteral("Prova"));
    Page *p = r->addPage(QStringLiteral("Page1"), QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    Shape *s = p->addShape(QStringLiteral("Shape1"), QRectF(mm(1), mm(1), mm(188), mm(5.8)));
    s->setFillColor(QColor(0xB0, 0xC4, 0xDE));
    p->addLine(QStringLiteral("Line2"), QRectF(mm(42), mm(7), 0, mm(129.6)));
    Memo *caption = p->addMemo(QStringLiteral("Memo8"), QRectF(mm(2), mm(37.5), mm(37.8), mm(3.5)));
    caption->setFont(QStringLiteral("Arial"), 7);
    caption->setText(QStringLiteral("Pagine:"));
    Memo *value = p->addMemo(QStringLiteral("txtPagine"), QRectF(mm(44), mm(37.5), mm(144), mm(3.5)));
    value->setFont(QStringLiteral("Arial"), 7);
    Memo *date = p->addMemo(QStringLiteral("txtData"), QRectF(mm(2), mm(140), mm(185.8), mm(4.2)));
    date->setFont(QStringLiteral("Arial"), 8);
    date->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    date->setText(QStringLiteral("Oggi [DATE]"));
    date->setExpressions(true);
    return r;
}

// While the returned timer runs, the first visible window of type W is handed
// to act; `seen` says whether one came. For the print's progress window, which
// blocks nothing: it is looked for as often as the print lets events through.
template <class W>
std::unique_ptr<QTimer> whenShown(bool &seen, std::function<void(W *)> act, int intervalMs = 20)
{
    auto t = std::make_unique<QTimer>();
    t->setInterval(intervalMs);
    QObject::connect(t.get(), &QTimer::timeout, [&seen, act, timer = t.get()] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *target = qobject_cast<W *>(w);
            if (!target || !target->isVisible()) continue;
            seen = true;
            timer->stop();
            act(target);
            return;
        }
    });
    t->start();
    return t;
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegionalSettings::setFixedNow(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2))); }

    void findTellsMemoFromBand()
    {
        auto r = buildListReport(ListFooter::AfterList);
        QVERIFY(r->findMemo(QStringLiteral("txtTitolo")));
        QVERIFY(r->findBand(QStringLiteral("MasterData")));
        QVERIFY(!r->findMemo(QStringLiteral("MasterData")));
        QVERIFY(!r->findBand(QStringLiteral("txtRiepilogo")));
        QVERIFY(!r->findObject(QStringLiteral("Nessuno")));
        QCOMPARE(r->findMemo(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo"));
        // Millimetre geometry in units of 1/96 inch.
        const Memo *body = r->findMemo(QStringLiteral("txtRiepilogo"));
        QCOMPARE(body->left(), 3 * 96 / 25.4);
        QCOMPARE(r->findBand(QStringLiteral("MasterData"))->width(), mm(277));
    }

    void memoLines()
    {
        Memo m(QStringLiteral("m"), QRectF());
        m.setText(QStringLiteral("uno\r\ndue\ntre\r[Pagine]"));
        QCOMPARE(m.lineCount(), 4);
        QCOMPARE(m.line(1), QStringLiteral("due"));
        QCOMPARE(m.text(), QStringLiteral("uno\ndue\ntre\n[Pagine]"));
        m.clear();
        QCOMPARE(m.lineCount(), 0);
        m.appendLine(u"  colonne   allineate  ");
        m.appendLine(u"");
        QCOMPARE(m.lineCount(), 2);
        QCOMPARE(m.line(0), QStringLiteral("  colonne   allineate  "));
        QCOMPARE(m.line(1), QString());

        // Lines read from elsewhere replace the memo's own, and are copied in
        // before another line joins them.
        QStringList source{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        m.setLines(2, [&source](qsizetype i) { return source[i]; });
        QCOMPARE(m.lineCount(), 2);
        QCOMPARE(m.text(), QStringLiteral("a\nb"));
        source[1] = QStringLiteral("B"); // read when asked for, not copied
        QCOMPARE(m.line(1), QStringLiteral("B"));
        m.appendLine(u"d");
        source.clear();
        QCOMPARE(m.text(), QStringLiteral("a\nB\nd"));
        m.setLines(5, [](qsizetype i) { return QString::number(i); });
        m.clear();
        QCOMPARE(m.lineCount(), 0);
    }

    void listHeights()
    {
        auto r = preparedList(100);
        QVERIFY(qAbs(r->findMemo(QStringLiteral("txtRiepilogo"))->height() - 1282.2) < 1e-9);
        QVERIFY(qAbs(r->findBand(QStringLiteral("MasterData"))->height() - 1292.2) < 1e-9);
        auto one = preparedList(1);
        QVERIFY(qAbs(one->findBand(QStringLiteral("MasterData"))->height() - (kPitch + 10)) < 1e-9);
    }

    void pageCounts_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        // Printable height 190 mm = 718.11 units. Page 1 loses 8 mm to the
        // title: 687.87 units hold 53 lines; later pages hold 56 (718.03).
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("50 with footer") << 50 << 1;
        // 51 lines fit, the footer bar below them does not: it goes on alone.
        QTest::newRow("51 footer alone") << 51 << 2;
        // 53 lines fill page 1; the band's 10 units below them move on too.
        QTest::newRow("53 full") << 53 << 2;
        QTest::newRow("54 spill") << 54 << 2;
        QTest::newRow("100") << 100 << 2;
        QTest::newRow("1300") << 1300 << 24; // 53 + 22 x 56 + 15
    }
    void pageCounts()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        auto r = preparedList(lines);
        QCOMPARE(r->preparedPageCount(), pages);

        // Every line once, in order, pages continuing where the last stopped.
        const auto ranges = lineRanges(*r);
        int next = 0;
        for (const auto &[first, end] : ranges) {
            QCOMPARE(first, next);
            QVERIFY(end >= first);
            next = end;
        }
        QCOMPARE(next, lines);

        // Title on the first page only, the footer once, after the last line;
        // nothing below the printable area.
        const double bottom = mm(190);
        for (int p = 0; p < r->preparedPageCount(); ++p) {
            const auto &bands = r->preparedPage(p).bands;
            int titles = 0, footers = 0;
            for (const PlacedBand &b : bands) {
                titles += b.band->name() == QLatin1String("ReportTitle");
                footers += b.band->name() == QLatin1String("Footer");
                QVERIFY2(b.y + (b.to - b.from) <= bottom + 1e-6, qPrintable(b.band->name()));
            }
            QCOMPARE(titles, p == 0 ? 1 : 0);
            QCOMPARE(footers, p == r->preparedPageCount() - 1 ? 1 : 0);
            if (footers) QCOMPARE(bands.back().band->name(), QStringLiteral("Footer"));
        }
    }

    void pageFooterOnEveryPage()
    {
        auto r = preparedList(300, ListFooter::EveryPage);
        QVERIFY(r->preparedPageCount() > 1);
        for (int p = 0; p < r->preparedPageCount(); ++p) {
            const auto &bands = r->preparedPage(p).bands;
            int footers = 0;
            for (const PlacedBand &b : bands) {
                if (b.band->name() != QLatin1String("Footer")) {
                    // Body above the footer, never under it.
                    QVERIFY(b.y + (b.to - b.from) <= mm(182) + 1e-6);
                    continue;
                }
                ++footers;
                QVERIFY(qAbs(b.y - mm(182)) < 1e-6); // at the foot of the printable area
            }
            QCOMPARE(footers, 1);
        }
    }

    void bandThatCannotSplitMovesOn()
    {
        Report r(QStringLiteral("r"));
        Page *p = r.addPage(QStringLiteral("p"), QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
        p->addBand(QStringLiteral("a"), BandKind::MasterData, mm(200));
        p->addBand(QStringLiteral("b"), BandKind::Footer, mm(100)); // 300 > 277: next page
        r.prepare();
        QCOMPARE(r.preparedPageCount(), 2);
        QCOMPARE(r.preparedPage(1).bands.size(), size_t(1));
        QCOMPARE(r.preparedPage(1).bands[0].band->name(), QStringLiteral("b"));
        QCOMPARE(r.preparedPage(1).bands[0].y, 0.0);
        // Prepared again, the earlier pages are gone rather than added to.
        r.prepare();
        QCOMPARE(r.preparedPageCount(), 2);
    }

    void renderedAtPaperScale()
    {
        auto r = cardLayout();
        r->prepare();
        QCOMPARE(r->preparedPageCount(), 1);
        // 10 pixels a millimetre: a place in mm is a pixel place.
        QImage img(2100, 2970, QImage::Format_RGB32);
        img.setDotsPerMeterX(10000);
        img.setDotsPerMeterY(10000);
        img.fill(Qt::white);
        {
            QPainter painter(&img);
            r->renderPage(painter, 0);
        }
        const auto at = [&](double xMm, double yMm) { return img.pixelColor(int(xMm * 10), int(yMm * 10)); };
        // Shape1 fills 11..199 x 11..16.8 mm of the paper.
        QCOMPARE(at(12, 12), QColor(0xB0, 0xC4, 0xDE));
        QCOMPARE(at(198.5, 16.5), QColor(0xB0, 0xC4, 0xDE));
        QCOMPARE(at(10.5, 12), QColor(Qt::white));
        QCOMPARE(at(12, 17.2), QColor(Qt::white));
        // The vertical line at x = 52 mm from the top of row 1 to 146.6 mm.
        QVERIFY(at(52, 100).red() < 128);
        QVERIFY(at(52, 10.5).red() > 200);
        QVERIFY(at(52, 147).red() > 200);
        QVERIFY(at(53, 100).red() > 200);
    }

    void aMemoShowsOnlyWhatItsHeightHolds_data()
    {
        QTest::addColumn<double>("heightMm");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("one line high") << 3.5 << int(Qt::AlignLeft | Qt::AlignTop) << QStringList{"uno"};
        QTest::newRow("one line high, centred")
            << 3.5 << int(Qt::AlignHCenter | Qt::AlignVCenter) << QStringList{"uno"};
        QTest::newRow("two lines high") << 7.0 << int(Qt::AlignLeft | Qt::AlignTop) << QStringList{"uno", "due"};
        QTest::newRow("room for all") << 12.0 << int(Qt::AlignLeft | Qt::AlignBottom)
                                      << QStringList{"uno", "due", "tre"};
        QTest::newRow("lower than a line") << 1.0 << int(Qt::AlignLeft | Qt::AlignTop) << QStringList{"uno"};
    }
    void aMemoShowsOnlyWhatItsHeightHolds()
    {
        QFETCH(double, heightMm);
        QFETCH(int, alignment);
        QFETCH(QStringList, shown);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("prova.pdf"));
        auto r = cardLayout();
        Memo *value = r->findMemo(QStringLiteral("txtPagine"));
        value->setHeight(mm(heightMm));
        value->setAlignment(Qt::Alignment(alignment));
        value->setText(QStringLiteral("uno\r\ndue\r\ntre"));
        r->prepare();
        qputenv(kPrintToPdfVariable, pdf.toLocal8Bit());
        QCOMPARE(print(*r, nullptr), PrintOutcome::Printed);
        qunsetenv(kPrintToPdfVariable);

        const auto words = pdfWords(pdf);
        QStringList found;
        for (const QString &w : {QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}) {
            const auto at = findWords(words, w);
            if (at.isEmpty()) continue;
            found << w;
            // Inside the memo (at 47.5 mm on the paper), never over what lies below it.
            QVERIFY2(at[0].yMin >= 47.5 - 0.5, qPrintable(w));
            QVERIFY2(at[0].yMax <= 47.5 + std::max(heightMm, 3.5) + 0.5, qPrintable(w));
        }
        QCOMPARE(found, shown);
    }

    void pdfThroughTheSeam()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("prova.pdf"));
        qputenv(kPrintToPdfVariable, pdf.toLocal8Bit());
        auto r = cardLayout();
        r->findMemo(QStringLiteral("txtPagine"))->setText(QStringLiteral("[Pagine] ") + QString(200, QLatin1Char('x')));
        r->prepare();
        QCOMPARE(print(*r, nullptr), PrintOutcome::Printed);
        qunsetenv(kPrintToPdfVariable);

        QCOMPARE(pdfPageCount(pdf), 1);
        const QSizeF size = pdfPageSizeMm(pdf);
        QVERIFY(qAbs(size.width() - 210) < 0.5 && qAbs(size.height() - 297) < 0.5);

        const auto words = pdfWords(pdf);
        const auto caption = findWords(words, QStringLiteral("Pagine:"));
        const auto value = findWords(words, QStringLiteral("[Pagine]"));
        QCOMPARE(caption.size(), 1);
        QCOMPARE(value.size(), 1); // printed literally
        QVERIFY2(qAbs(caption[0].xMin - 12) < 0.5, qPrintable(QString::number(caption[0].xMin)));
        QVERIFY2(qAbs(value[0].xMin - 54) < 0.5, qPrintable(QString::number(value[0].xMin)));
        // Same row, same baseline; inside the row's 3.5 mm.
        QVERIFY(qAbs(caption[0].yMax - value[0].yMax) < 0.05);
        QVERIFY(caption[0].yMin >= 47.5 - 0.5 && caption[0].yMax <= 51 + 0.5);

        // The long value is cut at the memo's right edge (54 + 144 mm), on one line.
        double right = 0;
        int xWords = 0;
        for (const PdfWord &w : words) {
            if (!w.text.startsWith(QLatin1Char('x'))) continue;
            ++xWords;
            right = qMax(right, w.xMax);
            QVERIFY(qAbs(w.yMax - value[0].yMax) < 0.05);
        }
        QCOMPARE(xWords, 1);
        QVERIFY2(right <= 198 + 0.1 && right > 196, qPrintable(QString::number(right)));

        // [DATE] filled from the regional settings where expressions are on.
        QCOMPARE(findWords(words, QStringLiteral("07/03/2024")).size(), 1);
        QCOMPARE(findWords(words, QStringLiteral("[DATE]")).size(), 0);
    }

    // Pages and copies chosen in the print dialog, printed to a PDF file as a
    // user without a printer would: the asked-for pages, as whole sets, in order.
    void printDialogRangeAndCopies_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<QList<int>>("printed"); // pages of the whole print, in the file's order
        QTest::newRow("pages 2 to 3, two copies") << 2 << 3 << 2 << true << QList<int>{2, 3, 2, 3};
        QTest::newRow("pages 2 to 3, two copies, not collated") << 2 << 3 << 2 << false << QList<int>{2, 2, 3, 3};
        QTest::newRow("three copies, not collated")
            << 1 << 4 << 3 << false << QList<int>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
        QTest::newRow("last page alone") << 4 << 4 << 1 << true << QList<int>{4};
        QTest::newRow("all but the first, one copy") << 2 << 4 << 1 << true << QList<int>{2, 3, 4};
    }
    void printDialogRangeAndCopies()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(QList<int>, printed);
        QTemporaryDir dir;
        const QString whole = dir.filePath(QStringLiteral("tutte.pdf"));
        const QString chosen = dir.filePath(QStringLiteral("scelte.pdf"));
        auto r = preparedList(200);
        QCOMPARE(r->preparedPageCount(), 4);
        QCOMPARE(printToPdf(*r, whole, nullptr), PrintOutcome::Printed);
        QCOMPARE(pdfPageCount(whole), 4);

        qunsetenv(kPrintToPdfVariable);
        PrintOutcome outcome = PrintOutcome::Cancelled;
        QVERIFY(whileModal([&] { outcome = print(*r, nullptr); }, QStringLiteral("QPrintDialog"),
                           [&](QWidget *w) {
                               auto *d = qobject_cast<QPrintDialog *>(w);
                               auto *printers = d->findChild<QComboBox *>(QStringLiteral("printers"));
                               QVERIFY2(printers, "no printer list");
                               const int toFile = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
                               QVERIFY2(toFile >= 0, "no print to file");
                               printers->setCurrentIndex(toFile);
                               auto *file = d->findChild<QLineEdit *>(QStringLiteral("filename"));
                               auto *range = d->findChild<QRadioButton *>(QStringLiteral("printRange"));
                               auto *first = d->findChild<QSpinBox *>(QStringLiteral("from"));
                               auto *last = d->findChild<QSpinBox *>(QStringLiteral("to"));
                               auto *count = d->findChild<QSpinBox *>(QStringLiteral("copies"));
                               auto *sets = d->findChild<QCheckBox *>(QStringLiteral("collate"));
                               QVERIFY2(file && range && first && last && count && sets, "a choice is missing");
                               QCOMPARE(first->maximum(), 4);
                               QCOMPARE(last->maximum(), 4);
                               file->setText(chosen);
                               range->setChecked(true);
                               first->setValue(from);
                               last->setValue(to);
                               count->setValue(copies);
                               sets->setChecked(collate);
                               d->accept();
                           }));
        QCOMPARE(outcome, PrintOutcome::Printed);
        QCOMPARE(pdfPageCount(chosen), int(printed.size()));
        for (int i = 0; i < printed.size(); ++i) {
            const QString text = pdfPageText(chosen, i + 1);
            QVERIFY(!text.isEmpty());
            QCOMPARE(text, pdfPageText(whole, printed[i]));
        }
    }

    void cancelledPrintDialogPrintsNothing()
    {
        qunsetenv(kPrintToPdfVariable);
        auto r = preparedList(10);
        PrintOutcome outcome = PrintOutcome::Printed;
        Boxes boxes;
        QVERIFY(whileModal([&] { boxes = answerBoxes([&] { outcome = print(*r, nullptr); }); },
                           QStringLiteral("QPrintDialog"), [](QWidget *d) { static_cast<QDialog *>(d)->reject(); }));
        QCOMPARE(outcome, PrintOutcome::Cancelled);
        QCOMPARE(boxes.count(), 0); // not an error
    }

    void progressWindowStopsALongPrint()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("lunga.pdf"));
        // The window shows at once instead of after half a second, so a few
        // pages are enough on any machine.
        setProgressDelay(0);
        const auto restore = qScopeGuard([] { setProgressDelay(std::nullopt); });
        auto r = preparedList(1000);
        QVERIFY(r->preparedPageCount() > 10);
        bool shown = false;
        QString label, caption;
        auto stop = whenShown<QProgressDialog>(
            shown,
            [&](QProgressDialog *p) {
                label = p->labelText();
                caption = p->windowTitle();
                for (QPushButton *b : p->findChildren<QPushButton *>())
                    if (b->text() == QLatin1String("Annulla")) b->click();
            },
            0); // looked for at each page, the window processing events as it goes
        QCOMPARE(printToPdf(*r, pdf, nullptr), PrintOutcome::Cancelled);
        QVERIFY(shown);
        QCOMPARE(caption, QStringLiteral("Stampa"));
        QVERIFY2(label.startsWith(QStringLiteral("Stampa in corso: pagina ")), qPrintable(label));
        QVERIFY2(label.endsWith(QStringLiteral(" di %1.").arg(r->preparedPageCount())), qPrintable(label));
        QVERIFY(!QFile::exists(pdf)); // no half-written document left
    }

    void unwritableFileIsToldNotCrashed()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("manca/prova.pdf"));
        auto r = preparedList(3);
        PrintOutcome outcome = PrintOutcome::Printed;
        const Boxes boxes = answerBoxes([&] { outcome = printToPdf(*r, pdf, nullptr); });
        QCOMPARE(outcome, PrintOutcome::Failed);
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Attenzione: non \u00E8 stato possibile stampare il documento."
                                                         "\n\nVerificare la stampante o il file scelto e riprovare.")});
        QCOMPARE(boxes.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
        QCOMPARE(boxes.buttonCounts, QList<int>{2});
        QVERIFY(!QFile::exists(pdf));
    }

    void emptyListPrintsTheTwoBars()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("vuota.pdf"));
        auto r = preparedList(0);
        QCOMPARE(printToPdf(*r, pdf, nullptr), PrintOutcome::Printed);
        QCOMPARE(pdfPageCount(pdf), 1);
        QCOMPARE(pdfPageText(pdf, 1).split(QLatin1Char('\n')),
                 QStringList({QStringLiteral("Riepilogo libri in archivio"),
                              QStringLiteral("Stampa eseguita in data 07/03/2024")}));
        // The footer bar right under the title bar and the band's 10 units.
        const auto words = pdfWords(pdf);
        const auto title = findWords(words, QStringLiteral("Riepilogo"));
        const auto stampa = findWords(words, QStringLiteral("Stampa"));
        QCOMPARE(title.size(), 1);
        QCOMPARE(stampa.size(), 1);
        QVERIFY(qAbs((stampa[0].yMin - title[0].yMin) - (8 + 10 / mm(1) + 2 - 1)) < 0.5);
    }

    void longListPdf()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
        auto r = preparedList(1300);
        QCOMPARE(printToPdf(*r, pdf, nullptr), PrintOutcome::Printed);
        QCOMPARE(pdfPageCount(pdf), 24);
        const QSizeF size = pdfPageSizeMm(pdf);
        QVERIFY(qAbs(size.width() - 297) < 0.5 && qAbs(size.height() - 210) < 0.5);
        const auto words = pdfWords(pdf);
        // Page 1 carries the title and lines 1..53 at 3.392 mm a line under it.
        QCOMPARE(findWords(words, QStringLiteral("Riepilogo"), 1).size(), 1);
        QCOMPARE(findWords(words, QStringLiteral("Riepilogo"), 2).size(), 0);
        const auto first = findWords(words, QStringLiteral("1"), 1);
        const auto l53 = findWords(words, QStringLiteral("53"), 1);
        QCOMPARE(first.size(), 1);
        QCOMPARE(l53.size(), 1);
        QVERIFY2(qAbs(first[0].xMin - 13 - 5 * 8 * 0.6 * 25.4 / 72) < 0.5, qPrintable(QString::number(first[0].xMin)));
        QVERIFY(qAbs((l53[0].yMax - first[0].yMax) - 52 * kPitch / mm(1)) < 0.1);
        QCOMPARE(findWords(words, QStringLiteral("54"), 2).size(), 1);
        QCOMPARE(findWords(words, QStringLiteral("1300"), 24).size(), 1);
        QCOMPARE(findWords(words, QStringLiteral("07/03/2024"), 24).size(), 1);
        QCOMPARE(findWords(words, QStringLiteral("07/03/2024")).size(), 1);
    }
};

OPUSTECA_PINNED_TEST_MAIN(TestReportEngine)
#include "tst_report_engine.moc"
