#include "store/Platform.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace opusteca::platform {

#ifdef Q_OS_WIN

namespace {
HANDLE handleOf(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}
OVERLAPPED lockedRange()
{
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(AppendLock::kOffset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(AppendLock::kOffset) >> 32);
    return at;
}
} // namespace

AppendLock::AppendLock(QFile &file) : m_file(file)
{
    const HANDLE h = handleOf(m_file);
    if (h == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at = lockedRange();
    m_held = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at) != 0;
}

AppendLock::~AppendLock()
{
    if (!m_held) return;
    OVERLAPPED at = lockedRange();
    UnlockFileEx(handleOf(m_file), 0, 1, 0, &at);
}

#else

namespace {
// Open-file-description locks where the system has them: they belong to the open
// file, not to the process, so another handle on the same archive closing
// elsewhere in the process cannot drop them.
#ifdef F_OFD_SETLKW
constexpr int kWaitCmd = F_OFD_SETLKW;
constexpr int kSetCmd = F_OFD_SETLK;
#else
constexpr int kWaitCmd = F_SETLKW;
constexpr int kSetCmd = F_SETLK;
#endif

bool lockRange(int fd, short type, int cmd)
{
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = off_t(AppendLock::kOffset);
    range.l_len = 1;
    range.l_pid = 0; // must be 0 for open-file-description locks
    int r;
    do {
        r = ::fcntl(fd, cmd, &range);
    } while (r == -1 && errno == EINTR);
    return r == 0;
}
} // namespace

AppendLock::AppendLock(QFile &file) : m_file(file)
{
    const int fd = m_file.handle();
    if (fd < 0) return;
    m_held = lockRange(fd, F_WRLCK, kWaitCmd);
}

AppendLock::~AppendLock()
{
    if (m_held) lockRange(m_file.handle(), F_UNLCK, kSetCmd);
}

#endif

} // namespace opusteca::platform
