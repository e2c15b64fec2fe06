#include "screens/core/ArchiveNavigator.h"

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

ArchiveNavigator::Result ArchiveNavigator::readAt(RecordFile &file, qint64 position) const
{
    QByteArray bytes;
    if (!file.seek(position) || !file.read(bytes)) return {Outcome::AccessFailed, {}, 0};
    const qint64 number = file.position();
    if (!file.close()) return {Outcome::AccessFailed, {}, 0};
    return {Outcome::Loaded, Record(m_layout, std::move(bytes)), number};
}

ArchiveNavigator::Result ArchiveNavigator::first() const
{
    RecordFile file(m_layout.recordSize);
    if (!file.openIn(m_programFolder, m_layout.fileName)) return {Outcome::AccessFailed, {}, 0};
    const qint64 count = file.count();
    if (count < 0) return {Outcome::AccessFailed, {}, 0};
    if (count == 0) return {Outcome::EmptyArchive, {}, 0};
    return readAt(file, 0);
}

ArchiveNavigator::Result ArchiveNavigator::last() const
{
    RecordFile file(m_layout.recordSize);
    if (!file.openIn(m_programFolder, m_layout.fileName)) return {Outcome::AccessFailed, {}, 0};
    const qint64 count = file.count();
    if (count < 0) return {Outcome::AccessFailed, {}, 0};
    if (count == 0) return {Outcome::EmptyArchive, {}, 0};
    return readAt(file, count - 1);
}

ArchiveNavigator::Result ArchiveNavigator::read(qint64 number) const
{
    RecordFile file(m_layout.recordSize);
    if (number < 1 || !file.openIn(m_programFolder, m_layout.fileName))
        return {Outcome::AccessFailed, {}, 0};
    return readAt(file, number - 1);
}

ArchiveNavigator::Result ArchiveNavigator::next(const QString &positionLabel) const
{
    RecordFile file(m_layout.recordSize);
    if (!file.openIn(m_programFolder, m_layout.fileName)) return {Outcome::AccessFailed, {}, 0};
    // A new card stands before record 1.
    const qint64 n = labelNumber(positionLabel).value_or(0);
    if (n < 0) return {Outcome::AccessFailed, {}, 0};
    const qint64 count = file.count();
    if (count < 0) return {Outcome::AccessFailed, {}, 0};
    if (count == 0) return {Outcome::EmptyArchiveNew, {}, 0};
    if (n >= count) return {Outcome::Unchanged, {}, 0};
    return readAt(file, n);
}

ArchiveNavigator::Result ArchiveNavigator::previous(const QString &positionLabel) const
{
    RecordFile file(m_layout.recordSize);
    if (!file.openIn(m_programFolder, m_layout.fileName)) return {Outcome::AccessFailed, {}, 0};
    const std::optional<qint64> n = labelNumber(positionLabel);
    if (n && *n == 1) return {Outcome::Unchanged, {}, 0};
    const qint64 count = file.count();
    if (count < 0) return {Outcome::AccessFailed, {}, 0};
    if (count == 0) return {Outcome::EmptyArchive, {}, 0};
    if (n && *n < 0) return {Outcome::AccessFailed, {}, 0};
    return readAt(file, n ? *n - 2 : 0);
}

ArchiveNavigator::Result ArchiveNavigator::save(const QString &positionLabel, const Record &record) const
{
    RecordFile file(m_layout.recordSize);
    if (!file.openIn(m_programFolder, m_layout.fileName)) return {Outcome::AccessFailed, {}, 0};
    const std::optional<qint64> n = labelNumber(positionLabel);
    if (n) {
        if (*n < 0 || !file.seek(*n - 1) || !file.write(record.bytes()))
            return {Outcome::AccessFailed, {}, 0};
        const qint64 number = file.position();
        if (!file.close()) return {Outcome::AccessFailed, {}, 0};
        return {Outcome::Overwritten, {}, number};
    }
    qint64 number = 0;
    if (!file.append(record.bytes(), number)) return {Outcome::AccessFailed, {}, 0};
    if (!file.close()) return {Outcome::AccessFailed, {}, 0};
    return {Outcome::Appended, {}, number};
}

bool ArchiveNavigator::touch() const
{
    RecordFile file(m_layout.recordSize);
    return file.openIn(m_programFolder, m_layout.fileName) && file.close();
}

} // namespace opusteca
