#include "store/Platform.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace opusteca::platform {

#ifdef _WIN32

namespace {
HANDLE handleOf(int descriptor)
{
    if (descriptor < 0) return INVALID_HANDLE_VALUE;
    return reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
}
OVERLAPPED lockedRange()
{
    OVERLAPPED at{};
    at.Offset = DWORD(std::uint64_t(AppendLock::kOffset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(std::uint64_t(AppendLock::kOffset) >> 32);
    return at;
}
} // namespace

AppendLock::AppendLock(int descriptor) : m_descriptor(descriptor)
{
    const HANDLE h = handleOf(m_descriptor);
    if (h == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at = lockedRange();
    m_held = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at) != 0;
}

AppendLock::~AppendLock()
{
    if (!m_held) return;
    OVERLAPPED at = lockedRange();
    UnlockFileEx(handleOf(m_descriptor), 0, 1, 0, &at);
}

bool flushToDevice(int descriptor)
{
    const HANDLE h = handleOf(descriptor);
    return h != INVALID_HANDLE_VALUE && FlushFileBuffers(h) != 0;
}

bool flushFolder(const std::filesystem::path &)
{
    // NTFS journals a folder's names itself, and a program without administrator
    // rights has no call that flushes a folder.
    return true;
}

bool markedReadOnly(const std::filesystem::path &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool folderMarkRefusesNewFiles(const std::filesystem::path &) { return false; }

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

int syncData(int fd)
{
#if defined(__linux__)
    // The data and the size that reaches it; times can wait.
    return ::fdatasync(fd);
#else
    return ::fsync(fd);
#endif
}
} // namespace

AppendLock::AppendLock(int descriptor) : m_descriptor(descriptor)
{
    if (m_descriptor < 0) return;
    m_held = lockRange(m_descriptor, F_WRLCK, kWaitCmd);
}

AppendLock::~AppendLock()
{
    if (m_held) lockRange(m_descriptor, F_UNLCK, kSetCmd);
}

bool flushToDevice(int descriptor)
{
    if (descriptor < 0) return false;
    int r;
    do {
        r = syncData(descriptor);
    } while (r == -1 && errno == EINTR);
    return r == 0;
}

bool flushFolder(const std::filesystem::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true; // a folder that cannot be opened cannot be flushed either
    int r;
    do {
        r = ::fsync(fd);
    } while (r == -1 && errno == EINTR);
    // Some file systems do not flush folders at all (EINVAL): theirs is not a failure.
    const bool ok = r == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

bool markedReadOnly(const std::filesystem::path &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool folderMarkRefusesNewFiles(const std::filesystem::path &folder)
{
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && markedReadOnly(folder);
}

#endif

} // namespace opusteca::platform
