// Record files on disk: open-or-create, counting, positioning, reading and
// writing whole records, and the failures that must never cost the user data.
#include "store/RecordFile.h"

#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using opusteca::test::readAll;
using opusteca::test::writeAll;

namespace {

constexpr int kSize = 37; // small, odd and unrelated to any real record

QByteArray recordOf(char c) { return QByteArray(kSize, c); }

// The write bits of the file's mode. (WriteUser is what the running user may do,
// which for root stays set whatever the mode says.)
constexpr QFile::Permissions kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void missingFileIsCreatedEmpty();
    void existingFileIsOpenedAsItIs();
    void countDropsTrailingPartialRecord_data();
    void countDropsTrailingPartialRecord();
    void appendAfterPartialRecordOverwritesIt();
    void goToReadWriteAndPosition();
    void goToOutsideTheFileFails_data();
    void goToOutsideTheFileFails();
    void readPastTheEndFails();
    void writeOfWrongSizeFails();
    void pathLength_data();
    void pathLength();
    void archivePathIsAFolder();
    void readOnlyFileIsNotReplaced();
    void programFolderUnusable_data();
    void programFolderUnusable();
    void openInUsesTheProgramFolder();
    void anotherInstanceSeesWhatOneWrote();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name = QStringLiteral("Libri.pro")) const { return m_dir->filePath(name); }
};

void TestRecordFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecordFile::missingFileIsCreatedEmpty()
{
    RecordFile f(kSize);
    QVERIFY(!QFileInfo::exists(path()));
    QVERIFY(f.open(path()));
    QVERIFY(QFileInfo(path()).isFile());
    QCOMPARE(QFileInfo(path()).size(), 0);
    QCOMPARE(f.count(), 0);
    QCOMPARE(f.position(), 0);
    QVERIFY(f.atEnd());
    QVERIFY(f.close());
    QVERIFY(QFileInfo(path()).isFile());
}

void TestRecordFile::existingFileIsOpenedAsItIs()
{
    const QByteArray bytes = recordOf('a') + recordOf('b') + recordOf('c');
    writeAll(path(), bytes);
    {
        RecordFile f(kSize);
        QVERIFY(f.open(path()));
        QCOMPARE(f.count(), 3);
        QCOMPARE(f.position(), 0);
        QByteArray r;
        QVERIFY(f.read(r));
        QCOMPARE(r, recordOf('a'));
    }
    QCOMPARE(readAll(path()), bytes);
}

void TestRecordFile::countDropsTrailingPartialRecord_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("less than one record") << kSize - 1 << 0;
    QTest::newRow("one record") << kSize << 1;
    QTest::newRow("one and one byte") << kSize + 1 << 1;
    QTest::newRow("two and a half") << 2 * kSize + kSize / 2 << 2;
    QTest::newRow("three less one byte") << 3 * kSize - 1 << 2;
}

void TestRecordFile::countDropsTrailingPartialRecord()
{
    QFETCH(int, bytes);
    QFETCH(int, count);
    writeAll(path(), QByteArray(bytes, 'p'));
    RecordFile f(kSize);
    QVERIFY(f.open(path()));
    QCOMPARE(f.count(), count);
    // The partial record is never read.
    QVERIFY(f.seek(count));
    QVERIFY(f.atEnd());
    QByteArray r;
    QVERIFY(!f.read(r));
}

void TestRecordFile::appendAfterPartialRecordOverwritesIt()
{
    writeAll(path(), recordOf('a') + recordOf('b') + QByteArray(kSize / 2, 'z'));
    {
        RecordFile f(kSize);
        QVERIFY(f.open(path()));
        const qint64 c = f.count();
        QCOMPARE(c, 2);
        QVERIFY(f.seek(c));
        QVERIFY(f.write(recordOf('n')));
        QCOMPARE(f.position(), 3); // the new record's number
        QCOMPARE(f.count(), 3);
    }
    QCOMPARE(readAll(path()), recordOf('a') + recordOf('b') + recordOf('n'));
}

void TestRecordFile::goToReadWriteAndPosition()
{
    writeAll(path(), recordOf('1') + recordOf('2') + recordOf('3'));
    RecordFile f(kSize);
    QVERIFY(f.open(path()));
    QByteArray r;

    QVERIFY(f.seek(1));
    QCOMPARE(f.position(), 1);
    QVERIFY(f.read(r));
    QCOMPARE(r, recordOf('2'));
    QCOMPARE(f.position(), 2); // record number 2

    QVERIFY(f.read(r)); // sequential: the next one
    QCOMPARE(r, recordOf('3'));
    QCOMPARE(f.position(), 3);
    QVERIFY(f.atEnd());

    QVERIFY(f.seek(0));
    QVERIFY(f.write(recordOf('X')));
    QCOMPARE(f.position(), 1);
    QCOMPARE(f.count(), 3);
    QVERIFY(f.read(r)); // after a write the next record follows
    QCOMPARE(r, recordOf('2'));

    QVERIFY(f.seek(2));
    QVERIFY(f.write(recordOf('Y')));
    QVERIFY(f.close());
    QCOMPARE(readAll(path()), recordOf('X') + recordOf('2') + recordOf('Y'));
}

void TestRecordFile::goToOutsideTheFileFails_data()
{
    QTest::addColumn<qint64>("position");
    QTest::newRow("negative") << qint64(-1);
    QTest::newRow("past the end") << qint64(3);
    QTest::newRow("far past the end") << qint64(1000);
}

void TestRecordFile::goToOutsideTheFileFails()
{
    QFETCH(qint64, position);
    writeAll(path(), recordOf('1') + recordOf('2'));
    RecordFile f(kSize);
    QVERIFY(f.open(path()));
    QVERIFY(f.seek(1));
    QVERIFY(!f.seek(position));
    QCOMPARE(f.position(), 1); // a failed go-to moves nothing
    QCOMPARE(QFileInfo(path()).size(), 2 * kSize);
}

void TestRecordFile::readPastTheEndFails()
{
    writeAll(path(), recordOf('1'));
    RecordFile f(kSize);
    QVERIFY(f.open(path()));
    QByteArray r;
    QVERIFY(f.read(r));
    QVERIFY(!f.read(r));
    QCOMPARE(f.position(), 1);

    RecordFile empty(kSize);
    QVERIFY(empty.open(path(QStringLiteral("Autori.pro"))));
    QVERIFY(!empty.read(r));
}

void TestRecordFile::writeOfWrongSizeFails()
{
    RecordFile f(kSize);
    QVERIFY(f.open(path()));
    QVERIFY(!f.write(QByteArray(kSize - 1, 'x')));
    QVERIFY(!f.write(QByteArray(kSize + 1, 'x')));
    QCOMPARE(f.count(), 0);
    QCOMPARE(f.position(), 0);
    QCOMPARE(QFileInfo(path()).size(), 0);
}

void TestRecordFile::pathLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("opens");
    QTest::newRow("259") << 259 << true;
    QTest::newRow("260") << 260 << false;
    QTest::newRow("300") << 300 << false;
}

void TestRecordFile::pathLength()
{
    QFETCH(int, length);
    QFETCH(bool, opens);
    // Build a path of the wanted full length out of folders short enough for any file system.
    QString folder = QDir(m_dir->path()).absolutePath();
    const QString name = QStringLiteral("Libri.pro");
    while (folder.size() + 1 + 100 + 1 + name.size() < length) {
        folder += QLatin1Char('/') + QString(99, QLatin1Char('d'));
        QVERIFY(QDir().mkpath(folder));
    }
    const int pad = length - int(folder.size()) - 1 - int(name.size());
    QVERIFY(pad >= 0);
    const QString full = folder + QLatin1Char('/') + QString(pad, QLatin1Char('f')) + name;
    QCOMPARE(full.size(), length);

    RecordFile f(kSize);
    QCOMPARE(f.open(full), opens);
    QCOMPARE(QFileInfo::exists(full), opens);
}

void TestRecordFile::archivePathIsAFolder()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Libri.pro")));
    writeAll(path() + QStringLiteral("/keep.txt"), "kept");
    RecordFile f(kSize);
    QVERIFY(!f.open(path()));
    QVERIFY(!f.isOpen());
    QCOMPARE(f.count(), -1);
    QVERIFY(QFileInfo(path()).isDir());
    QVERIFY(QFileInfo::exists(path() + QStringLiteral("/keep.txt")));
}

void TestRecordFile::readOnlyFileIsNotReplaced()
{
    const QByteArray bytes = recordOf('a') + recordOf('b');
    writeAll(path(), bytes);
    const QFile::Permissions before = QFileInfo(path()).permissions();
    QVERIFY(QFile::setPermissions(path(), before & ~(kAnyWrite | QFile::WriteUser)));
    {
        RecordFile f(kSize);
        QVERIFY(!f.open(path()));
        QVERIFY(!f.seek(0));
        QByteArray r;
        QVERIFY(!f.read(r));
        QVERIFY(!f.write(recordOf('c')));
    }
    QCOMPARE(readAll(path()), bytes);
    QCOMPARE(QFileInfo(path()).permissions() & kAnyWrite, QFile::Permissions());
    QFile::setPermissions(path(), before);
}

void TestRecordFile::programFolderUnusable_data()
{
    QTest::addColumn<QString>("folder"); // relative to the temporary folder
    QTest::newRow("missing folder") << "NonEsiste";
    QTest::newRow("missing parents") << "a/b/c";
    QTest::newRow("through a regular file") << "file.txt";
    QTest::newRow("through a regular file, deeper") << "file.txt/sub";
}

void TestRecordFile::programFolderUnusable()
{
    QFETCH(QString, folder);
    writeAll(path(QStringLiteral("file.txt")), "not a folder");
    const QString programFolder = m_dir->filePath(folder);
    RecordFile f(kSize);
    QVERIFY(!f.openIn(programFolder, "Libri.pro"));
    QVERIFY(!f.isOpen());
    QVERIFY(!QFileInfo::exists(RecordFile::pathIn(programFolder, "Libri.pro")));
    QCOMPARE(readAll(path(QStringLiteral("file.txt"))), QByteArray("not a folder"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("NonEsiste"))));
}

void TestRecordFile::openInUsesTheProgramFolder()
{
    RecordFile f(kSize);
    QVERIFY(f.openIn(m_dir->path(), "Bibliografie.pro"));
    QVERIFY(f.write(recordOf('b')));
    QVERIFY(f.close());
    QCOMPARE(readAll(m_dir->filePath(QStringLiteral("Bibliografie.pro"))), recordOf('b'));
}

void TestRecordFile::anotherInstanceSeesWhatOneWrote()
{
    RecordFile writer(kSize);
    RecordFile reader(kSize);
    QVERIFY(writer.open(path()));
    QVERIFY(reader.open(path()));
    QCOMPARE(reader.count(), 0);

    QVERIFY(writer.seek(writer.count()));
    QVERIFY(writer.write(recordOf('a')));
    QCOMPARE(reader.count(), 1);
    QByteArray r;
    QVERIFY(reader.read(r));
    QCOMPARE(r, recordOf('a'));

    // Overwritten while the reader holds the file open: the reader gets the new bytes.
    QVERIFY(writer.seek(0));
    QVERIFY(writer.write(recordOf('b')));
    QVERIFY(reader.seek(0));
    QVERIFY(reader.read(r));
    QCOMPARE(r, recordOf('b'));

    // And the other way round.
    QVERIFY(reader.seek(1));
    QVERIFY(reader.write(recordOf('c')));
    QCOMPARE(writer.count(), 2);
    QVERIFY(writer.seek(1));
    QVERIFY(writer.read(r));
    QCOMPARE(r, recordOf('c'));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
