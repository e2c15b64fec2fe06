// Opusteca.ini, the settings file of the program's own features.
#include "store/ProgramSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;

class TestProgramSettings : public QObject {
    Q_OBJECT

private slots:
    void init() { ProgramSettings::forgetSessionValuesForTesting(); }
    void missingFileGivesDefaults();
    void number_data();
    void number();
    void writtenValueIsReadBackAndOthersKept();
    void unwritableFileKeepsTheValueForTheSession();
};

void TestProgramSettings::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    const ProgramSettings s(dir.path());
    QCOMPARE(s.text(QStringLiteral("ISBN"), QStringLiteral("Fonti"), QStringLiteral("sbn,openlibrary")),
             QStringLiteral("sbn,openlibrary"));
    QCOMPARE(s.number(QStringLiteral("Prestiti"), QStringLiteral("Durata"), 30, 1, 3650), 30);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Opusteca.ini"))));
}

void TestProgramSettings::number_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("expected");
    QTest::newRow("in range") << QByteArray("Durata=45") << 45;
    QTest::newRow("blanks") << QByteArray("Durata = 7 ") << 7;
    QTest::newRow("lowest") << QByteArray("Durata=1") << 1;
    QTest::newRow("highest") << QByteArray("Durata=3650") << 3650;
    QTest::newRow("zero") << QByteArray("Durata=0") << 30;
    QTest::newRow("too large") << QByteArray("Durata=3651") << 30;
    QTest::newRow("text") << QByteArray("Durata=trenta") << 30;
    QTest::newRow("empty") << QByteArray("Durata=") << 30;
}

void TestProgramSettings::number()
{
    QFETCH(QByteArray, line);
    QFETCH(int, expected);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Opusteca.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Prestiti]\r\n" + line + "\r\n");
    f.close();
    QCOMPARE(ProgramSettings(dir.path()).number(QStringLiteral("Prestiti"), QStringLiteral("Durata"), 30, 1, 3650),
             expected);
}

void TestProgramSettings::writtenValueIsReadBackAndOthersKept()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Opusteca.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("; ours\r\n[ISBN]\r\nFonti=openlibrary\r\n");
    f.close();
    ProgramSettings s(dir.path());
    QVERIFY(s.setNumber(QStringLiteral("Prestiti"), QStringLiteral("Durata"), 3));
    QCOMPARE(ProgramSettings(dir.path()).number(QStringLiteral("Prestiti"), QStringLiteral("Durata"), 30, 1, 3650), 3);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("; ours\r\n[ISBN]\r\nFonti=openlibrary\r\n\r\n[Prestiti]\r\nDurata=3\r\n"));
}

void TestProgramSettings::unwritableFileKeepsTheValueForTheSession()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Opusteca.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Prestiti]\r\nDurata=30\r\n");
    f.close();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ProgramSettings s(dir.path());
    QVERIFY(!s.setNumber(QStringLiteral("Prestiti"), QStringLiteral("Durata"), 12));
    // Another screen of the same session sees the new period; the file is unchanged.
    QCOMPARE(ProgramSettings(dir.path()).number(QStringLiteral("Prestiti"), QStringLiteral("Durata"), 30, 1, 3650), 12);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Prestiti]\r\nDurata=30\r\n"));
    f.close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
