#pragma once
#include "search/core/ResultLines.h"
#include "search/core/SearchKinds.h"
#include "store/RecordFile.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace opusteca {

class Record;

// Where a scan takes its records from: an archive file, or in tests a source
// that fails on purpose.
class RecordSource {
public:
    virtual ~RecordSource() = default;
    // Reads up to maxRecords whole records into buffer and says how many came.
    // At the end of the archive: true with got == 0. On a failed read: false,
    // and the got records before the failure are good.
    virtual bool read(char *buffer, qint64 maxRecords, qint64 &got) = 0;
    // Reads on from record `first` (0-based) and stops before record `end`, or
    // at the end of the archive when end is -1. False when it cannot.
    virtual bool setRange(qint64 first, qint64 end) = 0;
    // Lets the source go once the scan is over; false when that failed.
    virtual bool close() { return true; }
};

// An archive file read in large blocks, from its first record to its end or
// over a range of records.
class ArchiveSource : public RecordSource {
public:
    explicit ArchiveSource(int recordSize) : m_file(recordSize) {}
    // Opens or creates the file (a missing archive is an empty one).
    bool open(const QString &path) { return m_file.open(path); }
    // Whole records in the file, -1 on failure.
    qint64 count() const { return m_file.count(); }
    bool setRange(qint64 first, qint64 end) override;
    bool read(char *buffer, qint64 maxRecords, qint64 &got) override;
    bool close() override { return m_file.close(); }

private:
    RecordFile m_file;
    qint64 m_end = -1;
};

// How much a scan reads at once.
inline constexpr qint64 kScanBlockBytes = 2 * 1024 * 1024;

struct SearchResult {
    bool ok = false;      // false: the archive could not be opened or read
    int filtersInUse = 0; // what the screen shows in lblConta, even on failure
    ResultLines lines;    // the matching records' lines in list order; empty on failure
};

// The archive file of the kind in the program folder.
QString archivePath(const SearchKindDef &kind, const QString &programFolder);

// Reads the whole archive, leaves out what the kind skips and what the filters
// (texts in the kind's filter order) do not match, and returns the lines of the
// rest, sorted. Only the fields the filters and the lines need are looked at.
//
// A large archive is read by several threads at once, each through its own
// opening of the file, taking the next piece of the file as it finishes one;
// the call returns when all of them are done, and the result is the one a
// single reading would give. threads: how many; 0 lets the size of the file and
// the machine decide (scanThreads).
//
// whileWaiting, when given, is called on the calling thread as soon as the
// threads have started and then about every 40 ms until they are done (a
// screen keeps its window painted with it); the calling thread then reads no
// piece itself, and even one reading runs on a thread of its own. A file of
// less than one read block is searched at once, without it. It must not touch
// what the search reads.
using WhileWaiting = std::function<void()>;
SearchResult searchArchive(const SearchKindDef &kind, const QString &path, const QStringList &filterTexts,
                           int threads = 0, const WhileWaiting &whileWaiting = {});
SearchResult searchRecords(const SearchKindDef &kind, RecordSource &source, const QStringList &filterTexts,
                           qint64 blockBytes = kScanBlockBytes);

// How many threads a search reads a file of that size with on this machine:
// one for a small file or a single core.
int scanThreads(qint64 fileBytes);

// Opens one more reading of the archive, for one thread of a search; nullptr
// when it cannot be opened. Called on that thread.
using ScanOpener = std::function<std::unique_ptr<RecordSource>()>;

// The search over recordCount records, cut into pieces of pieceRecords (0: one
// read block) that `threads` threads read, the calling one among them unless
// whileWaiting is given (see searchArchive). Any reading that cannot be opened,
// read or closed makes the whole search fail.
SearchResult searchInThreads(const SearchKindDef &kind, qint64 recordCount, int threads, const ScanOpener &open,
                             const QStringList &filterTexts, qint64 blockBytes = kScanBlockBytes,
                             qint64 pieceRecords = 0, const WhileWaiting &whileWaiting = {});

// A record whose line is the chosen one, and its 1-based record number.
using ChosenRecordAction = std::function<void(const Record &record, qint64 number)>;

struct ChooseResult {
    bool ok = false;   // false: opening or reading failed and the scan stopped there
    qint64 chosen = 0; // records handed to the action (before the failure, if any)
};

// Reads every record of the archive, whatever its state, and hands to `act`, in
// file order, each one whose line, trimmed, equals chosenLine trimmed. The
// reading stays on the calling thread; whileReading, when given, is called
// there after each block read.
ChooseResult chooseInArchive(const SearchKindDef &kind, const QString &path, const QString &chosenLine,
                             const ChosenRecordAction &act, const WhileWaiting &whileReading = {});
ChooseResult chooseRecords(const SearchKindDef &kind, RecordSource &source, const QString &chosenLine,
                           const ChosenRecordAction &act, qint64 blockBytes = kScanBlockBytes,
                           const WhileWaiting &whileReading = {});

} // namespace opusteca
