// The exports as the user meets them, over a generated archive of 100 000
// books (324 MB): the export screen opened until its grid is shown, and the
// whole grid written as the spreadsheet document, each run paired with a plain
// sequential read or write of the same size in the same folder; and the RTF of
// an author card with a 5 000-character biography. Runs headless on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "BookArchiveGenerator.h"
#include "Measure.h"
#include "ProcessMemory.h"

#include "app/Application.h"
#include "export/TfrmExpLibri.h"
#include "export/core/DocumentFile.h"
#include "export/core/PreviewModel.h"
#include "export/core/RtfCards.h"
#include "export/core/RtfWriter.h"
#include "export/core/SpreadsheetWriter.h"
#include "store/AuthorRecord.h"
#include "store/BookRecord.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

const int kBooks = benchBooks(100000);

Application *g_app = nullptr;
QString g_folder;
QString g_archive;

// The same number of bytes written to the same disk in large blocks, and
// made as durable as the document is (QSaveFile syncs before it replaces):
// the baseline of the document write.
void rawWrite(const QString &path, qint64 bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    const QByteArray block(256 * 1024, 'x');
    for (qint64 done = 0; done < bytes; done += block.size())
        f.write(block.constData(), std::min<qint64>(block.size(), bytes - done));
    f.commit();
}

// The screen opened as the book screen opens it, shown, and one pass of the
// event loop that lays the grid out and paints it.
void BM_GridShown(benchmark::State &state)
{
    rawRead(g_archive); // warm the page cache
    std::vector<double> raw, shown;
    double growthMiB = 0, textBytes = 0;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        raw.push_back(timed([&] { benchmark::DoNotOptimize(rawRead(g_archive)); }));
        const double before = currentResidentMiB();
        std::unique_ptr<TfrmExpLibri> screen;
        state.ResumeTiming();
        shown.push_back(timed([&] {
            screen = std::make_unique<TfrmExpLibri>(*g_app, nullptr);
            screen->show();
            QCoreApplication::processEvents();
        }));
        state.PauseTiming();
        // The first opening shows the growth; later ones may reuse freed memory.
        growthMiB = std::max(growthMiB, currentResidentMiB() - before);
        rows = screen->grdRecords()->model()->rowCount();
        textBytes = double(screen->model()->storedTextBytes());
        if (!screen->grdRecords()->isVisible()) state.SkipWithError("the grid is not on show");
        screen.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["median_ms"] = median(shown) * 1e3;
    state.counters["raw_read_ms"] = median(raw) * 1e3;
    state.counters["ratio_to_raw_read"] = median(shown) / median(raw);
    state.counters["grid_text_MiB"] = textBytes / (1024.0 * 1024.0);
    state.counters["rss_growth_MiB"] = growthMiB;
    state.counters["growth_to_text"] = growthMiB / (textBytes / (1024.0 * 1024.0));
}

// The document of the whole grid, written through the program's own save,
// against the same number of bytes written plainly beside it.
void BM_DocumentWritten(benchmark::State &state)
{
    PreviewModel model(exportKind(ExportArchive::Books));
    if (!model.fill(g_folder)) {
        state.SkipWithError("cannot read the archive");
        return;
    }
    const ExportKind &kind = model.kind();
    const QString doc = QDir(g_folder).filePath(QString::fromLatin1(kind.documentName));
    const QString plain = QDir(g_folder).filePath(QStringLiteral("plain.bin"));
    auto write = [&](qint64 &size) {
        return saveDocument(doc, [&](QIODevice &out) {
            SpreadsheetWriter w(out);
            w.begin(QString::fromLatin1(kind.sheetName), kind.sheetColumns());
            model.writeRows(w);
            const bool ok = w.finish();
            size = w.size();
            return ok;
        });
    };
    qint64 size = 0;
    if (!write(size)) {
        state.SkipWithError("the document was not written");
        return;
    }
    // Document and plain write alternately, so both meet the disk alike.
    std::vector<double> raw, written;
    for (auto _ : state) {
        raw.push_back(timed([&] { rawWrite(plain, size); }));
        written.push_back(timed([&] { write(size); }));
    }
    QFile::remove(plain);
    state.counters["document_MB"] = double(size) / 1e6;
    state.counters["median_ms"] = median(written) * 1e3;
    state.counters["raw_write_ms"] = median(raw) * 1e3;
    state.counters["ratio_to_raw_write"] = median(written) / median(raw);
}

// Bytes written nowhere: what formatting the document costs without a disk.
class NullDevice : public QIODevice {
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override { return len; }
};

void BM_DocumentFormatted(benchmark::State &state)
{
    PreviewModel model(exportKind(ExportArchive::Books));
    if (!model.fill(g_folder)) {
        state.SkipWithError("cannot read the archive");
        return;
    }
    const ExportKind &kind = model.kind();
    for (auto _ : state) {
        NullDevice out;
        out.open(QIODevice::WriteOnly);
        SpreadsheetWriter w(out);
        w.begin(QString::fromLatin1(kind.sheetName), kind.sheetColumns());
        model.writeRows(w);
        benchmark::DoNotOptimize(w.finish());
    }
}

void BM_RtfCard(benchmark::State &state)
{
    const RtfCardKind &kind = rtfCardKind(RtfCard::Author);
    QString biography;
    while (biography.size() < 5000)
        biography += QStringLiteral("Nacque a Catania nel 1840, città che lasciò per Firenze e poi Milano.\r\n");
    biography.truncate(5000);
    QList<RtfField> fields;
    for (const RtfCardField &f : kind.fields)
        fields.append(
            {QString::fromUtf8(f.label), f.field == autore::Biografia ? biography : QStringLiteral("Giovanni Verga")});
    const QString doc = QDir(g_folder).filePath(QString::fromLatin1(kind.documentName));
    for (auto _ : state) {
        if (!saveDocument(doc,
                          [&](QIODevice &out) { return writeRtfCard(out, QString::fromLatin1(kind.title), fields); }))
            state.SkipWithError("the document was not written");
    }
    state.counters["document_bytes"] = double(QFileInfo(doc).size());
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Screens);
    if (!program.ok()) return 1;
    g_folder = program.folder();
    g_archive = program.filePath(QStringLiteral("Libri.pro"));
    if (!generateBookArchive(g_archive, kBooks)) return 1;

    Application app(g_folder);
    g_app = &app;
    benchmark::RegisterBenchmark("export/grid_shown", BM_GridShown)
        ->Arg(kBooks)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("export/document_written", BM_DocumentWritten)
        ->Arg(kBooks)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("export/document_formatted_only", BM_DocumentFormatted)
        ->Arg(kBooks)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("export/rtf_card_5000_biography", BM_RtfCard)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    return program.run();
}
