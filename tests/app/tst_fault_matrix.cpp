// Every file fault a user can meet, on the real screens: each shows the message
// its screen prescribes, nothing crashes, and no record is lost or changed.
//
// A full disk is made with the file layer's free-space seam
// (fileaccess::setFreeSpaceForTesting): every write of the program's files goes
// through that one function, which then writes what fits and fails, as a
// full disk does. The tests run as root, where folder permissions stop
// nothing: the program honours the read-only mark itself, and so do these
// tests rely on it.
#include "access/core/PasswordStore.h"
#include "access/core/Scrambler.h"
#include "app/Application.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/FileAccess.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadFailed =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kChangeFailed =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");
const QString kPasswordFile = QString::fromLatin1(PasswordStore::kFileName);

constexpr QFile::Permissions kReadOnlyMode =
    QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
constexpr QFile::Permissions kWritableMode = kReadOnlyMode | QFile::WriteOwner;

// One archive: its screen, file, layout and the card field it cannot be saved without.
struct Archive {
    QString screen;
    QString file;
    const RecordLayout &(*layout)();
    int mandatory;
};
const Archive kArchives[] = {
    {QStringLiteral("TfrmLibri"), QStringLiteral("Libri.pro"), bookLayout, libro::Titolo},
    {QStringLiteral("TfrmAutori"), QStringLiteral("Autori.pro"), authorLayout, autore::Autore},
    {QStringLiteral("TfrmBibliografie"), QStringLiteral("Bibliografie.pro"), bibliographyLayout, bibliografia::Titolo},
};

Record sample(const RecordLayout &layout, const QString &tag)
{
    QList<QPair<int, QString>> fields;
    for (int f = 0; f < layout.fieldCount(); ++f) fields.append({f, tag + QLatin1Char('-') + QString::number(f)});
    if (&layout == &bookLayout()) {
        fields[libro::Convalida].second = libro::no();
        fields[libro::Annullata].second = libro::no();
    }
    return makeRecord(layout, fields);
}

// Fills what each card needs to be saved: the book card wants title, code and author.
void fillMandatory(QWidget *screen, const Archive &archive, const QString &text)
{
    QStringList names{QString::fromLatin1(archive.layout().fields[archive.mandatory].control)};
    if (archive.screen == QLatin1String("TfrmLibri"))
        names << QStringLiteral("txtCodice") << QStringLiteral("txtAutore");
    for (const QString &n : names) screen->findChild<QLineEdit *>(n)->setText(text);
}

QString cardText(QWidget *screen, const char *control)
{
    const QString name = QString::fromLatin1(control);
    if (auto *e = screen->findChild<QLineEdit *>(name)) return e->text();
    if (auto *p = screen->findChild<QPlainTextEdit *>(name)) return p->toPlainText();
    if (auto *c = screen->findChild<QComboBox *>(name)) return c->currentText();
    if (auto *l = screen->findChild<QLabel *>(name)) return l->text();
    return {};
}

Boxes press(QWidget *screen, const char *picture)
{
    return answerBoxes([&] { clickPicture(screen, QString::fromLatin1(picture)); });
}

// Pastes text into a field the way a user does: from the clipboard, with Ctrl+V.
void paste(QWidget *field, const QString &text)
{
    QApplication::clipboard()->setText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

QByteArray iniHolding(const QByteArray &hex) { return QByteArray("[Accesso]\r\nValore=") + hex + QByteArray("\r\n"); }

} // namespace

class TestFaultMatrix : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QWidget *open(const Archive &archive)
    {
        program = std::make_unique<RunningProgram>();
        return openArchive(*program, archive.screen);
    }

private slots:
    void cleanup()
    {
        fileaccess::setFreeSpaceForTesting(-1);
        fileaccess::setClosesFailForTesting(false);
        if (program) QFile::setPermissions(program->folder.path(), kWritableMode);
        program.reset();
    }

    void archiveCannotBeUsed_data();
    void archiveCannotBeUsed();
    void damagedArchive_data();
    void damagedArchive();
    void passwordFileFaults_data();
    void passwordFileFaults();
    void diskFullDuringASave_data();
    void diskFullDuringASave();
    void diskFullDuringAPasswordChange();
    void closeFails_data();
    void closeFails();
    void closeFailsDuringAPasswordChange();
    void programFolderPathTooLong_data();
    void programFolderPathTooLong();
    void veryLongPastedText_data();
    void veryLongPastedText();
    void veryLongPastedPasswordAndFilters();
};

// ---- an archive the program cannot open -------------------------------------

void TestFaultMatrix::archiveCannotBeUsed_data()
{
    QTest::addColumn<int>("archive");
    QTest::addColumn<QString>("fault");
    const char *faults[] = {"read-only folder", "unreadable file", "folder in its place", "link to nothing"};
    for (int a = 0; a < 3; ++a)
        for (const char *fault : faults)
            QTest::addRow("%s, %s", qPrintable(kArchives[a].file), fault) << a << QString::fromLatin1(fault);
}

void TestFaultMatrix::archiveCannotBeUsed()
{
    QFETCH(int, archive);
    QFETCH(QString, fault);
    const Archive &a = kArchives[archive];
    QWidget *screen = open(a);
    QVERIFY(screen);
    const QString path = program->folder.file(a.file);
    const QString folder = program->folder.path();
    const QByteArray stored = fileOf({sample(a.layout(), QStringLiteral("uno"))});

    if (fault == QLatin1String("read-only folder")) {
        QVERIFY(QFile::setPermissions(folder, kReadOnlyMode));
    } else if (fault == QLatin1String("unreadable file")) {
        program->folder.write(a.file, stored);
        // No permission at all; for root the missing write mark is what stops it.
        QVERIFY(QFile::setPermissions(path, {}));
    } else if (fault == QLatin1String("folder in its place")) {
        QVERIFY(QDir(folder).mkdir(a.file));
    } else {
        QVERIFY(QFile::link(program->folder.file(QStringLiteral("missing.pro")), path));
    }
    const auto restore = qScopeGuard([&] { QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner); });

    fillMandatory(screen, a, QStringLiteral("nuovo"));
    const char *mandatory = a.layout().fields[a.mandatory].control;
    QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kAccess});
    QCOMPARE(positionOf(screen), QString());
    QCOMPARE(cardText(screen, mandatory), QStringLiteral("nuovo"));
    for (const char *picture : {"cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"})
        QCOMPARE(press(screen, picture).texts, QStringList{kAccess});
    QCOMPARE(cardText(screen, mandatory), QStringLiteral("nuovo"));

    // What was there is still there, and nothing took its place.
    const QFileInfo info(path);
    if (fault == QLatin1String("read-only folder")) {
        QVERIFY(!info.exists());
    } else if (fault == QLatin1String("unreadable file")) {
        QFile::setPermissions(path, QFile::ReadOwner);
        QCOMPARE(program->folder.read(a.file), stored);
    } else if (fault == QLatin1String("folder in its place")) {
        QVERIFY(info.isDir());
    } else {
        QVERIFY(info.isSymLink());
        QVERIFY(!QFileInfo::exists(program->folder.file(QStringLiteral("missing.pro"))));
    }
}

// ---- an archive damaged by someone else -------------------------------------

void TestFaultMatrix::damagedArchive_data()
{
    QTest::addColumn<int>("archive");
    QTest::addColumn<QString>("damage");
    for (int a = 0; a < 3; ++a) {
        QTest::addRow("%s, trailing partial record", qPrintable(kArchives[a].file)) << a << QStringLiteral("partial");
        QTest::addRow("%s, %s", qPrintable(kArchives[a].file),
                      a == 0 ? "length bytes above capacity" : "fields without their zero")
            << a << QStringLiteral("fields");
    }
}

void TestFaultMatrix::damagedArchive()
{
    QFETCH(int, archive);
    QFETCH(QString, damage);
    const Archive &a = kArchives[archive];
    const RecordLayout &layout = a.layout();
    QWidget *screen = open(a);
    QVERIFY(screen);

    QByteArray bytes = fileOf({sample(layout, QStringLiteral("uno")), sample(layout, QStringLiteral("due"))});
    QString expected; // the mandatory field of record 2 as the card must show it
    const FieldDef &f = layout.fields[a.mandatory];
    char *second = bytes.data() + layout.recordSize;
    if (damage == QLatin1String("partial")) {
        bytes.append(QByteArray(layout.recordSize / 2, 'x'));
        expected = QStringLiteral("due-%1").arg(a.mandatory);
    } else if (layout.kind == FieldKind::LengthPrefixed) {
        // Every length byte claims 255: each field reads as its whole capacity.
        for (const FieldDef &d : layout.fields) second[d.offset] = char(0xFF);
        std::memset(second + f.offset + 1, 'L', size_t(f.capacity));
        expected = QString(f.capacity, QLatin1Char('L'));
    } else {
        // No zero anywhere: each field reads as its whole capacity.
        std::memset(second, 'Z', size_t(layout.recordSize));
        expected = QString(f.capacity, QLatin1Char('Z'));
    }
    program->folder.write(a.file, bytes);

    // Browsing reads without complaint and changes no byte.
    QCOMPARE(press(screen, "cmdUltimo").texts, QStringList());
    QCOMPARE(positionOf(screen), QStringLiteral("2"));
    QCOMPARE(cardText(screen, f.control), expected);
    QCOMPARE(press(screen, "cmdIndietro").texts, QStringList());
    QCOMPARE(positionOf(screen), QStringLiteral("1"));
    QCOMPARE(press(screen, "cmdAvanti").texts, QStringList());
    QCOMPARE(press(screen, "cmdAvanti").texts, QStringList()); // past the last whole record: nothing
    QCOMPARE(positionOf(screen), QStringLiteral("2"));
    QCOMPARE(program->folder.read(a.file), bytes);

    // A new card goes after the last whole record; the two before stay as they were.
    press(screen, "cmdNuovo");
    fillMandatory(screen, a, QStringLiteral("tre"));
    const QStringList boxes = press(screen, "cmdSalva").texts;
    QCOMPARE(boxes.value(boxes.size() - 1), kInserted);
    QCOMPARE(positionOf(screen), QStringLiteral("3"));
    const QByteArray after = program->folder.read(a.file);
    QCOMPARE(after.size(), 3 * layout.recordSize);
    QCOMPARE(after.left(2 * layout.recordSize), bytes.left(2 * layout.recordSize));
}

// ---- the password file ------------------------------------------------------

void TestFaultMatrix::passwordFileFaults_data()
{
    QTest::addColumn<QByteArray>("content");   // "-" for no file at all
    QTest::addColumn<QString>("loginMessage"); // empty: the start menu opens
    QTest::addColumn<QString>("changeMessage");
    const QByteArray good = scrambler::scramble(kInitialPassword).toLatin1();
    QTest::newRow("missing") << QByteArray("-") << kWrong << kOldWrong;
    QTest::newRow("empty") << QByteArray() << kWrong << kOldWrong;
    QTest::newRow("not INI") << QByteArray("\x00\x01\xFF\xFEMZ\x90\x00binario\r\n", 16) << kWrong << kOldWrong;
    QTest::newRow("odd length") << iniHolding(good + "7") << QString() << kChanged;
    QTest::newRow("non-hex digits") << iniHolding(good.left(4) + "G1" + good.mid(6)) << kReadFailed << kChangeFailed;
}

void TestFaultMatrix::passwordFileFaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, loginMessage);
    QFETCH(QString, changeMessage);
    program = std::make_unique<RunningProgram>();
    if (content == "-")
        QVERIFY(QFile::remove(program->folder.file(kPasswordFile)));
    else
        program->folder.write(kPasswordFile, content);

    QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
    auto *field = login->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
    field->setText(QStringLiteral("opusteca"));
    const Boxes boxes = answerBoxes([&] { login->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
    if (loginMessage.isEmpty()) {
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
        return;
    }
    QCOMPARE(boxes.texts, QStringList{loginMessage});
    QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});

    // A change is refused as well, and the file stays as it was.
    login->findChild<QPushButton *>(QStringLiteral("btnCambiaPassword"))->click();
    QWidget *change = topLevel(QStringLiteral("TfrmCambiaPassword"));
    QVERIFY(change->isVisible());
    for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        change->findChild<QLineEdit *>(QString::fromLatin1(name))->setText(QStringLiteral("opusteca"));
    const Boxes changed = answerBoxes([&] { change->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
    QCOMPARE(changed.texts, QStringList{changeMessage});
    if (content == "-")
        QVERIFY(!QFile::exists(program->folder.file(kPasswordFile)));
    else
        QCOMPARE(program->folder.read(kPasswordFile), content);
}

// ---- a full disk --------------------------------------------------------------

void TestFaultMatrix::diskFullDuringASave_data()
{
    QTest::addColumn<int>("archive");
    for (int a = 0; a < 3; ++a) QTest::addRow("%s", qPrintable(kArchives[a].file)) << a;
}

void TestFaultMatrix::diskFullDuringASave()
{
    QFETCH(int, archive);
    const Archive &a = kArchives[archive];
    const RecordLayout &layout = a.layout();
    QWidget *screen = open(a);
    QVERIFY(screen);
    const QByteArray before = fileOf({sample(layout, QStringLiteral("uno"))});
    program->folder.write(a.file, before);

    // Room for a third of a record: the new one is cut short and the save fails.
    fileaccess::setFreeSpaceForTesting(layout.recordSize / 3);
    fillMandatory(screen, a, QStringLiteral("nuovo"));
    QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kAccess});
    QCOMPARE(positionOf(screen), QString());
    const char *mandatory = layout.fields[a.mandatory].control;
    QCOMPARE(cardText(screen, mandatory), QStringLiteral("nuovo"));
    QByteArray file = program->folder.read(a.file);
    QCOMPARE(file.left(layout.recordSize), before);
    QVERIFY(file.size() < 2 * layout.recordSize); // the piece written is no record
    QCOMPARE(press(screen, "cmdUltimo").texts, QStringList());
    QCOMPARE(positionOf(screen), QStringLiteral("1"));

    // Overwriting takes no new space: it still succeeds on the full disk.
    QVERIFY(press(screen, "cmdSalva")
                .texts.endsWith(
                    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.")));

    // Space again: the next new card takes the place of the piece.
    fileaccess::setFreeSpaceForTesting(-1);
    press(screen, "cmdNuovo");
    fillMandatory(screen, a, QStringLiteral("nuovo"));
    QVERIFY(press(screen, "cmdSalva").texts.endsWith(kInserted));
    QCOMPARE(positionOf(screen), QStringLiteral("2"));
    file = program->folder.read(a.file);
    QCOMPARE(file.size(), 2 * layout.recordSize);
    QCOMPARE(fieldBytes(file, layout, 2, a.mandatory), QByteArray("nuovo"));
}

void TestFaultMatrix::diskFullDuringAPasswordChange()
{
    program = std::make_unique<RunningProgram>();
    const QByteArray before = program->folder.read(kPasswordFile);
    QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
    login->findChild<QPushButton *>(QStringLiteral("btnCambiaPassword"))->click();
    QWidget *change = topLevel(QStringLiteral("TfrmCambiaPassword"));
    QVERIFY(change->isVisible());

    fileaccess::setFreeSpaceForTesting(5);
    change->findChild<QLineEdit *>(QStringLiteral("txtPasswordOld"))->setText(QStringLiteral("opusteca"));
    change->findChild<QLineEdit *>(QStringLiteral("txtPasswordNew"))->setText(QStringLiteral("nuovissima"));
    change->findChild<QLineEdit *>(QStringLiteral("txtConferma"))->setText(QStringLiteral("nuovissima"));
    const Boxes boxes = answerBoxes([&] { change->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
    QCOMPARE(boxes.texts, QStringList{kChangeFailed});
    QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmCambiaPassword")});
    QCOMPARE(program->folder.read(kPasswordFile), before);
    QCOMPARE(QDir(program->folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kPasswordFile});
    QCOMPARE(PasswordStore(program->folder.path()).read(), std::optional<QString>(kInitialPassword));
}

// ---- a close that fails ------------------------------------------------------
// The file layer's close seam: every byte is written, then the device refuses
// to take them at the close (a full network share, a stick pulled out).

void TestFaultMatrix::closeFails_data()
{
    QTest::addColumn<int>("archive");
    QTest::addColumn<QString>("step");
    for (int a = 0; a < 3; ++a)
        for (const char *step : {"load", "save over", "append"})
            QTest::addRow("%s, %s", qPrintable(kArchives[a].file), step) << a << QString::fromLatin1(step);
}

void TestFaultMatrix::closeFails()
{
    QFETCH(int, archive);
    QFETCH(QString, step);
    const Archive &a = kArchives[archive];
    const RecordLayout &layout = a.layout();
    const char *mandatory = layout.fields[a.mandatory].control;
    QWidget *screen = open(a);
    QVERIFY(screen);
    const QByteArray before = fileOf({sample(layout, QStringLiteral("uno")), sample(layout, QStringLiteral("due"))});
    program->folder.write(a.file, before);
    const QString kOverwritten =
        QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

    if (step == QLatin1String("load")) {
        // The record was read whole: the card shows it, and the user hears of the failure.
        fileaccess::setClosesFailForTesting(true);
        QCOMPARE(press(screen, "cmdUltimo").texts, QStringList{kAccess});
        QCOMPARE(positionOf(screen), QStringLiteral("2"));
        QCOMPARE(cardText(screen, mandatory), QStringLiteral("due-%1").arg(a.mandatory));
        QCOMPARE(press(screen, "cmdIndietro").texts, QStringList{kAccess});
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        QCOMPARE(cardText(screen, mandatory), QStringLiteral("uno-%1").arg(a.mandatory));
        QCOMPARE(program->folder.read(a.file), before);
        return;
    }

    if (step == QLatin1String("save over")) {
        QCOMPARE(press(screen, "cmdPrimo").texts, QStringList());
        fillMandatory(screen, a, QStringLiteral("cambiato"));
        fileaccess::setClosesFailForTesting(true);
        QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kAccess});
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        fileaccess::setClosesFailForTesting(false);
        QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kOverwritten});
        const QByteArray file = program->folder.read(a.file);
        QCOMPARE(file.size(), 2 * layout.recordSize);
        QCOMPARE(fieldBytes(file, layout, 1, a.mandatory), QByteArray("cambiato"));
        QCOMPARE(file.mid(layout.recordSize), before.mid(layout.recordSize));
        return;
    }

    // An append: the card names the new record, so a second Save overwrites it
    // instead of adding a copy.
    fillMandatory(screen, a, QStringLiteral("nuovo"));
    fileaccess::setClosesFailForTesting(true);
    QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kAccess});
    QCOMPARE(positionOf(screen), QStringLiteral("3"));
    QCOMPARE(cardText(screen, mandatory), QStringLiteral("nuovo"));
    fileaccess::setClosesFailForTesting(false);
    QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kOverwritten});
    QCOMPARE(positionOf(screen), QStringLiteral("3"));
    const QByteArray file = program->folder.read(a.file);
    QCOMPARE(file.size(), 3 * layout.recordSize);
    QCOMPARE(file.left(2 * layout.recordSize), before);
    QCOMPARE(fieldBytes(file, layout, 3, a.mandatory), QByteArray("nuovo"));
}

void TestFaultMatrix::closeFailsDuringAPasswordChange()
{
    program = std::make_unique<RunningProgram>();
    const QByteArray before = program->folder.read(kPasswordFile);
    QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
    login->findChild<QPushButton *>(QStringLiteral("btnCambiaPassword"))->click();
    QWidget *change = topLevel(QStringLiteral("TfrmCambiaPassword"));
    QVERIFY(change->isVisible());

    fileaccess::setClosesFailForTesting(true);
    change->findChild<QLineEdit *>(QStringLiteral("txtPasswordOld"))->setText(QStringLiteral("opusteca"));
    change->findChild<QLineEdit *>(QStringLiteral("txtPasswordNew"))->setText(QStringLiteral("nuovissima"));
    change->findChild<QLineEdit *>(QStringLiteral("txtConferma"))->setText(QStringLiteral("nuovissima"));
    const Boxes boxes = answerBoxes([&] { change->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
    QCOMPARE(boxes.texts, QStringList{kChangeFailed});
    QCOMPARE(program->folder.read(kPasswordFile), before);
    QCOMPARE(QDir(program->folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kPasswordFile});
}

// ---- a program folder too deep for the archives -----------------------------

void TestFaultMatrix::programFolderPathTooLong_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("260 characters") << 260;
    QTest::newRow("400 characters") << 400;
}

void TestFaultMatrix::programFolderPathTooLong()
{
    QFETCH(int, length);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    QString folder = base.path();
    while (folder.size() < length) {
        const int room = length - int(folder.size()) - 1;
        folder += QLatin1Char('/') + QString(std::min(room, 50), QLatin1Char('d'));
    }
    QCOMPARE(folder.size(), length);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(PasswordStore(folder).write(kInitialPassword));

    Application app(folder);
    app.start();
    QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
    login->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(kInitialPassword);
    login->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    for (const Archive &a : kArchives) {
        clickPicture(topLevel(QStringLiteral("TfrmAvvio")), QStringLiteral("btn") + a.screen.mid(4));
        QWidget *screen = topLevel(a.screen);
        QVERIFY(screen && screen->isVisible());
        fillMandatory(screen, a, QStringLiteral("nuovo"));
        QCOMPARE(press(screen, "cmdSalva").texts, QStringList{kAccess});
        QCOMPARE(press(screen, "cmdPrimo").texts, QStringList{kAccess});
        QCOMPARE(positionOf(screen), QString());
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath(a.file)));
        clickPicture(screen, QStringLiteral("cmdEsci"));
    }
}

// ---- very long pasted text ----------------------------------------------------

void TestFaultMatrix::veryLongPastedText_data()
{
    QTest::addColumn<int>("archive");
    for (int a = 0; a < 3; ++a) QTest::addRow("%s", qPrintable(kArchives[a].file)) << a;
}

void TestFaultMatrix::veryLongPastedText()
{
    QFETCH(int, archive);
    const Archive &a = kArchives[archive];
    const RecordLayout &layout = a.layout();
    QWidget *screen = open(a);
    QVERIFY(screen);
    // 120 000 characters, accented ones included, without a line break.
    QString pasted;
    while (pasted.size() < 120000) pasted += QStringLiteral("Perché così? ");

    int pastedInto = 0;
    for (const FieldDef &f : layout.fields) {
        QWidget *w = screen->findChild<QWidget *>(QString::fromLatin1(f.control));
        QVERIFY2(w, f.control);
        if (auto *c = qobject_cast<QComboBox *>(w)) w = c->lineEdit();
        // Text fields the user can type in; hidden labels and check boxes take no paste.
        auto *line = qobject_cast<QLineEdit *>(w);
        auto *memo = qobject_cast<QPlainTextEdit *>(w);
        if ((!line && !memo) || !w->isEnabled() || !w->isVisible()) continue;
        if ((line && line->isReadOnly()) || (memo && memo->isReadOnly())) continue;
        paste(w, pasted);
        ++pastedInto;
    }
    QVERIFY(pastedInto > 5);
    const Boxes boxes = press(screen, "cmdSalva");
    QVERIFY(!boxes.timedOut);
    QCOMPARE(boxes.texts.value(boxes.count() - 1), kInserted);
    QCOMPARE(positionOf(screen), QStringLiteral("1"));

    // Every field holds the front of the pasted text, as much as it can take.
    const QByteArray file = program->folder.read(a.file);
    QCOMPARE(file.size(), layout.recordSize);
    const Record stored(layout, file);
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const QString text = cardText(screen, layout.fields[i].control);
        if (text.isEmpty() || text == libro::no()) continue;
        const QString value = stored.text(i);
        QVERIFY2(!value.isEmpty(), layout.fields[i].name);
        QVERIFY2(pasted.startsWith(value, Qt::CaseInsensitive), layout.fields[i].name); // the ISBN is upper-cased
        QVERIFY2(cp1252::encode(value).size() >= layout.fields[i].capacity - 1, layout.fields[i].name);
    }
    // And it loads back as it was stored.
    QCOMPARE(press(screen, "cmdPrimo").texts, QStringList());
    QCOMPARE(program->folder.read(a.file), file);
}

void TestFaultMatrix::veryLongPastedPasswordAndFilters()
{
    program = std::make_unique<RunningProgram>();
    QString pasted(100000, QLatin1Char('x'));
    QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
    auto *field = login->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
    paste(field, pasted);
    QCOMPARE(answerBoxes([&] { login->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); }).texts,
             QStringList{kWrong});

    // The search filters of the book archive, over an archive of one book.
    program->folder.write(QStringLiteral("Libri.pro"), fileOf({sample(bookLayout(), QStringLiteral("uno"))}));
    QWidget *screen = openArchive(*program, QStringLiteral("TfrmLibri"));
    QVERIFY(screen);
    // Every filter cut to the field's length, no match, and no box: an empty result
    // is told by the count under the list alone.
    Boxes seen;
    const bool opened = whileModal(
        [&] { clickPicture(screen, QStringLiteral("cmdTrova")); }, QStringLiteral("TfrmTrovaLibri"),
        [&](QWidget *d) {
            int filters = 0;
            for (QLineEdit *e : d->findChildren<QLineEdit *>()) {
                if (!e->objectName().startsWith(QLatin1String("txt")) || e->objectName() == QLatin1String("txtTrova"))
                    continue;
                paste(e, pasted);
                QCOMPARE(e->text(), pasted.left(e->maxLength()));
                ++filters;
            }
            QVERIFY(filters > 5);
            seen = answerBoxes([&] { d->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click(); });
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("lblConta"))->text(), QString::number(filters));
            auto *list = d->findChild<QAbstractItemView *>(QStringLiteral("lstRecords"));
            QVERIFY(list && list->model());
            QCOMPARE(list->model()->rowCount(), 0);
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("lblTrovate"))->text(),
                     QStringLiteral("Il presente riepilogo contiene 0 schede."));
            d->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
        });
    QVERIFY(opened);
    QCOMPARE(seen.texts, QStringList());
    QVERIFY(!seen.timedOut);
}

QTEST_MAIN(TestFaultMatrix)
#include "tst_fault_matrix.moc"
