// The loans overview and the statistics over a generated book archive (100 000
// books by default; OPUSTECA_BENCH_BOOKS sets another size, up to a million),
// each figure against a plain sequential read of Libri.pro measured just
// before it in the same run: the core passes alone, and each screen created,
// shown and painted once. Runs headless on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
#include "BookArchiveGenerator.h"
#include "Measure.h"
#include "ProcessMemory.h"

#include "app/Application.h"
#include "kit/core/RegionalSettings.h"
#include "loans/LoanTableModel.h"
#include "loans/TfrmPrestiti.h"
#include "loans/TfrmStatistiche.h"
#include "loans/core/ArchiveFigures.h"
#include "loans/core/Loans.h"

#include <QApplication>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

Application *g_app = nullptr;
QString g_folder;
QString g_archive;

// Runs `work` once per iteration, each time just after a raw read of the
// archive outside the measured time; reports both medians and their ratio.
template <typename Work, typename Check>
void againstRawRead(benchmark::State &state, Work &&work, Check &&check)
{
    rawRead(g_archive); // warm the page cache
    resetPeakResident();
    const double before = currentResidentMiB();
    std::vector<double> raw, mine;
    for (auto _ : state) {
        state.PauseTiming();
        raw.push_back(timed([&] { benchmark::DoNotOptimize(rawRead(g_archive)); }));
        state.ResumeTiming();
        mine.push_back(timed(work));
        state.PauseTiming();
        check(state);
        state.ResumeTiming();
    }
    state.counters["median_ms"] = median(mine) * 1e3;
    state.counters["raw_read_ms"] = median(raw) * 1e3;
    state.counters["ratio_to_raw_read"] = median(mine) / median(raw);
    state.counters["rss_growth_MiB"] = peakResidentMiB() - before;
}

void BM_LoansRead(benchmark::State &state)
{
    loans::LoanList list;
    againstRawRead(
        state, [&] { list = loans::readLoans(g_archive); },
        [&](benchmark::State &s) {
            if (!list.ok) s.SkipWithError("the archive could not be read");
            s.counters["rows"] = double(list.rows.size());
        });
}

void BM_FiguresRead(benchmark::State &state)
{
    loans::ArchiveFigures f;
    againstRawRead(
        state, [&] { f = loans::readArchiveFigures(g_folder, RegionalSettings::today(), 30); },
        [&](benchmark::State &s) {
            if (!f.booksRead) s.SkipWithError("the archive could not be read");
            s.counters["books"] = double(f.books);
        });
}

// A screen as the book screen opens it: created, shown, and one pass of the
// event loop in which it lays out and paints.
template <class Screen, typename Rows>
void screenShown(benchmark::State &state, Rows &&rows)
{
    std::unique_ptr<Screen> screen;
    againstRawRead(
        state,
        [&] {
            screen = std::make_unique<Screen>(*g_app, nullptr);
            screen->show();
            QCoreApplication::processEvents();
        },
        [&](benchmark::State &s) {
            s.counters["rows"] = double(rows(*screen));
            screen.reset();
        });
}

void BM_LoansShown(benchmark::State &state)
{
    screenShown<TfrmPrestiti>(state, [](TfrmPrestiti &s) { return s.model()->rowCount(); });
}

void BM_StatisticsShown(benchmark::State &state)
{
    screenShown<TfrmStatistiche>(state, [](TfrmStatistiche &s) { return s.figures().books; });
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Screens);
    if (!program.ok()) return 1;
    bool ok = false;
    int books = qEnvironmentVariableIntValue("OPUSTECA_BENCH_BOOKS", &ok);
    if (!ok || books < 1) books = 100000;
    g_folder = program.folder();
    g_archive = program.filePath(QStringLiteral("Libri.pro"));
    if (!generateBookArchive(g_archive, books)) return 1;

    Application app(g_folder);
    g_app = &app;
    const auto add = [&](const char *name, void (*fn)(benchmark::State &)) {
        benchmark::RegisterBenchmark(name, fn)->Arg(books)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
    };
    add("loans/read", BM_LoansRead);
    add("statistics/read", BM_FiguresRead);
    add("loans/screen_shown", BM_LoansShown);
    add("statistics/screen_shown", BM_StatisticsShown);
    return program.run();
}
