// An author's folder: named after the record number only, created with its
// parents, left alone when it is there, and a path that cannot name a folder
// reported with the system's own words.
#include "attach/core/RecordFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;

class TestRecordFolder : public QObject {
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one digit") << "3"
                                   << "/p/Autore_3";
        QTest::newRow("several digits") << "1024"
                                        << "/p/Autore_1024";
        QTest::newRow("blanks trimmed") << " \t9 "
                                        << "/p/Autore_9";
    }

    void names()
    {
        QFETCH(QString, number);
        QFETCH(QString, expected);
        QCOMPARE(recordfolder::path(QStringLiteral("/p"), number), expected);
    }

    void createdWithParentsAndKeptWithItsFiles()
    {
        QTemporaryDir dir;
        const QString folder = recordfolder::path(dir.filePath(QStringLiteral("non/ancora")), QStringLiteral("4"));
        QCOMPARE(recordfolder::create(folder), std::nullopt);
        QVERIFY(QFileInfo(folder).isDir());
        {
            QFile f(folder + "/opere.pdf");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("%PDF");
        }
        QCOMPARE(recordfolder::create(folder), std::nullopt);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"opere.pdf"});
    }

    void aPathThatNamesNoFolderIsReported_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("why");
        QTest::newRow("name too long") << QString(300, QLatin1Char('9'))
                                       << "il percorso della cartella è troppo lungo.";
        QTest::newRow("NUL inside") << QStringLiteral("4") + QChar(0) + QStringLiteral("x")
                                    << "il percorso della cartella contiene caratteri non validi.";
    }

    void aPathThatNamesNoFolderIsReported()
    {
        QFETCH(QString, number);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString folder = recordfolder::path(dir.path(), number);
        const std::optional<QString> error = recordfolder::create(folder);
        QVERIFY(error.has_value());
        // In the program's language, with the path it could not make.
        QCOMPARE(*error, QStringLiteral("Impossibile creare la cartella: ") + why + QStringLiteral("\n\n") + folder);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void aFolderThatCannotBeMadeIsNoError()
    {
        // A file stands where the folder would go: not an invalid path, so the
        // caller goes on and lets the shell show what is there.
        QTemporaryDir dir;
        const QString folder = recordfolder::path(dir.path(), QStringLiteral("7"));
        QFile f(folder);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(recordfolder::create(folder), std::nullopt);
        QVERIFY(QFileInfo(folder).isFile());
    }
};

QTEST_GUILESS_MAIN(TestRecordFolder)
#include "tst_record_folder.moc"
