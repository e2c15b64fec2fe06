// Start-up as the user meets it: from starting the process to the login window
// painted on the screen, as a ratio to an empty Qt Widgets window started and
// shown the same way, on the same platform, in the same run. The two programs
// are started alternately; each says "shown" on its standard output the
// moment its window has been painted, and the time to that line is measured.
#include "Measure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

using namespace opusteca::bench;

namespace {

QString g_program;     // a copy of the program in a program folder of its own
QString g_emptyWindow; // the baseline

// Milliseconds from starting exe to its "shown", or a negative value on failure.
double startToShown(const QString &exe)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OPUSTECA_STARTUP_PROBE"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    p.start(exe, {});
    QByteArray out;
    while (!out.contains("shown\n")) {
        if (!p.waitForReadyRead(30000)) return -1;
        out += p.readAllStandardOutput();
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    p.waitForFinished(30000);
    return ms;
}

void startup(benchmark::State &state)
{
    std::vector<double> program, empty;
    for (auto _ : state) {
        const double e = startToShown(g_emptyWindow);
        const double o = startToShown(g_program);
        if (e < 0 || o < 0) {
            state.SkipWithError("a program did not show its window");
            return;
        }
        empty.push_back(e);
        program.push_back(o);
        state.SetIterationTime(o / 1000.0);
    }
    const double pm = median(program);
    const double em = median(empty);
    state.counters["program_ms"] = pm;
    state.counters["empty_window_ms"] = em;
    state.counters["ratio"] = pm / em;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    // The program runs from a folder of its own with its password file, so the
    // build's program folder is left as it is.
    QTemporaryDir folder;
    const QString built = QStringLiteral(OPUSTECA_PROGRAM_EXE);
    g_program = QDir(folder.path()).filePath(QStringLiteral("Opusteca"));
    if (!QFile::copy(built, g_program)
        || !QFile::copy(QFileInfo(built).dir().filePath(QStringLiteral("unins000.dll")),
                        QDir(folder.path()).filePath(QStringLiteral("unins000.dll")))) {
        std::fprintf(stderr, "cannot copy the program from %s\n", OPUSTECA_PROGRAM_EXE);
        return 1;
    }
    QFile::setPermissions(g_program, QFile::permissions(built));
    g_emptyWindow = QStringLiteral(OPUSTECA_EMPTY_WINDOW_EXE);

    benchmark::RegisterBenchmark("startup/login_shown", startup)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
