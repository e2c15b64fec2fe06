// The catalogue import of a 100 000-row file into an empty book archive, as
// the import screen runs it (read and check the whole file, then append every
// book in one batch and flush them to the device), against reading the same
// file plus writing and flushing the same number of records plainly, measured
// in the same run. Memory: the growth of
// the process's peak resident memory during one import, against the file's size.
#include "Measure.h"
#include "ProcessMemory.h"

#include "import/core/CatalogueImport.h"
#include "store/BookRecord.h"
#include "store/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

constexpr int kRows = 100000;
QString g_folder;
QString g_csv;

// A varied Italian catalogue as a spreadsheet program saves it: semicolons,
// quotes where a cell needs them, some notes over two lines, a code on half
// the rows, an ISBN on nine rows in ten.
bool writeCatalogue(const QString &path)
{
    static const char *titles[] = {
        "Il nome della rosa", "La coscienza di Zeno",          "Il fu Mattia Pascal",
        "I promessi sposi",   "Se questo è un uomo",           "Il giardino dei Finzi-Contini",
        "La luna e i falò",   "Il sentiero dei nidi di ragno", "Cristo si è fermato a Eboli"};
    static const char *authors[] = {"Umberto Eco",        "Italo Svevo",   "Luigi Pirandello",
                                    "Alessandro Manzoni", "Primo Levi",    "Giorgio Bassani",
                                    "Cesare Pavese",      "Italo Calvino", "Carlo Levi"};
    static const char *publishers[] = {"Mondadori", "Einaudi", "Feltrinelli", "Bompiani", "Garzanti", "Adelphi"};
    static const char *cities[] = {"Milano", "Torino", "Roma", "Firenze", "Napoli", "Città di Castello"};
    QRandomGenerator rng(20240305);
    QByteArray out = "Titolo;Autore;Codice;Casa editrice;Città;Anno;ISBN;Pagine;Genere;Note\r\n";
    out.reserve(16 * 1024 * 1024);
    for (int i = 0; i < kRows; ++i) {
        const auto pick = [&](const auto &list) { return QByteArray(list[rng.bounded(int(std::size(list)))]); };
        out += pick(titles) + ", volume " + QByteArray::number(i + 1) + ';' + pick(authors) + ';';
        if (i % 2 == 0) out += "LIB-" + QByteArray::number(i);
        out += ';' + pick(publishers) + ';' + pick(cities) + ';' + QByteArray::number(1900 + rng.bounded(125)) + ';';
        if (i % 10 != 0) out += "978-88-" + QByteArray::number(1000000 + i) + '-' + QByteArray::number(i % 10);
        out += ';' + QByteArray::number(80 + rng.bounded(900)) + ";Narrativa;";
        if (i % 5 == 0) out += "\"Prima copia, \"\"buona\"\"\r\nseconda riga\"";
        out += "\r\n";
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}

// The baseline: the file read whole, then as many records written in large
// blocks to a fresh archive in the same folder and, as the import does before
// it reports the books imported, handed to the device (`flushed`).
void plainReadAndWrite(const QString &csv, const QString &target, int records, bool flushed)
{
    {
        QFile in(csv);
        in.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(in.readAll());
    }
    QFile out(target);
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const int size = bookLayout().recordSize;
    const QByteArray block(256 * size, 'x');
    for (int done = 0; done < records; done += 256)
        out.write(block.constData(), qint64(std::min(256, records - done)) * size);
    if (flushed) {
        out.flush();
        platform::flushToDevice(out.handle());
    }
    out.close();
}

bool importOnce(qint64 &imported)
{
    CatalogueImport imp;
    if (imp.load(g_csv, CatalogueFormat::Auto) != ReadError::None || !imp.scanArchive(g_folder)) return false;
    const ImportCheck check = imp.check();
    imported = check.imported;
    return imp.write(g_folder, check) == CatalogueImport::Outcome::Written;
}

void BM_Import(benchmark::State &state)
{
    const QString archive = QDir(g_folder).filePath(QStringLiteral("Libri.pro"));
    const QString plain = QDir(g_folder).filePath(QStringLiteral("plain.pro"));
    std::vector<double> raw, rawUnflushed, timesImport;
    qint64 imported = 0;
    double growthMiB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archive);
        rawUnflushed.push_back(timed([&] { plainReadAndWrite(g_csv, plain, kRows, false); }));
        QFile::remove(plain);
        raw.push_back(timed([&] { plainReadAndWrite(g_csv, plain, kRows, true); }));
        QFile::remove(plain);
        resetPeakResident();
        const double before = currentResidentMiB();
        state.ResumeTiming();
        bool ok = false;
        timesImport.push_back(timed([&] { ok = importOnce(imported); }));
        state.PauseTiming();
        growthMiB = std::max(growthMiB, peakResidentMiB() - before);
        if (!ok) state.SkipWithError("the import failed");
        state.ResumeTiming();
    }
    QFile::remove(archive);
    const double fileMiB = double(QFileInfo(g_csv).size()) / (1024.0 * 1024.0);
    state.counters["rows"] = kRows;
    state.counters["imported"] = double(imported);
    state.counters["file_MiB"] = fileMiB;
    state.counters["median_ms"] = median(timesImport) * 1e3;
    state.counters["read_plus_write_ms"] = median(raw) * 1e3;
    state.counters["ratio_to_read_plus_write"] = median(timesImport) / median(raw);
    // For comparison only: the same write left in the system's cache.
    state.counters["read_plus_unflushed_write_ms"] = median(rawUnflushed) * 1e3;
    state.counters["peak_rss_growth_MiB"] = growthMiB;
    state.counters["growth_to_file"] = growthMiB / fileMiB;
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Core);
    if (!program.ok()) return 1;
    g_folder = program.folder();
    g_csv = program.filePath(QStringLiteral("catalogo.csv"));
    if (!writeCatalogue(g_csv)) return 1;
    benchmark::RegisterBenchmark("import/csv_100000_rows", BM_Import)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
    return program.run();
}
