// Prints the path of the cached generated book archive of N books (default a
// million), generating it first when it is not there yet: for trying the real
// program, or another benchmark, on the same archive.
//   opusteca_bench_archive [N]
#include "BookArchiveGenerator.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bool ok = true;
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt(&ok) : 1000000;
    if (!ok || count <= 0) {
        std::fprintf(stderr, "usage: opusteca_bench_archive [books]\n");
        return 2;
    }
    const QString path = opusteca::bench::cachedBookArchive(count);
    if (path.isEmpty()) return 1;
    std::printf("%s\n", qPrintable(path));
    return 0;
}
