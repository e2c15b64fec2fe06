#pragma once
#include <QFile>

// The few calls that differ between operating systems, kept in one place.
namespace opusteca::platform {

// An exclusive lock on one byte far beyond the end of any archive, held while
// the object lives. Two copies of the program appending to the same archive take
// turns through it, so they never compute the same new record number. It locks
// no byte anyone reads or writes and makes no file of its own, and a file system
// without locks leaves appends as they were: unlocked (held() is then false).
class AppendLock {
public:
    explicit AppendLock(QFile &file);
    ~AppendLock();
    AppendLock(const AppendLock &) = delete;
    AppendLock &operator=(const AppendLock &) = delete;

    bool held() const { return m_held; }

    // Where the locked byte stands: past any size an archive can reach, and
    // still a valid offset for both lock calls.
    static constexpr qint64 kOffset = Q_INT64_C(0x7FFFFFFF00000000);

private:
    QFile &m_file;
    bool m_held = false;
};

} // namespace opusteca::platform
