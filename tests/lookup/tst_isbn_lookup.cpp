// The book card filled from the catalogues by its ISBN, with a server of ours on
// 127.0.0.1 standing in for them.
#include "lookup/FakeCatalogue.h"
#include "store/BookRecord.h"
#include "store/ProgramSettings.h"
#include "support/ArchiveKit.h"
#include "support/Files.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;
using Reply = FakeCatalogue::Reply;

namespace {

const QString kEmptyIsbn =
    QStringLiteral("Attenzione: per poter cercare i dati del libro è necessario compilare il campo relativo all'ISBN.");
const QString kInvalidIsbn =
    QStringLiteral("Attenzione: l'ISBN indicato non è valido. Controllare le cifre e la cifra di controllo.");
const QString kNotFound = QStringLiteral("Nessun libro trovato in rete con l'ISBN indicato.");
const QString kNoAnswer = QStringLiteral(
    "Attenzione: non è stato possibile collegarsi ai servizi di ricerca. Controllare la connessione a Internet.");
const QString kCoverFailed = QStringLiteral("Attenzione: non è stato possibile scaricare la copertina del libro.");
const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");

const QByteArray kSearch = "/opacmobilegw/search.json";
const QByteArray kFull = "/opacmobilegw/full.json";
const QByteArray kBooks = "/api/books";
const QByteArray kSearchTarget = "/opacmobilegw/search.json?isbn=9788845292613&rows=1";
const QByteArray kFullTarget = "/opacmobilegw/full.json?bid=IT%5CICCU%5CRMB%5C0769708";
const QByteArray kBooksTarget = "/api/books?bibkeys=ISBN:9788845292613&format=json&jscmd=data";

const QByteArray kSbnFound = "{\"briefRecords\":[{\"codiceIdentificativo\":\"IT\\\\ICCU\\\\RMB\\\\0769708\","
                             "\"titolo\":\"Il *nome della rosa / Umberto Eco\"}]}";
const QByteArray kSbnNone = "{\"briefRecords\":[]}";
const QByteArray kSbnRecord =
    "{\"titolo\":\"Il *nome della rosa / Umberto Eco\","
    "\"autorePrincipale\":\"Eco, Umberto <1932-2016>\",\"pubblicazione\":\"Milano : Bompiani, 1980\","
    "\"descrizioneFisica\":\"503 p. ; 21 cm.\",\"collezione\":\"Portico\",\"linguaPubblicazione\":\"ita\"}";
const QByteArray kOpenLibrary =
    "{\"ISBN:9788845292613\":{\"title\":\"The Name of the Rose\","
    "\"authors\":[{\"name\":\"Umberto "
    "Eco\"}],\"publishers\":[{\"name\":\"Harcourt\"}],\"publish_places\":[{\"name\":\"San Diego\"}],"
    "\"publish_date\":\"1983\",\"number_of_pages\":536,\"classifications\":{\"dewey_decimal_class\":[\"853.914\"]},"
    "\"cover\":{\"large\":\"https://covers.openlibrary.org/b/id/1-L.jpg\"}}}";
const QByteArray kJpeg = QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + QByteArray(500, 'c') + "\xFF\xD9";

Reply json(const QByteArray &body, int status = 200) { return Reply{status, body}; }
Reply never()
{
    Reply r;
    r.never = true;
    return r;
}

using Fields = QList<QPair<int, QString>>;

} // namespace

Q_DECLARE_METATYPE(opusteca::test::FakeCatalogue::Reply)

class TestIsbnLookup : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<FakeCatalogue> server;
    QWidget *screen = nullptr;

    QString cardText(int field) const
    {
        QWidget *w = screen->findChild<QWidget *>(QString::fromLatin1(libro::kFields[field].control));
        if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
        if (auto *l = qobject_cast<QLabel *>(w)) return l->text();
        return w ? w->property("currentText").toString() : QString();
    }
    void setCardText(int field, const QString &text)
    {
        QWidget *w = screen->findChild<QWidget *>(QString::fromLatin1(libro::kFields[field].control));
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(text);
        else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(text);
        else
            w->setProperty("currentText", text);
    }
    void setWait(int seconds)
    {
        ProgramSettings(program->folder.path()).setNumber(QStringLiteral("ISBN"), QStringLiteral("Attesa"), seconds);
    }

    struct Run {
        Boxes boxes;
        bool dialog = false;
        QString source;
        QStringList captions; // grid rows: caption
        QStringList found;    // grid rows: value found
        QList<bool> ticks;    // grid rows: ticked
        bool coverShown = false;
        bool coverEnabled = false;
    };
    // Presses the picture; on the result screen, `inside` may change the ticks, then
    // `button` is pressed. Message boxes are answered with `answer`.
    Run lookUp(const std::function<void(QWidget *)> &inside = {}, const QString &button = "btnApplica",
               QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        Run run;
        run.boxes = answerBoxes(
            [&] {
                run.dialog = whileModal([&] { clickPicture(screen, QStringLiteral("btnCercaISBN")); },
                                        QStringLiteral("TfrmDatiISBN"),
                                        [&](QWidget *d) {
                                            run.source = d->findChild<QLabel *>("lblFonte")->text();
                                            auto *grid = d->findChild<QTableWidget *>("grdDati");
                                            for (int r = 0; r < grid->rowCount(); ++r) {
                                                run.captions << grid->item(r, 0)->text();
                                                run.found << grid->item(r, 1)->text();
                                                run.ticks << (grid->item(r, 0)->checkState() == Qt::Checked);
                                            }
                                            auto *chk = d->findChild<QCheckBox *>("chkCopertina");
                                            run.coverShown = !chk->isHidden();
                                            run.coverEnabled = chk->isEnabled() && chk->isChecked();
                                            if (inside) inside(d);
                                            d->findChild<QPushButton *>(button)->click();
                                        });
            },
            answer);
        return run;
    }

private slots:
    void init()
    {
        ProgramSettings::forgetSessionValuesForTesting();
        program = std::make_unique<RunningProgram>();
        server = std::make_unique<FakeCatalogue>();
        qputenv("OPUSTECA_ISBN_SERVER", server->address().toLatin1());
        setWait(2);
        screen = openArchive(*program, QStringLiteral("TfrmLibri"));
        QVERIFY(screen);
        setCardText(libro::Isbn, QStringLiteral("978-88-452-9261-3"));
    }
    void cleanup()
    {
        program.reset();
        server.reset();
        qunsetenv("OPUSTECA_ISBN_SERVER");
        QVERIFY(!QApplication::overrideCursor());
    }

    void refusedIsbn_data()
    {
        QTest::addColumn<QString>("isbn");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << kEmptyIsbn;
        QTest::newRow("hyphens only") << " - -" << kEmptyIsbn;
        QTest::newRow("wrong check digit") << "978-88-452-9261-4" << kInvalidIsbn;
        QTest::newRow("X in an ISBN-13") << "978020161622X" << kInvalidIsbn;
        QTest::newRow("too short") << "88-452-9261" << kInvalidIsbn;
    }
    void refusedIsbn()
    {
        QFETCH(QString, isbn);
        QFETCH(QString, message);
        setCardText(libro::Isbn, isbn);
        screen->findChild<QWidget *>("txtTitolo")->setFocus();
        const Run run = lookUp();
        QCOMPARE(run.boxes.texts, QStringList{message});
        QCOMPARE(run.boxes.icons.value(0), QMessageBox::Warning);
        QVERIFY(!run.dialog);
        QCOMPARE(screen->focusWidget(), screen->findChild<QWidget *>("txtIsbn"));
        QVERIFY(server->requests.isEmpty());
    }

    // What each source answers, which one the result screen names, and the requests sent.
    void sources_data()
    {
        QTest::addColumn<Reply>("search");
        QTest::addColumn<Reply>("full");
        QTest::addColumn<Reply>("books");
        QTest::addColumn<QString>("message"); // empty: the result screen shows
        QTest::addColumn<QString>("title");   // the title the card gets
        QTest::addColumn<QList<QByteArray>>("requests");
        const QString sbnTitle = QStringLiteral("Il nome della rosa");
        const QString olTitle = QStringLiteral("The Name of the Rose");
        QTest::newRow("found in SBN") << json(kSbnFound) << json(kSbnRecord) << json(kOpenLibrary) << "" << sbnTitle
                                      << QList<QByteArray>{kSearchTarget, kFullTarget};
        QTest::newRow("not in SBN, in Open Library") << json(kSbnNone) << json(kSbnRecord) << json(kOpenLibrary) << ""
                                                     << olTitle << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("found nowhere") << json(kSbnNone) << json(kSbnRecord) << json("{}") << kNotFound << ""
                                       << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("SBN error 500") << json("{}", 500) << json(kSbnRecord) << json(kOpenLibrary) << "" << olTitle
                                       << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("record of SBN fails") << json(kSbnFound) << json(kSbnRecord, 503) << json(kOpenLibrary) << ""
                                             << olTitle << QList<QByteArray>{kSearchTarget, kFullTarget, kBooksTarget};
        QTest::newRow("both fail") << json("", 500) << json(kSbnRecord) << json("", 502) << kNoAnswer << ""
                                   << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("SBN never answers") << never() << json(kSbnRecord) << json(kOpenLibrary) << "" << olTitle
                                           << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("nobody answers") << never() << json(kSbnRecord) << never() << kNoAnswer << ""
                                        << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("malformed JSON, then nothing found")
            << json("{\"briefRecords\":[{\"codiceIdentificativo\":") << json(kSbnRecord) << json("{}") << kNotFound
            << "" << QList<QByteArray>{kSearchTarget, kBooksTarget};
        QTest::newRow("malformed everywhere") << json("<html>") << json(kSbnRecord) << json("{\"ISBN") << kNoAnswer
                                              << "" << QList<QByteArray>{kSearchTarget, kBooksTarget};
        // A record the program would follow, were the reply read.
        QByteArray big = kSbnFound;
        big.insert(big.lastIndexOf('}'), ",\"pad\":\"" + QByteArray(3 * 1024 * 1024, 'x') + "\"");
        QTest::newRow("3 MB reply") << json(big) << json(kSbnRecord) << json(kOpenLibrary) << "" << olTitle
                                    << QList<QByteArray>{kSearchTarget, kBooksTarget};
        Reply unannounced = json(big);
        unannounced.withLength = false;
        QTest::newRow("3 MB reply of unknown length") << unannounced << json(kSbnRecord) << json(kOpenLibrary) << ""
                                                      << olTitle << QList<QByteArray>{kSearchTarget, kBooksTarget};
    }
    void sources()
    {
        QFETCH(Reply, search);
        QFETCH(Reply, full);
        QFETCH(Reply, books);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(QList<QByteArray>, requests);
        setWait(1);
        server->answer(kSearch, search);
        server->answer(kFull, full);
        server->answer(kBooks, books);
        // The cover is left out here: only the catalogues' requests are looked at.
        const Run run = lookUp([](QWidget *d) { d->findChild<QCheckBox *>("chkCopertina")->setChecked(false); });
        QCOMPARE(server->requests, requests);
        QCOMPARE(run.dialog, message.isEmpty());
        QCOMPARE(run.boxes.texts, message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(run.boxes.icons.value(0), message == kNotFound ? QMessageBox::Information : QMessageBox::Warning);
        QCOMPARE(cardText(libro::Titolo), title);
        if (run.dialog) QVERIFY(run.source.contains(requests.last() == kBooksTarget ? "Open Library" : "SBN"));
    }

    void sbnRecordFillsTheCard()
    {
        server->answer(kSearch, json(kSbnFound));
        server->answer(kFull, json(kSbnRecord));
        const Run run = lookUp();
        QCOMPARE(run.captions, (QStringList{"Titolo libro", "Autore", "Pagine", "Casa editrice", "Città", "Anno",
                                            "Collana", "Formato", "Lingua"}));
        QCOMPARE(run.ticks, QList<bool>(9, true));
        QVERIFY(!run.coverShown);
        const Fields expected = {
            {libro::Titolo, "Il nome della rosa"}, {libro::Autore, "Eco, Umberto"}, {libro::Pagine, "503"},
            {libro::Editore, "Bompiani"},          {libro::Citta, "Milano"},        {libro::Anno, "1980"},
            {libro::Collana, "Portico"},           {libro::Formato, "21 cm"},       {libro::Lingua, "Italiano"}};
        for (const auto &[field, value] : expected) QCOMPARE(cardText(field), value);
        // Nothing is saved: the card stays new and the archive untouched.
        QCOMPARE(positionOf(screen), QString());
        QVERIFY(!QFile::exists(program->folder.file("Libri.pro")));
    }

    void ticksStartWhereTheCardIsEmpty()
    {
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json(kOpenLibrary));
        setCardText(libro::Titolo, "Il nome della rosa");
        setCardText(libro::Anno, "2012");
        // The user ticks the year to take the catalogue's and unticks the pages.
        const Run run = lookUp([](QWidget *d) {
            auto *grid = d->findChild<QTableWidget *>("grdDati");
            for (int r = 0; r < grid->rowCount(); ++r) {
                if (grid->item(r, 0)->text() == "Anno") grid->item(r, 0)->setCheckState(Qt::Checked);
                if (grid->item(r, 0)->text() == "Pagine") grid->item(r, 0)->setCheckState(Qt::Unchecked);
            }
        });
        QCOMPARE(run.captions,
                 (QStringList{"Titolo libro", "Autore", "Dewey", "Pagine", "Casa editrice", "Città", "Anno"}));
        QCOMPARE(run.ticks, (QList<bool>{false, true, true, true, true, true, false}));
        QCOMPARE(cardText(libro::Titolo), "Il nome della rosa");
        QCOMPARE(cardText(libro::Autore), "Umberto Eco");
        QCOMPARE(cardText(libro::Dewey), "853");
        QCOMPARE(cardText(libro::Pagine), "");
        QCOMPARE(cardText(libro::Citta), "San Diego");
        QCOMPARE(cardText(libro::Anno), "1983");
    }

    void annullaChangesNothing()
    {
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json(kOpenLibrary));
        setCardText(libro::Autore, "Eco");
        const Run run = lookUp({}, "btnAnnulla");
        QVERIFY(run.dialog);
        QVERIFY(run.coverShown);
        QCOMPARE(cardText(libro::Titolo), "");
        QCOMPARE(cardText(libro::Autore), "Eco");
        QCOMPARE(cardText(libro::File01), "");
        QVERIFY(!QDir(program->folder.file("Documenti_Allegati")).exists());
        QCOMPARE(server->requests.size(), 2);
    }

    // Accents whichever way the server spells them; a text longer than the field
    // and letters the code page lacks as the card takes them.
    void textsAsTheCardTakesThem_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("Latin-1 named") << QByteArray("application/json; charset=ISO-8859-1")
                                       << QByteArray("{\"titolo\":\"Perch\xE9 / x\",\"pubblicazione\":\"Forl\xEC : "
                                                     "L'\xC9quipe, 1999\",\"autorePrincipale\":\"Ko\\u0142akowski, "
                                                     "Leszek\"}");
        QTest::newRow("UTF-8") << QByteArray("application/json")
                               << QString::fromUtf8("{\"titolo\":\"Perché / x\",\"pubblicazione\":\"Forlì : L'Équipe, "
                                                    "1999\",\"autorePrincipale\":\"Kołakowski, Leszek\"}")
                                      .toUtf8();
        QTest::newRow("Latin-1 unnamed") << QByteArray("application/json")
                                         << QByteArray("{\"titolo\":\"Perch\xE9\",\"pubblicazione\":\"Forl\xEC : "
                                                       "L'\xC9quipe, 1999\",\"autorePrincipale\":\"Kolakowski, "
                                                       "Leszek\"}");
    }
    void textsAsTheCardTakesThem()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        server->answer(kSearch, json(kSbnFound));
        Reply full = json(body);
        full.contentType = contentType;
        server->answer(kFull, full);
        lookUp();
        QCOMPARE(cardText(libro::Titolo), QString::fromUtf8("Perché"));
        QCOMPARE(cardText(libro::Citta), QString::fromUtf8("Forlì"));
        QCOMPARE(cardText(libro::Editore), QString::fromUtf8("L'Équipe"));
        QCOMPARE(cardText(libro::Autore), QStringLiteral("Kolakowski, Leszek"));
    }

    void longTitleCutAtItsCapacity()
    {
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json("{\"ISBN:9788845292613\":{\"title\":\"" + QByteArray(240, 'a') +
                                    "\",\"subtitle\":\"sottotitolo lungo\",\"number_of_pages\":12345678901234}}"));
        const Run run = lookUp();
        QCOMPARE(run.found.value(0), QString(240, u'a') + ": sottotit");
        QCOMPARE(cardText(libro::Titolo), QString(240, u'a') + ": sottotit");
        // A number of pages beyond belief is left out.
        QVERIFY(!run.captions.contains("Pagine"));
        QCOMPARE(cardText(libro::Pagine), "");
    }

    void chosenSources_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QList<QByteArray>>("requests");
        QTest::newRow("Open Library only") << "openlibrary" << QList<QByteArray>{kBooksTarget};
        QTest::newRow("Open Library first") << "openlibrary, sbn" << QList<QByteArray>{kBooksTarget, kSearchTarget};
        QTest::newRow("unknown name") << "altro" << QList<QByteArray>{kSearchTarget, kBooksTarget};
    }
    void chosenSources()
    {
        QFETCH(QString, setting);
        QFETCH(QList<QByteArray>, requests);
        ProgramSettings(program->folder.path()).setText("ISBN", "Fonti", setting);
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json("{}"));
        const Run run = lookUp();
        QCOMPARE(run.boxes.texts, QStringList{kNotFound});
        QCOMPARE(server->requests, requests);
    }

    void annullaWhileWaiting()
    {
        setWait(30);
        server->answer(kSearch, never());
        server->answer(kBooks, json(kOpenLibrary));
        QElapsedTimer clock;
        clock.start();
        bool sawCursor = false;
        Boxes boxes = answerBoxes([&] {
            QVERIFY(whileModal([&] { clickPicture(screen, QStringLiteral("btnCercaISBN")); },
                               QStringLiteral("dlgRicercaISBN"),
                               [&](QWidget *progress) {
                                   sawCursor = QApplication::overrideCursor() &&
                                               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
                                   QVERIFY(qobject_cast<QProgressDialog *>(progress)->labelText().contains("SBN"));
                                   // Annulla once the request is on its way.
                                   QTRY_VERIFY(!server->requests.isEmpty());
                                   progress->findChild<QPushButton *>("btnAnnulla")->click();
                               }));
        });
        QVERIFY(sawCursor);
        QVERIFY(boxes.texts.isEmpty());
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(server->requests, QList<QByteArray>{kSearchTarget});
        QCOMPARE(cardText(libro::Titolo), "");
    }

    // The cover from the address the catalogue gives, kept as the ISBN-13 in the
    // attachments folder and named in the first empty slot.
    void cover_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Reply>("image");
        QTest::addColumn<QStringList>("slotsBefore"); // File01..03
        QTest::addColumn<QStringList>("slotsAfter");
        QTest::addColumn<QString>("message");
        const QString name = "9788845292613.jpg";
        Reply jpeg{200, kJpeg, "image/jpeg"};
        QTest::newRow("first slot") << "978-88-452-9261-3" << jpeg << QStringList{"", "", ""}
                                    << QStringList{name, "", ""} << "";
        QTest::newRow("typed as ISBN-10")
            << "88-452-9261-4" << jpeg << QStringList{"", "", ""} << QStringList{name, "", ""} << "";
        QTest::newRow("first empty slot") << "9788845292613" << jpeg << QStringList{"indice.pdf", "", "x.doc"}
                                          << QStringList{"indice.pdf", name, "x.doc"} << "";
        QTest::newRow("cover 404") << "9788845292613" << Reply{404, "no", "text/plain"} << QStringList{"a.pdf", "", ""}
                                   << QStringList{"a.pdf", "", ""} << kCoverFailed;
        QTest::newRow("not an image") << "9788845292613" << Reply{200, "<html>", "text/html"} << QStringList{"", "", ""}
                                      << QStringList{"", "", ""} << kCoverFailed;
    }
    void cover()
    {
        QFETCH(QString, typed);
        QFETCH(Reply, image);
        QFETCH(QStringList, slotsBefore);
        QFETCH(QStringList, slotsAfter);
        QFETCH(QString, message);
        const QString bibkeyIsbn = isbnDigits(typed);
        setCardText(libro::Isbn, typed);
        for (int i = 0; i < 3; ++i) setCardText(libro::File01 + i, slotsBefore.at(i));
        setCardText(libro::Desc02, "vecchia");
        server->answer(kSearch, json(kSbnNone));
        QByteArray ol = kOpenLibrary;
        ol.replace("ISBN:9788845292613", "ISBN:" + bibkeyIsbn.toLatin1());
        server->answer(kBooks, json(ol));
        server->answer("/b/id/1-L.jpg", image);
        const Run run = lookUp();
        QVERIFY(run.coverShown && run.coverEnabled);
        QCOMPARE(server->requests.last(), QByteArray("/b/id/1-L.jpg"));
        QCOMPARE(run.boxes.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QStringList after;
        for (int i = 0; i < 3; ++i) after << cardText(libro::File01 + i);
        QCOMPARE(after, slotsAfter);
        const int filled = slotsAfter.indexOf("9788845292613.jpg");
        if (filled >= 0) {
            QCOMPARE(cardText(libro::Desc01 + filled), "Copertina");
            QCOMPARE(program->folder.read("Documenti_Allegati/9788845292613.jpg"), kJpeg);
        } else {
            QCOMPARE(cardText(libro::Desc02), "vecchia");
            QVERIFY(!QFile::exists(program->folder.file("Documenti_Allegati/9788845292613.jpg")));
        }
        // The values are applied whatever became of the cover.
        QCOMPARE(cardText(libro::Titolo), "The Name of the Rose");
    }

    void coverOfTheSameName_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("replaced") << int(QMessageBox::Yes) << kJpeg;
        QTest::newRow("kept") << int(QMessageBox::No) << QByteArray("old cover");
    }
    void coverOfTheSameName()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, kept);
        writeAll(program->folder.file("Documenti_Allegati/9788845292613.jpg"), "old cover");
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json(kOpenLibrary));
        server->answer("/b/id/1-L.jpg", Reply{200, kJpeg, "image/jpeg"});
        const Run run = lookUp({}, "btnApplica", QMessageBox::StandardButton(answer));
        QCOMPARE(run.boxes.texts, QStringList{kOverwrite});
        QCOMPARE(program->folder.read("Documenti_Allegati/9788845292613.jpg"), kept);
        // Either way the slot names the copy in the folder.
        QCOMPARE(cardText(libro::File01), "9788845292613.jpg");
        QCOMPARE(cardText(libro::Desc01), "Copertina");
    }

    void coverUnticked()
    {
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json(kOpenLibrary));
        lookUp([](QWidget *d) { d->findChild<QCheckBox *>("chkCopertina")->setChecked(false); });
        QCOMPARE(server->requests.size(), 2);
        QCOMPARE(cardText(libro::File01), "");
        QCOMPARE(cardText(libro::Titolo), "The Name of the Rose");
    }

    void noFreeSlotForTheCover()
    {
        for (int i = 0; i < 3; ++i) setCardText(libro::File01 + i, QStringLiteral("f%1.pdf").arg(i));
        server->answer(kSearch, json(kSbnNone));
        server->answer(kBooks, json(kOpenLibrary));
        const Run run = lookUp();
        QVERIFY(run.coverShown);
        QVERIFY(!run.coverEnabled);
        QCOMPARE(server->requests.size(), 2);
        QCOMPARE(cardText(libro::File03), "f2.pdf");
    }

private:
    static QString isbnDigits(QString typed) { return typed.remove(u'-'); }
};

QTEST_MAIN(TestIsbnLookup)
#include "tst_isbn_lookup.moc"
