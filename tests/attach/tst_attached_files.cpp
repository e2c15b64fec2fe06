// The attached files screen as a user meets it from the book and bibliography
// cards: browsing copies at once, applying fills the card, saving stores the names,
// and "Apri" hands the shell nothing but a file of the attachments folder.
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "support/ArchiveKit.h"
#include "support/Files.h"
#include "support/TestSupport.h"
#include "support/UrlCatcher.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");
const QString kNotCopied =
    QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.\r\n\r\n"
                   "Il file non è stato allegato.");
const QString kNotBareName =
    QStringLiteral("Attenzione: il nome del file allegato non è valido.\r\n\r\n"
                   "E' possibile aprire soltanto un file presente nella cartella dei documenti allegati.");

QString two(int slot) { return QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0')); }

} // namespace

class TestAttachedFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<QTemporaryDir> elsewhere; // the user's own folders
    QWidget *screen = nullptr;

    void open(const QString &name)
    {
        program = std::make_unique<RunningProgram>();
        elsewhere = std::make_unique<QTemporaryDir>();
        screen = openArchive(*program, name);
        QVERIFY(screen && screen->isVisible());
    }
    QString attachments() const { return program->folder.file(QStringLiteral("Documenti_Allegati")); }
    QString userFile(const QString &relative, const QByteArray &bytes)
    {
        const QString path = elsewhere->filePath(relative);
        writeAll(path, bytes);
        return path;
    }
    QLabel *label(const QString &name) { return screen->findChild<QLabel *>(name); }
    static QLineEdit *edit(QWidget *w, const QString &name) { return w->findChild<QLineEdit *>(name); }
    static QPushButton *button(QWidget *w, const QString &name) { return w->findChild<QPushButton *>(name); }

    // Opens the attach screen from the card's picture; inside() must close it.
    bool withAttachScreen(const std::function<void(QWidget *)> &inside)
    {
        const QString picture = screen->objectName() == QLatin1String("TfrmLibri") ? QStringLiteral("cmdFile")
                                                                                   : QStringLiteral("cmdCartella");
        return whileModal([&] { clickPicture(screen, picture); }, QStringLiteral("TfrmAllegaCartella"), inside);
    }

    // "Sfoglia..." of a slot, the file dialog answered with `path` (empty: cancelled)
    // and any question with `answer`.
    static Boxes browse(QWidget *dlg, int slot, const QString &path,
                        QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        bool dialogSeen = false;
        const Boxes boxes = answerBoxes(
            [&] {
                dialogSeen =
                    whileModal([&] { button(dlg, "btnSfoglia" + two(slot))->click(); }, QStringLiteral("dlgFile"),
                               [&](QWidget *w) {
                                   auto *fd = qobject_cast<QFileDialog *>(w);
                                   QVERIFY(fd);
                                   QCOMPARE(fd->windowTitle(), QStringLiteral("Selezionare il file da allegare:"));
                                   QCOMPARE(fd->nameFilters(), QStringList{"Tutti i file (*.*)"});
                                   QCOMPARE(fd->fileMode(), QFileDialog::ExistingFile);
                                   QVERIFY(fd->testOption(QFileDialog::DontUseNativeDialog));
                                   if (path.isEmpty()) {
                                       fd->reject();
                                       return;
                                   }
                                   // As a user meets it: on show and active.
                                   QVERIFY(QTest::qWaitFor([&] { return fd->isActiveWindow(); }, 2000));
                                   fd->selectFile(path);
                                   static_cast<QDialog *>(fd)->accept(); // as the Open button does
                                   if (fd->isVisible()) fd->reject();    // refused: fail below, do not hang
                               });
            },
            answer);
        if (!dialogSeen) QTest::qFail("the file dialog did not open", __FILE__, __LINE__);
        return boxes;
    }

    // Fills the mandatory book fields and saves the card.
    void saveBook()
    {
        screen->findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->setText(QStringLiteral("Le città invisibili"));
        screen->findChild<QLineEdit *>(QStringLiteral("txtCodice"))->setText(QStringLiteral("L-001"));
        screen->findChild<QLineEdit *>(QStringLiteral("txtAutore"))->setText(QStringLiteral("Italo Calvino"));
        QCOMPARE(answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); }).texts,
                 QStringList{kCardInserted});
    }

private slots:
    void cleanup()
    {
        program.reset();
        elsewhere.reset();
    }

    void opensWithTheCardsAttachments()
    {
        open(QStringLiteral("TfrmLibri"));
        label(QStringLiteral("lblFile01"))->setText(QStringLiteral(" relazione.pdf\t"));
        label(QStringLiteral("lblDesc01"))->setText(QStringLiteral("  Relazione finale  "));
        label(QStringLiteral("lblDesc02"))->setText(QStringLiteral("descrizione senza file"));
        label(QStringLiteral("lblFile03"))->setText(QStringLiteral("   "));
        const bool seen = withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral(" Allega file"));
            QCOMPARE(dlg->size(), QSize(634, 534));
            QCOMPARE(dlg->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(), QStringLiteral("libri"));
            QCOMPARE(edit(dlg, "txtFile01")->text(), QStringLiteral("relazione.pdf"));
            QCOMPARE(edit(dlg, "txtDesc01")->text(), QStringLiteral("Relazione finale"));
            QCOMPARE(edit(dlg, "txtFile02")->text(), QString());
            QCOMPARE(edit(dlg, "txtDesc02")->text(), QStringLiteral("descrizione senza file"));
            QCOMPARE(edit(dlg, "txtFile03")->text(), QString());
            QVERIFY(edit(dlg, "txtFile01")->isReadOnly());
            QVERIFY(button(dlg, "btnApri01")->isEnabled());
            QVERIFY(!button(dlg, "btnApri02")->isEnabled());
            QVERIFY(!button(dlg, "btnApri03")->isEnabled());
            for (int i = 1; i <= 3; ++i) {
                const QString n = QString::number(i);
                QCOMPARE(dlg->findChild<QLabel *>("lblCampo" + two(2 * i - 1))->text(),
                         "Nome " + n + "° file allegato:");
                QCOMPARE(dlg->findChild<QLabel *>("lblCampo" + two(2 * i))->text(),
                         "Descrizione " + n + "° file allegato:");
                QCOMPARE(dlg->findChild<QWidget *>("shpFile" + two(i))->size(), QSize(577, 113));
                QVERIFY(dlg->findChild<QWidget *>("imgCancella" + two(i)));
                QCOMPARE(button(dlg, "btnSfoglia" + two(i))->text(), QStringLiteral("Sfoglia..."));
                QCOMPARE(button(dlg, "btnApri" + two(i))->text(), QStringLiteral("Apri"));
            }
            // Tab: each slot's name, Sfoglia, Apri, description; then Applica, Annulla.
            QStringList order;
            QWidget *w = edit(dlg, "txtFile01");
            for (int i = 0; i < 14; ++i, w = w->nextInFocusChain()) {
                while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
                order << w->objectName();
            }
            QCOMPARE(order, (QStringList{"txtFile01", "btnSfoglia01", "btnApri01", "txtDesc01", "txtFile02",
                                         "btnSfoglia02", "btnApri02", "txtDesc02", "txtFile03", "btnSfoglia03",
                                         "btnApri03", "txtDesc03", "btnApplica", "btnAnnulla"}));
            button(dlg, "btnAnnulla")->click();
        });
        QVERIFY(seen);
        QVERIFY(!topLevel(QStringLiteral("TfrmAllegaCartella")));
    }

    void attachedToSlot02ReachesTheRecordOnSave()
    {
        open(QStringLiteral("TfrmLibri"));
        const QByteArray bytes("\x89PNG\r\n\x1a\n copertina", 19);
        const QString source = userFile(QStringLiteral("Scansioni/cover.jpg"), bytes);
        QVERIFY(!QFileInfo::exists(attachments()));
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(browse(dlg, 2, source).count(), 0);
            QCOMPARE(edit(dlg, "txtFile02")->text(), QStringLiteral("cover.jpg"));
            QVERIFY(button(dlg, "btnApri02")->isEnabled());
            QCOMPARE(readAll(attachments() + "/cover.jpg"), bytes);
            typeText(edit(dlg, "txtDesc02"), QStringLiteral(" Copertina è fronte "));
            button(dlg, "btnApplica")->click();
        }));
        QCOMPARE(label(QStringLiteral("lblFile02"))->text(), QStringLiteral("cover.jpg"));
        QCOMPARE(label(QStringLiteral("lblDesc02"))->text(), QStringLiteral("Copertina è fronte"));
        saveBook();
        const QByteArray file = program->folder.read(QStringLiteral("Libri.pro"));
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::File02), QByteArray("cover.jpg"));
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::Desc02), QByteArray("Copertina \xe8 fronte"));
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::File01), QByteArray());
        QCOMPARE(readAll(source), bytes);

        // Reopened, the slot shows the name and opens the copy.
        UrlCatcher catcher;
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(edit(dlg, "txtFile02")->text(), QStringLiteral("cover.jpg"));
            QCOMPARE(answerBoxes([&] { button(dlg, "btnApri02")->click(); }).count(), 0);
            button(dlg, "btnAnnulla")->click();
        }));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(attachments() + "/cover.jpg")});
    }

    void aNameOutsideTheCodePageOpensAfterReload_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("storedDescription");
        QTest::newRow("Greek") << "Ωμέγα.pdf"
                               << "_____.pdf"
                               << "Ωμέγα, il testo"
                               << "?????, il testo";
        QTest::newRow("Polish") << "Łódź?.jpg"
                                << "Lódz_.jpg"
                                << "Piazza di Łódź"
                                << "Piazza di Lódz";
        QTest::newRow("code page") << "Perché è così.odt"
                                   << "Perché è così.odt"
                                   << "Œuvres €"
                                   << "Œuvres €";
    }

    void aNameOutsideTheCodePageOpensAfterReload()
    {
        QFETCH(QString, picked);
        QFETCH(QString, stored);
        QFETCH(QString, description);
        QFETCH(QString, storedDescription);
        open(QStringLiteral("TfrmLibri"));
        const QByteArray bytes("%PDF-1.4 allegato");
        const QString source = userFile(QStringLiteral("Documenti/") + picked, bytes);
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(browse(dlg, 1, source).count(), 0);
            QCOMPARE(edit(dlg, "txtFile01")->text(), stored);
            typeText(edit(dlg, "txtDesc01"), description);
            QCOMPARE(edit(dlg, "txtDesc01")->text(), storedDescription);
            button(dlg, "btnApplica")->click();
        }));
        QCOMPARE(readAll(attachments() + QLatin1Char('/') + stored), bytes);
        saveBook();
        const QByteArray file = program->folder.read(QStringLiteral("Libri.pro"));
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::File01), cp1252::encode(stored));
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::Desc01), cp1252::encode(storedDescription));

        // Away to a new card and back: the name read from the file opens the copy.
        clickPicture(screen, QStringLiteral("cmdNuovo"));
        clickPicture(screen, QStringLiteral("cmdPrimo"));
        UrlCatcher catcher;
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(edit(dlg, "txtFile01")->text(), stored);
            QCOMPARE(edit(dlg, "txtDesc01")->text(), storedDescription);
            QCOMPARE(answerBoxes([&] { button(dlg, "btnApri01")->click(); }).count(), 0);
            button(dlg, "btnAnnulla")->click();
        }));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(attachments() + QLatin1Char('/') + stored)});
        QCOMPARE(readAll(catcher.urls.value(0).toLocalFile()), bytes);
    }

    void theSameNameFromAnotherFolderAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("Yes replaces the one shared copy") << int(QMessageBox::Yes) << QByteArray("nuova");
        QTest::newRow("No keeps it") << int(QMessageBox::No) << QByteArray("vecchia");
    }

    void theSameNameFromAnotherFolderAsks()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, kept);
        open(QStringLiteral("TfrmLibri"));
        writeAll(attachments() + "/cover.jpg", "vecchia");
        const QString source = userFile(QStringLiteral("Altro/cover.jpg"), "nuova");
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            const Boxes boxes = browse(dlg, 1, source, QMessageBox::StandardButton(answer));
            QCOMPARE(boxes.texts, QStringList{kOverwrite});
            QCOMPARE(boxes.icons.value(0), QMessageBox::Question);
            QCOMPARE(boxes.buttonCounts.value(0), 2);
            QCOMPARE(edit(dlg, "txtFile01")->text(), QStringLiteral("cover.jpg"));
            button(dlg, "btnApplica")->click();
        }));
        QCOMPARE(readAll(attachments() + "/cover.jpg"), kept);
        QCOMPARE(QDir(attachments()).entryList(QDir::Files | QDir::Hidden), QStringList{"cover.jpg"});
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QStringLiteral("cover.jpg"));
    }

    void pickingTheCopyItselfKeepsItsBytes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(QMessageBox::Yes);
        QTest::newRow("No") << int(QMessageBox::No);
    }

    void pickingTheCopyItselfKeepsItsBytes()
    {
        QFETCH(int, answer);
        open(QStringLiteral("TfrmLibri"));
        QByteArray bytes;
        for (int i = 0; i < 200000; ++i) bytes += char(i * 7);
        writeAll(attachments() + "/tesi.pdf", bytes);
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            const Boxes boxes = browse(dlg, 3, attachments() + "/tesi.pdf", QMessageBox::StandardButton(answer));
            QCOMPARE(boxes.texts, QStringList{kOverwrite});
            QCOMPARE(edit(dlg, "txtFile03")->text(), QStringLiteral("tesi.pdf"));
            button(dlg, "btnApplica")->click();
        }));
        QVERIFY(readAll(attachments() + "/tesi.pdf") == bytes);
        QCOMPARE(label(QStringLiteral("lblFile03"))->text(), QStringLiteral("tesi.pdf"));
    }

    void cancellingTheDialogChangesNothing()
    {
        open(QStringLiteral("TfrmLibri"));
        label(QStringLiteral("lblFile01"))->setText(QStringLiteral("vecchio.pdf"));
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(browse(dlg, 1, QString()).count(), 0);
            QCOMPARE(edit(dlg, "txtFile01")->text(), QStringLiteral("vecchio.pdf"));
            QVERIFY(button(dlg, "btnApri01")->isEnabled());
            QCOMPARE(browse(dlg, 2, QString()).count(), 0);
            QCOMPARE(edit(dlg, "txtFile02")->text(), QString());
            button(dlg, "btnApplica")->click();
        }));
        QVERIFY(!QFileInfo::exists(attachments()));
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QStringLiteral("vecchio.pdf"));
    }

    void clearingThenApplyingEmptiesOnlyTheName()
    {
        open(QStringLiteral("TfrmLibri"));
        writeAll(attachments() + "/a.pdf", "A");
        label(QStringLiteral("lblFile01"))->setText(QStringLiteral("a.pdf"));
        label(QStringLiteral("lblDesc01"))->setText(QStringLiteral("Prima"));
        label(QStringLiteral("lblFile02"))->setText(QStringLiteral("b.pdf"));
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            clickPicture(dlg, QStringLiteral("imgCancella01"));
            QCOMPARE(edit(dlg, "txtFile01")->text(), QString());
            QVERIFY(!button(dlg, "btnApri01")->isEnabled());
            QCOMPARE(edit(dlg, "txtDesc01")->text(), QStringLiteral("Prima"));
            button(dlg, "btnApplica")->click();
        }));
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(label(QStringLiteral("lblDesc01"))->text(), QStringLiteral("Prima"));
        QCOMPARE(label(QStringLiteral("lblFile02"))->text(), QStringLiteral("b.pdf"));
        QCOMPARE(readAll(attachments() + "/a.pdf"), QByteArray("A"));
    }

    void annullaAfterBrowsingKeepsTheLabelsButNotTheCopy()
    {
        open(QStringLiteral("TfrmLibri"));
        label(QStringLiteral("lblFile01"))->setText(QStringLiteral("prima.pdf"));
        label(QStringLiteral("lblDesc01"))->setText(QStringLiteral("Descrizione"));
        const QString source = userFile(QStringLiteral("seconda.pdf"), "%PDF-1.4");
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            browse(dlg, 1, source);
            edit(dlg, "txtDesc01")->setText(QStringLiteral("cambiata"));
            button(dlg, "btnAnnulla")->click();
        }));
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QStringLiteral("prima.pdf"));
        QCOMPARE(label(QStringLiteral("lblDesc01"))->text(), QStringLiteral("Descrizione"));
        QCOMPARE(readAll(attachments() + "/seconda.pdf"), QByteArray("%PDF-1.4"));
    }

    // The slot never names a copy that was not made: it goes back to what it held
    // and the user is told, whatever stopped the copy.
    void aCopyThatFailsIsReported_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("the attachments folder is a file") << "file";
        QTest::newRow("a folder of the picked name") << "folder";
        QTest::newRow("a link of the picked name leading outside") << "link";
    }
    void aCopyThatFailsIsReported()
    {
        QFETCH(QString, obstacle);
        open(QStringLiteral("TfrmLibri"));
        label(QStringLiteral("lblFile01"))->setText(QStringLiteral("prima.pdf"));
        const QString outside = program->folder.file(QStringLiteral("fuori.png"));
        writeAll(outside, "fuori");
        if (obstacle == QLatin1String("file")) {
            program->folder.write(QStringLiteral("Documenti_Allegati"), "un file, non una cartella");
        } else {
            QVERIFY(QDir().mkpath(attachments()));
            if (obstacle == QLatin1String("folder"))
                QVERIFY(QDir().mkpath(attachments() + "/foto.png"));
            else
                QVERIFY(QFile::link(outside, attachments() + "/foto.png"));
        }
        const QString source = userFile(QStringLiteral("foto.png"), "png");
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            const Boxes boxes = browse(dlg, 1, source);
            // A name already there asks first; Yes, and the copy fails.
            QCOMPARE(boxes.texts.value(boxes.count() - 1), kNotCopied);
            QCOMPARE(boxes.icons.value(boxes.count() - 1), QMessageBox::Warning);
            QCOMPARE(boxes.count(), obstacle == QLatin1String("file") ? 1 : 2);
            QCOMPARE(edit(dlg, "txtFile01")->text(), QStringLiteral("prima.pdf"));
            button(dlg, "btnApplica")->click();
        }));
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QStringLiteral("prima.pdf"));
        if (obstacle == QLatin1String("file"))
            QCOMPARE(program->folder.read(QStringLiteral("Documenti_Allegati")),
                     QByteArray("un file, non una cartella"));
        QCOMPARE(readAll(outside), QByteArray("fuori"));
    }

    void apriOpensOnlyAFileOfTheFolder_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened"); // inside the attachments folder; empty: nothing opens
        QTest::newRow("plain name") << "cover.jpg"
                                    << "cover.jpg";
        QTest::newRow("blanks and accents") << "Relazione è finale.pdf"
                                            << "Relazione è finale.pdf";
        QTest::newRow("missing copy") << "manca.pdf"
                                      << "manca.pdf";
        QTest::newRow("Windows climb") << "..\\..\\programma.exe"
                                       << "";
        QTest::newRow("climb") << "../../etc/passwd"
                               << "";
        QTest::newRow("absolute") << "/etc/passwd"
                                  << "";
        QTest::newRow("Windows absolute") << "C:\\Windows\\System32\\cmd.exe"
                                          << "";
        QTest::newRow("drive-relative") << "C:x.txt"
                                        << "";
        QTest::newRow("home") << "~/.bashrc"
                              << "";
        QTest::newRow("link leading outside") << "collegamento.pdf"
                                              << "";
    }

    void apriOpensOnlyAFileOfTheFolder()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        open(QStringLiteral("TfrmLibri"));
        writeAll(attachments() + "/cover.jpg", "jpg");
        writeAll(program->folder.file(QStringLiteral("programma.exe")), "MZ");
        QVERIFY(
            QFile::link(program->folder.file(QStringLiteral("programma.exe")), attachments() + "/collegamento.pdf"));
        // The name comes from an archive written elsewhere.
        const Record crafted = makeRecord(bookLayout(), {{libro::Titolo, QStringLiteral("T")},
                                                         {libro::Codice, QStringLiteral("C")},
                                                         {libro::Autore, QStringLiteral("A")},
                                                         {libro::File01, stored}});
        program->folder.write(QStringLiteral("Libri.pro"), fileOf({crafted}));
        clickPicture(screen, QStringLiteral("cmdPrimo"));
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), stored);

        UrlCatcher catcher;
        Boxes boxes;
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QVERIFY(button(dlg, "btnApri01")->isEnabled());
            boxes = answerBoxes([&] { button(dlg, "btnApri01")->click(); });
            QVERIFY(dlg->isVisible());
            button(dlg, "btnAnnulla")->click();
        }));
        if (opened.isEmpty()) {
            QCOMPARE(boxes.texts, QStringList{kNotBareName});
            QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
            QCOMPARE(catcher.urls, QList<QUrl>());
        } else {
            QCOMPARE(boxes.count(), 0);
            QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(attachments() + QLatin1Char('/') + opened)});
        }
        // The stored name stays as it was.
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), stored);
    }

    void bibliographyAttachmentsAreStoredWithTheNewCard()
    {
        open(QStringLiteral("TfrmBibliografie"));
        const QString pdf = userFile(QStringLiteral("Ricerca/fonti.pdf"), "%PDF-1.7 fonti");
        const QString png = userFile(QStringLiteral("Ricerca/schema.png"), "\x89PNG schema");
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            QCOMPARE(dlg->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(), QStringLiteral("bibliografie"));
            browse(dlg, 1, pdf);
            browse(dlg, 3, png);
            QCOMPARE(edit(dlg, "txtFile01")->text(), QStringLiteral("fonti.pdf"));
            QCOMPARE(edit(dlg, "txtFile03")->text(), QStringLiteral("schema.png"));
            edit(dlg, "txtDesc01")->setText(QStringLiteral("Fonti consultate"));
            edit(dlg, "txtDesc02")->setText(QStringLiteral("Solo descrizione"));
            button(dlg, "btnApplica")->click();
        }));
        screen->findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->setText(QStringLiteral("Il romanzo storico"));
        QCOMPARE(answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); }).texts,
                 QStringList{kCardInserted});
        const QByteArray file = program->folder.read(QStringLiteral("Bibliografie.pro"));
        QCOMPARE(file.size(), 8286);
        const RecordLayout &layout = bibliographyLayout();
        QCOMPARE(fieldBytes(file, layout, 1, bibliografia::File01), QByteArray("fonti.pdf"));
        QCOMPARE(fieldBytes(file, layout, 1, bibliografia::File02), QByteArray());
        QCOMPARE(fieldBytes(file, layout, 1, bibliografia::File03), QByteArray("schema.png"));
        QCOMPARE(fieldBytes(file, layout, 1, bibliografia::Desc01), QByteArray("Fonti consultate"));
        QCOMPARE(fieldBytes(file, layout, 1, bibliografia::Desc02), QByteArray("Solo descrizione"));
        QCOMPARE(readAll(attachments() + "/fonti.pdf"), QByteArray("%PDF-1.7 fonti"));
        QCOMPARE(readAll(attachments() + "/schema.png"), QByteArray("\x89PNG schema"));
    }

    void anUnknownTagAppliesNothingAndStaysOpen()
    {
        open(QStringLiteral("TfrmLibri"));
        label(QStringLiteral("lblFile01"))->setText(QStringLiteral("libro.pdf"));
        QVERIFY(withAttachScreen([&](QWidget *dlg) {
            dlg->findChild<QLabel *>(QStringLiteral("lblMemory"))->setText(QStringLiteral("autori"));
            clickPicture(dlg, QStringLiteral("imgCancella01"));
            button(dlg, "btnApplica")->click();
            QVERIFY(dlg->isVisible());
            button(dlg, "btnAnnulla")->click();
        }));
        QCOMPARE(label(QStringLiteral("lblFile01"))->text(), QStringLiteral("libro.pdf"));
    }
};

QTEST_MAIN(TestAttachedFiles)
#include "tst_attached_files.moc"
