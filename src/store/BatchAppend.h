#pragma once
#include "store/Platform.h"
#include "store/RecordFile.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace opusteca {

// Many records appended to an archive as one: either all of them stay or the
// file is given back exactly as it was. The append lock is held from open() to
// commit() or rollback(), so another copy of the program appending meanwhile
// waits instead of slipping its record between ours (or after them, where a
// cut would take it away). Dropping the object without commit() rolls back.
class BatchAppend {
public:
    explicit BatchAppend(int recordSize);
    ~BatchAppend();
    BatchAppend(const BatchAppend &) = delete;
    BatchAppend &operator=(const BatchAppend &) = delete;

    // Opens (or creates) the archive and takes the lock. False: nothing happened.
    bool open(const QString &programFolder, const char *fileName);
    // The record number the first appended record gets.
    qint64 firstNumber() const { return m_firstPosition + 1; }
    // Appends `count` whole records laid end to end in `records`.
    bool append(const char *records, qint64 count);
    qint64 appended() const { return m_appended; }
    // Makes the records stay; false when the file reports a failure, in which
    // case they have been taken away again.
    bool commit();
    // Cuts the file back to its size at open() and puts back the bytes of a
    // partial record the appends wrote over. False when even that failed.
    bool rollback();

private:
    void release();

    RecordFile m_file;
    std::unique_ptr<platform::AppendLock> m_lock;
    qint64 m_originalSize = 0;
    qint64 m_firstPosition = 0;
    QByteArray m_partialTail; // what stood after the last whole record
    qint64 m_appended = 0;
    bool m_active = false;
};

} // namespace opusteca
