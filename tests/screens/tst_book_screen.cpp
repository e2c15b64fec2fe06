#include "store/BookRecord.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"
#include "support/UrlCatcher.h"

#include "kit/core/RegionalSettings.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>
#include <QWindow>

using namespace opusteca;
using namespace opusteca::test;

namespace {
const QString kFile = QStringLiteral("Libri.pro");
const QString kAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");

Record book(const QString &title, const QString &code = QStringLiteral("C1"),
            const QString &author = QStringLiteral("Autore"))
{
    return makeRecord(bookLayout(), {{libro::Titolo, title},
                                     {libro::Codice, code},
                                     {libro::Autore, author},
                                     {libro::Convalida, libro::no()},
                                     {libro::Annullata, libro::no()}});
}

} // namespace

class TestBookScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *screen = nullptr;

    QLineEdit *edit(const QString &name) { return screen->findChild<QLineEdit *>(name); }
    void fill(const QString &name, const QString &text) { edit(name)->setText(text); }
    Boxes press(const QString &picture)
    {
        return answerBoxes([&] { clickPicture(screen, picture); });
    }
    QByteArray file() const { return program->folder.read(kFile); }

private slots:
    void init()
    {
        program = std::make_unique<RunningProgram>();
        screen = openArchive(*program, QStringLiteral("TfrmLibri"));
        QVERIFY(screen && screen->isVisible());
    }
    void cleanup()
    {
        program.reset();
        RegionalSettings::setFixedNow(std::nullopt);
    }

    void opensOnANewCard()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral(" Opusteca 2.0 - Archivio Libri"));
        QCOMPARE(positionOf(screen), QString());
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("txtConvalida"))->text(), QStringLiteral("No"));
        QCOMPARE(screen->findChild<QComboBox *>(QStringLiteral("txtGenere"))->count(), 120);
        QCOMPARE(screen->findChild<QComboBox *>(QStringLiteral("txtLingua"))->count(), 213);
        QCOMPARE(screen->findChild<QComboBox *>(QStringLiteral("txtGenere"))->currentIndex(), -1);
        QCOMPARE(screen->findChild<QComboBox *>(QStringLiteral("txtLingua"))->itemText(0), QStringLiteral("Afrikaans"));
        QCOMPARE(screen->findChild<QComboBox *>(QStringLiteral("txtGenere"))->itemText(119),
                 QStringLiteral("Usi e costumi, etichetta, folclore"));
    }

    void appendThenOverwrite()
    {
        program->folder.write(kFile, fileOf({book("a"), book("b"), book("c"), book("d")}));
        fill(QStringLiteral("txtTitolo"), QStringLiteral("Il nome della rosa"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("A12"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("  Umberto Eco  "));
        Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, QStringList{kInserted});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Information);
        QCOMPARE(boxes.buttonCounts.value(0), 2);
        QCOMPARE(positionOf(screen), QStringLiteral("5"));
        QByteArray bytes = file();
        QCOMPARE(bytes.size(), 5 * 3237);
        const qsizetype rec = 4 * 3237;
        QCOMPARE(quint8(bytes[rec + 330]), quint8(11)); // "Umberto Eco", blanks trimmed
        QCOMPARE(bytes.mid(rec + 331, 11), QByteArray("Umberto Eco"));
        QCOMPARE(bytes.mid(rec + 276, 3), QByteArray("\x02No"));
        QCOMPARE(bytes.mid(rec + 1728, 3), QByteArray("\x02No"));

        fill(QStringLiteral("txtNote"), QStringLiteral("seconda"));
        boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, QStringList{kUpdated});
        QCOMPARE(positionOf(screen), QStringLiteral("5"));
        bytes = file();
        QCOMPARE(bytes.size(), 5 * 3237);
        QCOMPARE(fieldBytes(bytes, bookLayout(), 5, libro::Note), QByteArray("seconda"));
        QCOMPARE(fieldBytes(bytes, bookLayout(), 4, libro::Titolo), QByteArray("d"));
    }

    void mandatoryFieldsInOrder_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString t =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo del libro.");
        const QString c = QStringLiteral(
            "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del libro.");
        const QString a = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'autore del libro.");
        QTest::newRow("blank title wins") << "   "
                                          << "X"
                                          << "Y" << t << "txtTitolo";
        QTest::newRow("all blank") << ""
                                   << ""
                                   << "" << t << "txtTitolo";
        QTest::newRow("no code") << "T"
                                 << ""
                                 << "Y" << c << "txtCodice";
        QTest::newRow("no code, no author") << "T"
                                            << "\t"
                                            << "" << c << "txtCodice";
        QTest::newRow("no author") << "T"
                                   << "X"
                                   << "  " << a << "txtAutore";
    }
    void mandatoryFieldsInOrder()
    {
        QFETCH(QString, title);
        QFETCH(QString, code);
        QFETCH(QString, author);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        fill(QStringLiteral("txtTitolo"), title);
        fill(QStringLiteral("txtCodice"), code);
        fill(QStringLiteral("txtAutore"), author);
        const Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, QStringList{message});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
        QCOMPARE(screen->focusWidget()->objectName(), focus);
        // The archive is not even opened.
        QVERIFY(!QFile::exists(program->folder.file(kFile)));
        QCOMPARE(positionOf(screen), QString());
    }

    void browsingAnEmptyArchive_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("first") << "cmdPrimo";
        QTest::newRow("previous") << "cmdIndietro";
        QTest::newRow("next") << "cmdAvanti";
        QTest::newRow("last") << "cmdUltimo";
    }
    void browsingAnEmptyArchive()
    {
        QFETCH(QString, picture);
        const Boxes boxes = press(picture);
        QCOMPARE(boxes.texts, QStringList{kEmpty});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Information);
        QCOMPARE(positionOf(screen), QString());
        // The missing file is created, empty.
        QVERIFY(QFile::exists(program->folder.file(kFile)));
        QCOMPARE(file().size(), 0);
    }

    void browsingSteps_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("start"); // label before the step ("" = new card)
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("expected"); // label after
        QTest::newRow("next from new") << 3 << ""
                                       << "cmdAvanti"
                                       << "1";
        QTest::newRow("previous from new") << 3 << ""
                                           << "cmdIndietro"
                                           << "1";
        QTest::newRow("next in the middle") << 3 << "2"
                                            << "cmdAvanti"
                                            << "3";
        QTest::newRow("next on the last") << 3 << "3"
                                          << "cmdAvanti"
                                          << "3";
        QTest::newRow("previous in the middle") << 3 << "3"
                                                << "cmdIndietro"
                                                << "2";
        QTest::newRow("previous on the first") << 3 << "1"
                                               << "cmdIndietro"
                                               << "1";
        QTest::newRow("first") << 3 << "2"
                               << "cmdPrimo"
                               << "1";
        QTest::newRow("last") << 3 << ""
                              << "cmdUltimo"
                              << "3";
        QTest::newRow("one record, next") << 1 << "1"
                                          << "cmdAvanti"
                                          << "1";
        QTest::newRow("one record, last") << 1 << ""
                                          << "cmdUltimo"
                                          << "1";
    }
    void browsingSteps()
    {
        QFETCH(int, records);
        QFETCH(QString, start);
        QFETCH(QString, picture);
        QFETCH(QString, expected);
        QList<Record> list;
        for (int i = 1; i <= records; ++i) list << book(QStringLiteral("Libro %1").arg(i));
        program->folder.write(kFile, fileOf(list));
        if (!start.isEmpty()) {
            // Bring the card to the starting record through the program itself.
            press(QStringLiteral("cmdPrimo"));
            while (positionOf(screen) != start) press(QStringLiteral("cmdAvanti"));
        }
        const Boxes boxes = press(picture);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(positionOf(screen), expected);
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Libro ") + expected);
    }

    void nextOnAnEmptyArchiveEmptiesThePosition()
    {
        program->folder.write(kFile, fileOf({book("a")}));
        press(QStringLiteral("cmdPrimo"));
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        program->folder.write(kFile, QByteArray()); // emptied by someone else
        const Boxes boxes = press(QStringLiteral("cmdAvanti"));
        QCOMPARE(boxes.texts, QStringList{kEmpty});
        QCOMPARE(positionOf(screen), QString());
        program->folder.write(kFile, fileOf({book("a")}));
        press(QStringLiteral("cmdPrimo"));
        program->folder.write(kFile, QByteArray());
        QCOMPARE(press(QStringLiteral("cmdUltimo")).texts, QStringList{kEmpty});
        QCOMPARE(positionOf(screen), QStringLiteral("1")); // Last leaves the card as it was
    }

    void loadingTrimsAndKeepsUnknownFlags()
    {
        // A record written elsewhere, with blanks around its values and Convalida "Sì".
        Record r = book(QStringLiteral("x"));
        QByteArray bytes = r.bytes();
        const QByteArray padded = "  Titolo  ";
        bytes[0] = char(padded.size());
        bytes.replace(1, padded.size(), padded);
        bytes.replace(276, 3, QByteArray("\x02S\xEC", 3));
        program->folder.write(kFile, bytes);
        press(QStringLiteral("cmdPrimo"));
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Titolo"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("txtConvalida"))->text(), QStringLiteral("Sì"));
        press(QStringLiteral("cmdSalva"));
        QCOMPARE(file().mid(276, 3), QByteArray("\x02S\xEC", 3));
        QCOMPARE(file().mid(0, 7), QByteArray("\x06Titolo"));
    }

    void damagedAndTruncatedFilesLoad()
    {
        QByteArray bytes = fileOf({book(QStringLiteral("uno")), book(QStringLiteral("due"))});
        bytes[3237 + 483] = char(0xFF); // Dewey of record 2 claims 255 bytes in a 3-byte field
        bytes.replace(3237 + 484, 3, "123");
        bytes.append(QByteArray(1000, 'x')); // and a partial third record
        program->folder.write(kFile, bytes);
        QCOMPARE(press(QStringLiteral("cmdUltimo")).count(), 0);
        QCOMPARE(positionOf(screen), QStringLiteral("2"));
        QCOMPARE(edit(QStringLiteral("txtDewey"))->text(), QStringLiteral("123"));
        // The next new card goes where the partial record began.
        press(QStringLiteral("cmdNuovo"));
        fill(QStringLiteral("txtTitolo"), QStringLiteral("tre"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kInserted});
        QCOMPARE(positionOf(screen), QStringLiteral("3"));
        QCOMPARE(file().size(), 3 * 3237);
        QCOMPARE(fieldBytes(file(), bookLayout(), 3, libro::Titolo), QByteArray("tre"));
    }

    void cancelledFlag()
    {
        auto *chk = screen->findChild<QCheckBox *>(QStringLiteral("chkAnnullata"));
        fill(QStringLiteral("txtTitolo"), QStringLiteral("T"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        chk->setChecked(true);
        press(QStringLiteral("cmdSalva"));
        QCOMPARE(file().mid(1728, 3), QByteArray("\x02S\xEC", 3));
        chk->setChecked(false);
        press(QStringLiteral("cmdSalva"));
        QCOMPARE(file().mid(1728, 3), QByteArray("\x02No"));

        // Loading: "Sì" ticks, "No" clears, anything else leaves the box alone.
        Record cancelled = book(QStringLiteral("c"));
        cancelled.setText(libro::Annullata, libro::yes());
        Record odd = book(QStringLiteral("o"));
        odd.setText(libro::Annullata, QString());
        program->folder.write(kFile, fileOf({cancelled, odd, book(QStringLiteral("n"))}));
        press(QStringLiteral("cmdPrimo"));
        QVERIFY(chk->isChecked());
        press(QStringLiteral("cmdAvanti"));
        QVERIFY(chk->isChecked());
        press(QStringLiteral("cmdAvanti"));
        QVERIFY(!chk->isChecked());
    }

    void duplicaOnANewCardIsRefused()
    {
        fill(QStringLiteral("txtTitolo"), QStringLiteral("T"));
        const Boxes boxes = press(QStringLiteral("cmdDuplica"));
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire "
                                                         "soltanto dopo che questa è stata inserita in archivio.")});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("T"));
        QVERIFY(!QFile::exists(program->folder.file(kFile)));
    }

    void duplicaMakesANewCard()
    {
        Record r = book(QStringLiteral("Opere complete"), QStringLiteral("OC-1"), QStringLiteral("Manzoni"));
        r.setText(libro::Prestato, QStringLiteral("Mario"));
        r.setText(libro::Scadenza, QStringLiteral("01/02/2024"));
        r.setText(libro::File01, QStringLiteral("copertina.png"));
        r.setText(libro::Desc01, QStringLiteral("Copertina"));
        r.setText(libro::Annullata, libro::yes());
        r.setText(libro::Convalida, libro::yes());
        r.setText(libro::Editore, QStringLiteral("Einaudi"));
        QList<Record> records;
        for (int i = 0; i < 6; ++i) records << book(QStringLiteral("x%1").arg(i));
        records << r;
        program->folder.write(kFile, fileOf(records));
        press(QStringLiteral("cmdUltimo"));
        QCOMPARE(positionOf(screen), QStringLiteral("7"));
        const QByteArray before = file();

        const Boxes boxes = press(QStringLiteral("cmdDuplica"));
        QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                                  "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                                  "Al termine premere Salva per inserire la scheda in archivio.")});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Information);
        QCOMPARE(positionOf(screen), QString());
        QCOMPARE(screen->focusWidget()->objectName(), QStringLiteral("txtCodice"));
        QCOMPARE(edit(QStringLiteral("txtCodice"))->text(), QString());
        QCOMPARE(edit(QStringLiteral("txtPrestato"))->text(), QString());
        QCOMPARE(edit(QStringLiteral("txtScadenza"))->text(), QString());
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblDesc01"))->text(), QString());
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("txtConvalida"))->text(), QStringLiteral("No"));
        QVERIFY(!screen->findChild<QCheckBox *>(QStringLiteral("chkAnnullata"))->isChecked());
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Opere complete"));
        QCOMPARE(edit(QStringLiteral("txtEditore"))->text(), QStringLiteral("Einaudi"));
        QCOMPARE(file(), before);

        fill(QStringLiteral("txtCodice"), QStringLiteral("OC-2"));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kInserted});
        QCOMPARE(positionOf(screen), QStringLiteral("8"));
        const QByteArray after = file();
        QCOMPARE(after.left(before.size()), before);
        QCOMPARE(fieldBytes(after, bookLayout(), 8, libro::Codice), QByteArray("OC-2"));
        QCOMPARE(fieldBytes(after, bookLayout(), 8, libro::Annullata), QByteArray("No"));
        QCOMPARE(fieldBytes(after, bookLayout(), 8, libro::Prestato), QByteArray());
    }

    void isbnIsUpperCasedAsTyped()
    {
        QLineEdit *isbn = edit(QStringLiteral("txtIsbn"));
        isbn->setFocus();
        typeText(isbn, QStringLiteral("88-452-0834-x "));
        QCOMPARE(isbn->text(), QStringLiteral("88-452-0834-X"));
    }

    void isbnWebSearch()
    {
        UrlCatcher catcher;
        QLineEdit *isbn = edit(QStringLiteral("txtIsbn"));
        isbn->setText(QStringLiteral("   "));
        Boxes boxes = press(QStringLiteral("btnGoogle"));
        QCOMPARE(boxes.texts,
                 QStringList{QStringLiteral("Attenzione: per poter effettuare una ricerca sul Web è necessario "
                                            "compilare il campo relativo all'ISBN del libro.")});
        QCOMPARE(screen->focusWidget(), isbn);
        QVERIFY(catcher.urls.isEmpty());

        isbn->setText(QStringLiteral("978-88-452-0834-X"));
        boxes = press(QStringLiteral("btnGoogle"));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(catcher.urls.size(), 1);
        const QUrl url = catcher.urls.first();
        QCOMPARE(url.scheme(), QStringLiteral("http"));
        QCOMPARE(url.path(), QStringLiteral("/search"));
        QCOMPARE(url.query(), QStringLiteral("q=ISBN:978-88-452-0834-X"));
    }

    void todayButton()
    {
        RegionalSettings::setFixedNow(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
        QLineEdit *date = edit(QStringLiteral("txtScadenza"));
        date->setText(QStringLiteral("ieri"));
        press(QStringLiteral("btnScadenza"));
        const QChar sep = RegionalSettings::instance().dateSeparator();
        QCOMPARE(date->text(),
                 QStringList({QStringLiteral("05"), QStringLiteral("03"), QStringLiteral("2024")}).join(sep));
        QVERIFY(!QFile::exists(program->folder.file(kFile)));
    }

    void enterChain_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("title") << "txtTitolo"
                               << "txtCodice";
        QTest::newRow("pages to genre") << "txtPagine"
                                        << "txtGenere";
        QTest::newRow("genre") << "txtGenere"
                               << "txtGiudizio";
        QTest::newRow("original to language") << "txtOriginale"
                                              << "txtLingua";
        QTest::newRow("note to lent") << "txtNote"
                                      << "txtPrestato";
        QTest::newRow("loan date back to title") << "txtScadenza"
                                                 << "txtTitolo";
    }
    void enterChain()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QWidget *w = screen->findChild<QWidget *>(from);
        w->setFocus();
        const Boxes boxes = answerBoxes([&] { pressEnter(screen->focusWidget()); });
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(screen->focusWidget() ? screen->focusWidget()->objectName() : QString(), to);
        QVERIFY(!QFile::exists(program->folder.file(kFile)));
    }

    void focusFramesFollowTheFocus_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("line") << "txtCodice";
        QTest::newRow("genre list") << "txtGenere";
        QTest::newRow("language list") << "txtLingua";
        QTest::newRow("loan date") << "txtScadenza";
    }
    void focusFramesFollowTheFocus()
    {
        QFETCH(QString, field);
        QWidget *w = screen->findChild<QWidget *>(field);
        QWidget *frame = screen->findChild<QWidget *>(QStringLiteral("eff") + field.mid(3));
        QVERIFY(frame);
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        QVERIFY(!frame->isVisible());
        w->setFocus();
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry(), w->geometry().adjusted(-4, -4, 4, 4));
        QCOMPARE(screen->findChild<QWidget *>(QStringLiteral("effTitolo"))->isVisible(), false);
        edit(QStringLiteral("txtTitolo"))->setFocus();
        QVERIFY(!frame->isVisible());
        QVERIFY(screen->findChild<QWidget *>(QStringLiteral("effTitolo"))->isVisible());
    }

    // Text typed into a list is the value itself, even where it begins an item.
    void listTextIsStoredAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("start of a genre") << "txtGenere" << int(libro::Genere) << "Romanzo";
        QTest::newRow("genre in lower case") << "txtGenere" << int(libro::Genere) << "arte";
        QTest::newRow("start of a language") << "txtLingua" << int(libro::Lingua) << "Ital";
    }
    void listTextIsStoredAsTyped()
    {
        QFETCH(QString, name);
        QFETCH(int, field);
        QFETCH(QString, typed);
        fill(QStringLiteral("txtTitolo"), QStringLiteral("T"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        auto *list = screen->findChild<QComboBox *>(name);
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        list->setFocus();
        typeText(list, typed);
        pressEnter(screen->focusWidget());
        QCOMPARE(list->currentText(), typed);
        QCOMPARE(press(QStringLiteral("cmdSalva")).count(), 1);
        QCOMPARE(fieldBytes(file(), bookLayout(), 1, field), typed.toLatin1());
    }

    void fieldLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("max");
        QTest::newRow("title") << "txtTitolo" << 250;
        QTest::newRow("code") << "txtCodice" << 24;
        QTest::newRow("dewey") << "txtDewey" << 3;
        QTest::newRow("pages") << "txtPagine" << 12;
        QTest::newRow("lent to") << "txtPrestato" << 120;
        QTest::newRow("loan date") << "txtScadenza" << 10;
    }
    void fieldLimits()
    {
        QFETCH(QString, name);
        QFETCH(int, max);
        QLineEdit *e = edit(name);
        e->setFocus();
        typeText(e, QString(max + 5, QLatin1Char('7')));
        QCOMPARE(e->text().size(), max);
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks()
    {
        fill(QStringLiteral("txtTitolo"), QStringLiteral("Ωμέγα è €"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        QCOMPARE(press(QStringLiteral("cmdSalva")).count(), 1);
        QCOMPARE(fieldBytes(file(), bookLayout(), 1, libro::Titolo), QByteArray("????? \xE8 \x80"));
    }

    void aFileChangedElsewhereIsSeen()
    {
        program->folder.write(kFile, fileOf({book("uno")}));
        press(QStringLiteral("cmdPrimo"));
        program->folder.write(kFile, fileOf({book("UNO"), book("due")}));
        press(QStringLiteral("cmdAvanti"));
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("due"));
        press(QStringLiteral("cmdIndietro"));
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("UNO"));
    }

    void accessErrors()
    {
        // An archive path that exists but is no file cannot be opened, nor replaced.
        QVERIFY(QDir(program->folder.path()).mkdir(kFile));
        fill(QStringLiteral("txtTitolo"), QStringLiteral("T"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, QStringList{kAccess});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Critical);
        QCOMPARE(positionOf(screen), QString());
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("T"));
        for (const char *p : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
            boxes = press(QString::fromLatin1(p));
            QCOMPARE(boxes.texts, QStringList{kAccess});
            QCOMPARE(boxes.icons.value(0), QMessageBox::Critical);
        }
        QVERIFY(QFileInfo(program->folder.file(kFile)).isDir());
        boxes = press(QStringLiteral("cmdDuplica")); // new card: refused before any file step
        QCOMPARE(boxes.count(), 1);
    }

    void aReadOnlyProgramFolder()
    {
        const QString folder = program->folder.path();
        const auto restore =
            qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                                  QFile::ReadOther | QFile::ExeOther));
        fill(QStringLiteral("txtTitolo"), QStringLiteral("T"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kAccess});
        QCOMPARE(press(QStringLiteral("cmdPrimo")).texts, QStringList{kAccess});
        QCOMPARE(positionOf(screen), QString());
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("T"));
        QVERIFY(!QFile::exists(program->folder.file(kFile)));
    }

    void duplicaWhenTheArchiveCannotBeOpened()
    {
        program->folder.write(kFile, fileOf({book("uno")}));
        press(QStringLiteral("cmdPrimo"));
        QFile::remove(program->folder.file(kFile));
        QVERIFY(QDir(program->folder.path()).mkdir(kFile));
        const Boxes boxes = press(QStringLiteral("cmdDuplica"));
        QCOMPARE(boxes.texts, QStringList{kAccess});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
        QCOMPARE(positionOf(screen), QString()); // already a new card
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QStringLiteral("uno"));
    }

    void aPositionLabelWithoutANumberFails()
    {
        program->folder.write(kFile, fileOf({book("uno")}));
        screen->findChild<QLabel *>(QStringLiteral("lblPosizione"))->setText(QStringLiteral("x1"));
        fill(QStringLiteral("txtTitolo"), QStringLiteral("T"));
        fill(QStringLiteral("txtCodice"), QStringLiteral("C"));
        fill(QStringLiteral("txtAutore"), QStringLiteral("A"));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kAccess});
        QCOMPARE(press(QStringLiteral("cmdAvanti")).texts, QStringList{kAccess});
        QCOMPARE(positionOf(screen), QStringLiteral("x1"));
        QCOMPARE(file().size(), 3237);
    }

    void reopeningShowsABlankCard()
    {
        program->folder.write(kFile, fileOf({book("uno")}));
        press(QStringLiteral("cmdPrimo"));
        clickPicture(screen, QStringLiteral("cmdEsci"));
        QVERIFY(!screen->isVisible());
        QWidget *menu = topLevel(QStringLiteral("TfrmAvvio"));
        QVERIFY(menu->isVisible());
        clickPicture(menu, QStringLiteral("imgLibri"));
        QVERIFY(screen->isVisible());
        QCOMPARE(positionOf(screen), QString());
        QCOMPARE(edit(QStringLiteral("txtTitolo"))->text(), QString());
        QCOMPARE(screen->focusWidget(), edit(QStringLiteral("txtTitolo")));
    }

    void statusLine()
    {
        auto *panInfo = screen->findChild<QLabel *>(QStringLiteral("panInfo"));
        QTest::mouseMove(screen->findChild<QWidget *>(QStringLiteral("cmdSalva")));
        QTRY_COMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio."));
        QTest::mouseMove(edit(QStringLiteral("txtTitolo")));
        // Once the field has the mouse, its entering has been handled.
        QTRY_VERIFY(edit(QStringLiteral("txtTitolo"))->underMouse());
        QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio."));
        QWidget *section = screen->findChild<QWidget *>(QStringLiteral("shpSezione2"));
        QTest::mouseMove(section, QPoint(3, 3));
        QTRY_COMPARE(panInfo->text(), QString());
    }

    // Inside a section, between its fields, is background as much as its margin.
    void statusLineInsideASection_data()
    {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower"); // empty: the gap right of upper
        QTest::newRow("between two rows") << "txtCodice"
                                          << "txtAutore";
        QTest::newRow("between the columns") << "txtCuratore"
                                             << "";
        QTest::newRow("last section") << "txtNote"
                                      << "txtPrestato";
    }
    void statusLineInsideASection()
    {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        auto *panInfo = screen->findChild<QLabel *>(QStringLiteral("panInfo"));
        const QRect a(edit(upper)->mapTo(screen, QPoint(0, 0)), edit(upper)->size());
        QPoint gap;
        if (lower.isEmpty()) {
            gap = QPoint(a.right() + 4, a.center().y());
        } else {
            const int top = edit(lower)->mapTo(screen, QPoint(0, 0)).y();
            gap = QPoint(a.center().x(), (a.bottom() + top) / 2);
        }
        QWidget *under = screen->childAt(gap);
        QVERIFY(under);
        QVERIFY2(!qobject_cast<QLineEdit *>(under) && !qobject_cast<QLabel *>(under), qPrintable(under->objectName()));
        QTest::mouseMove(screen->findChild<QWidget *>(QStringLiteral("cmdSalva")));
        QTRY_COMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio."));
        QTest::mouseMove(screen, gap);
        QTRY_COMPARE(panInfo->text(), QString());
    }

    void toolbarOpensItsDialogs_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("tag");
        QTest::newRow("search") << "cmdTrova"
                                << "TfrmTrovaLibri"
                                << "libri";
        QTest::newRow("available") << "cmdDisponibili"
                                   << "TfrmTrovaDisponibili"
                                   << "libri";
        QTest::newRow("attachments") << "cmdFile"
                                     << "TfrmAllegaCartella"
                                     << "libri";
        QTest::newRow("dewey") << "btnDewey"
                               << "TfrmCodici_Dewey"
                               << "libri";
        QTest::newRow("print") << "cmdStampa"
                               << "TfrmStampaLibro"
                               << "";
        QTest::newRow("export") << "cmdEsporta"
                                << "TfrmExpLibri"
                                << "";
        QTest::newRow("import") << "cmdImporta"
                                << "TfrmImportaLibri"
                                << "";
        QTest::newRow("help") << "cmdGuida"
                              << "TfrmGuida"
                              << "";
    }
    void toolbarOpensItsDialogs()
    {
        QFETCH(QString, picture);
        QFETCH(QString, dialog);
        QFETCH(QString, tag);
        screen->findChild<QLabel *>(QStringLiteral("lblFile02"))->setText(QStringLiteral("  scheda.pdf "));
        QString seenTag;
        QString seenFile;
        bool modal = false;
        QPointer<QWidget> opened;
        const bool seen = whileModal([&] { clickPicture(screen, picture); }, dialog,
                                     [&](QWidget *d) {
                                         opened = d;
                                         modal = d->isModal() && d->parentWidget() == screen;
                                         seenTag = d->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
                                         if (auto *f = d->findChild<QLineEdit *>(QStringLiteral("txtFile02")))
                                             seenFile = f->text();
                                         if (auto *t = d->findChild<QLabel *>(QStringLiteral("lblTitolo"));
                                             t && dialog == QLatin1String("TfrmGuida"))
                                             seenFile = t->text();
                                         d->close();
                                     });
        QVERIFY(seen);
        QVERIFY(modal);
        QCOMPARE(seenTag, tag);
        if (dialog == QLatin1String("TfrmAllegaCartella")) QCOMPARE(seenFile, QStringLiteral("scheda.pdf"));
        if (dialog == QLatin1String("TfrmGuida")) QCOMPARE(seenFile, QStringLiteral("Archivio Libri."));
        QTRY_VERIFY(opened.isNull()); // destroyed once closed
        QVERIFY(screen->isVisible());
    }

    // Where a control stands on the screen.
    QRect placeOf(const QString &name)
    {
        QWidget *w = screen->findChild<QWidget *>(name);
        return w ? QRect(w->mapTo(screen, QPoint(0, 0)), w->size()) : QRect();
    }
    // Shows the screen at a window size of its own (the test display is full HD).
    void resizeScreen(const QSize &size)
    {
        if (!size.isValid()) return;
        screen->showNormal();
        screen->resize(size);
        QTRY_COMPARE(screen->size(), size);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }

    // The card's two columns start and end at the same x in all four sections,
    // and nothing on it overlaps or is cut, on a full-HD and on a 1366 x 768 display.
    void columnsLineUpAcrossSections_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("maximised on full HD") << QSize();
        QTest::newRow("1366 x 768") << QSize(1366, 738);
    }
    void columnsLineUpAcrossSections()
    {
        QFETCH(QSize, size);
        resizeScreen(size);
        const auto sameEdge = [&](const QStringList &names, bool right) {
            const int first = right ? placeOf(names[0]).right() : placeOf(names[0]).left();
            for (const QString &name : names) {
                const QRect r = placeOf(name);
                QVERIFY2(r.isValid(), qPrintable(name));
                QVERIFY2((right ? r.right() : r.left()) == first, qPrintable(QStringLiteral("%1 at %2, %3 at %4")
                                                                                 .arg(names[0])
                                                                                 .arg(first)
                                                                                 .arg(name)
                                                                                 .arg(right ? r.right() : r.left())));
            }
        };
        const QStringList leftFields{"txtCodice",  "txtAutore",     "txtCuratore", "txtGenere",
                                     "txtEditore", "txtCitta",      "txtVolumi",   "txtCollana",
                                     "txtLingua",  "txtTraduttore", "txtPrestato"};
        const QStringList rightFields{"txtScaffale", "txtNazione", "txtGiudizio", "txtIsbn",    "txtAnno",
                                      "txtPrezzo",   "txtFormato", "txtPrima",    "txtVersione"};
        sameEdge(leftFields + QStringList{"txtTitolo", "txtOriginale", "txtNote"}, false);
        sameEdge(leftFields, true);
        sameEdge(rightFields + QStringList{"txtDewey", "txtScadenza"}, false);
        sameEdge(rightFields + QStringList{"txtPagine"}, true);
        sameEdge({"txtTitolo", "txtOriginale", "txtNote", "btnCercaISBN"}, true);

        // Controls stay inside their section, apart from one another, and every
        // caption has the room its text needs.
        for (int n = 1; n <= 4; ++n) {
            auto *section = screen->findChild<QWidget *>(QStringLiteral("shpSezione%1").arg(n));
            const QRect frame(section->mapTo(screen, QPoint(0, 0)), section->size());
            QList<QWidget *> controls;
            for (QWidget *w : section->findChildren<QWidget *>()) {
                if (!w->isVisible() || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("eff")) ||
                    w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                controls << w;
                if (auto *l = qobject_cast<QLabel *>(w))
                    QVERIFY2(l->width() >= l->minimumSizeHint().width(), qPrintable(l->text()));
            }
            QVERIFY(controls.size() > 4);
            for (QWidget *a : controls) {
                if (a->parentWidget() != controls[0]->parentWidget() &&
                    a->objectName().startsWith(QLatin1String("img")))
                    continue; // the section picture sits in its own frame
                const QRect ra = placeOf(a->objectName());
                QVERIFY2(frame.contains(ra), qPrintable(a->objectName()));
                for (QWidget *b : controls)
                    if (a != b && b->parentWidget() == a->parentWidget())
                        QVERIFY2(!ra.intersects(placeOf(b->objectName())),
                                 qPrintable(a->objectName() + QLatin1Char('/') + b->objectName()));
            }
        }
    }

    // On a tall display the sections share the height by their rows and spread
    // those rows evenly, leaving no empty band above the status line.
    void sectionsUseTheHeight()
    {
        const QRect panInfo = placeOf(QStringLiteral("panInfo"));
        const QRect last = placeOf(QStringLiteral("shpSezione4"));
        QVERIFY2(panInfo.top() - last.bottom() <= 16, qPrintable(QString::number(panInfo.top() - last.bottom())));
        const QList<QStringList> rows{{"txtTitolo", "txtCodice", "txtAutore", "txtCuratore", "txtGenere"},
                                      {"txtEditore", "txtCitta", "txtVolumi", "txtCollana"},
                                      {"txtOriginale", "txtLingua", "txtTraduttore"},
                                      {"txtNote", "txtPrestato"}};
        QList<int> pitches;
        for (int n = 1; n <= 4; ++n) {
            const QRect frame = placeOf(QStringLiteral("shpSezione%1").arg(n));
            const QStringList &fields = rows[n - 1];
            int pitch = 0;
            for (int i = 1; i < fields.size(); ++i) {
                const int step = placeOf(fields[i]).center().y() - placeOf(fields[i - 1]).center().y();
                if (pitch == 0) pitch = step;
                QVERIFY2(qAbs(step - pitch) <= 2,
                         qPrintable(QStringLiteral("%1: %2 against %3").arg(fields[i]).arg(step).arg(pitch)));
            }
            pitches << pitch;
            const int above = placeOf(fields.first()).top() - frame.top();
            const int below = frame.bottom() - placeOf(fields.last()).bottom();
            QVERIFY2(qAbs(above - below) <= 4,
                     qPrintable(QStringLiteral("section %1: %2 above, %3 below").arg(n).arg(above).arg(below)));
        }
        // Rows much further apart than their own height, and alike in every section:
        // the spare height went to them all.
        const auto [low, high] = std::minmax_element(pitches.begin(), pitches.end());
        QVERIFY2(*low > 2 * placeOf(QStringLiteral("txtCodice")).height() && *high - *low <= 6,
                 qPrintable(QStringLiteral("row pitches %1 to %2").arg(*low).arg(*high)));
    }
};

QTEST_MAIN(TestBookScreen)
#include "tst_book_screen.moc"
