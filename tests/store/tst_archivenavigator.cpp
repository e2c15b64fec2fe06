// The card operations on an archive of a million books, far past 2 GiB. The
// file is sparse: only the records written take room on the disk.
#include "store/ArchiveNavigator.h"
#include "store/BookRecord.h"
#include "store/Record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;

namespace {

constexpr qint64 kBooks = 1000000;
// Past 2 GiB (record 663 429 is the first to start beyond it).
constexpr qint64 kFar = 700000;

Record titled(const QString &title)
{
    Record r(bookLayout());
    r.setText(libro::Titolo, title);
    r.setText(libro::Codice, title.left(4));
    return r;
}

} // namespace

class TestArchiveNavigator : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    const qint64 m_size = bookLayout().recordSize;

    // The bytes at a 1-based record number, as the file holds them.
    QByteArray recordAt(qint64 number)
    {
        QFile f(m_path);
        if (!f.open(QIODevice::ReadOnly) || !f.seek((number - 1) * m_size)) return {};
        return f.read(m_size);
    }
    bool writeAt(qint64 number, const Record &r)
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadWrite) && f.seek((number - 1) * m_size) && f.write(r.bytes()) == m_size;
    }
    ArchiveNavigator navigator() const { return ArchiveNavigator(bookLayout(), m_dir.path()); }

private slots:
    void init()
    {
#ifdef Q_OS_WIN
        QSKIP("a file grown by its size alone is filled with zeros on the disk here");
#endif
        QVERIFY(m_dir.isValid());
        QCOMPARE(m_size, qint64(3237));
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("Libri.pro"));
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(kBooks * m_size));
        f.close();
        QVERIFY(writeAt(1, titled(QStringLiteral("Primo"))));
        QVERIFY(writeAt(kFar, titled(QStringLiteral("Lontano"))));
        QVERIFY(writeAt(kBooks - 1, titled(QStringLiteral("Penultimo"))));
        QVERIFY(writeAt(kBooks, titled(QStringLiteral("Ultimo"))));
    }

    void browseToTheEnds()
    {
        using O = ArchiveNavigator::Outcome;
        const ArchiveNavigator nav = navigator();
        const auto title = [](const ArchiveNavigator::Result &r) {
            return r.record ? r.record->text(libro::Titolo) : QStringLiteral("<none>");
        };
        ArchiveNavigator::Result r = nav.last();
        QCOMPARE(r.outcome, O::Loaded);
        QCOMPARE(r.number, kBooks);
        QCOMPARE(title(r), QStringLiteral("Ultimo"));
        r = nav.previous(QString::number(kBooks));
        QCOMPARE(r.number, kBooks - 1);
        QCOMPARE(title(r), QStringLiteral("Penultimo"));
        r = nav.next(QString::number(kBooks - 1));
        QCOMPARE(r.number, kBooks);
        QCOMPARE(title(r), QStringLiteral("Ultimo"));
        QCOMPARE(nav.next(QString::number(kBooks)).outcome, O::Unchanged);
        r = nav.next(QString::number(kFar - 1));
        QCOMPARE(r.number, kFar);
        QCOMPARE(title(r), QStringLiteral("Lontano"));
        r = nav.first();
        QCOMPARE(r.number, qint64(1));
        QCOMPARE(title(r), QStringLiteral("Primo"));
    }

    void saveBeyondTwoGiBWritesThatRecordOnly_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::newRow("first past 2 GiB") << qint64(663429);
        QTest::newRow("far") << kFar;
        QTest::newRow("last") << kBooks;
    }
    void saveBeyondTwoGiBWritesThatRecordOnly()
    {
        QFETCH(qint64, number);
        const QByteArray before = recordAt(number - 1);
        const QByteArray after = number < kBooks ? recordAt(number + 1) : QByteArray();
        const Record changed = titled(QStringLiteral("Salvato"));
        const ArchiveNavigator::Result r = navigator().save(QString::number(number), changed);
        QCOMPARE(r.outcome, ArchiveNavigator::Outcome::Overwritten);
        QCOMPARE(r.number, number);
        QCOMPARE(QFileInfo(m_path).size(), kBooks * m_size);
        QCOMPARE(recordAt(number), changed.bytes());
        QCOMPARE(recordAt(number - 1), before);
        if (number < kBooks) QCOMPARE(recordAt(number + 1), after);
        QCOMPARE(navigator().read(number).record->bytes(), changed.bytes());
    }

    void newRecordGoesAfterTheMillionth()
    {
        const Record added = titled(QStringLiteral("Nuovo"));
        const ArchiveNavigator::Result r = navigator().save(QString(), added);
        QCOMPARE(r.outcome, ArchiveNavigator::Outcome::Appended);
        QCOMPARE(r.number, kBooks + 1);
        QCOMPARE(QFileInfo(m_path).size(), (kBooks + 1) * m_size);
        QCOMPARE(recordAt(kBooks + 1), added.bytes());
        QCOMPARE(recordAt(kBooks), titled(QStringLiteral("Ultimo")).bytes());
    }
};

QTEST_GUILESS_MAIN(TestArchiveNavigator)
#include "tst_archivenavigator.moc"
