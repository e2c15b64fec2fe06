// The folder of an author card, from the author screen's folder picture: only for
// a stored card, named after its record number, made on the first "Apri cartella"
// and handed to the shell; "Chiudi" makes nothing.
#include "store/AuthorRecord.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"
#include "support/UrlCatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kNotStored =
    QStringLiteral("Attenzione: l'abbinamento di una cartella ad un autore può avvenire soltanto dopo che la scheda "
                   "è stata inserita in archivio.");

} // namespace

class TestAuthorFolders : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *screen = nullptr;

    void open()
    {
        program = std::make_unique<RunningProgram>();
        screen = openArchive(*program, QStringLiteral("TfrmAutori"));
        QVERIFY(screen && screen->isVisible());
    }
    QString folderOf(int number) const { return program->folder.file(QStringLiteral("Autore_%1").arg(number)); }
    QStringList authorFolders() const
    {
        return QDir(program->folder.path()).entryList({QStringLiteral("Autore_*")}, QDir::AllEntries);
    }
    // Opens the folder screen from the card and presses one of its buttons.
    bool press(const QString &buttonName, QString *tag = nullptr)
    {
        return whileModal([&] { clickPicture(screen, QStringLiteral("cmdCartella")); }, QStringLiteral("TfrmCartella"),
                          [&](QWidget *dlg) {
                              if (tag) *tag = dlg->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
                              dlg->findChild<QPushButton *>(buttonName)->click();
                          });
    }
    void storeAuthors(int count, const QMap<int, QString> &names)
    {
        QList<Record> records;
        for (int i = 1; i <= count; ++i)
            records << makeRecord(authorLayout(),
                                  {{autore::Autore, names.value(i, QStringLiteral("Autore %1").arg(i))}});
        program->folder.write(QStringLiteral("Autori.pro"), fileOf(records));
    }
    void goTo(int number)
    {
        clickPicture(screen, QStringLiteral("cmdPrimo"));
        for (int i = 1; i < number; ++i) clickPicture(screen, QStringLiteral("cmdAvanti"));
        QCOMPARE(positionOf(screen), QString::number(number));
    }

private slots:
    void cleanup() { program.reset(); }

    void aNewCardGetsTheWarningThenItsFolderOnceSaved()
    {
        open();
        storeAuthors(2, {});
        UrlCatcher catcher;
        screen->findChild<QLineEdit *>(QStringLiteral("txtAutore"))->setText(QStringLiteral("Grazia Deledda"));
        bool opened = true;
        const Boxes boxes = answerBoxes([&] { opened = press(QStringLiteral("btnApriCartella")); });
        QCOMPARE(boxes.texts, QStringList{kNotStored});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
        QVERIFY(!opened);
        QCOMPARE(authorFolders(), QStringList());
        QCOMPARE(catcher.urls, QList<QUrl>());

        QCOMPARE(answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); }).texts,
                 QStringList{kCardInserted});
        QString tag;
        QVERIFY(press(QStringLiteral("btnApriCartella"), &tag));
        QCOMPARE(tag, QStringLiteral("3"));
        QVERIFY(QFileInfo(folderOf(3)).isDir());
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(folderOf(3))});
    }

    void twoAuthorsOfOneNameHaveTwoFolders()
    {
        open();
        storeAuthors(9, {{4, QStringLiteral("Mario Rossi")}, {9, QStringLiteral("Mario Rossi")}});
        UrlCatcher catcher;
        goTo(4);
        QVERIFY(press(QStringLiteral("btnApriCartella")));
        QVERIFY(!topLevel(QStringLiteral("TfrmCartella")));
        goTo(9);
        QVERIFY(press(QStringLiteral("btnApriCartella")));
        QCOMPARE(authorFolders(), (QStringList{"Autore_4", "Autore_9"}));
        QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(folderOf(4)), QUrl::fromLocalFile(folderOf(9))}));

        // Later openings find the same folder with what the user put in it.
        program->folder.write(QStringLiteral("Autore_4/opere.pdf"), "%PDF");
        goTo(4);
        QVERIFY(press(QStringLiteral("btnApriCartella")));
        QCOMPARE(catcher.urls.last(), QUrl::fromLocalFile(folderOf(4)));
        QCOMPARE(QDir(folderOf(4)).entryList(QDir::Files), QStringList{"opere.pdf"});
        QCOMPARE(program->folder.read(QStringLiteral("Autore_4/opere.pdf")), QByteArray("%PDF"));
    }

    void chiudiMakesNothing()
    {
        open();
        storeAuthors(1, {});
        UrlCatcher catcher;
        goTo(1);
        QVERIFY(whileModal([&] { clickPicture(screen, QStringLiteral("cmdCartella")); }, QStringLiteral("TfrmCartella"),
                           [&](QWidget *dlg) {
                               QCOMPARE(dlg->windowTitle(),
                                        QStringLiteral(" Gestione cartella abbinata alla scheda corrente"));
                               QCOMPARE(dlg->findChild<QPushButton *>(QStringLiteral("btnApriCartella"))->text(),
                                        QStringLiteral("Apri cartella"));
                               QVERIFY(dlg->findChild<QLabel *>(QStringLiteral("icoCartella")));
                               auto *chiudi = dlg->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
                               QCOMPARE(chiudi->text(), QStringLiteral("Chiudi"));
                               chiudi->click();
                           }));
        QVERIFY(!topLevel(QStringLiteral("TfrmCartella")));
        QCOMPARE(authorFolders(), QStringList());
        QCOMPARE(catcher.urls, QList<QUrl>());
    }

    void aPathThatNamesNoFolderShowsTheErrorAndStays()
    {
        open();
        storeAuthors(1, {});
        UrlCatcher catcher;
        goTo(1);
        Boxes boxes;
        bool stillOpen = false;
        QString tagAfter;
        const QString tooLong(300, u'9'); // far past what any system takes for one folder name
        QVERIFY(whileModal([&] { clickPicture(screen, QStringLiteral("cmdCartella")); }, QStringLiteral("TfrmCartella"),
                           [&](QWidget *dlg) {
                               auto *tag = dlg->findChild<QLabel *>(QStringLiteral("lblMemory"));
                               tag->setText(tooLong);
                               boxes = answerBoxes(
                                   [&] { dlg->findChild<QPushButton *>(QStringLiteral("btnApriCartella"))->click(); });
                               stillOpen = dlg->isVisible();
                               tagAfter = tag->text();
                               dlg->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
                           }));
        QVERIFY(stillOpen);
        QCOMPARE(tagAfter, tooLong);
        // Said in the program's words, with the path it could not make.
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Impossibile creare la cartella: il percorso della cartella "
                                                         "\u00E8 troppo lungo.\n\n") +
                                          program->folder.file(QStringLiteral("Autore_") + tooLong)});
        QCOMPARE(boxes.icons, QList<QMessageBox::Icon>{QMessageBox::Critical});
        QCOMPARE(boxes.buttonCounts, QList<int>{1});
        QCOMPARE(boxes.captions, QStringList{QStringLiteral("Opusteca 2.0")});
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        QCOMPARE(authorFolders(), QStringList());
        QCOMPARE(catcher.urls, QList<QUrl>());
    }
};

QTEST_MAIN(TestAuthorFolders)
#include "tst_author_folders.moc"
