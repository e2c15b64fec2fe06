#include "store/FileAccess.h"

#include "store/Platform.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>

namespace opusteca::fileaccess {
namespace {
std::atomic<qint64> g_freeSpace{-1};
std::atomic<bool> g_closesFail{false};

std::filesystem::path nativePath(const QString &path) { return QFileInfo(path).filesystemFilePath(); }
} // namespace

bool isMarkedReadOnly(const QString &path) { return platform::markedReadOnly(nativePath(path)); }

bool folderRefusesNewFiles(const QString &folder) { return platform::folderMarkRefusesNewFiles(nativePath(folder)); }

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

bool close(QFileDevice &file, bool written)
{
    if (!file.isOpen()) return true;
    // An error of an earlier step counts as well: closing clears it.
    bool ok = file.error() == QFileDevice::NoError;
    if (written) ok = file.flush() && platform::flushToDevice(file.handle()) && ok;
    file.close();
    ok = file.error() == QFileDevice::NoError && ok;
    return ok && !g_closesFail.load();
}

bool commit(QSaveFile &file)
{
    // On the device before it takes the old file's place: a new name over data
    // still in the cache could leave an empty document after a power cut.
    if (!file.flush() || !platform::flushToDevice(file.handle()) || g_closesFail.load()) {
        file.cancelWriting();
        file.commit(); // discards the temporary file
        return false;
    }
    if (!file.commit()) return false;
    return platform::flushFolder(nativePath(QFileInfo(file.fileName()).absolutePath()));
}

void setFreeSpaceForTesting(qint64 bytes) { g_freeSpace.store(bytes); }

void setClosesFailForTesting(bool fail) { g_closesFail.store(fail); }

} // namespace opusteca::fileaccess
