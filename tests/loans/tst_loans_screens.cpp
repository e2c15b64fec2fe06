// The loans overview and the statistics, opened from the book screen's toolbar
// and used as a librarian would: the rows, their order, days and states, the
// loan period, the filter, the double click, the printed list, the reminder
// letter, the figures and the charts.
#include "kit/core/RegionalSettings.h"
#include "loans/core/ReminderLetter.h"
#include "report/ReportPrinter.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/ProgramSettings.h"
#include "support/ArchiveKit.h"
#include "support/Files.h"
#include "support/PdfText.h"
#include "support/TestSupport.h"
#include "support/UrlCatcher.h"

#include <QAbstractItemModel>
#include <QChartView>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 30));

QString typed(const QDate &d) { return RegionalSettings::instance().formatDate(d); }
QString daysAgo(int n) { return typed(kNow.date().addDays(-n)); }

Record book(const QString &code, const QString &reader, const QString &date, const QString &flag = libro::no())
{
    return makeRecord(bookLayout(), {{libro::Titolo, QStringLiteral("Titolo ") + code},
                                     {libro::Codice, code},
                                     {libro::Autore, QStringLiteral("Autore ") + code},
                                     {libro::Convalida, libro::no()},
                                     {libro::Prestato, reader},
                                     {libro::Scadenza, date},
                                     {libro::Annullata, flag}});
}

// Loans of 40, 31, 30 and 5 days, a borrower without a date, a date "ieri",
// a cancelled lent book and an available one, in a file order of their own.
QByteArray loansFixture()
{
    return fileOf({book(QStringLiteral("B5"), QStringLiteral("Anna Bianchi"), daysAgo(5)),
                   book(QStringLiteral("BND"), QStringLiteral("Bruno Neri"), QString()),
                   book(QStringLiteral("B40"), QStringLiteral("Carla Rossi"), daysAgo(40)),
                   book(QStringLiteral("BANN"), QStringLiteral("Dario Verdi"), daysAgo(50), libro::yes()),
                   book(QStringLiteral("BDISP"), QString(), QString()),
                   book(QStringLiteral("BIERI"), QStringLiteral("Elena Gialli"), QStringLiteral("ieri")),
                   book(QStringLiteral("B30"), QStringLiteral("Franco Blu"), daysAgo(30)),
                   book(QStringLiteral("B31"), QStringLiteral("carla rossi"), daysAgo(31))});
}

QTableView *grid(QWidget *d) { return d->findChild<QTableView *>(QStringLiteral("grdPrestiti")); }
QString summary(QWidget *d) { return d->findChild<QLabel *>(QStringLiteral("lblRiepilogo"))->text(); }

// The grid's text, row by row, cells joined by "|".
QStringList gridRows(QWidget *d)
{
    const QAbstractItemModel *m = grid(d)->model();
    QStringList rows;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QString row(const char *reader, const QString &code, const QString &date, const char *days, const char *state)
{
    return QStringList{QString::fromUtf8(reader), QStringLiteral("Titolo ") + code, code, date,
                       QString::fromUtf8(days),   QString::fromUtf8(state)}
        .join(QLatin1Char('|'));
}

const QStringList kRows30{row("Carla Rossi", "B40", daysAgo(40), "40", "Scaduto"),
                          row("carla rossi", "B31", daysAgo(31), "31", "Scaduto"),
                          row("Franco Blu", "B30", daysAgo(30), "30", "In corso"),
                          row("Anna Bianchi", "B5", daysAgo(5), "5", "In corso"),
                          row("Bruno Neri", "BND", "", "", "Senza data"),
                          row("Elena Gialli", "BIERI", "ieri", "", "Data non valida")};

} // namespace

class TestLoansScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *libri = nullptr;
    QTemporaryDir dir;
    QString pdf;

    // Opens a screen from its toolbar picture and runs `inside` on it.
    bool withScreen(const QString &picture, const QString &screen, const std::function<void(QWidget *)> &inside)
    {
        return whileModal([&] { clickPicture(libri, picture); }, screen,
                          [&](QWidget *d) {
                              inside(d);
                              if (d->isVisible()) d->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
                          });
    }
    bool withLoans(const std::function<void(QWidget *)> &inside)
    {
        return withScreen(QStringLiteral("cmdPrestiti"), QStringLiteral("TfrmPrestiti"), inside);
    }

    static void setPeriod(QWidget *d, int days)
    {
        auto *spin = d->findChild<QSpinBox *>(QStringLiteral("txtGiorni"));
        spin->setFocus(Qt::OtherFocusReason);
        spin->selectAll();
        typeText(spin, QString::number(days));
    }
    static void selectRow(QWidget *d, int r)
    {
        QTableView *g = grid(d);
        g->setCurrentIndex(g->model()->index(r, 0));
    }

private slots:
    void initTestCase()
    {
        pdf = dir.filePath(QStringLiteral("prestiti.pdf"));
        qputenv(report::kPrintToPdfVariable, pdf.toLocal8Bit());
        RegionalSettings::setFixedNow(kNow);
    }
    void init()
    {
        ProgramSettings::forgetSessionValuesForTesting();
        program = std::make_unique<RunningProgram>();
        program->folder.write(QStringLiteral("Libri.pro"), loansFixture());
        libri = openArchive(*program, QStringLiteral("TfrmLibri"));
        QVERIFY(libri);
    }
    void cleanup()
    {
        program.reset();
        QFile::remove(pdf);
    }

    void listsTheLentBooks()
    {
        QStringList headers, rows;
        QString text;
        bool modal = false;
        QVERIFY(withLoans([&](QWidget *d) {
            modal = d->isModal() && d->parentWidget() == libri;
            for (int c = 0; c < grid(d)->model()->columnCount(); ++c)
                headers << grid(d)->model()->headerData(c, Qt::Horizontal).toString();
            rows = gridRows(d);
            text = summary(d);
        }));
        QVERIFY(modal);
        QCOMPARE(headers, QStringList({"Lettore", "Titolo libro", "Codice", "Data prestito", "Giorni", "Stato"}));
        QCOMPARE(rows, kRows30);
        QCOMPARE(text, QStringLiteral("6 libri in prestito, di cui 2 scaduti."));
    }

    void overdueRowsInTheLoanColour()
    {
        QList<QColor> colours;
        QVERIFY(withLoans([&](QWidget *d) {
            const QAbstractItemModel *m = grid(d)->model();
            for (int r = 0; r < m->rowCount(); ++r)
                colours << m->index(r, 1).data(Qt::ForegroundRole).value<QBrush>().color();
        }));
        const QColor crimson(0xb2, 0x22, 0x34);
        QCOMPARE(colours.size(), 6);
        QCOMPARE(colours[0], crimson);
        QCOMPARE(colours[1], crimson);
        for (int r = 2; r < 6; ++r) QVERIFY(colours[r] != crimson);
    }

    void periodChangedToThreeAndBack()
    {
        QStringList states3, states30;
        QString summary3, summary30;
        QVERIFY(withLoans([&](QWidget *d) {
            setPeriod(d, 3);
            for (const QString &r : gridRows(d)) states3 << r.section(QLatin1Char('|'), 5);
            summary3 = summary(d);
            setPeriod(d, 30);
            pressEnter(d->findChild<QSpinBox *>(QStringLiteral("txtGiorni")));
            for (const QString &r : gridRows(d)) states30 << r.section(QLatin1Char('|'), 5);
            summary30 = summary(d);
        }));
        QCOMPARE(states3, QStringList({"Scaduto", "Scaduto", "Scaduto", "Scaduto", "Senza data", "Data non valida"}));
        QCOMPARE(summary3, QStringLiteral("6 libri in prestito, di cui 4 scaduti."));
        QCOMPARE(states30,
                 QStringList({"Scaduto", "Scaduto", "In corso", "In corso", "Senza data", "Data non valida"}));
        QCOMPARE(summary30, QStringLiteral("6 libri in prestito, di cui 2 scaduti."));
    }

    void periodKeptInTheSettings()
    {
        QVERIFY(withLoans([&](QWidget *d) {
            setPeriod(d, 45);
            pressEnter(d->findChild<QSpinBox *>(QStringLiteral("txtGiorni")));
        }));
        QVERIFY(program->folder.read(QStringLiteral("Opusteca.ini")).contains("[Prestiti]\r\nDurata=45"));
        int shown = 0;
        QString text;
        QVERIFY(withLoans([&](QWidget *d) {
            shown = d->findChild<QSpinBox *>(QStringLiteral("txtGiorni"))->value();
            text = summary(d);
        }));
        QCOMPARE(shown, 45);
        QCOMPARE(text, QStringLiteral("6 libri in prestito, di cui 0 scaduti."));
    }

    void unwritableSettingsSaySoOnce()
    {
        const QString ini = program->folder.file(QStringLiteral("Opusteca.ini"));
        program->folder.write(QStringLiteral("Opusteca.ini"), "[Prestiti]\r\nDurata=30\r\n");
        QVERIFY(QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const auto twice = [&](int days) {
            return answerBoxes([&] {
                QVERIFY(withLoans([&](QWidget *d) {
                    setPeriod(d, days);
                    pressEnter(d->findChild<QSpinBox *>(QStringLiteral("txtGiorni")));
                }));
            });
        };
        const Boxes first = twice(10);
        QCOMPARE(first.count(), 1);
        QVERIFY(first.texts[0].startsWith(QStringLiteral("Attenzione: il sistema non permette di salvare la durata")));
        const Boxes second = twice(12);
        QCOMPARE(second.count(), 0);
        // The period holds for the session; the file is as it was.
        int shown = 0;
        QVERIFY(withLoans([&](QWidget *d) { shown = d->findChild<QSpinBox *>(QStringLiteral("txtGiorni"))->value(); }));
        QCOMPARE(shown, 12);
        QCOMPARE(program->folder.read(QStringLiteral("Opusteca.ini")), QByteArray("[Prestiti]\r\nDurata=30\r\n"));
        QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    }

    void filterOnTheBorrower()
    {
        QStringList rows;
        QString text, all;
        QVERIFY(withLoans([&](QWidget *d) {
            auto *filter = d->findChild<QLineEdit *>(QStringLiteral("txtLettore"));
            typeText(filter, QStringLiteral("CARLA"));
            rows = gridRows(d);
            text = summary(d);
            filter->clear();
            all = summary(d);
        }));
        QCOMPARE(rows, kRows30.mid(0, 2));
        QCOMPARE(text, QStringLiteral("2 libri in prestito, di cui 2 scaduti."));
        QCOMPARE(all, QStringLiteral("6 libri in prestito, di cui 2 scaduti."));
    }

    void doubleClickLoadsTheBook()
    {
        QVERIFY(withLoans([&](QWidget *d) {
            QTableView *g = grid(d);
            const QRect cell = g->visualRect(g->model()->index(2, 1));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        }));
        QCOMPARE(libri->findChild<QLineEdit *>(QStringLiteral("txtCodice"))->text(), QStringLiteral("B30"));
        QCOMPARE(libri->findChild<QLineEdit *>(QStringLiteral("txtPrestato"))->text(), QStringLiteral("Franco Blu"));
        QCOMPARE(positionOf(libri), QStringLiteral("7"));
        QVERIFY(!topLevel(QStringLiteral("TfrmPrestiti")) || !topLevel(QStringLiteral("TfrmPrestiti"))->isVisible());
    }

    void printsTheRowsShown()
    {
        QVERIFY(withLoans([&](QWidget *d) {
            typeText(d->findChild<QLineEdit *>(QStringLiteral("txtLettore")), QStringLiteral("a"));
            const Boxes b = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
            QCOMPARE(b.count(), 0);
        }));
        QCOMPARE(pdfPageCount(pdf), 1);
        // Every borrower but Bruno Neri has an "a" in the name.
        const QStringList expected{
            QStringLiteral("Libri in prestito"),
            QStringLiteral("Lettore Titolo libro Codice Data prestito Giorni Stato"),
            QStringLiteral("Carla Rossi Titolo B40 B40 ") + daysAgo(40) + QStringLiteral(" 40 Scaduto"),
            QStringLiteral("carla rossi Titolo B31 B31 ") + daysAgo(31) + QStringLiteral(" 31 Scaduto"),
            QStringLiteral("Franco Blu Titolo B30 B30 ") + daysAgo(30) + QStringLiteral(" 30 In corso"),
            QStringLiteral("Anna Bianchi Titolo B5 B5 ") + daysAgo(5) + QStringLiteral(" 5 In corso"),
            QStringLiteral("Elena Gialli Titolo BIERI BIERI ieri Data non valida"),
            QStringLiteral("5 libri in prestito, di cui 2 scaduti."),
            QStringLiteral("Stampa eseguita in data ") + typed(kNow.date())};
        QCOMPARE(pdfPageText(pdf, 1).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        // The columns line up: every code starts at the same x.
        const QList<PdfWord> words = pdfWords(pdf);
        const QList<PdfWord> b40 = findWords(words, QStringLiteral("B40"));
        const QList<PdfWord> bieri = findWords(words, QStringLiteral("BIERI"));
        QCOMPARE(b40.size(), 2);
        QCOMPARE(bieri.size(), 2);
        QVERIFY(qAbs(b40[1].xMin - bieri[1].xMin) < 0.2);
    }

    void reminderLetterForTheSelectedBorrower()
    {
        UrlCatcher catcher;
        Boxes boxes;
        QVERIFY(withLoans([&](QWidget *d) {
            selectRow(d, 1); // "carla rossi": the same borrower as "Carla Rossi"
            boxes = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnSollecito"))->click(); },
                                QMessageBox::Yes);
        }));
        QCOMPARE(boxes.texts,
                 QStringList({"Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?"}));
        const QString path = program->folder.file(QStringLiteral("Sollecito.rtf"));
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(path)}));
        const QByteArray letter = program->folder.read(QStringLiteral("Sollecito.rtf"));
        QVERIFY(letter.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(letter.contains("Lettore:\\b0\\f1  \\f0 carla rossi\\par"));
        QVERIFY(letter.contains("Libro 1:\\b0\\f1  \\f0 Titolo B40 - codice B40 - data del prestito " +
                                daysAgo(40).toLatin1() + " - giorni di prestito 40\\par"));
        QVERIFY(letter.contains("Libro 2:\\b0\\f1  \\f0 Titolo B31 - codice B31"));
        QVERIFY(!letter.contains("Libro 3:"));
        QVERIFY(letter.contains("Data:\\b0\\f1  \\f0 " + typed(kNow.date()).toLatin1()));
    }

    void reminderLetterAnswers_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("documentInTheWay");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("written");
        QTest::newRow("no row selected") << -1 << false
                                         << "Attenzione: per scrivere un sollecito è necessario selezionare "
                                            "nell'elenco un libro prestato a un lettore."
                                         << false;
        QTest::newRow("the document cannot be replaced")
            << 0 << true
            << "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il documento non sia "
               "già aperto."
            << false;
    }
    void reminderLetterAnswers()
    {
        QFETCH(int, row);
        QFETCH(bool, documentInTheWay);
        QFETCH(QString, message);
        QFETCH(bool, written);
        // A folder by the document's name: no letter can take its place.
        if (documentInTheWay) QVERIFY(QDir(program->folder.path()).mkdir(QStringLiteral("Sollecito.rtf")));
        UrlCatcher catcher;
        Boxes boxes;
        QVERIFY(withLoans([&](QWidget *d) {
            if (row >= 0) selectRow(d, row);
            boxes = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnSollecito"))->click(); },
                                QMessageBox::Yes);
        }));
        QCOMPARE(boxes.texts, QStringList({message}));
        QVERIFY(catcher.urls.isEmpty());
        QCOMPARE(QFileInfo(program->folder.file(QStringLiteral("Sollecito.rtf"))).isFile(), written);
    }

    void unreadableArchiveGivesAnEmptyList()
    {
        QFile::remove(program->folder.file(QStringLiteral("Libri.pro")));
        QVERIFY(QDir(program->folder.path()).mkdir(QStringLiteral("Libri.pro")));
        QString text;
        int rows = -1;
        const Boxes boxes = answerBoxes([&] {
            QVERIFY(withLoans([&](QWidget *d) {
                rows = grid(d)->model()->rowCount();
                text = summary(d);
            }));
        });
        QCOMPARE(boxes.count(), 1);
        QVERIFY(
            boxes.texts[0].startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")));
        QCOMPARE(rows, 0);
        QCOMPARE(text, QStringLiteral("0 libri in prestito, di cui 0 scaduti."));
    }

    void statisticsOfTheArchives()
    {
        program->folder.write(QStringLiteral("Autori.pro"),
                              fileOf({makeRecord(authorLayout(), {}), makeRecord(authorLayout(), {})}));
        program->folder.write(QStringLiteral("Bibliografie.pro"), fileOf({makeRecord(bibliographyLayout(), {})}));
        QMap<QString, QString> figures;
        QString overdueCaption;
        QVERIFY(withScreen(QStringLiteral("cmdStatistiche"), QStringLiteral("TfrmStatistiche"), [&](QWidget *d) {
            for (const char *name : {"lblLibri", "lblCorrenti", "lblAnnullati", "lblPrestati", "lblScaduti",
                                     "lblDisponibili", "lblAutori", "lblBibliografie"})
                figures[QLatin1String(name)] = d->findChild<QLabel *>(QLatin1String(name))->text();
        }));
        const QMap<QString, QString> expected{{"lblLibri", "8"},    {"lblCorrenti", "7"},    {"lblAnnullati", "1"},
                                              {"lblPrestati", "6"}, {"lblScaduti", "2"},     {"lblDisponibili", "1"},
                                              {"lblAutori", "2"},   {"lblBibliografie", "1"}};
        QCOMPARE(figures, expected);
    }

    void emptyArchivesGiveZeros()
    {
        program->folder.write(QStringLiteral("Libri.pro"), QByteArray());
        QStringList values;
        int charts = 0;
        const Boxes boxes = answerBoxes([&] {
            QVERIFY(withScreen(QStringLiteral("cmdStatistiche"), QStringLiteral("TfrmStatistiche"), [&](QWidget *d) {
                for (const char *name : {"lblLibri", "lblCorrenti", "lblPrestati", "lblAutori", "lblBibliografie"})
                    values << d->findChild<QLabel *>(QLatin1String(name))->text();
                for (auto *view : d->findChildren<QChartView *>())
                    if (view->chart()->title().endsWith(QStringLiteral("nessun libro in archivio"))) ++charts;
            }));
            QVERIFY(withLoans([&](QWidget *d) { values << summary(d); }));
        });
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(values, QStringList({"0", "0", "0", "0", "0", "0 libri in prestito, di cui 0 scaduti."}));
        QCOMPARE(charts, 3);
    }

    void helpTopicOfEachScreen_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("title");
        QTest::newRow("loans") << "cmdPrestiti"
                               << "TfrmPrestiti"
                               << "Libri in prestito.";
        QTest::newRow("statistics") << "cmdStatistiche"
                                    << "TfrmStatistiche"
                                    << "Statistiche dell'archivio.";
    }
    void helpTopicOfEachScreen()
    {
        QFETCH(QString, picture);
        QFETCH(QString, screen);
        QFETCH(QString, title);
        QString shown;
        QVERIFY(withScreen(picture, screen, [&](QWidget *d) {
            QVERIFY(whileModal([&] { clickPicture(d, QStringLiteral("cmdGuida")); }, QStringLiteral("TfrmGuida"),
                               [&](QWidget *g) {
                                   shown = g->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
                                   g->close();
                               }));
        }));
        QCOMPARE(shown, title);
    }

    void chartSavedAsPng()
    {
        const QString png = dir.filePath(QStringLiteral("decenni.png"));
        QSize shown;
        QVERIFY(withScreen(QStringLiteral("cmdStatistiche"), QStringLiteral("TfrmStatistiche"), [&](QWidget *d) {
            auto *tabs = d->findChild<QTabWidget *>(QStringLiteral("panGrafici"));
            QCOMPARE(tabs->count(), 3);
            tabs->setCurrentIndex(2);
            shown = tabs->currentWidget()->size();
            QVERIFY(whileModal([&] { d->findChild<QPushButton *>(QStringLiteral("btnSalvaGrafico"))->click(); },
                               QStringLiteral("dlgFile"),
                               [&](QWidget *w) {
                                   auto *dlg = qobject_cast<QFileDialog *>(w);
                                   QCOMPARE(QFileInfo(dlg->selectedFiles().value(0)).fileName(),
                                            QStringLiteral("Grafico_decenni.png"));
                                   dlg->selectFile(png);
                                   static_cast<QDialog *>(dlg)->accept();
                               }));
        }));
        const QImage image(png);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size() / image.devicePixelRatio(), shown);
        // Drawn: the title, the axes and the bars in the chart's colours.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));
        QVERIFY(colours.contains(QColor(0xe8, 0xb2, 0x3a).rgb())); // the bars
    }

    // Both pictures on the toolbar, beside the others, at 1366 x 768.
    void toolbarFitsAtSmallScreens()
    {
        libri->showNormal();
        libri->resize(1366, 738);
        QTRY_COMPARE(libri->size(), QSize(1366, 738));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QList<QRect> places;
        QStringList names;
        for (QWidget *group : libri->findChildren<QWidget *>(QRegularExpression(QStringLiteral("^shpControlli")))) {
            for (QWidget *w : group->findChildren<QWidget *>(QRegularExpression(QStringLiteral("^cmd")))) {
                const QRect r(w->mapTo(libri, QPoint(0, 0)), w->size());
                QVERIFY2(libri->rect().contains(r), qPrintable(w->objectName()));
                QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(w->objectName()));
                for (const QRect &o : std::as_const(places)) QVERIFY2(!o.intersects(r), qPrintable(w->objectName()));
                places << r;
                names << w->objectName();
            }
        }
        QVERIFY(names.contains(QStringLiteral("cmdPrestiti")));
        QVERIFY(names.contains(QStringLiteral("cmdStatistiche")));
    }
};

QTEST_MAIN(TestLoansScreens)
#include "tst_loans_screens.moc"
