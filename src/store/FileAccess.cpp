#include "store/FileAccess.h"

#include <QFileInfo>

namespace opusteca::fileaccess {

bool isMarkedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) return false;
    constexpr QFile::Permissions anyWrite =
        QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & anyWrite) == 0;
}

} // namespace opusteca::fileaccess
