// Search over generated book archives, each figure also given as a ratio to a
// plain sequential read of the same file measured in the same run. The files
// are read once before measuring, so the read and the searches all find them in
// the page cache.
#include "BookArchiveGenerator.h"
#include "ProcessMemory.h"

#include "search/core/LineSort.h"
#include "search/core/SearchKinds.h"
#include "search/core/SearchScanner.h"
#include "store/BookRecord.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

using namespace opusteca;

namespace {

using Clock = std::chrono::steady_clock;

const int kSizes[] = {1000, 10000, 100000};

std::map<int, QString> g_archives;
std::map<int, double> g_rawSeconds; // mean seconds of one raw read, per size

// Reads the whole file in the scans' block size and does nothing with it but
// a checksum of one byte per record, so the bytes are really brought in.
unsigned rawRead(const QString &path)
{
    const int size = bookLayout().recordSize;
    ArchiveSource source(size);
    if (!source.open(path)) return 0;
    const qint64 per = kScanBlockBytes / size;
    std::vector<char> buffer(size_t(per * size));
    unsigned sum = 0;
    for (;;) {
        qint64 got = 0;
        if (!source.read(buffer.data(), per, got) || got == 0) break;
        for (qint64 i = 0; i < got; ++i) sum += static_cast<unsigned char>(buffer[size_t(i * size)]);
    }
    source.close();
    return sum;
}

double rawSeconds(int n)
{
    auto it = g_rawSeconds.find(n);
    if (it != g_rawSeconds.end()) return it->second;
    // Not measured in this run yet (filtered out): take the median of five.
    std::vector<double> t;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(rawRead(g_archives[n]));
        t.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    std::sort(t.begin(), t.end());
    return g_rawSeconds[n] = t[2];
}

// Memory counters and the per-iteration clock around a benchmark loop.
class Measure {
public:
    explicit Measure(benchmark::State &state) : m_state(state)
    {
        bench::resetPeakResident();
        m_rssBefore = bench::currentResidentMiB();
    }
    void start() { m_t0 = Clock::now(); }
    void stop() { m_seconds += std::chrono::duration<double>(Clock::now() - m_t0).count(); }
    double meanSeconds() const { return m_seconds / double(std::max<benchmark::IterationCount>(1, m_state.iterations())); }
    void report(int n, double mean)
    {
        m_state.counters["ratio_to_raw_read"] = mean / rawSeconds(n);
        m_state.counters["peak_rss_MiB"] = bench::peakResidentMiB();
        m_state.counters["rss_growth_MiB"] = bench::peakResidentMiB() - m_rssBefore;
    }

private:
    benchmark::State &m_state;
    double m_rssBefore = 0;
    double m_seconds = 0;
    Clock::time_point m_t0;
};

void BM_RawRead(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString &path = g_archives[n];
    rawRead(path); // warm
    Measure m(state);
    m.start();
    for (auto _ : state) benchmark::DoNotOptimize(rawRead(path));
    m.stop();
    g_rawSeconds[n] = m.meanSeconds();
    m.report(n, m.meanSeconds());
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

struct FilterCase {
    const char *name;
    QList<QPair<const char *, const char *>> filters;
};

const FilterCase kCases[] = {
    {"one_filter_few", {{"txtTitolo", "gattopardo"}}},
    {"one_filter_many", {{"txtLingua", "italiano"}}},
    {"three_filters_few", {{"txtTitolo", "gattopardo"}, {"txtEditore", "i"}, {"txtLingua", "ital"}}},
    {"three_filters_many", {{"txtLingua", "ital"}, {"txtGenere", "o"}, {"txtAutore", "a"}}},
    {"no_filter", {}},
};

QStringList filterTexts(const FilterCase &c)
{
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    QStringList texts(kSearchFilterCount);
    for (const auto &[control, text] : c.filters)
        texts[kind.filterIndexOf(QString::fromLatin1(control))] = QString::fromUtf8(text);
    return texts;
}

void BM_Search(benchmark::State &state, const FilterCase *c)
{
    const int n = int(state.range(0));
    const QString &path = g_archives[n];
    const QStringList texts = filterTexts(*c);
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    rawRead(path); // warm, as for the raw read
    Measure m(state);
    qsizetype matches = 0;
    m.start();
    for (auto _ : state) {
        const SearchResult r = searchArchive(kind, path, texts);
        if (!r.ok) state.SkipWithError("search failed");
        matches = r.lines.size();
        benchmark::DoNotOptimize(r.lines.constData());
    }
    m.stop();
    m.report(n, m.meanSeconds());
    state.counters["matches"] = double(matches);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

// Sorting alone: the lines of every current book, shuffled.
void BM_SortLines(benchmark::State &state)
{
    const int n = int(state.range(0));
    QStringList lines = searchArchive(searchKind(SearchKind::Books), g_archives[n], QStringList(10)).lines;
    std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
    Measure m(state);
    for (auto _ : state) {
        state.PauseTiming();
        QStringList copy = lines;
        copy.detach();
        state.ResumeTiming();
        m.start();
        linesort::sort(copy);
        m.stop();
        benchmark::DoNotOptimize(copy.constData());
    }
    m.report(n, m.meanSeconds());
    state.counters["lines"] = double(lines.size());
}

// The rescan behind a double-click: every record's line compared with the chosen one.
void BM_Choose(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString &path = g_archives[n];
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    const QStringList lines = searchArchive(kind, path, QStringList(10)).lines;
    const QString chosen = lines.value(lines.size() / 2);
    rawRead(path);
    Measure m(state);
    qint64 chosenCount = 0;
    m.start();
    for (auto _ : state) {
        const ChooseResult r = chooseInArchive(kind, path, chosen, [](const Record &, qint64) {});
        chosenCount = r.chosen;
    }
    m.stop();
    m.report(n, m.meanSeconds());
    state.counters["chosen"] = double(chosenCount);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    for (int n : kSizes) {
        const QString path = dir.filePath(QStringLiteral("Libri_%1.pro").arg(n));
        QElapsedTimer t;
        t.start();
        if (!bench::writeBookArchive(path, n)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::fprintf(stderr, "generated %d books, %.1f MB, in %.1f s\n", n,
                     double(QFileInfo(path).size()) / 1e6, double(t.elapsed()) / 1000.0);
        g_archives[n] = path;
    }

    for (int n : kSizes) {
        benchmark::RegisterBenchmark("raw_read", BM_RawRead)->Arg(n)->Unit(benchmark::kMillisecond)->UseRealTime();
        for (const FilterCase &c : kCases)
            benchmark::RegisterBenchmark((std::string("search/") + c.name).c_str(), BM_Search, &c)
                ->Arg(n)->Unit(benchmark::kMillisecond)->UseRealTime();
        benchmark::RegisterBenchmark("choose", BM_Choose)->Arg(n)->Unit(benchmark::kMillisecond)->UseRealTime();
    }
    benchmark::RegisterBenchmark("sort_lines", BM_SortLines)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
