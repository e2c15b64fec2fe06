#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace opusteca::fileaccess {

// True when the file (or folder) carries no write permission for anyone: the read-only mark
// a user sets on a file. It is honoured even where the operating system would
// let an administrator write through it.
bool isMarkedReadOnly(const QString &path);

// Every write of the program's own files (archives, the password file, the
// exported documents) goes through here: a write that does not write all its
// bytes is a failure the caller reports.
qint64 write(QFileDevice &file, const char *data, qint64 size);
inline qint64 write(QFileDevice &file, const QByteArray &bytes)
{
    return write(file, bytes.constData(), bytes.size());
}

// Test seam for a full disk: from now on the writes above find only `bytes` of
// free space. A write that needs more writes what fits and then fails, as on a
// full disk; rewriting bytes a file already has takes no space. A negative
// value gives the whole disk back.
void setFreeSpaceForTesting(qint64 bytes);

} // namespace opusteca::fileaccess
