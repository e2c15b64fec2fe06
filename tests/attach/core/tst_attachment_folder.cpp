// The attachments folder: which stored names may be opened, and copies that never
// truncate or half-write a file, whatever the source turns out to be.
#include "attach/core/AttachmentFolder.h"

#include "store/Cp1252.h"
#include "store/FileAccess.h"
#include "support/Files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using opusteca::test::readAll;
using opusteca::test::writeAll;

namespace {

// A few megabytes that no two positions of which look alike, so a short or shifted
// copy cannot pass for a whole one.
QByteArray bigContent()
{
    QByteArray b(3 * 1024 * 1024 + 123, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (char &c : b) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return b;
}

} // namespace

class TestAttachmentFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString program() const { return dir->filePath(QStringLiteral("Opusteca")); }
    QString attachments() const { return program() + QStringLiteral("/Documenti_Allegati"); }
    QStringList folderEntries() const
    {
        return QDir(attachments()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(QDir().mkpath(program()));
    }

    void bareNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bare");
        QTest::newRow("plain") << "cover.jpg" << true;
        QTest::newRow("blanks around are trimmed") << "  Relazione finale.pdf \t" << true;
        QTest::newRow("accented") << "Perché è così.odt" << true;
        QTest::newRow("tilde inside") << "bozza~1.doc" << true;
        QTest::newRow("no extension") << "LEGGIMI" << true;
        QTest::newRow("dot inside") << "a.b.c" << true;
        QTest::newRow("ellipsis before the extension") << "Inferno, canto I...pdf" << true;
        QTest::newRow("two dots inside") << "cap.1..2.pdf" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("Windows parent climb") << "..\\..\\programma.exe" << false;
        QTest::newRow("parent climb") << "../../etc/passwd" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("Windows absolute") << "C:\\Windows\\notepad.exe" << false;
        QTest::newRow("drive-relative") << "C:x.txt" << false;
        QTest::newRow("lower-case drive") << "d:x.txt" << false;
        QTest::newRow("network share") << "\\\\server\\share\\f.pdf" << false;
        QTest::newRow("sub-folder") << "scans/cover.jpg" << false;
        QTest::newRow("sub-folder, backslash") << "scans\\cover.jpg" << false;
        QTest::newRow("parent alone") << ".." << false;
        QTest::newRow("parent, then name") << "..cover.jpg" << false;
        QTest::newRow("folder itself") << "." << false;
        QTest::newRow("home") << "~" << false;
        QTest::newRow("home file") << "~root" << false;
        QTest::newRow("NUL inside") << QStringLiteral("a.pdf") + QChar(0) + QStringLiteral(".exe") << false;
        QTest::newRow("line break inside") << "a\nb.pdf" << false;
    }

    void bareNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, bare);
        QCOMPARE(AttachmentFolder::isBareName(name), bare);
        const AttachmentFolder folder(program());
        QCOMPARE(folder.openablePath(name).has_value(), bare);
        if (bare) QCOMPARE(*folder.openablePath(name), attachments() + QLatin1Char('/') + name.trimmed());
    }

    void storableNames_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << "cover.jpg"
                               << "cover.jpg";
        QTest::newRow("accents of the code page") << "Perché è così €.odt"
                                                  << "Perché è così €.odt";
        QTest::newRow("tilde inside") << "bozza~1.doc"
                                      << "bozza~1.doc";
        QTest::newRow("Polish") << "Łódź.pdf"
                                << "Lódz.pdf";
        QTest::newRow("double acute") << "Erdős.txt"
                                      << "Erdos.txt";
        QTest::newRow("Greek") << "Ωμέγα.pdf"
                               << "_____.pdf";
        QTest::newRow("emoji") << "copertina 😀.png"
                               << "copertina _.png";
        QTest::newRow("question mark") << "perché?.txt"
                                       << "perché_.txt";
        QTest::newRow("characters Windows refuses") << "a<b>c:d\"e|f*g.txt"
                                                    << "a_b_c_d_e_f_g.txt";
        QTest::newRow("control character") << "a\tb.txt"
                                           << "a_b.txt";
        QTest::newRow("leading tilde") << "~appunti.txt"
                                       << "_appunti.txt";
        QTest::newRow("leading dots") << "..nascosto"
                                      << "_.nascosto";
        QTest::newRow("blanks around") << "  scheda.pdf "
                                       << "scheda.pdf";
        QTest::newRow("too long") << QString(300, u'a') + ".pdf" << QString(246, u'a') + ".pdf";
        QTest::newRow("too long, no extension") << QString(300, u'b') << QString(250, u'b');
        QTest::newRow("too long, long extension") << "c." + QString(300, u'x') << "c." + QString(248, u'x');
    }

    void storableNames()
    {
        QFETCH(QString, picked);
        QFETCH(QString, stored);
        const QString name = AttachmentFolder::storableName(picked, 250);
        QCOMPARE(name, stored);
        // What the card stores, and what "Apri" accepts, is that same name.
        QByteArray bytes;
        QVERIFY(cp1252::encodeExactly(name, bytes));
        QVERIFY(AttachmentFolder::isBareName(name));
        // Applied again it changes nothing: a stored name reloaded is the name of the copy.
        QCOMPARE(AttachmentFolder::storableName(name, 250), name);
    }

    void missingCopyOfAValidNameStillOpens()
    {
        // Opening a missing attachment is the shell's business, as it always was.
        const AttachmentFolder folder(program());
        QCOMPARE(folder.openablePath(QStringLiteral("manca.pdf")),
                 std::optional<QString>(attachments() + "/manca.pdf"));
        QVERIFY(!QFileInfo::exists(attachments()));
    }

    void linksLeadingOutsideAreRefused()
    {
        const AttachmentFolder folder(program());
        QVERIFY(folder.ensureExists());
        const QString secret = dir->filePath(QStringLiteral("segreto.txt"));
        writeAll(secret, "riservato");
        writeAll(attachments() + "/vero.pdf", "%PDF");
        QVERIFY(QFile::link(secret, attachments() + "/fuori.pdf"));
        QVERIFY(QFile::link(attachments() + "/vero.pdf", attachments() + "/dentro.pdf"));
        QVERIFY(QFile::link(dir->filePath(QStringLiteral("nessuno")), attachments() + "/sospeso.pdf"));

        QVERIFY(!folder.openablePath(QStringLiteral("fuori.pdf")));
        QVERIFY(!folder.openablePath(QStringLiteral("sospeso.pdf")));
        QCOMPARE(folder.openablePath(QStringLiteral("dentro.pdf")),
                 std::optional<QString>(attachments() + "/dentro.pdf"));

        // Nor is the outside file ever written through the link.
        const QString source = dir->filePath(QStringLiteral("altro/fuori.pdf"));
        writeAll(source, "sovrascritto");
        QCOMPARE(folder.copyIn(source, QStringLiteral("fuori.pdf")), AttachmentFolder::CopyResult::Failed);
        QCOMPARE(readAll(secret), QByteArray("riservato"));
    }

    void copyCreatesTheFolderWithItsParents()
    {
        const QString deep = dir->filePath(QStringLiteral("non/ancora/qui"));
        const AttachmentFolder folder(deep);
        const QString source = dir->filePath(QStringLiteral("Scansioni/cover.jpg"));
        const QByteArray bytes = bigContent();
        writeAll(source, bytes);
        const QDateTime modified(QDate(2021, 5, 4), QTime(10, 20, 30));
        {
            QFile f(source);
            QVERIFY(f.open(QIODevice::Append));
            QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
        }
        QCOMPARE(folder.copyIn(source, QStringLiteral("cover.jpg")), AttachmentFolder::CopyResult::Copied);
        const QString copy = deep + "/Documenti_Allegati/cover.jpg";
        QVERIFY(readAll(copy) == bytes);
        QCOMPARE(QFileInfo(copy).lastModified(), modified);
        QVERIFY(readAll(source) == bytes);
        QCOMPARE(QDir(deep + "/Documenti_Allegati").entryList(QDir::Files | QDir::Hidden), QStringList{"cover.jpg"});
    }

    void copyReplacesAnExistingCopyWhole()
    {
        const AttachmentFolder folder(program());
        writeAll(attachments() + "/cover.jpg", QByteArray(5000, 'v'));
        const QString source = dir->filePath(QStringLiteral("nuovo/cover.jpg"));
        writeAll(source, "nuova copertina");
        QVERIFY(folder.contains(QStringLiteral(" cover.jpg ")));
        QCOMPARE(folder.copyIn(source, QStringLiteral(" cover.jpg ")), AttachmentFolder::CopyResult::Copied);
        QCOMPARE(readAll(attachments() + "/cover.jpg"), QByteArray("nuova copertina"));
        QCOMPARE(folderEntries(), QStringList{"cover.jpg"});
    }

    void theCopyItselfIsNeverTruncated_data()
    {
        QTest::addColumn<QString>("spelling"); // how the picked path reaches the copy
        QTest::newRow("its own path") << "Opusteca/Documenti_Allegati/cover.jpg";
        QTest::newRow("a detour") << "Opusteca/../Opusteca/./Documenti_Allegati/cover.jpg";
        QTest::newRow("a link to it") << "collegamento.jpg";
    }

    void theCopyItselfIsNeverTruncated()
    {
        QFETCH(QString, spelling);
        const AttachmentFolder folder(program());
        const QByteArray bytes = bigContent();
        writeAll(attachments() + "/cover.jpg", bytes);
        QVERIFY(QFile::link(attachments() + "/cover.jpg", dir->filePath(QStringLiteral("collegamento.jpg"))));
        const QString source = dir->path() + QLatin1Char('/') + spelling;
        QCOMPARE(folder.copyIn(source, QStringLiteral("cover.jpg")), AttachmentFolder::CopyResult::SameFile);
        QVERIFY(readAll(attachments() + "/cover.jpg") == bytes);
        QCOMPARE(folderEntries(), QStringList{"cover.jpg"});
    }

    void aFailedCopyLeavesTheOldCopyWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("deviceRefuses"); // the flush to the device fails
        QTest::newRow("missing") << "nessuno/cover.jpg" << false;
        QTest::newRow("a folder") << "cartella" << false;
        // Opens, then fails on its first read: the copy is abandoned midway.
        QTest::newRow("unreadable midway") << "/proc/self/mem" << false;
        QTest::newRow("the device refuses the data") << "nuovo/cover.jpg" << true;
    }

    void aFailedCopyLeavesTheOldCopyWhole()
    {
        QFETCH(QString, source);
        QFETCH(bool, deviceRefuses);
        if (source.startsWith(QLatin1Char('/')) && !QFileInfo(source).isFile()) QSKIP("no such system file here");
        const QString path = source.startsWith(QLatin1Char('/')) ? source : dir->filePath(source);
        QDir().mkpath(dir->filePath(QStringLiteral("cartella")));
        writeAll(dir->filePath(QStringLiteral("nuovo/cover.jpg")), bigContent());
        const AttachmentFolder folder(program());
        writeAll(attachments() + "/cover.jpg", "copia esistente");
        fileaccess::setClosesFailForTesting(deviceRefuses);
        const AttachmentFolder::CopyResult result = folder.copyIn(path, QStringLiteral("cover.jpg"));
        fileaccess::setClosesFailForTesting(false);
        QCOMPARE(result, AttachmentFolder::CopyResult::Failed);
        QCOMPARE(readAll(attachments() + "/cover.jpg"), QByteArray("copia esistente"));
        QCOMPARE(folderEntries(), QStringList{"cover.jpg"}); // no temporary file left behind
    }

    void noFolderNoCopy()
    {
        // The program folder is a file: the attachments folder cannot be made.
        const QString blocked = dir->filePath(QStringLiteral("bloccato"));
        writeAll(blocked, "x");
        const AttachmentFolder folder(blocked);
        QVERIFY(!folder.ensureExists());
        const QString source = dir->filePath(QStringLiteral("a.pdf"));
        writeAll(source, "a");
        QCOMPARE(folder.copyIn(source, QStringLiteral("a.pdf")), AttachmentFolder::CopyResult::Failed);
        QCOMPARE(readAll(blocked), QByteArray("x"));
    }
};

QTEST_GUILESS_MAIN(TestAttachmentFolder)
#include "tst_attachment_folder.moc"
