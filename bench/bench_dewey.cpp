// The Dewey table's deferred filling as the user sees it: the real screen on
// show with its list empty, then the timer's handler (every entry added with the
// list's redrawing suspended) and one pass of the event loop, in which the list
// lays out and paints. Counts the list's paints in that time: the filling must
// cost one redraw, not one per entry. Runs headless on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise.
#include "Measure.h"

#include "app/Application.h"
#include "screens/TfrmCodici_Dewey.h"
#include "screens/core/DeweyTable.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace opusteca;
using namespace opusteca::bench;

namespace {

Application *g_app = nullptr;

const QByteArray &tableText()
{
    static const QByteArray text = [] {
        QFile f(QStringLiteral(":/data/dewey_it.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    return text;
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void BM_DeweyFill(benchmark::State &state)
{
    std::vector<double> fill, parse;
    int entries = -1, paints = -1;
    std::unique_ptr<TfrmCodici_Dewey> screen;
    for (auto _ : state) {
        state.PauseTiming();
        screen.reset();
        screen = std::make_unique<TfrmCodici_Dewey>(*g_app, nullptr);
        screen->show();
        QCoreApplication::processEvents(); // the screen and its loading picture drawn
        auto *list = screen->findChild<QListWidget *>(QStringLiteral("lstRecords"));
        PaintCounter counter;
        list->viewport()->installEventFilter(&counter);
        // Parsing the built-in text, which the program does once per run.
        parse.push_back(timed([] { benchmark::DoNotOptimize(dewey::parse(tableText())); }));
        state.ResumeTiming();
        fill.push_back(timed([&] {
            screen->tmrCaricaTimer();
            QCoreApplication::processEvents();
        }));
        state.PauseTiming();
        entries = list->count();
        paints = counter.paints;
        list->viewport()->removeEventFilter(&counter);
        if (entries != dewey::table().size()) state.SkipWithError("the list is not filled");
        state.ResumeTiming();
    }
    screen.reset();
    state.counters["entries"] = entries;
    state.counters["list_paints"] = paints;
    state.counters["median_ms"] = median(fill) * 1e3;
    state.counters["parse_once_ms"] = median(parse) * 1e3;
}

} // namespace

int main(int argc, char **argv)
{
    BenchProgram program(argc, argv, BenchProgram::App::Screens);
    if (!program.ok()) return 1;
    Application app(program.folder());
    g_app = &app;
    dewey::table(); // parsed once per run, as in the program
    benchmark::RegisterBenchmark("dewey_fill", BM_DeweyFill)->Unit(benchmark::kMillisecond)->UseRealTime();
    return program.run();
}
