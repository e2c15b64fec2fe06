// Documents are replaced whole or not at all, and the program folder's
// read-only mark stops them as it stops the archives, even for root.
#include "export/core/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

bool saveText(const QString &path, const QByteArray &text)
{
    return saveDocument(path, [&](QIODevice &out) { return out.write(text) == text.size(); });
}

const QFile::Permissions kReadOnlyFolder =
    QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT

private slots:
    void createsAndReplaces();
    void failedWriteKeepsThePreviousDocument();
    void unwritable_data();
    void unwritable();
};

void TestDocumentFile::createsAndReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Libri.xls"));
    QVERIFY(saveText(path, "a much longer first document"));
    QCOMPARE(readAll(path), QByteArray("a much longer first document"));
    QVERIFY(saveText(path, "second"));
    QCOMPARE(readAll(path), QByteArray("second"));
    // Nothing is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Libri.xls")});
}

void TestDocumentFile::failedWriteKeepsThePreviousDocument()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Scheda_Autore.rtf"));
    writeFile(path, "previous");
    const bool ok = saveDocument(path, [](QIODevice &out) {
        out.write("half a docu");
        return false;
    });
    QVERIFY(!ok);
    QCOMPARE(readAll(path), QByteArray("previous"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Scheda_Autore.rtf")});
}

void TestDocumentFile::unwritable_data()
{
    QTest::addColumn<QString>("condition");
    QTest::newRow("program folder marked read-only") << QStringLiteral("folder");
    QTest::newRow("document marked read-only") << QStringLiteral("document");
    QTest::newRow("name taken by a folder") << QStringLiteral("taken");
    QTest::newRow("folder missing") << QStringLiteral("missing");
}

void TestDocumentFile::unwritable()
{
    QFETCH(QString, condition);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Opusteca"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("Autori.xls"));
    if (condition == QLatin1String("taken")) {
        QVERIFY(QDir().mkpath(path));
    } else if (condition == QLatin1String("missing")) {
        QVERIFY(QDir(folder).removeRecursively());
    } else {
        writeFile(path, "previous");
        if (condition == QLatin1String("document"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else
            QVERIFY(QFile::setPermissions(folder, kReadOnlyFolder));
    }

    QVERIFY(!saveText(path, "new"));

    if (condition == QLatin1String("taken"))
        QVERIFY(QFileInfo(path).isDir());
    else if (condition != QLatin1String("missing"))
        QCOMPARE(readAll(path), QByteArray("previous"));
    QFile::setPermissions(folder, kReadOnlyFolder | QFile::WriteOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (condition == QLatin1String("folder") || condition == QLatin1String("document"))
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Autori.xls")});
}

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_document_file.moc"
