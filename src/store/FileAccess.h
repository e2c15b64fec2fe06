#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QString>

class QSaveFile;

namespace opusteca::fileaccess {

// True when the file (or folder) carries no write permission for anyone, or the
// read-only attribute: the read-only mark a user sets on a file. It is honoured
// even where the operating system would let an administrator write through it.
bool isMarkedReadOnly(const QString &path);

// True when the read-only mark of the folder refuses new files in it. That is
// so on Linux only: on Windows the mark on a folder stops nothing (the file
// manager sets it on customised folders), and the operation reports what fails.
bool folderRefusesNewFiles(const QString &folder);

// Every write of the program's own files (archives, the password file, the
// exported documents) goes through here: a write that does not write all its
// bytes is a failure the caller reports.
qint64 write(QFileDevice &file, const char *data, qint64 size);
inline qint64 write(QFileDevice &file, const QByteArray &bytes) { return write(file, bytes.constData(), bytes.size()); }

// Closes a file written in place. When `written`, what was written is first
// handed to the device and waited for, so that "saved" means on the disk, not
// in the system's cache. False when any step failed, the close itself included
// (a full network share, a stick pulled out): the data may not be there.
bool close(QFileDevice &file, bool written);

// Puts a file written through QSaveFile in place of the old one, its data on
// the device before the old file is replaced and the folder's new entry after.
// On failure the old file stays as it was wherever the system allows it.
bool commit(QSaveFile &file);

// Test seam for a full disk: from now on the writes above find only `bytes` of
// free space. A write that needs more writes what fits and then fails, as on a
// full disk; rewriting bytes a file already has takes no space. A negative
// value gives the whole disk back.
void setFreeSpaceForTesting(qint64 bytes);

// Test seam for a device that fails to take the data at the end (a full share,
// a pulled stick): while set, every close and commit above does its work and
// then fails, and a commit leaves the old file in place.
void setClosesFailForTesting(bool fail);

} // namespace opusteca::fileaccess
