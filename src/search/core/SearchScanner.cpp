#include "search/core/SearchScanner.h"

#include "search/core/LineSort.h"
#include "search/core/ListLine.h"
#include "search/core/RawFields.h"
#include "search/core/SearchMatch.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <cstring>
#include <vector>

namespace opusteca {
namespace {

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

// Encodes text for a byte comparison with stored text; false when a character
// has no Windows-1252 byte (such a text equals no stored text).
bool encodeExactly(const QString &s, QByteArray &out)
{
    out = cp1252::encode(s);
    return cp1252::decode(out) == s;
}

} // namespace

bool ArchiveSource::read(char *buffer, qint64 maxRecords, qint64 &got)
{
    got = 0;
    const qint64 count = m_file.count();
    if (count < 0) return false;
    if (m_file.position() >= count) return true;
    return m_file.readBlock(buffer, maxRecords, got);
}

QString archivePath(const SearchKindDef &kind, const QString &programFolder)
{
    return RecordFile::pathIn(programFolder, kind.layout().fileName);
}

SearchResult searchRecords(const SearchKindDef &kind, RecordSource &source,
                           const QStringList &filterTexts, qint64 blockBytes)
{
    SearchResult result;
    const FilterSet filters(kind, filterTexts);
    result.filtersInUse = filters.inUse();

    // Every line of a kind begins with the same literal, which decides nothing.
    linesort::SortedLines lines(qsizetype(std::strlen(kind.line.front().literal)));
    const bool ok = scan(source, kind.layout().recordSize, blockBytes,
                         [&](const char *record, qint64) {
                             // Filters first: where they reject, the flag's part of
                             // the record is never touched. The outcome is the same.
                             if (!filters.matches(record) || isSkipped(kind, record)) return;
                             lines.append(listline::build(kind, record));
                         });
    if (!ok) return result;
    // Sorted once at the end: the list is filled in one pass.
    result.lines = lines.take();
    result.ok = true;
    return result;
}

SearchResult searchArchive(const SearchKindDef &kind, const QString &path,
                           const QStringList &filterTexts)
{
    ArchiveSource source(kind.layout().recordSize);
    if (!source.open(path)) {
        SearchResult failed;
        failed.filtersInUse = FilterSet(kind, filterTexts).inUse();
        return failed;
    }
    SearchResult result = searchRecords(kind, source, filterTexts);
    if (!source.close() && result.ok) {
        result.ok = false;
        result.lines = QStringList();
    }
    return result;
}

ChooseResult chooseRecords(const SearchKindDef &kind, RecordSource &source,
                           const QString &chosenLine, const ChosenRecordAction &act,
                           qint64 blockBytes)
{
    ChooseResult result;
    const RecordLayout &layout = kind.layout();
    QByteArray wanted;
    const bool canEqual = encodeExactly(text::trimmed(chosenLine), wanted);
    QByteArray line;
    line.reserve(512);
    result.ok = scan(source, layout.recordSize, blockBytes, [&](const char *record, qint64 index) {
        if (!canEqual) return;
        line.resize(0);
        listline::appendBytes(kind, record, line);
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
