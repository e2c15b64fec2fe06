#include "store/FileAccess.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>

namespace opusteca::fileaccess {
namespace {
std::atomic<qint64> g_freeSpace{-1};
}

bool isMarkedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) return false;
    // Only the mode bits: WriteUser is what the current user may do, and for an
    // administrator that is "yes" whatever the mark says.
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & anyWrite) == 0;
}

qint64 write(QFileDevice &file, const char *data, qint64 size)
{
    const qint64 free = g_freeSpace.load();
    if (free < 0) return file.write(data, size);
    const qint64 growth = std::max<qint64>(0, file.pos() + size - file.size());
    const qint64 fits = growth > free ? size - (growth - free) : size;
    const qint64 written = fits > 0 ? file.write(data, fits) : 0;
    g_freeSpace.store(std::max<qint64>(0, free - std::min(growth, free)));
    return written;
}

void setFreeSpaceForTesting(qint64 bytes)
{
    g_freeSpace.store(bytes);
}

} // namespace opusteca::fileaccess
