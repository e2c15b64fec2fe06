// The INI reader and writer of the password file: one value read or replaced,
// every other byte of the file kept.
#include "store/IniFile.h"

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

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void read_data();
    void read();
    void readMissingFile();
    void readFolderIsUnreadable();
    void write_data();
    void write();
    void writeAddsMissingSectionAtTheEnd();
    void writeCreatesTheFile();
    void writeRefusedOnFileWithoutWriteBits();
    void writeThenReadAgain();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("unins000.dll")); }
};

void TestIniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestIniFile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("value"); // null when the key is not there
    QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=4E25\r\n") << "4E25";
    QTest::newRow("LF only") << QByteArray("[Accesso]\nValore=4E25\n") << "4E25";
    QTest::newRow("no final newline") << QByteArray("[Accesso]\r\nValore=4E25") << "4E25";
    QTest::newRow("section and key in other case") << QByteArray("[ACCESSO]\r\nVALORE=4E25\r\n") << "4E25";
    QTest::newRow("blanks around =") << QByteArray("[Accesso]\r\n  Valore  =  4E25  \r\n") << "4E25";
    QTest::newRow("blanks inside brackets") << QByteArray("[ Accesso ]\r\nValore=4E25\r\n") << "4E25";
    QTest::newRow("same key in another section first")
        << QByteArray("[Altro]\r\nValore=FFFF\r\n[Accesso]\r\nValore=4E25\r\n") << "4E25";
    QTest::newRow("same key in a later section only")
        << QByteArray("[Accesso]\r\nAltro=1\r\n[Dopo]\r\nValore=FFFF\r\n") << QString();
    QTest::newRow("commented key") << QByteArray("[Accesso]\r\n;Valore=FFFF\r\n#Valore=EEEE\r\nValore=4E25\r\n")
                                   << "4E25";
    QTest::newRow("longer key") << QByteArray("[Accesso]\r\nValoreVecchio=FFFF\r\nValore=4E25\r\n") << "4E25";
    QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n") << QStringLiteral("");
    QTest::newRow("key missing") << QByteArray("[Accesso]\r\nAltro=1\r\n") << QString();
    QTest::newRow("section missing") << QByteArray("; only a comment\r\n") << QString();
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestIniFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, value);
    writeAll(path(), file);
    const IniFile::ReadResult r = IniFile(path()).read(kSection, kKey, QStringLiteral("dflt"));
    QCOMPARE(r.status, IniFile::Status::Ok);
    // A key that is not there gives back the caller's default.
    QCOMPARE(r.value, value.isNull() ? QStringLiteral("dflt") : value);
}

void TestIniFile::readMissingFile()
{
    const IniFile::ReadResult r = IniFile(path()).read(kSection, kKey, QStringLiteral("dflt"));
    QCOMPARE(r.status, IniFile::Status::Missing);
    QCOMPARE(r.value, QStringLiteral("dflt"));
    QVERIFY(!QFileInfo::exists(path())); // reading never creates it
}

void TestIniFile::readFolderIsUnreadable()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("unins000.dll")));
    const IniFile::ReadResult r = IniFile(path()).read(kSection, kKey, QString());
    QCOMPARE(r.status, IniFile::Status::Unreadable);
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("only the value changes, CRLF kept")
        << QByteArray("; Opusteca\r\n\r\n[Altro]\r\nValore=1111\r\n\r\n[Accesso]\r\nValore=4E25\r\nAltra=x\r\n"
                      "[Fine]\r\nk=v\r\n")
        << QByteArray("; Opusteca\r\n\r\n[Altro]\r\nValore=1111\r\n\r\n[Accesso]\r\nValore=ABCD\r\nAltra=x\r\n"
                      "[Fine]\r\nk=v\r\n");
    QTest::newRow("LF file stays LF") << QByteArray("[Accesso]\nValore=4E25\n# nota\n")
                                      << QByteArray("[Accesso]\nValore=ABCD\n# nota\n");
    QTest::newRow("key spelling kept") << QByteArray("[ACCESSO]\r\nvalore=4E25\r\n")
                                       << QByteArray("[ACCESSO]\r\nvalore=ABCD\r\n");
    QTest::newRow("key missing: added at the end of its section")
        << QByteArray("[Accesso]\r\nAltra=x\r\n\r\n[Fine]\r\nk=v\r\n")
        << QByteArray("[Accesso]\r\nAltra=x\r\nValore=ABCD\r\n\r\n[Fine]\r\nk=v\r\n");
    QTest::newRow("key missing in the last section")
        << QByteArray("[Accesso]\r\nAltra=x\r\n") << QByteArray("[Accesso]\r\nAltra=x\r\nValore=ABCD\r\n");
    QTest::newRow("commented key left alone") << QByteArray("[Accesso]\r\n;Valore=FFFF\r\nValore=4E25\r\n")
                                              << QByteArray("[Accesso]\r\n;Valore=FFFF\r\nValore=ABCD\r\n");
    QTest::newRow("empty value filled") << QByteArray("[Accesso]\r\nValore=\r\n")
                                        << QByteArray("[Accesso]\r\nValore=ABCD\r\n");
    QTest::newRow("no final newline") << QByteArray("[Accesso]\r\nValore=4E25")
                                      << QByteArray("[Accesso]\r\nValore=ABCD\r\n");
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    writeAll(path(), before);
    QVERIFY(IniFile(path()).write(kSection, kKey, QStringLiteral("ABCD")));
    QCOMPARE(readAll(path()), after);
    QCOMPARE(IniFile(path()).read(kSection, kKey, QString()).value, QStringLiteral("ABCD"));
}

void TestIniFile::writeAddsMissingSectionAtTheEnd()
{
    const QByteArray before("; installato\r\n[Altro]\r\nValore=1111\r\n");
    writeAll(path(), before);
    QVERIFY(IniFile(path()).write(kSection, kKey, QStringLiteral("ABCD")));
    const QByteArray after = readAll(path());
    QVERIFY2(after.startsWith(before), after.constData());
    QVERIFY(after.mid(before.size()).contains("[Accesso]\r\nValore=ABCD\r\n"));
    const IniFile ini(path());
    QCOMPARE(ini.read(kSection, kKey, QString()).value, QStringLiteral("ABCD"));
    QCOMPARE(ini.read(QStringLiteral("Altro"), kKey, QString()).value, QStringLiteral("1111"));
}

void TestIniFile::writeCreatesTheFile()
{
    QVERIFY(IniFile(path()).write(kSection, kKey, QStringLiteral("ABCD")));
    QCOMPARE(readAll(path()), QByteArray("[Accesso]\r\nValore=ABCD\r\n"));
}

void TestIniFile::writeRefusedOnFileWithoutWriteBits()
{
    const QByteArray before("[Accesso]\r\nValore=4E25\r\n");
    writeAll(path(), before);
    const QFile::Permissions perms = QFileInfo(path()).permissions();
    QVERIFY(QFile::setPermissions(
        path(), perms & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther)));
    QVERIFY(!IniFile(path()).write(kSection, kKey, QStringLiteral("ABCD")));
    QCOMPARE(readAll(path()), before);
    QFile::setPermissions(path(), perms);
}

void TestIniFile::writeThenReadAgain()
{
    // Several writes in a row never pile up keys or sections.
    writeAll(path(), QByteArray("[Accesso]\r\nValore=4E25\r\n"));
    const IniFile ini(path());
    for (const QString &v : {QStringLiteral("01"), QStringLiteral(""), QStringLiteral("FFEE")})
        QVERIFY(ini.write(kSection, kKey, v));
    QCOMPARE(readAll(path()), QByteArray("[Accesso]\r\nValore=FFEE\r\n"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
