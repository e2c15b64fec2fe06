#pragma once
#include "search/core/SearchKinds.h"
#include "store/RecordFile.h"

#include <QStringList>
#include <functional>

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
};

// An archive file read from its first record in large blocks.
class ArchiveSource : public RecordSource {
public:
    explicit ArchiveSource(int recordSize) : m_file(recordSize) {}
    // Opens or creates the file (a missing archive is an empty one).
    bool open(const QString &path) { return m_file.open(path); }
    bool read(char *buffer, qint64 maxRecords, qint64 &got) override;
    bool close() { return m_file.close(); }

private:
    RecordFile m_file;
};

// How much a scan reads at once.
inline constexpr qint64 kScanBlockBytes = 2 * 1024 * 1024;

struct SearchResult {
    bool ok = false;       // false: the archive could not be opened or read
    int filtersInUse = 0;  // what the screen shows in lblConta, even on failure
    QStringList lines;     // the matching records' lines in list order; empty on failure
};

// The archive file of the kind in the program folder.
QString archivePath(const SearchKindDef &kind, const QString &programFolder);

// Reads the whole archive, leaves out what the kind skips and what the filters
// (texts in the kind's filter order) do not match, and returns the lines of the
// rest, sorted. Only the fields the filters and the lines need are looked at.
SearchResult searchArchive(const SearchKindDef &kind, const QString &path,
                           const QStringList &filterTexts);
SearchResult searchRecords(const SearchKindDef &kind, RecordSource &source,
                           const QStringList &filterTexts, qint64 blockBytes = kScanBlockBytes);

// A record whose line is the chosen one, and its 1-based record number.
using ChosenRecordAction = std::function<void(const Record &record, qint64 number)>;

struct ChooseResult {
    bool ok = false;    // false: opening or reading failed and the scan stopped there
    qint64 chosen = 0;  // records handed to the action (before the failure, if any)
};

// Reads every record of the archive, whatever its state, and hands to `act`, in
// file order, each one whose line, trimmed, equals chosenLine trimmed.
ChooseResult chooseInArchive(const SearchKindDef &kind, const QString &path,
                             const QString &chosenLine, const ChosenRecordAction &act);
ChooseResult chooseRecords(const SearchKindDef &kind, RecordSource &source,
                           const QString &chosenLine, const ChosenRecordAction &act,
                           qint64 blockBytes = kScanBlockBytes);

} // namespace opusteca
