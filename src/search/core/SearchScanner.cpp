#include "search/core/SearchScanner.h"

#include "search/core/LineSort.h"
#include "search/core/ListLine.h"
#include "search/core/RawFields.h"
#include "search/core/SearchMatch.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace opusteca {
namespace {

// A part of less than one read block is not worth a thread: starting and
// joining one costs about as much as scanning a thousand book records.
constexpr qint64 kMinPartBytes = kScanBlockBytes;
// Reading from the page cache is bound by memory: past a few threads more of
// them only wait on each other.
constexpr int kMaxParts = 4;

qint64 recordsPerBlock(int recordSize, qint64 blockBytes)
{
    return std::max<qint64>(1, blockBytes / recordSize);
}

// Calls onRecord(recordBytes, index) for every record of the source, in order.
// False when a read failed; the records before the failure have been seen.
template <typename OnRecord>
bool scan(RecordSource &source, int recordSize, qint64 blockBytes, OnRecord &&onRecord)
{
    const qint64 per = recordsPerBlock(recordSize, blockBytes);
    std::vector<char> buffer(size_t(per) * size_t(recordSize));
    qint64 index = 0;
    for (;;) {
        qint64 got = 0;
        const bool ok = source.read(buffer.data(), per, got);
        for (qint64 i = 0; i < got; ++i)
            onRecord(buffer.data() + i * recordSize, index++);
        if (!ok) return false;
        if (got == 0) return true;
    }
}

// Gathers the lines of the records of the source that the search keeps.
bool collect(const SearchKindDef &kind, const FilterSet &filters, RecordSource &source,
             qint64 blockBytes, linesort::SortedLines &lines)
{
    return scan(source, kind.layout().recordSize, blockBytes, [&](const char *record, qint64) {
        // Filters first: where they reject, the flag's part of the record is
        // never touched. The outcome is the same.
        if (!filters.matches(record) || isSkipped(kind, record)) return;
        lines.append(listline::build(kind, record));
    });
}

// Every line of a kind begins with the same literal, which decides nothing.
qsizetype sharedPrefix(const SearchKindDef &kind)
{
    return qsizetype(std::strlen(kind.line.front().literal));
}

struct PartOutcome {
    bool ok = false;
    std::exception_ptr error; // handed on to the caller once every part is done
};

void runPart(const SearchKindDef &kind, const FilterSet &filters, const PartOpener &openPart,
             qint64 first, qint64 end, qint64 blockBytes, linesort::SortedLines &lines,
             PartOutcome &outcome)
{
    try {
        std::unique_ptr<RecordSource> source = openPart(first, end);
        if (!source) return;
        const bool read = collect(kind, filters, *source, blockBytes, lines);
        const bool closed = source->close();
        outcome.ok = read && closed;
        // Sorted where it was gathered: the parts sort at once, the caller only merges.
        if (outcome.ok) lines.sort();
    } catch (...) {
        outcome.error = std::current_exception();
    }
}

// Encodes text for a byte comparison with stored text; false when a character
// has no Windows-1252 byte (such a text equals no stored text).
bool encodeExactly(const QString &s, QByteArray &out)
{
    out = cp1252::encode(s);
    return cp1252::decode(out) == s;
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

int scanParts(qint64 fileBytes)
{
    const int cores = int(std::thread::hardware_concurrency());
    if (cores < 2) return 1;
    return int(std::clamp<qint64>(fileBytes / kMinPartBytes, 1, std::min(cores, kMaxParts)));
}

SearchResult searchRecords(const SearchKindDef &kind, RecordSource &source,
                           const QStringList &filterTexts, qint64 blockBytes)
{
    SearchResult result;
    const FilterSet filters(kind, filterTexts);
    result.filtersInUse = filters.inUse();
    linesort::SortedLines lines(sharedPrefix(kind));
    if (!collect(kind, filters, source, blockBytes, lines)) return result;
    // Sorted once at the end: the list is filled in one pass.
    result.lines = lines.take();
    result.ok = true;
    return result;
}

SearchResult searchInParts(const SearchKindDef &kind, qint64 recordCount, int parts,
                           const PartOpener &openPart, const QStringList &filterTexts,
                           qint64 blockBytes)
{
    SearchResult result;
    const FilterSet filters(kind, filterTexts);
    result.filtersInUse = filters.inUse();
    parts = int(std::clamp<qint64>(parts, 1, std::max<qint64>(1, recordCount)));

    std::vector<linesort::SortedLines> lines(size_t(parts), linesort::SortedLines(sharedPrefix(kind)));
    std::vector<PartOutcome> outcomes(static_cast<size_t>(parts));
    const auto run = [&](int i) {
        // The last part reads on to the end of the file, as a single reading would.
        const qint64 first = recordCount * i / parts;
        const qint64 end = i + 1 < parts ? recordCount * (i + 1) / parts : -1;
        runPart(kind, filters, openPart, first, end, blockBytes, lines[size_t(i)], outcomes[size_t(i)]);
    };
    std::vector<std::thread> threads;
    for (int i = 1; i < parts; ++i) {
        try {
            threads.emplace_back(run, i);
        } catch (const std::system_error &) {
            break; // no thread to be had: the remaining parts run here
        }
    }
    run(0);
    for (int i = 1 + int(threads.size()); i < parts; ++i) run(i);
    for (std::thread &t : threads) t.join();

    for (const PartOutcome &o : outcomes)
        if (o.error) std::rethrow_exception(o.error);
    for (const PartOutcome &o : outcomes)
        if (!o.ok) return result;
    result.lines = linesort::SortedLines::merge(lines);
    result.ok = true;
    return result;
}

SearchResult searchArchive(const SearchKindDef &kind, const QString &path,
                           const QStringList &filterTexts, int parts)
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
    if (parts <= 0) parts = scanParts(count * recordSize);

    if (parts <= 1 || count < 2) {
        SearchResult result = searchRecords(kind, source, filterTexts);
        if (!source.close() && result.ok) return failed();
        return result;
    }
    // This opening has created a missing archive and counted the records; each
    // part reads through an opening of its own.
    if (!source.close()) return failed();
    return searchInParts(kind, count, parts, [&](qint64 first, qint64 end) -> std::unique_ptr<RecordSource> {
        auto part = std::make_unique<ArchiveSource>(recordSize);
        if (!part->open(path) || !part->setRange(first, end)) return nullptr;
        return part;
    }, filterTexts);
}

ChooseResult chooseRecords(const SearchKindDef &kind, RecordSource &source,
                           const QString &chosenLine, const ChosenRecordAction &act,
                           qint64 blockBytes)
{
    ChooseResult result;
    const RecordLayout &layout = kind.layout();
    QByteArray wanted;
    const bool canEqual = encodeExactly(text::trimmed(chosenLine), wanted);
    const int segments = int(kind.line.size());
    QByteArray line;
    line.reserve(512);
    result.ok = scan(source, layout.recordSize, blockBytes, [&](const char *record, qint64 index) {
        if (!canEqual) return;
        line.resize(0);
        for (int s = 0; s < segments; ++s) {
            listline::appendSegmentBytes(kind, s, record, line);
            if (!mayStillEqual(line, wanted)) return;
        }
        if (rawfield::trimmed(line) != QByteArrayView(wanted)) return;
        ++result.chosen;
        act(Record(layout, QByteArray(record, layout.recordSize)), index + 1);
    });
    return result;
}

ChooseResult chooseInArchive(const SearchKindDef &kind, const QString &path,
                             const QString &chosenLine, const ChosenRecordAction &act)
{
    ArchiveSource source(kind.layout().recordSize);
    if (!source.open(path)) return {};
    ChooseResult result = chooseRecords(kind, source, chosenLine, act);
    if (!source.close()) result.ok = false;
    return result;
}

} // namespace opusteca
