#include "store/ArchiveNavigator.h"

#include "store/RecordFile.h"
#include "store/Text.h"

namespace opusteca {

using Outcome = ArchiveNavigator::Outcome;

ArchiveNavigator::ArchiveNavigator(const RecordLayout &layout, QString programFolder)
    : m_layout(layout), m_programFolder(std::move(programFolder))
{
}

std::optional<qint64> ArchiveNavigator::labelNumber(const QString &positionLabel)
{
    const QString t = text::trimmed(positionLabel);
    if (t.isEmpty()) return std::nullopt;
    if (t.size() > 18) return -1;
    qint64 n = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n >= 1 ? n : -1;
}

namespace {

ArchiveNavigator::Result outcome(Outcome o) { return {o, {}, 0}; }

// What a record count means before any record is read: a failure, an empty
// archive (reported as `empty`), or nothing to stop for.
std::optional<ArchiveNavigator::Result> countStop(qint64 count, Outcome empty)
{
    if (count < 0) return outcome(Outcome::AccessFailed);
    if (count == 0) return outcome(empty);
    return std::nullopt;
}

} // namespace

template <class Body>
ArchiveNavigator::Result ArchiveNavigator::withArchive(Body &&body) const
{
    RecordFile file(m_layout.recordSize);
    if (!file.openIn(m_programFolder, m_layout.fileName)) return outcome(Outcome::AccessFailed);
    return body(file);
}

ArchiveNavigator::Result ArchiveNavigator::readAt(RecordFile &file, qint64 position) const
{
    QByteArray bytes;
    if (!file.seek(position) || !file.read(bytes)) return outcome(Outcome::AccessFailed);
    const qint64 number = file.position();
    const bool closed = file.close();
    return {Outcome::Loaded, Record(m_layout, std::move(bytes)), number, !closed};
}

ArchiveNavigator::Result ArchiveNavigator::first() const
{
    return withArchive([&](RecordFile &file) {
        const qint64 count = file.count();
        if (auto stop = countStop(count, Outcome::EmptyArchive)) return *stop;
        return readAt(file, 0);
    });
}

ArchiveNavigator::Result ArchiveNavigator::last() const
{
    return withArchive([&](RecordFile &file) {
        const qint64 count = file.count();
        if (auto stop = countStop(count, Outcome::EmptyArchive)) return *stop;
        return readAt(file, count - 1);
    });
}

ArchiveNavigator::Result ArchiveNavigator::read(qint64 number) const
{
    if (number < 1) return outcome(Outcome::AccessFailed);
    return withArchive([&](RecordFile &file) { return readAt(file, number - 1); });
}

ArchiveNavigator::Result ArchiveNavigator::next(const QString &positionLabel) const
{
    return withArchive([&](RecordFile &file) {
        // A new card stands before record 1.
        const qint64 n = labelNumber(positionLabel).value_or(0);
        if (n < 0) return outcome(Outcome::AccessFailed);
        const qint64 count = file.count();
        if (auto stop = countStop(count, Outcome::EmptyArchiveNew)) return *stop;
        if (n >= count) return outcome(Outcome::Unchanged);
        return readAt(file, n);
    });
}

ArchiveNavigator::Result ArchiveNavigator::previous(const QString &positionLabel) const
{
    return withArchive([&](RecordFile &file) {
        const std::optional<qint64> n = labelNumber(positionLabel);
        if (n && *n == 1) return outcome(Outcome::Unchanged);
        const qint64 count = file.count();
        if (auto stop = countStop(count, Outcome::EmptyArchive)) return *stop;
        if (n && *n < 0) return outcome(Outcome::AccessFailed);
        return readAt(file, n ? *n - 2 : 0);
    });
}

ArchiveNavigator::Result ArchiveNavigator::save(const QString &positionLabel, const Record &record) const
{
    return withArchive([&](RecordFile &file) {
        const std::optional<qint64> n = labelNumber(positionLabel);
        if (n) {
            if (*n < 0 || !file.seek(*n - 1) || !file.write(record.bytes())) return outcome(Outcome::AccessFailed);
            const qint64 number = file.position();
            const bool closed = file.close();
            return Result{Outcome::Overwritten, {}, number, !closed};
        }
        // Once appended, the record has its number even if the close fails: the
        // card names it, so saving again overwrites it rather than adding a copy.
        qint64 number = 0;
        if (!file.append(record.bytes(), number)) return outcome(Outcome::AccessFailed);
        const bool closed = file.close();
        return Result{Outcome::Appended, {}, number, !closed};
    });
}

bool ArchiveNavigator::touch() const
{
    RecordFile file(m_layout.recordSize);
    return file.openIn(m_programFolder, m_layout.fileName) && file.close();
}

} // namespace opusteca
