#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

Record book(const QString &code, const QString &title, const QString &author,
            const QList<QPair<int, QString>> &more = {})
{
    QList<QPair<int, QString>> fields = {{libro::Codice, code},
                                         {libro::Titolo, title},
                                         {libro::Autore, author},
                                         {libro::Convalida, libro::no()},
                                         {libro::Annullata, libro::no()}};
    fields += more;
    return makeRecord(bookLayout(), fields);
}

// What a search screen showed and did while it was open.
struct Session {
    bool opened = false;
    bool onResults = false;
    QStringList lines;
    QString count;
    QStringList boxes;
};

QString lineText(const QListView *list, int row) { return list->model()->index(row, 0).data().toString(); }

void doubleClickLine(QListView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->setCurrentIndex(index);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
}

} // namespace

class TestSearchScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *screen = nullptr;

    void open(const QString &archive)
    {
        program = std::make_unique<RunningProgram>();
        screen = openArchive(*program, archive);
        QVERIFY(screen);
    }

    // Opens a search from `picture`, fills filters, presses Cerca, then runs `then`
    // on the open screen (which may choose a line or close it).
    Session search(const QString &picture, const QString &dialog, const QList<QPair<QString, QString>> &filters,
                   const std::function<void(QWidget *)> &then = {})
    {
        Session s;
        s.opened = whileModal([&] { clickPicture(screen, picture); }, dialog,
                              [&](QWidget *d) {
                                  for (const auto &[name, text] : filters)
                                      d->findChild<QLineEdit *>(name)->setText(text);
                                  const Boxes b = answerBoxes(
                                      [&] { d->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click(); });
                                  s.boxes = b.texts;
                                  s.onResults = d->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible() &&
                                                !d->findChild<QWidget *>(QStringLiteral("panAvvio"))->isVisible();
                                  auto *list = d->findChild<QListView *>(QStringLiteral("lstRecords"));
                                  for (int i = 0; i < list->model()->rowCount(); ++i) s.lines << lineText(list, i);
                                  s.count = d->findChild<QLabel *>(QStringLiteral("lblTrovate"))->text();
                                  if (then) then(d);
                                  if (d->isVisible()) d->close();
                              });
        return s;
    }

    QString text(const QString &name)
    {
        if (auto *e = screen->findChild<QLineEdit *>(name)) return e->text();
        if (auto *p = screen->findChild<QPlainTextEdit *>(name)) return p->toPlainText();
        return {};
    }

private slots:
    void cleanup() { program.reset(); }

    void searchThenLoadIntoTheBookCard()
    {
        open(QStringLiteral("TfrmLibri"));
        program->folder.write(
            QStringLiteral("Libri.pro"),
            fileOf({book(QStringLiteral("B7"), QStringLiteral("La rosa \u201Cblu\u201D \u2013 5 \u20AC"),
                         QStringLiteral("Eco")),
                    book(QStringLiteral("A12"), QStringLiteral("Il nome della rosa"), QStringLiteral("Umberto Eco"),
                         {{libro::Citta, QStringLiteral("Milano")},
                          {libro::Editore, QStringLiteral("Bompiani")},
                          {libro::Anno, QStringLiteral("1980")},
                          {libro::File02, QStringLiteral("indice.pdf")}}),
                    book(QStringLiteral("C1"), QStringLiteral("Baudolino"), QStringLiteral("Umberto Eco"))}));
        const Session s =
            search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"),
                   {{QStringLiteral("txtTitolo"), QStringLiteral("rosa")},
                    {QStringLiteral("txtAutore"), QStringLiteral("ECO")}},
                   [](QWidget *d) {
                       QCOMPARE(d->findChild<QLabel *>(QStringLiteral("lblConta"))->text(), QStringLiteral("2"));
                       auto *list = d->findChild<QListView *>(QStringLiteral("lstRecords"));
                       QCOMPARE(list->font().family(), QStringLiteral("Courier New"));
                       doubleClickLine(list, 0);
                   });
        QVERIFY(s.opened);
        QVERIFY(s.onResults);
        QCOMPARE(s.count, QStringLiteral("Il presente riepilogo contiene 2 schede."));
        const QString a12 = QStringLiteral("Cod. A12") + QString(21, QLatin1Char(' ')) + QStringLiteral("  ") +
                            QStringLiteral("Il nome della rosa") + QString(32, QLatin1Char(' ')) +
                            QStringLiteral("  ") + QStringLiteral("Umberto Eco") + QString(19, QLatin1Char(' ')) +
                            QStringLiteral("  Milano Bompiani 1980");
        QCOMPARE(s.lines.value(0), a12);
        QVERIFY(s.lines.value(1).startsWith(QStringLiteral("Cod. B7 ")));
        // Characters stored in 0x80-0x9F come back as they were typed.
        QVERIFY(s.lines.value(1).contains(QStringLiteral("  La rosa \u201Cblu\u201D \u2013 5 \u20AC  ")));
        // The chosen book is on the card as browsing would show it.
        QCOMPARE(positionOf(screen), QStringLiteral("2"));
        QCOMPARE(text(QStringLiteral("txtTitolo")), QStringLiteral("Il nome della rosa"));
        QCOMPARE(text(QStringLiteral("txtCitta")), QStringLiteral("Milano"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblFile02"))->text(), QStringLiteral("indice.pdf"));
        QVERIFY(!topLevel(QStringLiteral("TfrmTrovaLibri")));
    }

    void identicalLinesLoadEveryRecordInFileOrder()
    {
        open(QStringLiteral("TfrmLibri"));
        program->folder.write(QStringLiteral("Libri.pro"),
                              fileOf({book(QStringLiteral("X"), QStringLiteral("Stesso"), QStringLiteral("Tizio"),
                                           {{libro::Note, QStringLiteral("primo")}}),
                                      book(QStringLiteral("Y"), QStringLiteral("Altro"), QStringLiteral("Caio")),
                                      book(QStringLiteral("X"), QStringLiteral("Stesso"), QStringLiteral("Tizio"),
                                           {{libro::Note, QStringLiteral("secondo")}})}));
        const Session s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"), {}, [](QWidget *d) {
            doubleClickLine(d->findChild<QListView *>(QStringLiteral("lstRecords")), 0);
        });
        QCOMPARE(s.lines.size(), 3);
        QCOMPARE(s.lines[0], s.lines[1]);
        QCOMPARE(positionOf(screen), QStringLiteral("3"));
        QCOMPARE(text(QStringLiteral("txtNote")), QStringLiteral("secondo"));
    }

    void itemsHoldTheWholeLine_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("publisher");
        QTest::addColumn<bool>("wider"); // than the kind's 1400
        QTest::newRow("short line: the kind's width") << QStringLiteral("Breve") << QStringLiteral("Einaudi") << false;
        QTest::newRow("long line: as wide as the line")
            << QString(50, QLatin1Char('T')) << QStringLiteral("Edizioni della Biblioteca Civica di Castelnuovo")
            << true;
    }
    void itemsHoldTheWholeLine()
    {
        // City, publisher and year have no width in the line: a long one goes
        // past the items' width, and must still be shown to its last character.
        QFETCH(QString, title);
        QFETCH(QString, publisher);
        QFETCH(bool, wider);
        open(QStringLiteral("TfrmLibri"));
        // The line under test comes first; a shorter one after it.
        program->folder.write(QStringLiteral("Libri.pro"),
                              fileOf({book(QStringLiteral("Z9"), QStringLiteral("Corto"), QStringLiteral("Bianchi")),
                                      book(QStringLiteral("L1"), title, QStringLiteral("Rossi"),
                                           {{libro::Citta, QStringLiteral("Roma")},
                                            {libro::Editore, publisher},
                                            {libro::Anno, QStringLiteral("1999")}})}));
        int width = 0, needed = 0;
        Qt::TextElideMode elide = Qt::ElideRight;
        const Session s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"), {}, [&](QWidget *d) {
            auto *list = d->findChild<QListView *>(QStringLiteral("lstRecords"));
            width = list->visualRect(list->model()->index(0, 0)).width();
            needed = QFontMetrics(list->font()).horizontalAdvance(lineText(list, 0));
            elide = list->textElideMode();
        });
        QCOMPARE(s.lines.size(), 2);
        QVERIFY(s.lines[0].endsWith(publisher + QStringLiteral(" 1999")));
        QVERIFY2(width > needed, qPrintable(QStringLiteral("item %1, line %2").arg(width).arg(needed)));
        QCOMPARE(width > 1400, wider);
        QCOMPARE(elide, Qt::ElideNone);
    }

    void cancelledBooksAreNeverListed()
    {
        open(QStringLiteral("TfrmLibri"));
        Record cancelled = book(QStringLiteral("K"), QStringLiteral("Annullato"), QStringLiteral("Eco"));
        cancelled.setText(libro::Annullata, libro::yes());
        Record unknown = book(QStringLiteral("U"), QStringLiteral("Senza flag"), QStringLiteral("Eco"));
        unknown.setText(libro::Annullata, QString());
        program->folder.write(
            QStringLiteral("Libri.pro"),
            fileOf({cancelled, unknown, book(QStringLiteral("V"), QStringLiteral("Valido"), QStringLiteral("Eco"))}));
        for (const QString &picture : {QStringLiteral("cmdTrova"), QStringLiteral("cmdDisponibili")}) {
            const Session s = search(picture,
                                     picture == QLatin1String("cmdTrova") ? QStringLiteral("TfrmTrovaLibri")
                                                                          : QStringLiteral("TfrmTrovaDisponibili"),
                                     {{QStringLiteral("txtAutore"), QStringLiteral("   ")}});
            QCOMPARE(s.lines.size(), 1);
            QVERIFY(s.lines[0].startsWith(QStringLiteral("Cod. V ")));
            QCOMPARE(s.count, QStringLiteral("Il presente riepilogo contiene 1 schede."));
        }
    }

    void availableBooksFollowTheStoredLoans()
    {
        open(QStringLiteral("TfrmLibri"));
        program->folder.write(QStringLiteral("Libri.pro"),
                              fileOf({book(QStringLiteral("P1"), QStringLiteral("Prestabile"), QStringLiteral("Eco")),
                                      book(QStringLiteral("P2"), QStringLiteral("Solo data"), QStringLiteral("Eco"),
                                           {{libro::Scadenza, QStringLiteral("01/01/2024")}})}));
        const auto available = [&] {
            return search(QStringLiteral("cmdDisponibili"), QStringLiteral("TfrmTrovaDisponibili"), {}).lines.size();
        };
        QCOMPARE(available(), 1);
        // Choose the available book, lend it, and save.
        search(QStringLiteral("cmdDisponibili"), QStringLiteral("TfrmTrovaDisponibili"), {},
               [](QWidget *d) { doubleClickLine(d->findChild<QListView *>(QStringLiteral("lstRecords")), 0); });
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        screen->findChild<QLineEdit *>(QStringLiteral("txtPrestato"))->setText(QStringLiteral("Mario Rossi"));
        QCOMPARE(available(), 1); // typed, not saved: nothing changes
        answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); });
        QCOMPARE(available(), 0);
        // The return: both loan fields emptied and saved.
        screen->findChild<QLineEdit *>(QStringLiteral("txtPrestato"))->setText(QStringLiteral("  "));
        answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); });
        QCOMPARE(available(), 1);
    }

    void importIntoTheAuthorsWorks()
    {
        open(QStringLiteral("TfrmAutori"));
        program->folder.write(
            QStringLiteral("Libri.pro"),
            fileOf({book(QStringLiteral("1"), QStringLiteral("Il barone rampante"), QStringLiteral("Italo Calvino"),
                         {{libro::Citta, QStringLiteral("Torino")}, {libro::Anno, QStringLiteral("1957")}}),
                    book(QStringLiteral("2"), QStringLiteral("Altro"), QStringLiteral("Qualcuno"))}));
        screen->findChild<QLineEdit *>(QStringLiteral("txtAutore"))->setText(QStringLiteral("  Calvino "));
        auto *works = screen->findChild<QPlainTextEdit *>(QStringLiteral("txtOpere"));
        works->setPlainText(QStringLiteral("  \n "));
        QString prefilled;
        const auto importOnce = [&] {
            return search(QStringLiteral("impLibri"), QStringLiteral("TfrmTrovaLibri"), {}, [&](QWidget *d) {
                doubleClickLine(d->findChild<QListView *>(QStringLiteral("lstRecords")), 0);
            });
        };
        // The author filter comes pre-filled, trimmed.
        whileModal([&] { clickPicture(screen, QStringLiteral("impLibri")); }, QStringLiteral("TfrmTrovaLibri"),
                   [&](QWidget *d) {
                       prefilled = d->findChild<QLineEdit *>(QStringLiteral("txtAutore"))->text();
                       d->close();
                   });
        QCOMPARE(prefilled, QStringLiteral("Calvino"));
        QCOMPARE(works->toPlainText(), QStringLiteral("  \n ")); // "Chiudi" adds nothing

        Session s = importOnce();
        QCOMPARE(s.lines.size(), 1);
        const QString entry = QStringLiteral("Italo Calvino, Il barone rampante, Torino, , 1957");
        QCOMPARE(works->toPlainText(), entry); // the blanks-only text is replaced
        s = importOnce();
        // Line feed then carriage return: one line break on the card.
        QCOMPARE(works->toPlainText(), entry + QStringLiteral("\n") + entry);
        QCOMPARE(positionOf(screen), QString()); // nothing else on the card changes
        QVERIFY(!QFile::exists(program->folder.file(QStringLiteral("Autori.pro"))));
    }

    void importIntoTheBibliographyList()
    {
        open(QStringLiteral("TfrmBibliografie"));
        program->folder.write(QStringLiteral("Libri.pro"),
                              fileOf({book(QStringLiteral("1"), QStringLiteral("Titolo"), QStringLiteral("Autore"))}));
        auto *list = screen->findChild<QPlainTextEdit *>(QStringLiteral("txtBibliografia"));
        list->setPlainText(QStringLiteral("Testo esistente"));
        QString prefilled = QStringLiteral("?");
        search(QStringLiteral("impLibri"), QStringLiteral("TfrmTrovaLibri"), {}, [&](QWidget *d) {
            prefilled = d->findChild<QLineEdit *>(QStringLiteral("txtAutore"))->text();
            doubleClickLine(d->findChild<QListView *>(QStringLiteral("lstRecords")), 0);
        });
        QCOMPARE(prefilled, QString());
        QCOMPARE(list->toPlainText(), QStringLiteral("Testo esistente\nAutore, Titolo, , , "));
        // Stored with the separator the import put there.
        screen->findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->setText(QStringLiteral("Ricerca"));
        answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); });
        QCOMPARE(fieldBytes(program->folder.read(QStringLiteral("Bibliografie.pro")), bibliographyLayout(), 1,
                            bibliografia::Bibliografia),
                 QByteArray("Testo esistente\n\rAutore, Titolo, , , "));
    }

    void authorAndBibliographySearchesLoadTheirCards()
    {
        open(QStringLiteral("TfrmAutori"));
        program->folder.write(QStringLiteral("Autori.pro"),
                              fileOf({makeRecord(authorLayout(), {{autore::Autore, QStringLiteral("Dante ")},
                                                                  {autore::Opere, QStringLiteral("Commedia")}}),
                                      makeRecord(authorLayout(), {{autore::Autore, QStringLiteral("Petrarca")}})}));
        Session s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaAutori"),
                           {{QStringLiteral("txtOpere"), QStringLiteral("comm")}}, [](QWidget *d) {
                               doubleClickLine(d->findChild<QListView *>(QStringLiteral("lstRecords")), 0);
                           });
        QCOMPARE(s.lines.size(), 1);
        QVERIFY(s.lines[0].startsWith(QStringLiteral("Dante") + QString(25, QLatin1Char(' ')) +
                                      QStringLiteral("  Nazione: ")));
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        QCOMPARE(text(QStringLiteral("txtAutore")), QStringLiteral("Dante "));
        QCOMPARE(text(QStringLiteral("txtOpere")), QStringLiteral("Commedia"));
        program.reset();

        open(QStringLiteral("TfrmBibliografie"));
        program->folder.write(
            QStringLiteral("Bibliografie.pro"),
            fileOf({makeRecord(bibliographyLayout(), {{bibliografia::Titolo, QStringLiteral("Ricerca")},
                                                      {bibliografia::File01, QStringLiteral("a.doc")}})}));
        s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaBibliografie"), {},
                   [](QWidget *d) { doubleClickLine(d->findChild<QListView *>(QStringLiteral("lstRecords")), 0); });
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QStringLiteral("a.doc"));
    }

    void anUnreadableArchiveKeepsTheFilters()
    {
        open(QStringLiteral("TfrmLibri"));
        QVERIFY(QDir(program->folder.path()).mkdir(QStringLiteral("Libri.pro")));
        bool waitHidden = false;
        QString filter;
        const Session s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"),
                                 {{QStringLiteral("txtTitolo"), QStringLiteral("rosa")}}, [&](QWidget *d) {
                                     waitHidden = !d->findChild<QLabel *>(QStringLiteral("lblAttendere"))->isVisible();
                                     filter = d->findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->text();
                                 });
        QCOMPARE(s.boxes, QStringList{kAccess});
        QVERIFY(!s.onResults);
        QVERIFY(waitHidden);
        QCOMPARE(filter, QStringLiteral("rosa"));
    }

    void choosingWithoutASelectionClosesSilently()
    {
        open(QStringLiteral("TfrmLibri"));
        bool closed = false;
        const Session s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"), {}, [&](QWidget *d) {
            const Boxes b =
                answerBoxes([&] { QMetaObject::invokeMethod(d, "lstRecordsDblClick", Qt::DirectConnection); });
            QCOMPARE(b.count(), 0);
            closed = !d->isVisible();
        });
        QCOMPARE(s.count, QStringLiteral("Il presente riepilogo contiene 0 schede."));
        QVERIFY(closed);
        QCOMPARE(positionOf(screen), QString());
    }

    void findInTheList()
    {
        open(QStringLiteral("TfrmLibri"));
        QList<Record> books;
        const QStringList titles = {QStringLiteral("alfa"), QStringLiteral("la rosa"), QStringLiteral("beta"),
                                    QStringLiteral("gamma"), QStringLiteral("rosa eco")};
        for (int i = 0; i < titles.size(); ++i)
            books << book(QStringLiteral("C%1").arg(i), titles[i], QStringLiteral("x"));
        program->folder.write(QStringLiteral("Libri.pro"), fileOf(books));
        search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"), {}, [](QWidget *d) {
            auto *list = d->findChild<QListView *>(QStringLiteral("lstRecords"));
            auto *key = d->findChild<QLineEdit *>(QStringLiteral("txtTrova"));
            auto *trova = d->findChild<QPushButton *>(QStringLiteral("btnTrova"));
            key->setText(QStringLiteral("rosa"));
            trova->click();
            QCOMPARE(list->currentIndex().row(), 1);
            trova->click();
            QCOMPARE(list->currentIndex().row(), 4);
            trova->click();
            QCOMPARE(list->currentIndex().row(), 1);
            key->setText(QStringLiteral("ECO"));
            trova->click();
            QCOMPARE(list->currentIndex().row(), 4);
            // Enter in the key field moves to the button and finds nothing by itself;
            // a second Enter presses the focused button, and each further one finds again.
            key->setText(QStringLiteral("rosa"));
            key->setFocus();
            pressEnter(key);
            QCOMPARE(d->focusWidget(), static_cast<QWidget *>(trova));
            QCOMPARE(list->currentIndex().row(), 4);
            pressEnter(trova);
            QCOMPARE(list->currentIndex().row(), 1);
            pressEnter(trova);
            QCOMPARE(list->currentIndex().row(), 4);
            QVERIFY(d->isVisible());
        });
    }

    // A line found far down a long list is selected and brought into view; the
    // Enter that then chooses it loads that very book.
    void findFarDownThenChoose()
    {
        open(QStringLiteral("TfrmLibri"));
        QList<Record> books;
        for (int i = 0; i < 300; ++i)
            books << book(QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Titolo %1").arg(i),
                          i == 287 ? QStringLiteral("Ortese") : QStringLiteral("Autore"));
        program->folder.write(QStringLiteral("Libri.pro"), fileOf(books));
        const Session s = search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"), {}, [](QWidget *d) {
            auto *list = d->findChild<QListView *>(QStringLiteral("lstRecords"));
            d->findChild<QLineEdit *>(QStringLiteral("txtTrova"))->setText(QStringLiteral("ortese"));
            d->findChild<QPushButton *>(QStringLiteral("btnTrova"))->click();
            QCOMPARE(list->currentIndex().row(), 287);
            QVERIFY(lineText(list, 287).contains(QStringLiteral("Ortese")));
            QVERIFY(list->selectionModel()->isSelected(list->currentIndex()));
            QVERIFY(list->viewport()->rect().contains(list->visualRect(list->currentIndex()).center()));
            QMetaObject::invokeMethod(d, "lstRecordsDblClick", Qt::DirectConnection);
        });
        QCOMPARE(s.lines.size(), 300);
        QCOMPARE(text(QStringLiteral("txtTitolo")), QStringLiteral("Titolo 287"));
        QCOMPARE(positionOf(screen), QStringLiteral("288"));
    }

    void findOnAnEmptyList()
    {
        open(QStringLiteral("TfrmLibri"));
        search(QStringLiteral("cmdTrova"), QStringLiteral("TfrmTrovaLibri"), {}, [](QWidget *d) {
            d->findChild<QLineEdit *>(QStringLiteral("txtTrova"))->setText(QStringLiteral("x"));
            const Boxes b = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnTrova"))->click(); });
            QCOMPARE(b.texts,
                     QStringList{QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.")});
            QCOMPARE(b.icons.value(0), QMessageBox::NoIcon);
        });
    }

    void filterPanelLayout_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("last");
        QTest::newRow("books") << "TfrmLibri"
                               << "cmdTrova"
                               << "TfrmTrovaLibri"
                               << " Trova libri in archivio"
                               << "txtTitolo"
                               << "txtNote";
        QTest::newRow("available") << "TfrmLibri"
                                   << "cmdDisponibili"
                                   << "TfrmTrovaDisponibili"
                                   << " Trova libri disponibili per il prestito"
                                   << "txtTitolo"
                                   << "txtNote";
        QTest::newRow("authors") << "TfrmAutori"
                                 << "cmdTrova"
                                 << "TfrmTrovaAutori"
                                 << " Trova autori in archivio"
                                 << "txtAutore"
                                 << "txtGiudizio";
        QTest::newRow("bibliographies") << "TfrmBibliografie"
                                        << "cmdTrova"
                                        << "TfrmTrovaBibliografie"
                                        << " Trova bibliografie in archivio"
                                        << "txtTitolo"
                                        << "txtDestinatari";
    }
    void filterPanelLayout()
    {
        QFETCH(QString, archive);
        QFETCH(QString, picture);
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QString, focus);
        QFETCH(QString, last);
        open(archive);
        QVERIFY(whileModal([&] { clickPicture(screen, picture); }, dialog,
                           [&](QWidget *d) {
                               QCOMPARE(d->windowTitle(), caption);
                               QCOMPARE(d->focusWidget()->objectName(), focus);
                               QVERIFY(d->findChild<QWidget *>(QStringLiteral("panAvvio"))->isVisible());
                               QVERIFY(!d->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
                               QVERIFY(!d->findChild<QWidget *>(QStringLiteral("lblAttendere"))->isVisible());
                               // The Enter chain wraps from the last filter to the first and searches nothing.
                               QWidget *lastField = d->findChild<QWidget *>(last);
                               lastField->setFocus();
                               pressEnter(lastField);
                               QCOMPARE(d->focusWidget()->objectName(), focus);
                               QVERIFY(d->findChild<QWidget *>(QStringLiteral("panAvvio"))->isVisible());
                               QVERIFY(d->findChild<QWidget *>(QStringLiteral("eff") + focus.mid(3))->isVisible());
                               d->close();
                           }));
    }

    // Both panels take the window's middle, 833 x 529 inside 862 x 560, and
    // everything on them, focus frames included, stays inside: nothing touches
    // the title bar or the window's edges.
    void panelsKeepTheirBorder_data() { filterPanelLayout_data(); }
    void panelsKeepTheirBorder()
    {
        QFETCH(QString, archive);
        QFETCH(QString, picture);
        QFETCH(QString, dialog);
        open(archive);
        QStringList checked;
        const auto inside = [&](QWidget *d, const QString &panelName) {
            auto *panel = d->findChild<QWidget *>(panelName);
            QVERIFY(panel->isVisible());
            // Both panels the same size, centred in the window to the pixel.
            QCOMPARE(panel->size(), QSize(833, 529));
            const QRect g = panel->geometry();
            QVERIFY2(qAbs(g.left() - (d->width() - 1 - g.right())) <= 1, qPrintable(panelName));
            QVERIFY2(qAbs(g.top() - (d->height() - 1 - g.bottom())) <= 1, qPrintable(panelName));
            for (QWidget *w : panel->findChildren<QWidget *>()) {
                if (!w->isVisible()) continue;
                const QRect r(w->mapTo(panel, QPoint(0, 0)), w->size());
                QVERIFY2(panel->rect().contains(r), qPrintable(w->objectName() + w->metaObject()->className()));
            }
            checked << panelName;
        };
        QVERIFY(whileModal([&] { clickPicture(screen, picture); }, dialog,
                           [&](QWidget *d) {
                               QCOMPARE(d->size(), QSize(862, 560));
                               inside(d, QStringLiteral("panAvvio"));
                               answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click(); });
                               inside(d, QStringLiteral("panContainer"));
                               d->close();
                           }));
        QCOMPARE(checked, QStringList({QStringLiteral("panAvvio"), QStringLiteral("panContainer")}));
    }
};

QTEST_MAIN(TestSearchScreens)
#include "tst_search_screens.moc"
