// Search over generated book archives, each figure also given as a ratio to a
// plain sequential read of the same file measured in the same run. The files
// are read once before measuring, so the read and the searches all find them in
// the page cache.
#include "BookArchiveGenerator.h"
#include "Measure.h"
#include "ProcessMemory.h"

#include "search/core/LineSort.h"
#include "search/core/SearchKinds.h"
#include "search/core/SearchScanner.h"
#include "store/ArchiveNavigator.h"
#include "store/BookRecord.h"

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <random>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

// OPUSTECA_BENCH_BOOKS=1000000 measures that one size instead.
std::vector<int> sizes()
{
    const int n = benchBooks(0);
    return n > 0 ? std::vector<int>{n} : std::vector<int>{1000, 10000, 100000};
}
const std::vector<int> kSizes = sizes();

std::map<int, QString> g_archives;

// Runs the benchmark loop over `work`. Before each run of it, outside the
// measured time, the raw read of the same file runs too, so the two are
// measured side by side in the same conditions (both on a warm page cache,
// under the same load from anything else on the machine). The ratio is the
// median work time over the median raw read time.
//
// `release` frees what the previous run of `work` kept, outside the measured
// time: a search hands its list to the screen, which frees it only when it
// closes. Its median time is reported apart, as release_ms.
template <typename Work, typename Release>
void measureAgainstRawRead(benchmark::State &state, const QString &path, Work &&work, Release &&release)
{
    rawRead(path); // warm the page cache
    bench::resetPeakResident();
    const double rssBefore = bench::currentResidentMiB();
    std::vector<double> raw, mine, freed;
    for (auto _ : state) {
        state.PauseTiming();
        freed.push_back(timed(release));
        raw.push_back(timed([&] { benchmark::DoNotOptimize(rawRead(path)); }));
        state.ResumeTiming();
        mine.push_back(timed(work));
    }
    release();
    const double peak = bench::peakResidentMiB();
    state.counters["ratio_to_raw_read"] = median(mine) / median(raw);
    state.counters["raw_read_ms"] = median(raw) * 1e3;
    state.counters["median_ms"] = median(mine) * 1e3;
    state.counters["release_ms"] = median(freed) * 1e3;
    state.counters["peak_rss_MiB"] = peak;
    state.counters["rss_growth_MiB"] = peak - rssBefore;
}

template <typename Work>
void measureAgainstRawRead(benchmark::State &state, const QString &path, Work &&work)
{
    measureAgainstRawRead(state, path, std::forward<Work>(work), [] {});
}

void BM_RawRead(benchmark::State &state)
{
    const QString &path = g_archives[int(state.range(0))];
    measureAgainstRawRead(state, path, [&] { benchmark::DoNotOptimize(rawRead(path)); });
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

const FilterCase kCases[] = {
    {"one_filter_few", {{"txtTitolo", "gattopardo"}}},
    {"one_filter_many", {{"txtLingua", "italiano"}}},
    {"three_filters_few", {{"txtTitolo", "gattopardo"}, {"txtEditore", "i"}, {"txtLingua", "ital"}}},
    {"three_filters_many", {{"txtLingua", "ital"}, {"txtGenere", "o"}, {"txtAutore", "a"}}},
    {"no_filter", {}},
};

void BM_Search(benchmark::State &state, const FilterCase *c)
{
    const QString &path = g_archives[int(state.range(0))];
    const QStringList texts = bookFilterTexts(*c);
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    qsizetype matches = 0;
    SearchResult kept;
    measureAgainstRawRead(
        state, path,
        [&] {
            kept = searchArchive(kind, path, texts);
            if (!kept.ok) state.SkipWithError("search failed");
            matches = kept.lines.size();
            benchmark::DoNotOptimize(&kept.lines);
        },
        [&] { kept = SearchResult(); });
    state.counters["matches"] = double(matches);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

// Sorting alone: the lines of every current book, shuffled, added (copied and
// keyed) and sorted on one thread.
void BM_SortLines(benchmark::State &state)
{
    const QString &path = g_archives[int(state.range(0))];
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    const ResultLines found = searchArchive(kind, path, QStringList(10)).lines;
    std::vector<QByteArrayView> lines;
    for (qsizetype i = 0; i < found.size(); ++i) lines.push_back(found.bytes(i));
    std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
    ResultLines sorted;
    measureAgainstRawRead(
        state, path,
        [&] {
            linesort::SortedLines gathered(qsizetype(std::strlen(kind.line.front().literal)));
            for (QByteArrayView l : lines) gathered.append(l);
            sorted = gathered.take();
            benchmark::DoNotOptimize(&sorted);
        },
        [&] { sorted = ResultLines(); });
    state.counters["lines"] = double(lines.size());
}

// The rescan behind a double-click: every record's line compared with the chosen one.
void BM_Choose(benchmark::State &state)
{
    const QString &path = g_archives[int(state.range(0))];
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    const ResultLines lines = searchArchive(kind, path, QStringList(10)).lines;
    const QString chosen = lines.isEmpty() ? QString() : lines.text(lines.size() / 2);
    qint64 chosenCount = 0;
    measureAgainstRawRead(
        state, path, [&] { chosenCount = chooseInArchive(kind, path, chosen, [](const Record &, qint64) {}).chosen; });
    state.counters["chosen"] = double(chosenCount);
}

// The card's moves and its save on the archive's last record, each opening the
// file, reading or writing one record and closing it, as the book screen does.
// Ratio to the raw read of the whole file: however large the archive, one seek.
const char *const kMoves[] = {"first", "last", "previous", "next", "save"};
std::map<int, QString> g_navFolders;

void BM_Navigate(benchmark::State &state, const char *move)
{
    const int n = int(state.range(0));
    const ArchiveNavigator nav(bookLayout(), g_navFolders[n]);
    const QString lastLabel = QString::number(n);
    const QString beforeLast = QString::number(n - 1);
    // Saved over itself: the cached archive keeps its bytes.
    const Record last = *nav.last().record;
    const std::string m = move;
    measureAgainstRawRead(state, g_archives[n], [&] {
        ArchiveNavigator::Result r;
        if (m == "first")
            r = nav.first();
        else if (m == "last")
            r = nav.last();
        else if (m == "previous")
            r = nav.previous(lastLabel);
        else if (m == "next")
            r = nav.next(beforeLast);
        else
            r = nav.save(lastLabel, last);
        if (r.outcome == ArchiveNavigator::Outcome::AccessFailed) state.SkipWithError("move failed");
        benchmark::DoNotOptimize(&r);
    });
    state.counters["median_us"] = state.counters["median_ms"] * 1e3;
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::None);
    if (!program.ok()) return 1;
    for (int n : kSizes) {
        const QString path = program.filePath(QStringLiteral("Libri_%1.pro").arg(n));
        if (!generateBookArchive(path, n)) return 1;
        g_archives[n] = path;
    }

    for (int n : kSizes) {
        benchmark::RegisterBenchmark("raw_read", BM_RawRead)->Arg(n)->Unit(benchmark::kMillisecond)->UseRealTime();
        for (const FilterCase &c : kCases)
            benchmark::RegisterBenchmark((std::string("search/") + c.name).c_str(), BM_Search, &c)
                ->Arg(n)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        benchmark::RegisterBenchmark("choose", BM_Choose)->Arg(n)->Unit(benchmark::kMillisecond)->UseRealTime();
    }
    const int largest = kSizes.back();
    g_navFolders[largest] = program.filePath(QStringLiteral("nav"));
    if (!QDir().mkpath(g_navFolders[largest]) ||
        !generateBookArchive(QDir(g_navFolders[largest]).filePath(QStringLiteral("Libri.pro")), largest))
        return 1;
    for (const char *move : kMoves)
        benchmark::RegisterBenchmark((std::string("navigate/") + move).c_str(), BM_Navigate, move)
            ->Arg(largest)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime()
            ->Iterations(20); // each paired with a raw read of the whole archive
    benchmark::RegisterBenchmark("sort_lines", BM_SortLines)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

    return program.run();
}
