// Start-up as the user meets it: from starting the process to the login window
// painted on the screen, as a ratio to an empty Qt Widgets window started and
// shown the same way, on the same platform, in the same run. The two programs
// are started alternately; each says "shown" on its standard output the
// moment its window has been painted, and the time to that line is measured,
// with the processor time the process reports on it. The program then says
// "complete" once its other screens have made their controls.
#include "BookArchiveGenerator.h"
#include "Measure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

using namespace opusteca::bench;

namespace {

QString g_program;     // a copy of the program in a program folder of its own
QString g_emptyWindow; // the baseline

// One start of a program, as its probe lines tell it.
struct Start {
    double shownMs = -1;    // from starting the process to its window painted
    double shownCpuMs = -1; // processor time the process had used by then
    double completeMs = -1; // to "complete", where the program says it
    double completeCpuMs = -1;
};

// The processor time on a probe line ("shown 12.345").
double cpuOf(const QByteArray &line)
{
    const QList<QByteArray> parts = line.trimmed().split(' ');
    return parts.size() == 2 ? parts[1].toDouble() : -1;
}

// Starts exe and reads its probe lines until it ends; shownMs stays negative on failure.
Start startOnce(const QString &exe)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OPUSTECA_STARTUP_PROBE"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    Start s;
    QElapsedTimer clock;
    clock.start();
    p.start(exe, {});
    while (p.waitForReadyRead(30000) || p.canReadLine()) {
        while (p.canReadLine()) {
            const QByteArray line = p.readLine();
            const double ms = clock.nsecsElapsed() / 1e6;
            if (line.startsWith("shown")) {
                s.shownMs = ms;
                s.shownCpuMs = cpuOf(line);
            } else if (line.startsWith("complete")) {
                s.completeMs = ms;
                s.completeCpuMs = cpuOf(line);
            }
        }
        if (p.state() == QProcess::NotRunning) break;
    }
    p.waitForFinished(30000);
    return s;
}

void startup(benchmark::State &state)
{
    std::vector<double> program, empty, programCpu, emptyCpu, complete, completeCpu;
    for (auto _ : state) {
        const Start e = startOnce(g_emptyWindow);
        const Start o = startOnce(g_program);
        if (e.shownMs < 0 || o.shownMs < 0) {
            state.SkipWithError("a program did not show its window");
            return;
        }
        empty.push_back(e.shownMs);
        program.push_back(o.shownMs);
        emptyCpu.push_back(e.shownCpuMs);
        programCpu.push_back(o.shownCpuMs);
        complete.push_back(o.completeMs);
        completeCpu.push_back(o.completeCpuMs);
        state.SetIterationTime(o.shownMs / 1000.0);
    }
    const double pm = median(program);
    const double em = median(empty);
    state.counters["program_ms"] = pm;
    state.counters["empty_window_ms"] = em;
    state.counters["ratio"] = pm / em;
    // Processor time, which the rest of the machine's load does not stretch.
    state.counters["program_cpu_ms"] = median(programCpu);
    state.counters["empty_window_cpu_ms"] = median(emptyCpu);
    state.counters["cpu_ratio"] = median(programCpu) / median(emptyCpu);
    // The other screens made their controls after the login was shown.
    state.counters["complete_ms"] = median(complete);
    state.counters["complete_cpu_ms"] = median(completeCpu);
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Core);
    if (!program.ok()) return 1;

    // The program runs from a folder of its own with its password file, so the
    // build's program folder is left as it is.
    // OPUSTECA_STARTUP_PROGRAM may name another build of the program, to compare
    // two builds in the same conditions.
    const QString built = qEnvironmentVariableIsEmpty("OPUSTECA_STARTUP_PROGRAM")
                              ? QStringLiteral(OPUSTECA_PROGRAM_EXE)
                              : qEnvironmentVariable("OPUSTECA_STARTUP_PROGRAM");
    g_program = program.filePath(QStringLiteral("Opusteca"));
    if (!QFile::copy(built, g_program) || !QFile::copy(QFileInfo(built).dir().filePath(QStringLiteral("unins000.dll")),
                                                       program.filePath(QStringLiteral("unins000.dll")))) {
        std::fprintf(stderr, "cannot copy the program from %s\n", qPrintable(built));
        return 1;
    }
    QFile::setPermissions(g_program, QFile::permissions(built));
    // OPUSTECA_BENCH_BOOKS puts that many books beside the program: start-up
    // must not take longer with a larger archive.
    if (const int books = benchBooks(0); books > 0)
        if (!generateBookArchive(program.filePath(QStringLiteral("Libri.pro")), books)) return 1;
    g_emptyWindow = QStringLiteral(OPUSTECA_EMPTY_WINDOW_EXE);

    benchmark::RegisterBenchmark("startup/login_shown", startup)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    return program.run();
}
