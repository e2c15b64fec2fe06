// The search as the user sees it: the real book search screen over a generated
// archive of 100 000 books, from the click on "Cerca" to the result list filled
// and laid out (one pass of the event loop), each run paired with a plain
// sequential read of the same file as in opusteca_bench. Runs headless on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "BookArchiveGenerator.h"
#include "Measure.h"
#include "ProcessMemory.h"

#include "app/Application.h"
#include "search/TfrmTrovaLibri.h"
#include "search/core/SearchKinds.h"
#include "search/core/SearchScanner.h"
#include "store/BookRecord.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

const int kBooks = benchBooks(100000);

Application *g_app = nullptr;
QString g_archive;

const FilterCase kCases[] = {
    {"few", {{"txtTitolo", "gattopardo"}}},
    {"many", {{"txtLingua", "italiano"}}},
    {"no_filter", {}},
};

// A fresh screen per run, as the program opens one per search: shown on its
// filter panel with the filters typed in, nothing of it measured yet.
std::unique_ptr<TfrmTrovaLibri> openScreen(const FilterCase &c)
{
    auto screen = std::make_unique<TfrmTrovaLibri>(*g_app, nullptr);
    for (const auto &[control, text] : c.filters)
        screen->findChild<QLineEdit *>(QString::fromLatin1(control))->setText(QString::fromUtf8(text));
    screen->show();
    QCoreApplication::processEvents();
    return screen;
}

// Cerca clicked; the search fills lstRecords; one pass of the event loop lays
// the list out and paints it. The screen, and with it the list, is destroyed
// outside the measured time, as the program does when the user closes it.
void BM_SearchShown(benchmark::State &state, const FilterCase *c)
{
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    const QStringList texts = bookFilterTexts(*c);

    rawRead(g_archive); // warm the page cache
    bench::resetPeakResident();
    const double rssBefore = bench::currentResidentMiB();
    std::vector<double> raw, shown, searchOnly, closed;
    int lines = -1;
    double textBytes = 0;
    std::unique_ptr<TfrmTrovaLibri> screen;
    for (auto _ : state) {
        state.PauseTiming();
        closed.push_back(timed([&] { screen.reset(); }));
        raw.push_back(timed([&] { benchmark::DoNotOptimize(rawRead(g_archive)); }));
        // The search alone, in the same conditions, for the share of the filling.
        searchOnly.push_back(timed([&] {
            const SearchResult r = searchArchive(kind, g_archive, texts);
            benchmark::DoNotOptimize(&r.lines);
            textBytes = 0;
            for (qsizetype i = 0; i < r.lines.size(); ++i) textBytes += double(r.lines.bytes(i).size());
        }));
        screen = openScreen(*c);
        auto *search = screen->findChild<QPushButton *>(QStringLiteral("btnCerca"));
        state.ResumeTiming();
        shown.push_back(timed([&] {
            search->click();
            QCoreApplication::processEvents();
        }));
        state.PauseTiming();
        auto *list = screen->findChild<QListView *>(QStringLiteral("lstRecords"));
        if (!list || !list->isVisible()) state.SkipWithError("the result list is not on show");
        lines = list ? list->model()->rowCount() : -1;
        state.ResumeTiming();
    }
    const double peak = bench::peakResidentMiB();
    screen.reset();
    state.counters["lines"] = lines;
    state.counters["median_ms"] = median(shown) * 1e3;
    state.counters["raw_read_ms"] = median(raw) * 1e3;
    state.counters["ratio_to_raw_read"] = median(shown) / median(raw);
    state.counters["search_only_ms"] = median(searchOnly) * 1e3;
    state.counters["close_ms"] = median(closed) * 1e3;
    state.counters["peak_rss_MiB"] = peak;
    state.counters["rss_growth_MiB"] = peak - rssBefore;
    // The list's text as the search builds it, one byte per character.
    state.counters["list_text_MiB"] = textBytes / (1024 * 1024);
    state.counters["peak_to_text"] = textBytes > 0 ? peak / (textBytes / (1024 * 1024)) : 0;
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Screens);
    if (!program.ok()) return 1;
    g_archive = archivePath(searchKind(SearchKind::Books), program.folder());
    if (!generateBookArchive(g_archive, kBooks)) return 1;

    Application app(program.folder());
    g_app = &app;
    for (const FilterCase &c : kCases)
        benchmark::RegisterBenchmark((std::string("search_shown/") + c.name).c_str(), BM_SearchShown, &c)
            ->Arg(kBooks)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return program.run();
}
