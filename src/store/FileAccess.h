#pragma once
#include <QString>

namespace opusteca::fileaccess {

// True when the file (or folder) carries no write permission for anyone: the read-only mark
// a user sets on a file. It is honoured even where the operating system would
// let an administrator write through it.
bool isMarkedReadOnly(const QString &path);

} // namespace opusteca::fileaccess
