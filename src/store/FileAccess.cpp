#include "store/FileAccess.h"

#include <QFileInfo>

namespace opusteca::fileaccess {

bool isMarkedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) return false;
    // Only the mode bits: WriteUser is what the current user may do, and for an
    // administrator that is "yes" whatever the mark says.
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & anyWrite) == 0;
}

} // namespace opusteca::fileaccess
