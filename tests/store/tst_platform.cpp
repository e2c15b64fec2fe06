// The platform unit on its own, in plain C++: the same program is built here and
// with the Windows cross compiler, and run there under Wine (scripts/windows-check.sh).
//
//   tst_platform                      runs every check, prints what failed
//   tst_platform append <file> <mark> the second process of the lock check
#include "store/Platform.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace opusteca::platform;

namespace {

int g_failures = 0;

void check(bool ok, const char *what)
{
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
    if (!ok) ++g_failures;
}

int openReadWrite(const fs::path &path)
{
#ifdef _WIN32
    return _wopen(path.c_str(), _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
#endif
}

void closeDescriptor(int fd)
{
#ifdef _WIN32
    _close(fd);
#else
    ::close(fd);
#endif
}

bool appendText(int fd, const char *text)
{
    const auto n = unsigned(std::strlen(text));
#ifdef _WIN32
    return _lseeki64(fd, 0, SEEK_END) >= 0 && _write(fd, text, n) == int(n);
#else
    return ::lseek(fd, 0, SEEK_END) >= 0 && ::write(fd, text, n) == ssize_t(n);
#endif
}

std::string contentOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool setReadOnlyMark(const fs::path &path, bool on)
{
#ifdef _WIN32
    const DWORD a = GetFileAttributesW(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesW(path.c_str(),
                              on ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~DWORD(FILE_ATTRIBUTE_READONLY))) != 0;
#else
    const bool folder = fs::is_directory(path);
    const mode_t mode = on ? (folder ? 0555 : 0444) : (folder ? 0755 : 0644);
    return ::chmod(path.c_str(), mode) == 0;
#endif
}

// The second process: waits for the append lock on the file, then appends its
// mark. `ready` is created just before it asks for the lock.
int appendChild(const fs::path &file, const fs::path &ready)
{
    const int fd = openReadWrite(file);
    if (fd < 0) return 3;
    std::ofstream(ready) << "ready";
    const AppendLock lock(fd);
    if (!lock.held()) return 4;
    const bool ok = appendText(fd, "B");
    closeDescriptor(fd);
    return ok ? 0 : 5;
}

// A started copy of this program; finished() waits for it at most `ms`.
class Child {
public:
    Child(const char *self, const fs::path &file, const fs::path &ready)
    {
#ifdef _WIN32
        (void)self;
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring line =
            L"\"" + std::wstring(exe) + L"\" append \"" + file.wstring() + L"\" \"" + ready.wstring() + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        m_started = CreateProcessW(exe, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_info) != 0;
#else
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl(self, self, "append", file.c_str(), ready.c_str(), static_cast<char *>(nullptr));
            ::_exit(127);
        }
        m_started = m_pid > 0;
#endif
    }
    bool started() const { return m_started; }
    // True once the process has ended, within `ms`; its exit code then in `code`.
    bool finished(int ms, int &code)
    {
#ifdef _WIN32
        if (WaitForSingleObject(m_info.hProcess, DWORD(ms)) != WAIT_OBJECT_0) return false;
        DWORD c = 1;
        GetExitCodeProcess(m_info.hProcess, &c);
        code = int(c);
        return true;
#else
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            int status = 0;
            if (m_ended || ::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                if (!m_ended) m_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
                m_ended = true;
                code = m_code;
                return true;
            }
            if (std::chrono::steady_clock::now() >= end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
#endif
    }
    ~Child()
    {
        int code = 0;
        if (m_started) finished(30000, code);
#ifdef _WIN32
        if (m_started) {
            CloseHandle(m_info.hProcess);
            CloseHandle(m_info.hThread);
        }
#endif
    }

private:
    bool m_started = false;
#ifdef _WIN32
    PROCESS_INFORMATION m_info{};
#else
    pid_t m_pid = -1;
    bool m_ended = false; // reaped: waitpid knows it no more
    int m_code = 0;
#endif
};

// Two processes on one file: the second waits for the lock the first holds,
// so its mark comes after the first's.
void appendLockBetweenProcesses(const char *self, const fs::path &dir)
{
    const fs::path file = dir / "Libri.pro";
    const fs::path ready = dir / "ready";
    const int fd = openReadWrite(file);
    check(fd >= 0, "archive opened");
    if (fd < 0) return;
    auto lock = std::make_unique<AppendLock>(fd);
    check(lock->held(), "append lock taken");
    Child child(self, file, ready);
    check(child.started(), "second process started");
    int code = -1;
    if (child.started()) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(ready) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        check(fs::exists(ready), "second process reached the lock");
        check(!child.finished(500, code), "second process waits while the lock is held");
        check(appendText(fd, "A"), "first mark written");
    }
    lock.reset(); // released: the second process goes on
    check(child.started() && child.finished(60000, code) && code == 0, "second process took the lock and ended");
    closeDescriptor(fd);
    check(contentOf(file) == "AB", "the second process appended after the first");
}

void flushOfAWrittenFile(const fs::path &dir)
{
    const fs::path file = dir / "Autori.pro";
    const int fd = openReadWrite(file);
    check(fd >= 0 && appendText(fd, "scheda"), "file written");
    check(flushToDevice(fd), "written file flushed to the device");
    closeDescriptor(fd);
    check(flushFolder(dir), "folder flushed");
}

void readOnlyMarks(const fs::path &dir)
{
    const fs::path file = dir / "Bibliografie.pro";
    std::ofstream(file) << "x";
    check(!markedReadOnly(file), "file without the mark");
    check(setReadOnlyMark(file, true), "mark set on the file");
    check(markedReadOnly(file), "file with the mark");
    setReadOnlyMark(file, false);
    check(!markedReadOnly(dir / "missing"), "missing file carries no mark");

    const fs::path folder = dir / "cartella";
    fs::create_directory(folder);
    check(!folderMarkRefusesNewFiles(folder), "folder without the mark takes new files");
    check(setReadOnlyMark(folder, true), "mark set on the folder");
#ifdef _WIN32
    std::printf("INFO: the folder %s the read-only attribute\n",
                (GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_READONLY) ? "keeps" : "dropped");
    // The mark on a folder stops nothing here: the program must not refuse.
    check(!folderMarkRefusesNewFiles(folder), "folder mark refuses nothing on Windows");
    const fs::path inside = folder / "Libri.xls";
    const HANDLE h = CreateFileW(inside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    // What this system really does with a file created there; reported, not checked:
    // Windows creates it, and an emulator on a POSIX file system may not.
    std::printf("INFO: creating a file in a folder marked read-only %s (error %lu)\n",
                h != INVALID_HANDLE_VALUE ? "succeeded" : "failed",
                h != INVALID_HANDLE_VALUE ? 0ul : static_cast<unsigned long>(GetLastError()));
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
#else
    check(folderMarkRefusesNewFiles(folder), "folder mark refuses new files");
    check(!folderMarkRefusesNewFiles(file), "a file is no folder");
#endif
    setReadOnlyMark(folder, false);
    check(!folderMarkRefusesNewFiles(dir / "missing"), "missing folder refuses nothing by its mark");
}

unsigned long processId()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(::getpid());
#endif
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "append") == 0) return appendChild(argv[2], argv[3]);

    std::error_code ec;
    const fs::path dir = fs::temp_directory_path() / ("opusteca-platform-" + std::to_string(processId()));
    fs::remove_all(dir, ec);
    fs::create_directories(dir);

    appendLockBetweenProcesses(argv[0], dir);
    flushOfAWrittenFile(dir);
    readOnlyMarks(dir);

    fs::remove_all(dir, ec);
    std::printf("%d failure(s)\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
