#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <vector>

class QCoreApplication;

namespace opusteca::bench {

// What a benchmark program's main() sets up around its benchmarks: Google
// Benchmark's options, the application object the measured code needs, and a
// temporary folder for the files it measures on.
class BenchProgram {
public:
    enum class App {
        None,    // the core alone
        Core,    // a QCoreApplication
        Screens, // a QApplication, offscreen unless QT_QPA_PLATFORM names a platform
    };
    BenchProgram(int &argc, char **argv, App app);
    ~BenchProgram();
    BenchProgram(const BenchProgram &) = delete;
    BenchProgram &operator=(const BenchProgram &) = delete;

    // False when an option was not understood or the folder could not be made.
    bool ok() const { return m_ok; }
    QString folder() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    // Runs the registered benchmarks; main's exit code.
    int run();

private:
    std::unique_ptr<QCoreApplication> m_app;
    QTemporaryDir m_folder;
    bool m_ok = false;
};

// The baseline of every ratio: the whole file read in blocks of this size (the
// fastest of 256 KiB to 4 MiB here), touching one byte per record so the
// bytes are really brought in. Returns a checksum of those bytes.
inline constexpr qint64 kRawReadBlockBytes = 2 * 1024 * 1024;
unsigned rawRead(const QString &path);

double median(std::vector<double> v);

// Seconds f takes.
template <typename F>
double timed(F &&f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A book search by its filters: control name and text (UTF-8).
struct FilterCase {
    const char *name;
    QList<QPair<const char *, const char *>> filters;
};
// The filter texts of the book search, in its filter order.
QStringList bookFilterTexts(const FilterCase &c);

} // namespace opusteca::bench
