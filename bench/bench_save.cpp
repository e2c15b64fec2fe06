// What a save costs now that it waits for the device: a book card appended and
// overwritten in an archive of 10 000 books, the password changed and an RTF
// card exported, each the way the program does it. The baseline is the same
// bytes written the same way without waiting for the device, so the difference
// is the cost of "saved means on the disk". The folder is a temporary folder:
// run it with TMPDIR on the disk that matters.
#include "BookArchiveGenerator.h"
#include "Measure.h"

#include "access/core/PasswordStore.h"
#include "export/core/DocumentFile.h"
#include "store/ArchiveNavigator.h"
#include "store/BookRecord.h"
#include "store/Record.h"

#include <QFile>
#include <QIODevice>

#include <benchmark/benchmark.h>

#include <utility>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

constexpr int kBooks = 10000;
QString g_folder;

Record book()
{
    Record r(bookLayout());
    r.setText(libro::Titolo, QStringLiteral("Il nome della rosa"));
    r.setText(libro::Codice, QStringLiteral("A-0001"));
    r.setText(libro::Autore, QStringLiteral("Umberto Eco"));
    return r;
}

void BM_Append(benchmark::State &state)
{
    const ArchiveNavigator archive(bookLayout(), g_folder);
    const Record r = book();
    for (auto _ : state)
        if (archive.save(QString(), r).outcome != ArchiveNavigator::Outcome::Appended)
            state.SkipWithError("append failed");
}

void BM_Overwrite(benchmark::State &state)
{
    const ArchiveNavigator archive(bookLayout(), g_folder);
    const Record r = book();
    const QString label = QString::number(kBooks / 2);
    for (auto _ : state)
        if (archive.save(label, r).outcome != ArchiveNavigator::Outcome::Overwritten)
            state.SkipWithError("overwrite failed");
}

// The baseline: the overwrite's open, seek, write and close, without the wait.
void BM_OverwriteNotFlushed(benchmark::State &state)
{
    const QByteArray bytes = book().bytes();
    const QString path = g_folder + QStringLiteral("/Libri.pro");
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || !f.seek(qint64(kBooks / 2 - 1) * bytes.size()) ||
            f.write(bytes) != bytes.size())
            state.SkipWithError("write failed");
        f.close();
    }
}

void BM_PasswordChange(benchmark::State &state)
{
    const PasswordStore store(g_folder);
    for (auto _ : state)
        if (!store.write(QStringLiteral("NUOVISSIMA"))) state.SkipWithError("password write failed");
}

void BM_RtfCard(benchmark::State &state)
{
    const QString path = g_folder + QStringLiteral("/Scheda_Autore.rtf");
    const QByteArray rtf = QByteArray("{\\rtf1\\ansi ") + QByteArray(4000, 'x') + "}";
    for (auto _ : state)
        if (!saveDocument(path, [&](QIODevice &out) { return out.write(rtf) == rtf.size(); }))
            state.SkipWithError("document write failed");
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Core);
    if (!program.ok()) return 1;
    g_folder = program.folder();
    if (!generateBookArchive(program.filePath(QStringLiteral("Libri.pro")), kBooks)) return 1;

    using Bench = void (*)(benchmark::State &);
    const std::pair<const char *, Bench> benches[] = {
        {"save/book_appended", BM_Append},
        {"save/book_overwritten", BM_Overwrite},
        {"save/book_overwritten_not_flushed", BM_OverwriteNotFlushed},
        {"save/password_changed", BM_PasswordChange},
        {"save/rtf_card_exported", BM_RtfCard},
    };
    for (const auto &[name, fn] : benches)
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->UseRealTime();
    return program.run();
}
