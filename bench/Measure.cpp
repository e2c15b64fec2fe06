#include "Measure.h"

#include "search/core/SearchKinds.h"
#include "search/core/SearchScanner.h"
#include "store/BookRecord.h"
#include "store/LargeBlocks.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace opusteca::bench {

BenchProgram::BenchProgram(int &argc, char **argv, App app)
{
    // As the program does at start.
    memory::mapLargeBlocks();
    if (app == App::Screens && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Google Benchmark takes its options out of argv before Qt sees the rest.
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return;
    if (app == App::Screens)
        m_app = std::make_unique<QApplication>(argc, argv);
    else if (app == App::Core)
        m_app = std::make_unique<QCoreApplication>(argc, argv);
    m_ok = m_folder.isValid();
}

BenchProgram::~BenchProgram() = default;

int BenchProgram::run()
{
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

unsigned rawRead(const QString &path)
{
    const int size = bookLayout().recordSize;
    ArchiveSource source(size);
    if (!source.open(path)) return 0;
    const qint64 per = kRawReadBlockBytes / size;
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

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QStringList bookFilterTexts(const FilterCase &c)
{
    const SearchKindDef &kind = searchKind(SearchKind::Books);
    QStringList texts(kSearchFilterCount);
    for (const auto &[control, text] : c.filters)
        texts[kind.filterIndexOf(QString::fromLatin1(control))] = QString::fromUtf8(text);
    return texts;
}

} // namespace opusteca::bench
