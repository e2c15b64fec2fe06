// Two copies of the program sharing a folder: two processes append to and
// overwrite the same archive at once. Every record must come out whole and no
// append may take another's place.
#include "TwoCopiesVersions.h"
#include "store/RecordFile.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using opusteca::test::readAll;

namespace {

constexpr int kOperations = 1000;

// The record numbers a copy's appends got, from its "append N" lines.
QList<qint64> appendsOf(const QByteArray &output)
{
    QList<qint64> numbers;
    for (const QByteArray &line : output.split('\n'))
        if (line.startsWith("append ")) numbers.append(line.mid(7).toLongLong());
    return numbers;
}

} // namespace

class TestTwoCopies : public QObject {
    Q_OBJECT

private slots:
    void twoCopiesOnOneArchive();
    void singleCopyAppendsAsBefore();
};

void TestTwoCopies::twoCopiesOnOneArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath(QStringLiteral("Libri.pro"));

    QProcess a, b;
    const QString tool = QStringLiteral(OPUSTECA_TWOCOPIES);
    const QString ops = QString::number(kOperations);
    a.start(tool, {archive, QStringLiteral("A"), ops, QStringLiteral("11")});
    b.start(tool, {archive, QStringLiteral("B"), ops, QStringLiteral("29")});
    QVERIFY(a.waitForFinished(120000));
    QVERIFY(b.waitForFinished(120000));
    QCOMPARE(a.exitStatus(), QProcess::NormalExit);
    QCOMPARE(b.exitStatus(), QProcess::NormalExit);
    QVERIFY2(a.exitCode() == 0, a.readAllStandardError().constData());
    QVERIFY2(b.exitCode() == 0, b.readAllStandardError().constData());

    const QList<qint64> appendsA = appendsOf(a.readAllStandardOutput());
    const QList<qint64> appendsB = appendsOf(b.readAllStandardOutput());
    QVERIFY(!appendsA.isEmpty() && !appendsB.isEmpty());

    const QByteArray file = readAll(archive);
    const int size = bookLayout().recordSize;
    QCOMPARE(file.size() % size, 0);
    const qint64 count = file.size() / size;

    // No append lost: each got a number of its own, and the file holds them all.
    QSet<qint64> numbers;
    for (qint64 n : appendsA + appendsB) {
        QVERIFY2(!numbers.contains(n), qPrintable(QStringLiteral("record %1 appended twice").arg(n)));
        numbers.insert(n);
    }
    QCOMPARE(count, qint64(appendsA.size() + appendsB.size()));

    // Every record whole: exactly one of the versions written, never a mix.
    for (qint64 i = 0; i < count; ++i)
        QVERIFY2(twocopies::versionOf(file.mid(i * size, size)).has_value(),
                 qPrintable(QStringLiteral("record %1 is not whole").arg(i + 1)));
}

// Alone, an append writes where it always did, over a trailing partial record,
// and leaves nothing else in the folder.
void TestTwoCopies::singleCopyAppendsAsBefore()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath(QStringLiteral("Libri.pro"));
    const int size = bookLayout().recordSize;
    const QByteArray first = twocopies::version('A', 1).bytes();
    const QByteArray second = twocopies::version('A', 2).bytes();
    {
        QFile f(archive);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(first);
        f.write(QByteArray(size / 2, 'x'));
    }

    RecordFile file(size);
    QVERIFY(file.open(archive));
    qint64 number = 0;
    QVERIFY(file.append(second, number));
    QCOMPARE(number, 2);
    QCOMPARE(file.position(), 2);
    QVERIFY(file.close());

    QCOMPARE(readAll(archive), first + second);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("Libri.pro")});
}

QTEST_GUILESS_MAIN(TestTwoCopies)
#include "tst_twocopies.moc"
