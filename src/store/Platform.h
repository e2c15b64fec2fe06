#pragma once
// The few calls that differ between operating systems, kept in one place. Plain
// C++ over the system's own interface and no Qt, so that this unit and its test
// build and run with any compiler of either system. Files are passed as the C
// runtime descriptor an open file has (QFileDevice::handle()), paths as
// std::filesystem::path (QFileInfo::filesystemFilePath()).
#include <cstdint>
#include <filesystem>

namespace opusteca::platform {

// An exclusive lock on one byte far beyond the end of any archive, held while
// the object lives. Two copies of the program appending to the same archive take
// turns through it, so they never compute the same new record number. It locks
// no byte anyone reads or writes and makes no file of its own, and a file system
// without locks leaves appends as they were: unlocked (held() is then false).
class AppendLock {
public:
    explicit AppendLock(int descriptor);
    ~AppendLock();
    AppendLock(const AppendLock &) = delete;
    AppendLock &operator=(const AppendLock &) = delete;

    bool held() const { return m_held; }

    // Where the locked byte stands: past any size an archive can reach, and
    // still a valid offset for both lock calls.
    static constexpr std::int64_t kOffset = INT64_C(0x7FFFFFFF00000000);

private:
    int m_descriptor;
    bool m_held = false;
};

// Hands what was written through the open file to the device and waits until it
// is there. False when the system says it could not: the data may be lost.
bool flushToDevice(int descriptor);

// Makes the folder's own list of names durable after a file in it was created,
// replaced or renamed. Where the system keeps that list durable itself (or gives
// no way to flush a folder), there is nothing to do and the answer is true.
bool flushFolder(const std::filesystem::path &folder);

// True when the file (or folder) exists and carries the user's read-only mark:
// no write permission for anyone, or the read-only attribute. It is honoured even
// where the system would let an administrator write through it.
bool markedReadOnly(const std::filesystem::path &path);

// True when the read-only mark of a folder refuses new files in it. On Windows
// the mark on a folder only tells the shell the folder is customised and stops
// nothing, so there the answer is always false: the operation itself reports
// what really fails.
bool folderMarkRefusesNewFiles(const std::filesystem::path &folder);

} // namespace opusteca::platform
