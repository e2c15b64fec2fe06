#include "SearchFixtures.h"
#include "search/core/ListLine.h"
#include "search/core/SearchScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const SearchKindDef &books() { return searchKind(SearchKind::Books); }
const SearchKindDef &available() { return searchKind(SearchKind::AvailableBooks); }

QStringList filter(const SearchKindDef &kind, const QList<QPair<QString, QString>> &set)
{
    QStringList texts(kSearchFilterCount);
    for (const auto &[control, text] : set) texts[kind.filterIndexOf(control)] = text;
    return texts;
}

// Records kept in memory, read as an archive is: over a range, failing on
// purpose on reaching record failAt (the records before it come through) or
// on closing.
class MemorySource : public RecordSource {
public:
    explicit MemorySource(const QList<Record> &records, qint64 failAt = -1) : m_failAt(failAt)
    {
        for (const Record &r : records) m_bytes += r.bytes();
        m_size = records.isEmpty() ? 1 : records.first().layout().recordSize;
        m_end = total();
    }
    bool setRange(qint64 first, qint64 end) override
    {
        if (first < 0 || first > total()) return false;
        m_pos = first;
        m_end = end < 0 ? total() : std::min(end, total());
        return true;
    }
    bool read(char *buffer, qint64 maxRecords, qint64 &got) override
    {
        const bool hitsFailure = m_failAt >= m_pos && m_failAt < m_end && m_pos + maxRecords > m_failAt;
        got = std::min(maxRecords, (hitsFailure ? m_failAt : m_end) - m_pos);
        std::memcpy(buffer, m_bytes.constData() + m_pos * m_size, size_t(got * m_size));
        m_pos += got;
        return !hitsFailure;
    }
    bool close() override { return !failClose; }
    bool failClose = false;

private:
    qint64 total() const { return m_bytes.size() / m_size; }
    QByteArray m_bytes;
    int m_size;
    qint64 m_failAt;
    qint64 m_pos = 0;
    qint64 m_end = 0;
};

// A small archive: ten books in various states, in file order.
QList<Record> shelf()
{
    return {
        book("B07", "Il nome della rosa", "Umberto Eco",
             {{libro::Citta, "Milano"}, {libro::Editore, "Bompiani"}, {libro::Anno, "1980"}}),
        book("a12", "Il pendolo di Foucault", "Umberto Eco"),
        book({{libro::Codice, "C01"},
              {libro::Titolo, "La rosa profumata"},
              {libro::Autore, "Anonimo"},
              {libro::Annullata, libro::yes()}}),
        book("A12", "La rosa di Paracelso", "Jorge Luis Borges", {{libro::Prestato, "Mario Rossi"}}),
        book("D44", "Rosa fresca aulentissima", "Cielo d'Alcamo", {{libro::Scadenza, "05/03/2024"}}),
        book("E05", QStringLiteral("Citt\u00E0 invisibili"), "Italo Calvino", {{libro::Prestato, "   "}}),
        book("F10", "Il barone rampante", "Italo Calvino", {{libro::Nazione, "Italia"}}),
    };
}

// What searchArchive does with threads, in pieces of pieceRecords records.
SearchResult threadedSearch(const SearchKindDef &kind, const QString &path, const QStringList &filters, int threads,
                            qint64 pieceRecords)
{
    ArchiveSource probe(kind.layout().recordSize);
    if (!probe.open(path)) return {};
    const qint64 count = probe.count();
    probe.close();
    return searchInThreads(
        kind, count, threads,
        [&]() -> std::unique_ptr<RecordSource> {
            auto source = std::make_unique<ArchiveSource>(kind.layout().recordSize);
            if (!source->open(path)) return nullptr;
            return source;
        },
        filters, kScanBlockBytes, pieceRecords);
}

QStringList codes(const QStringList &lines)
{
    QStringList c;
    for (const QString &l : lines) c << l.mid(5, 24).trimmed();
    return c;
}

} // namespace

class TestSearchScanner : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_books;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_books = m_dir.filePath("Libri.pro");
        QVERIFY(writeRecords(m_books, shelf()));
    }

    void search_data()
    {
        QTest::addColumn<SearchKind>("kind");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("inUse");
        QTest::addColumn<QStringList>("codes"); // in list order
        const SearchKindDef &b = books();
        QTest::newRow("no filter: every current book, sorted")
            << SearchKind::Books << QStringList(10) << 0 << QStringList{"a12", "A12", "B07", "D44", "E05", "F10"};
        QTest::newRow("blank filters change nothing")
            << SearchKind::Books << filter(b, {{"txtTitolo", "  "}, {"txtNote", "\t"}}) << 0
            << QStringList{"a12", "A12", "B07", "D44", "E05", "F10"};
        QTest::newRow("rosa, cancelled left out")
            << SearchKind::Books << filter(b, {{"txtTitolo", "rosa"}}) << 1 << QStringList{"A12", "B07", "D44"};
        QTest::newRow("eco and rosa") << SearchKind::Books << filter(b, {{"txtAutore", "eco"}, {"txtTitolo", "rosa"}})
                                      << 2 << QStringList{"B07"};
        QTest::newRow("nothing matches") << SearchKind::Books << filter(b, {{"txtTitolo", "zebra"}}) << 1
                                         << QStringList{};
        QTest::newRow("available: no lent, no cancelled")
            << SearchKind::AvailableBooks << QStringList(10) << 0 << QStringList{"a12", "B07", "E05", "F10"};
        QTest::newRow("available rosa") << SearchKind::AvailableBooks << filter(b, {{"txtTitolo", "rosa"}}) << 1
                                        << QStringList{"B07"};
    }
    void search()
    {
        QFETCH(SearchKind, kind);
        QFETCH(QStringList, filters);
        QFETCH(int, inUse);
        QFETCH(QStringList, codes);
        const SearchResult r = searchArchive(searchKind(kind), m_books, filters);
        QVERIFY(r.ok);
        QCOMPARE(r.filtersInUse, inUse);
        QCOMPARE(::codes(r.lines.texts()), codes);
        // The same search in blocks of two records (block edges inside the file).
        ArchiveSource small(bookLayout().recordSize);
        QVERIFY(small.open(m_books));
        const SearchResult s = searchRecords(searchKind(kind), small, filters, 2 * bookLayout().recordSize);
        QVERIFY(s.ok);
        QCOMPARE(s.lines.texts(), r.lines.texts());
    }

    void threadsGiveTheSingleReadingsResult_data()
    {
        QTest::addColumn<SearchKind>("kind");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("pieceRecords");
        const SearchKindDef &b = books();
        for (int threads : {2, 3})
            for (int piece : {1, 2, 3, 7}) {
                QTest::addRow("no filter, %d threads, pieces of %d", threads, piece)
                    << SearchKind::Books << QStringList(10) << threads << piece;
                QTest::addRow("rosa, %d threads, pieces of %d", threads, piece)
                    << SearchKind::Books << filter(b, {{"txtTitolo", "rosa"}}) << threads << piece;
                QTest::addRow("available, %d threads, pieces of %d", threads, piece)
                    << SearchKind::AvailableBooks << QStringList(10) << threads << piece;
            }
    }
    void threadsGiveTheSingleReadingsResult()
    {
        QFETCH(SearchKind, kind);
        QFETCH(QStringList, filters);
        QFETCH(int, threads);
        QFETCH(int, pieceRecords);
        const SearchResult one = searchArchive(searchKind(kind), m_books, filters, 1);
        const SearchResult split = threadedSearch(searchKind(kind), m_books, filters, threads, pieceRecords);
        QVERIFY(one.ok);
        QVERIFY(split.ok);
        QCOMPARE(split.filtersInUse, one.filtersInUse);
        QCOMPARE(split.lines.texts(), one.lines.texts());
    }

    void largeArchiveReadByThreads()
    {
        // Large enough for several read blocks: the threads open the file themselves.
        const QString path = m_dir.filePath("large.pro");
        QList<Record> records;
        for (int i = 0; i < 2000; ++i)
            records << book(QStringLiteral("K%1").arg((i * 7919) % 2000), i % 3 ? "Titolo" : "Altro", "Autore");
        records[1500] = book("K1", "Titolo", "Autore"); // the same line as record 1, far from it
        QVERIFY(writeRecords(path, records));
        QVERIFY(scanThreads(QFileInfo(path).size()) >= std::min(2, int(std::thread::hardware_concurrency())));
        const QStringList filters = filter(books(), {{"txtTitolo", "titolo"}});
        const SearchResult one = searchArchive(books(), path, filters, 1);
        const SearchResult two = searchArchive(books(), path, filters, 2);
        QVERIFY(one.ok);
        QVERIFY(two.ok);
        QCOMPARE(one.lines.size(), 1334);
        QCOMPARE(two.lines.texts(), one.lines.texts());
        QCOMPARE(searchArchive(books(), path, filters).lines.texts(), one.lines.texts());

        // A caller that waits (to keep its window painted) gets the same list,
        // and its waiting runs on its own thread, at once.
        for (int threads : {1, 2, 3}) {
            int waits = 0;
            bool elsewhere = false;
            const auto caller = std::this_thread::get_id();
            const SearchResult waited = searchArchive(books(), path, filters, threads, [&] {
                ++waits;
                elsewhere = elsewhere || std::this_thread::get_id() != caller;
            });
            QVERIFY(waited.ok);
            QCOMPARE(waited.lines.texts(), one.lines.texts());
            QVERIFY2(waits >= 1, qPrintable(QString::number(threads)));
            QVERIFY(!elsewhere);
        }
    }

    void casePairsKeepFileOrderAcrossThreads_data()
    {
        QTest::addColumn<QStringList>("fileCodes");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("upper case first")
            << QStringList{"A12", "a12", "b1", "c1"} << QStringList{"A12", "a12", "b1", "c1"};
        QTest::newRow("lower case first")
            << QStringList{"a12", "A12", "c1", "b1"} << QStringList{"a12", "A12", "b1", "c1"};
    }
    void casePairsKeepFileOrderAcrossThreads()
    {
        // Lines equal but for the case of the code, in the first two pieces of
        // one record: each reading waits at its first piece until the other
        // thread holds one too, so the two threads take one each. The one
        // earlier in the file is listed first.
        QFETCH(QStringList, fileCodes);
        QFETCH(QStringList, listed);
        QList<Record> records;
        for (const QString &c : fileCodes) records << book(c, "Stesso titolo", "Stesso autore");
        struct Latch {
            std::mutex mutex;
            std::condition_variable arrived;
            int count = 0;
            bool met = false;
            // Bounded, so a search that never hands out a second piece fails the test.
            void arriveAndWait()
            {
                std::unique_lock lock(mutex);
                if (++count == 2) met = true;
                arrived.notify_all();
                arrived.wait_for(lock, std::chrono::seconds(10), [&] { return met; });
            }
        } latch;
        class Meeting : public MemorySource {
        public:
            Meeting(const QList<Record> &records, Latch &latch) : MemorySource(records), m_latch(latch) {}
            bool setRange(qint64 first, qint64 end) override
            {
                if (m_first) m_latch.arriveAndWait();
                m_first = false;
                return MemorySource::setRange(first, end);
            }

        private:
            Latch &m_latch;
            bool m_first = true;
        };
        const ScanOpener open = [&]() -> std::unique_ptr<RecordSource> {
            return std::make_unique<Meeting>(records, latch);
        };
        const SearchResult r = searchInThreads(books(), records.size(), 2, open, QStringList(10), kScanBlockBytes, 1);
        QVERIFY(latch.met); // both threads read at once
        QVERIFY(r.ok);
        QCOMPARE(codes(r.lines.texts()), listed);
    }

    void anyReadingFailingFailsTheSearch_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"open", "range", "read", "close"}) QTest::newRow(how) << QString::fromLatin1(how);
    }
    void anyReadingFailingFailsTheSearch()
    {
        QFETCH(QString, how);
        const QList<Record> records = shelf();
        std::atomic<int> openings{0};
        const ScanOpener open = [&]() -> std::unique_ptr<RecordSource> {
            // The second reading opened is the one that fails.
            const bool failing = openings++ == 1;
            if (failing && how == "open") return nullptr;
            // Record 4 lies in the third piece of two records.
            auto source = std::make_unique<MemorySource>(records, how == "read" ? 4 : -1);
            source->failClose = failing && how == "close";
            if (how == "range") return std::make_unique<MemorySource>(QList<Record>{records.first()});
            return source;
        };
        const SearchResult r = searchInThreads(books(), records.size(), 2, open, filter(books(), {{"txtTitolo", "r"}}),
                                               bookLayout().recordSize, 2);
        QVERIFY(!r.ok);
        QVERIFY(r.lines.isEmpty());
        QCOMPARE(r.filtersInUse, 1);
    }

    void piecesCoverEveryRecordOnce()
    {
        // Contiguous pieces from the first record, the last one open-ended:
        // records appended meanwhile are read, as a single reading reads them.
        QList<QPair<qint64, qint64>> ranges;
        std::mutex m;
        class Recording : public MemorySource {
        public:
            Recording(QList<QPair<qint64, qint64>> &ranges, std::mutex &m) : MemorySource({}), m_ranges(ranges), m_m(m)
            {
            }
            bool setRange(qint64 first, qint64 end) override
            {
                const std::lock_guard<std::mutex> lock(m_m);
                m_ranges << qMakePair(first, end);
                return MemorySource::setRange(0, 0);
            }
            QList<QPair<qint64, qint64>> &m_ranges;
            std::mutex &m_m;
        };
        const ScanOpener open = [&]() -> std::unique_ptr<RecordSource> {
            return std::make_unique<Recording>(ranges, m);
        };
        QVERIFY(searchInThreads(books(), 10, 3, open, QStringList(10), kScanBlockBytes, 3).ok);
        std::sort(ranges.begin(), ranges.end());
        QCOMPARE(ranges, (QList<QPair<qint64, qint64>>{{0, 3}, {3, 6}, {6, 9}, {9, -1}}));
    }

    void errorInAThreadReachesTheCaller()
    {
        // Thrown on another thread, handed on once every thread is done.
        std::atomic<int> openings{0};
        const ScanOpener open = [&]() -> std::unique_ptr<RecordSource> {
            if (openings++ == 1) throw std::runtime_error("reading");
            return std::make_unique<MemorySource>(shelf());
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 searchInThreads(books(), 7, 2, open, QStringList(10), kScanBlockBytes, 1));
    }

    void smallFilesAreReadByOneThread()
    {
        QCOMPARE(scanThreads(0), 1);
        QCOMPARE(scanThreads(100 * bookLayout().recordSize), 1);
        const int cores = int(std::thread::hardware_concurrency());
        QCOMPARE(scanThreads(qint64(1) << 30), cores < 2 ? 1 : std::min(cores, 4));
    }

    void linesAreTheRecordsLines()
    {
        const SearchResult r = searchArchive(books(), m_books, filter(books(), {{"txtCodice", "B07"}}));
        QVERIFY(r.ok);
        QCOMPARE(r.lines.texts(), QStringList{listline::build(books(), shelf().first())});
    }

    void missingArchiveIsCreatedEmpty()
    {
        const QString path = m_dir.filePath("Autori.pro");
        const SearchResult r = searchArchive(searchKind(SearchKind::Authors), path, QStringList(10));
        QVERIFY(r.ok);
        QVERIFY(r.lines.isEmpty());
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void unopenableArchiveFails()
    {
        // A folder where the archive should be cannot be opened as a file.
        const QString path = m_dir.filePath("Bibliografie.pro");
        QVERIFY(QDir(m_dir.path()).mkpath("Bibliografie.pro"));
        const SearchResult r = searchArchive(searchKind(SearchKind::Bibliographies), path,
                                             filter(searchKind(SearchKind::Bibliographies), {{"txtScopo", "x"}}));
        QVERIFY(!r.ok);
        QCOMPARE(r.filtersInUse, 1);
        int acted = 0;
        const ChooseResult c = chooseInArchive(searchKind(SearchKind::Bibliographies), path, "x",
                                               [&](const Record &, qint64) { ++acted; });
        QVERIFY(!c.ok);
        QCOMPARE(acted, 0);
    }

    void readOnlyArchiveFailsAndIsKeptWhole()
    {
        // The search opens the archive as every operation does, for reading and
        // writing; a file marked read-only is an access failure, never replaced.
        const QString path = m_dir.filePath("readonly.pro");
        QVERIFY(writeRecords(path, shelf()));
        const qint64 size = QFileInfo(path).size();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther));
        const SearchResult r = searchArchive(books(), path, QStringList(10));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(!r.ok);
        QVERIFY(r.lines.isEmpty());
        QCOMPARE(QFileInfo(path).size(), size);
    }

    void failedReadDiscardsTheResult()
    {
        MemorySource source(shelf(), 3);
        const SearchResult r = searchRecords(books(), source, QStringList(10), bookLayout().recordSize);
        QVERIFY(!r.ok);
        QVERIFY(r.lines.isEmpty());
    }

    void partialLastRecordIsNotRead()
    {
        // Half a record whose title would match sits after two whole records.
        const QString path = m_dir.filePath("partial.pro");
        const Record tail = book("Z99", "Rosa spezzata", "Nessuno");
        QVERIFY(
            writeRecords(path, {book("P1", "Rosa prima", "A"), book("P2", "Seconda", "B")}, tail.bytes().left(2000)));
        const SearchResult r = searchArchive(books(), path, filter(books(), {{"txtTitolo", "rosa"}}));
        QVERIFY(r.ok);
        QCOMPARE(codes(r.lines.texts()), QStringList{"P1"});
    }

    void damagedFieldsAreReadWithinTheirCapacity()
    {
        const QString path = m_dir.filePath("damaged.pro");
        Record b = book("X1", "T", "A");
        putRawBookField(b, libro::Titolo, QByteArray(250, 'r'), 255);
        QVERIFY(writeRecords(path, {b}));
        const SearchResult r = searchArchive(books(), path, filter(books(), {{"txtTitolo", "rrr"}}));
        QVERIFY(r.ok);
        QCOMPARE(r.lines.size(), 1);
        QCOMPARE(r.lines.text(0).mid(31, 50), QString(50, QLatin1Char('r')));

        // An author name with no zero byte reads up to its capacity of 50.
        const QString apath = m_dir.filePath("damagedAutori.pro");
        QByteArray a = makeRecord(authorLayout(), {{autore::Nazione, "Italia"}}).bytes();
        std::memset(a.data(), 'd', 51);
        QVERIFY(writeRecords(apath, {Record(authorLayout(), a)}));
        const SearchResult ar = searchArchive(searchKind(SearchKind::Authors), apath, QStringList(10));
        QVERIFY(ar.ok);
        QCOMPARE(ar.lines.size(), 1);
        QVERIFY(ar.lines.text(0).startsWith(QString(30, QLatin1Char('d')) + "  Nazione: Italia"));
    }

    void authorSearchMatchesBlanks()
    {
        const QString path = m_dir.filePath("Autori2.pro");
        QVERIFY(writeRecords(
            path, {makeRecord(authorLayout(), {{autore::Autore, "Dante Alighieri"}, {autore::Nazione, "Italia "}}),
                   makeRecord(authorLayout(), {{autore::Autore, "Petrarca"}, {autore::Nazione, "Italia"}})}));
        const SearchKindDef &k = searchKind(SearchKind::Authors);
        const SearchResult r = searchArchive(k, path, filter(k, {{"txtNazione", "lia "}}));
        QVERIFY(r.ok);
        QCOMPARE(r.lines.size(), 1);
        QVERIFY(r.lines.text(0).startsWith("Dante Alighieri "));
    }

    void chooseDeliversEveryEqualRecordInFileOrder()
    {
        // Two books with the same line, one lent and one cancelled, among others.
        const QString path = m_dir.filePath("twins.pro");
        const Fields same{{libro::Codice, "G1"}, {libro::Titolo, "Gemelli"}, {libro::Autore, "Uno"}};
        Fields lent = same, cancelled = same;
        lent += {libro::Prestato, "Mario"};
        lent += {libro::Note, "prima copia"};
        cancelled += {libro::Annullata, libro::yes()};
        cancelled += {libro::Note, "seconda copia"};
        QVERIFY(
            writeRecords(path, {book("G0", "Altro", "X"), book(lent), book("G2", "Gemelli", "Uno"), book(cancelled)}));

        QList<qint64> numbers;
        QStringList notes;
        const QString chosen = "  " + listline::build(books(), book(same)) + "  ";
        const ChooseResult r = chooseInArchive(available(), path, chosen, [&](const Record &rec, qint64 n) {
            numbers << n;
            notes << rec.text(libro::Note);
        });
        QVERIFY(r.ok);
        QCOMPARE(r.chosen, 2);
        QCOMPARE(numbers, (QList<qint64>{2, 4}));
        QCOMPARE(notes, (QStringList{"prima copia", "seconda copia"}));
    }

    void chooseComparesTrimmedLines()
    {
        // A book line ends in blanks when city, publisher and year are empty; the
        // list shows it whole, the comparison ignores the trailing blanks.
        const Record r = book("H1", "Solo titolo", "Anonimo");
        const QString line = listline::build(books(), r);
        QVERIFY(line.endsWith("  "));
        const QString path = m_dir.filePath("trim.pro");
        QVERIFY(writeRecords(path, {r}));
        qint64 got = 0;
        QVERIFY(chooseInArchive(books(), path, line.trimmed(), [&](const Record &, qint64 n) { got = n; }).ok);
        QCOMPARE(got, 1);
    }

    void chooseWithNoEqualLine_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("empty") << "";
        QTest::newRow("other text") << "Cod. Q";
        QTest::newRow("character outside the code page") << QStringLiteral("Cod. \u03B1");
    }
    void chooseWithNoEqualLine()
    {
        QFETCH(QString, chosen);
        int acted = 0;
        const ChooseResult r = chooseInArchive(books(), m_books, chosen, [&](const Record &, qint64) { ++acted; });
        QVERIFY(r.ok);
        QCOMPARE(acted, 0);
    }

    void chooseFailureKeepsWhatWasDelivered()
    {
        const Record same = book("G1", "Gemelli", "Uno");
        // Blocks of three records: the first read brings two and then fails.
        MemorySource source({same, same, same, same}, 2);
        QList<qint64> numbers;
        const ChooseResult r = chooseRecords(
            books(), source, listline::build(books(), same), [&](const Record &, qint64 n) { numbers << n; },
            3 * bookLayout().recordSize);
        QVERIFY(!r.ok);
        QCOMPARE(numbers, (QList<qint64>{1, 2}));
        QCOMPARE(r.chosen, 2);
    }

    void chooseLetsTheCallerInAfterEachBlock()
    {
        // Five equal books read three at a time: the caller is let in after
        // each block, with every book of it already delivered.
        const Record same = book("G1", "Gemelli", "Uno");
        MemorySource source({same, same, same, same, same});
        QStringList events;
        const ChooseResult r = chooseRecords(
            books(), source, listline::build(books(), same),
            [&](const Record &, qint64 n) { events << QString::number(n); }, 3 * bookLayout().recordSize,
            [&] { events << "|"; });
        QVERIFY(r.ok);
        QCOMPARE(events, (QStringList{"1", "2", "3", "|", "4", "5", "|"}));
    }

    void chooseByLineWithLeadingBlanks()
    {
        // An author with no name: the line begins with 30 blanks, which the
        // chosen line, trimmed, no longer has.
        const SearchKindDef &k = searchKind(SearchKind::Authors);
        const Record nameless = makeRecord(authorLayout(), {{autore::Nazione, "Italia"}});
        const QString path = m_dir.filePath("Autori4.pro");
        QVERIFY(writeRecords(
            path, {makeRecord(authorLayout(), {{autore::Nazione, "Italia"}, {autore::Autore, "X"}}), nameless}));
        const QString line = listline::build(k, nameless);
        QVERIFY(line.startsWith(QString(30, QLatin1Char(' ')) + "  Nazione: Italia"));
        QList<qint64> numbers;
        QVERIFY(chooseInArchive(k, path, line.trimmed(), [&](const Record &, qint64 n) { numbers << n; }).ok);
        QCOMPARE(numbers, QList<qint64>{2});
    }

    void chooseNeedsEverySegmentEqual_data()
    {
        // Lines equal to the chosen one up to a point: each differs in one segment.
        QTest::addColumn<Fields>("fields");
        QTest::newRow("code") << Fields{
            {libro::Codice, "K2"}, {libro::Titolo, "T"}, {libro::Autore, "A"}, {libro::Anno, "1990"}};
        QTest::newRow("title") << Fields{
            {libro::Codice, "K1"}, {libro::Titolo, "T2"}, {libro::Autore, "A"}, {libro::Anno, "1990"}};
        QTest::newRow("year") << Fields{
            {libro::Codice, "K1"}, {libro::Titolo, "T"}, {libro::Autore, "A"}, {libro::Anno, "1991"}};
        QTest::newRow("year missing") << Fields{{libro::Codice, "K1"}, {libro::Titolo, "T"}, {libro::Autore, "A"}};
        QTest::newRow("longer year") << Fields{
            {libro::Codice, "K1"}, {libro::Titolo, "T"}, {libro::Autore, "A"}, {libro::Anno, "1990 bis"}};
    }
    void chooseNeedsEverySegmentEqual()
    {
        QFETCH(Fields, fields);
        const Record chosen =
            book({{libro::Codice, "K1"}, {libro::Titolo, "T"}, {libro::Autore, "A"}, {libro::Anno, "1990"}});
        const QString path = m_dir.filePath("segments.pro");
        QVERIFY(writeRecords(path, {book(fields), chosen}));
        QList<qint64> numbers;
        QVERIFY(chooseInArchive(books(), path, listline::build(books(), chosen), [&](const Record &, qint64 n) {
                    numbers << n;
                }).ok);
        QCOMPARE(numbers, QList<qint64>{2});
    }

    void chooseAuthors()
    {
        const SearchKindDef &k = searchKind(SearchKind::Authors);
        const Record dante = makeRecord(authorLayout(), {{autore::Autore, "Dante "}, {autore::Opere, "Commedia"}});
        const QString path = m_dir.filePath("Autori3.pro");
        QVERIFY(writeRecords(path, {makeRecord(authorLayout(), {{autore::Autore, "Petrarca"}}), dante}));
        QString works;
        qint64 number = 0;
        QVERIFY(chooseInArchive(k, path, listline::build(k, dante), [&](const Record &rec, qint64 n) {
                    works = rec.text(autore::Opere);
                    number = n;
                }).ok);
        QCOMPARE(number, 2);
        QCOMPARE(works, QStringLiteral("Commedia"));
    }
};

QTEST_GUILESS_MAIN(TestSearchScanner)
#include "tst_searchscanner.moc"
