#include "search/core/SearchScanner.h"

#include "search/core/LineSort.h"
#include "search/core/ListLine.h"
#include "search/core/RawFields.h"
#include "search/core/SearchMatch.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"
#include "store/ThreadsAside.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace opusteca {
namespace {

// A file of less than one read block per thread is not worth a thread:
// starting and joining one costs about as much as scanning a thousand books.
constexpr qint64 kMinBytesPerThread = kScanBlockBytes;
// Reading from the page cache is bound by memory: past a few threads more of
// them only wait on each other.
constexpr int kMaxThreads = 4;

qint64 recordsPerBlock(int recordSize, qint64 blockBytes) { return std::max<qint64>(1, blockBytes / recordSize); }

// Where a scan reads its blocks into: taken once per reading and never
// cleared, since every byte of it is written by a read before it is looked at.
class ScanBuffer {
public:
    ScanBuffer(int recordSize, qint64 blockBytes)
        : m_recordSize(recordSize), m_records(recordsPerBlock(recordSize, blockBytes)),
          m_bytes(new char[size_t(m_records) * size_t(recordSize)])
    {
    }
    char *data() const { return m_bytes.get(); }
    qint64 records() const { return m_records; }
    int recordSize() const { return m_recordSize; }

private:
    int m_recordSize;
    qint64 m_records;
    std::unique_ptr<char[]> m_bytes;
};

// Calls onRecord(recordBytes, index) for every record of the source, in order.
// False when a read failed; the records before the failure have been seen.
template <typename OnRecord>
bool scan(RecordSource &source, const ScanBuffer &buffer, OnRecord &&onRecord, const WhileWaiting &afterBlock = {})
{
    const int size = buffer.recordSize();
    qint64 index = 0;
    for (;;) {
        qint64 got = 0;
        const bool ok = source.read(buffer.data(), buffer.records(), got);
        for (qint64 i = 0; i < got; ++i) onRecord(buffer.data() + i * size, index++);
        if (!ok) return false;
        if (got == 0) return true;
        if (afterBlock) afterBlock();
    }
}

// Gathers the lines of the records of the source that the search keeps.
bool collect(const SearchKindDef &kind, const FilterSet &filters, RecordSource &source, const ScanBuffer &buffer,
             linesort::SortedLines &lines, quint32 order = 0)
{
    const qsizetype maxLine = listline::maxBytes(kind);
    return scan(source, buffer, [&](const char *record, qint64) {
        // Filters first: where they reject, the flag's part of the record is
        // never touched. The outcome is the same.
        if (!filters.matches(record) || isSkipped(kind, record)) return;
        char *line = lines.reserve(maxLine);
        lines.commit(listline::writeBytes(kind, record, line) - line, order);
    });
}

// Every line of a kind begins with the same literal, which decides nothing.
qsizetype sharedPrefix(const SearchKindDef &kind) { return qsizetype(std::strlen(kind.line.front().literal)); }

// What the threads of one search share: the next piece to read, and whether
// one of them has failed (the others then stop at their next piece).
struct Pieces {
    qint64 count;
    qint64 records;
    std::atomic<qint64> next{0};
    std::atomic<bool> failed{false};
};

struct ThreadOutcome {
    bool ok = false;
    std::exception_ptr error; // handed on to the caller once every thread is done
};

void runThread(const SearchKindDef &kind, const FilterSet &filters, const ScanOpener &open, qint64 blockBytes,
               Pieces &pieces, linesort::SortedLines &lines, ThreadOutcome &outcome)
{
    try {
        std::unique_ptr<RecordSource> source = open();
        bool ok = source != nullptr;
        {
            // Let go before the sort, which is when the search holds the most.
            const ScanBuffer buffer(kind.layout().recordSize, blockBytes);
            // Pieces are taken in file order, so each thread's lines come in file
            // order too, and the piece number orders equal lines across threads.
            for (qint64 p; ok && !pieces.failed && (p = pieces.next++) < pieces.count;) {
                const qint64 first = p * pieces.records;
                // The last piece reads on to the end of the file, as a single reading would.
                const qint64 end = p + 1 < pieces.count ? first + pieces.records : -1;
                ok = source->setRange(first, end) && collect(kind, filters, *source, buffer, lines, quint32(p));
            }
        }
        if (source && !source->close()) ok = false;
        outcome.ok = ok;
        if (!ok) pieces.failed = true;
        // Sorted where it was gathered: the threads sort at once, the caller only merges.
        else if (!pieces.failed)
            lines.sort();
    } catch (...) {
        outcome.error = std::current_exception();
        pieces.failed = true;
    }
}

// Whether a line that begins with `begun` may still, once trimmed, be `wanted`
// (already trimmed). Lets the choose scan drop a record on its first segment.
bool mayStillEqual(QByteArrayView begun, QByteArrayView wanted)
{
    qsizetype b = 0;
    while (b < begun.size() && rawfield::isBlankByte(begun[b])) ++b;
    const QByteArrayView p = begun.sliced(b);
    const qsizetype n = std::min(p.size(), wanted.size());
    return p.first(n) == wanted.first(n) && rawfield::isBlank(p.sliced(n));
}

} // namespace

bool ArchiveSource::setRange(qint64 first, qint64 end)
{
    m_end = end;
    return m_file.seek(first);
}

bool ArchiveSource::read(char *buffer, qint64 maxRecords, qint64 &got)
{
    got = 0;
    const qint64 count = m_file.count();
    if (count < 0) return false;
    const qint64 end = m_end < 0 ? count : std::min(count, m_end);
    if (m_file.position() >= end) return true;
    return m_file.readBlock(buffer, std::min(maxRecords, end - m_file.position()), got);
}

QString archivePath(const SearchKindDef &kind, const QString &programFolder)
{
    return RecordFile::pathIn(programFolder, kind.layout().fileName);
}

int scanThreads(qint64 fileBytes)
{
    const int cores = int(std::thread::hardware_concurrency());
    if (cores < 2) return 1;
    return int(std::clamp<qint64>(fileBytes / kMinBytesPerThread, 1, std::min(cores, kMaxThreads)));
}

SearchResult searchRecords(const SearchKindDef &kind, RecordSource &source, const QStringList &filterTexts,
                           qint64 blockBytes)
{
    SearchResult result;
    const FilterSet filters(kind, filterTexts);
    result.filtersInUse = filters.inUse();
    linesort::SortedLines lines(sharedPrefix(kind));
    if (!collect(kind, filters, source, ScanBuffer(kind.layout().recordSize, blockBytes), lines)) return result;
    // Sorted once at the end: the list is filled in one pass.
    result.lines = lines.take();
    result.ok = true;
    return result;
}

SearchResult searchInThreads(const SearchKindDef &kind, qint64 recordCount, int threads, const ScanOpener &open,
                             const QStringList &filterTexts, qint64 blockBytes, qint64 pieceRecords,
                             const WhileWaiting &whileWaiting)
{
    SearchResult result;
    const FilterSet filters(kind, filterTexts);
    result.filtersInUse = filters.inUse();
    Pieces pieces;
    pieces.records = pieceRecords > 0 ? pieceRecords : recordsPerBlock(kind.layout().recordSize, blockBytes);
    pieces.count = std::max<qint64>(1, (std::max<qint64>(0, recordCount) + pieces.records - 1) / pieces.records);
    threads = int(std::clamp<qint64>(threads, 1, pieces.count));

    std::vector<linesort::SortedLines> lines;
    lines.reserve(size_t(threads));
    for (int i = 0; i < threads; ++i) lines.emplace_back(sharedPrefix(kind));
    std::vector<ThreadOutcome> outcomes(static_cast<size_t>(threads));
    const auto run = [&](int i) {
        runThread(kind, filters, open, blockBytes, pieces, lines[size_t(i)], outcomes[size_t(i)]);
    };
    std::vector<std::thread> started;
    size_t ran = 0; // outcomes[0, ran) are those of the threads that ran
    if (!whileWaiting) {
        for (int i = 1; i < threads; ++i) {
            try {
                started.emplace_back(run, i);
            } catch (const std::system_error &) {
                break; // no more threads to be had: fewer read the pieces
            }
        }
        run(0);
        for (std::thread &t : started) t.join();
        ran = started.size() + 1;
    } else {
        // Every piece is read by a thread of its own; the caller waits, giving
        // whileWaiting its turn at once and then at every wake-up.
        ran = size_t(threads::runAside(threads, run, whileWaiting));
    }

    for (const ThreadOutcome &o : outcomes)
        if (o.error) std::rethrow_exception(o.error);
    for (size_t i = 0; i < ran; ++i)
        if (!outcomes[i].ok) return result;
    result.lines = linesort::SortedLines::merge(lines);
    result.ok = true;
    return result;
}

SearchResult searchArchive(const SearchKindDef &kind, const QString &path, const QStringList &filterTexts, int threads,
                           const WhileWaiting &whileWaiting)
{
    const int recordSize = kind.layout().recordSize;
    const auto failed = [&] {
        SearchResult r;
        r.filtersInUse = FilterSet(kind, filterTexts).inUse();
        return r;
    };
    ArchiveSource source(recordSize);
    if (!source.open(path)) return failed();
    const qint64 count = source.count();
    if (threads <= 0) threads = scanThreads(count * recordSize);
    // A caller that waits has even a single reading done on a thread, unless
    // the file is too small to keep it waiting.
    const bool aside = whileWaiting && count * recordSize >= kScanBlockBytes;

    if ((threads <= 1 && !aside) || count < 2) {
        SearchResult result = searchRecords(kind, source, filterTexts);
        if (!source.close() && result.ok) return failed();
        return result;
    }
    // This opening has created a missing archive and counted the records; each
    // thread reads through an opening of its own.
    if (!source.close()) return failed();
    return searchInThreads(
        kind, count, threads,
        [&]() -> std::unique_ptr<RecordSource> {
            auto reading = std::make_unique<ArchiveSource>(recordSize);
            if (!reading->open(path)) return nullptr;
            return reading;
        },
        filterTexts, kScanBlockBytes, 0, whileWaiting);
}

ChooseResult chooseRecords(const SearchKindDef &kind, RecordSource &source, const QString &chosenLine,
                           const ChosenRecordAction &act, qint64 blockBytes, const WhileWaiting &whileReading)
{
    ChooseResult result;
    const RecordLayout &layout = kind.layout();
    QByteArray wanted;
    const bool canEqual = cp1252::encodeExactly(text::trimmed(chosenLine), wanted);
    const int segments = int(kind.line.size());
    QByteArray line;
    line.reserve(512);
    result.ok = scan(
        source, ScanBuffer(layout.recordSize, blockBytes),
        [&](const char *record, qint64 index) {
            if (!canEqual) return;
            line.resize(0);
            for (int s = 0; s < segments; ++s) {
                listline::appendSegmentBytes(kind, s, record, line);
                if (!mayStillEqual(line, wanted)) return;
            }
            if (rawfield::trimmed(line) != QByteArrayView(wanted)) return;
            ++result.chosen;
            act(Record(layout, QByteArray(record, layout.recordSize)), index + 1);
        },
        whileReading);
    return result;
}

ChooseResult chooseInArchive(const SearchKindDef &kind, const QString &path, const QString &chosenLine,
                             const ChosenRecordAction &act, const WhileWaiting &whileReading)
{
    ArchiveSource source(kind.layout().recordSize);
    if (!source.open(path)) return {};
    ChooseResult result = chooseRecords(kind, source, chosenLine, act, kScanBlockBytes, whileReading);
    if (!source.close()) result.ok = false;
    return result;
}

} // namespace opusteca
