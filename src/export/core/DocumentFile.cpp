#include "export/core/DocumentFile.h"

#include "store/FileAccess.h"
#include "store/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace opusteca {

bool saveDocument(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    const QFileInfo info(path);
    if (path.isEmpty() || QDir::toNativeSeparators(info.absoluteFilePath()).size() > RecordFile::kMaxPath)
        return false;
    if (fileaccess::isMarkedReadOnly(info.absolutePath())) return false;
    if (info.exists() && (!info.isFile() || fileaccess::isMarkedReadOnly(path))) return false;

    QSaveFile file(path);
    // Never fall back to writing in place: that is what would leave half a document.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace opusteca
