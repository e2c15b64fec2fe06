// The first opening of each archive screen from the start menu, as the user
// meets it: the screen shown over the start menu and painted. Two cases:
//  - complete: the program has made the screen's controls while the user typed
//    the password (what nearly always happens);
//  - on_show: the screen is opened before that, so it makes its controls as it
//    is shown (what a user faster than the program would meet).
// Each run is a fresh program in a fresh folder; fonts and shared artwork stay
// warm from earlier runs, as they are after the login in the real program.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "BookArchiveGenerator.h"
#include "Measure.h"

#include "app/Application.h"
#include "app/FirstPaint.h"
#include "app/TfrmAvvio.h"
#include "kit/LongLivedScreen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

enum class Case { Complete, OnShow };

// Milliseconds from showing `to` over `from` to `to` painted, or a negative value.
double showPainted(QWidget *from, QWidget *to)
{
    bool painted = false;
    new FirstPaint(to, [&painted] { painted = true; });
    QElapsedTimer clock;
    clock.start();
    Application::moveTo(from, to);
    while (!painted && clock.elapsed() < 10000) QCoreApplication::processEvents();
    return painted ? clock.nsecsElapsed() / 1e6 : -1;
}

// Milliseconds from the start menu's trigger to the archive screen painted.
double openOnce(QWidget *(Application::*screen)() const, Case c)
{
    QTemporaryDir folder;
    // OPUSTECA_BENCH_BOOKS puts that many books in the program folder: opening
    // a screen must not take longer with a larger archive.
    if (const int books = benchBooks(0); books > 0)
        if (!generateBookArchive(QDir(folder.path()).filePath(QStringLiteral("Libri.pro")), books)) return -1;
    Application app(folder.path(),
                    c == Case::Complete ? Application::Contents::AtCreation : Application::Contents::AfterLogin);
    // Straight to the start menu: with no login on show nothing is completed
    // behind the measurement's back.
    if (showPainted(nullptr, app.avvio()) < 0) return -1;
    QWidget *target = (app.*screen)();
    if (c == Case::OnShow && static_cast<LongLivedScreen *>(target)->isBuilt()) return -1;
    return showPainted(app.avvio(), target);
}

void firstOpen(benchmark::State &state, QWidget *(Application::*screen)() const, Case c)
{
    std::vector<double> times;
    for (auto _ : state) {
        const double ms = openOnce(screen, c);
        if (ms < 0) {
            state.SkipWithError("the screen was not shown as expected");
            return;
        }
        times.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["median_ms"] = median(times);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    BenchProgram program(argc, argv, BenchProgram::App::Screens);
    if (!program.ok()) return 1;
    QApplication::setQuitOnLastWindowClosed(false);

    const struct {
        const char *name;
        QWidget *(Application::*screen)() const;
    } screens[] = {{"TfrmLibri", &Application::booksWindow},
                   {"TfrmAutori", &Application::authorsWindow},
                   {"TfrmBibliografie", &Application::bibliographiesWindow}};
    for (const auto &s : screens)
        for (const auto &[c, label] : {std::pair{Case::Complete, "complete"}, std::pair{Case::OnShow, "on_show"}})
            benchmark::RegisterBenchmark((QByteArray("first_open/") + s.name + "/" + label).constData(), firstOpen,
                                         s.screen, c)
                ->UseManualTime()
                ->Iterations(15)
                ->Unit(benchmark::kMillisecond);
    return program.run();
}
