// Printing the result list of a whole 100 000-book archive: the list layout
// filled with every line of the search without filters (about 97 000 lines),
// the pages prepared, then written to a PDF file as the print seam does, each
// figure also given as a ratio to a raw sequential read of the archive in the
// same run. Runs headless on the offscreen platform unless QT_QPA_PLATFORM
// says otherwise.
#include "BookArchiveGenerator.h"
#include "Measure.h"
#include "ProcessMemory.h"

#include "report/ListReport.h"
#include "report/ReportPrinter.h"
#include "search/core/SearchKinds.h"
#include "search/core/SearchScanner.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

const int kBooks = benchBooks(100000);

QString g_archive;
QString g_pdf;
ResultLines g_lines;

std::unique_ptr<report::Report> filled(qsizetype lines)
{
    auto r = report::buildListReport(report::ListFooter::AfterList);
    report::fillListReport(*r, QStringLiteral("Riepilogo libri in archivio"), lines,
                           [](qsizetype i) { return g_lines.text(i); });
    return r;
}

// Filling the layout with every line, then preparing the pages.
void BM_Prepare(benchmark::State &state)
{
    std::vector<double> raw, fill, prepare, both;
    int pages = 0;
    bench::resetPeakResident();
    const double before = bench::currentResidentMiB();
    for (auto _ : state) {
        raw.push_back(timed([] { benchmark::DoNotOptimize(rawRead(g_archive)); }));
        std::unique_ptr<report::Report> r;
        fill.push_back(timed([&] { r = filled(g_lines.size()); }));
        prepare.push_back(timed([&] { r->prepare(); }));
        pages = r->preparedPageCount();
        both.push_back(fill.back() + prepare.back());
    }
    state.counters["fill_and_prepare_ms"] = median(both) * 1e3;
    // What the filled layout holds beside the list: nothing but its numbers,
    // as it reads the lines from the result when it draws them.
    state.counters["rss_growth_MiB"] = bench::peakResidentMiB() - before;
    state.counters["lines"] = double(g_lines.size());
    state.counters["pages"] = pages;
    state.counters["fill_ms"] = median(fill) * 1e3;
    state.counters["prepare_ms"] = median(prepare) * 1e3;
    state.counters["raw_read_ms"] = median(raw) * 1e3;
    state.counters["prepare_ratio_to_raw_read"] = median(prepare) / median(raw);
}

// The prepared pages written to the PDF, for a quarter, a half and all of the
// lines: time grows with the pages, memory must not.
void BM_PrintPdf(benchmark::State &state)
{
    const qsizetype lines = std::min<qsizetype>(g_lines.size(), state.range(0) * g_lines.size() / 4);
    std::vector<double> raw, print;
    int pages = 0;
    double growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        raw.push_back(timed([] { benchmark::DoNotOptimize(rawRead(g_archive)); }));
        auto r = filled(lines);
        r->prepare();
        pages = r->preparedPageCount();
        bench::resetPeakResident();
        const double before = bench::currentResidentMiB();
        state.ResumeTiming();
        print.push_back(timed([&] {
            if (report::printToPdf(*r, g_pdf, nullptr) != report::PrintOutcome::Printed)
                state.SkipWithError("the PDF was not written");
        }));
        state.PauseTiming();
        growth = std::max(growth, bench::peakResidentMiB() - before);
        state.counters["pdf_MB"] = double(QFileInfo(g_pdf).size()) / 1e6;
        state.ResumeTiming();
    }
    state.counters["lines"] = double(lines);
    state.counters["pages"] = pages;
    state.counters["print_ms"] = median(print) * 1e3;
    state.counters["ms_per_page"] = median(print) * 1e3 / std::max(1, pages);
    state.counters["raw_read_ms"] = median(raw) * 1e3;
    state.counters["print_ratio_to_raw_read"] = median(print) / median(raw);
    state.counters["rss_growth_while_printing_MiB"] = growth;
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Screens);
    if (!program.ok()) return 1;
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    g_archive = archivePath(kind, program.folder());
    g_pdf = program.filePath(QStringLiteral("lista.pdf"));
    if (!generateBookArchive(g_archive, kBooks)) return 1;
    SearchResult all = searchArchive(kind, g_archive, QStringList(kSearchFilterCount, QString()));
    if (!all.ok) return 1;
    g_lines = all.lines;
    std::fprintf(stderr, "%lld lines to print\n", (long long)g_lines.size());

    benchmark::RegisterBenchmark("print_list/prepare", BM_Prepare)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("print_list/pdf", BM_PrintPdf)
        ->Arg(1)
        ->Arg(2)
        ->Arg(4)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return program.run();
}
