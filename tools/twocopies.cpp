// Appends and overwrites records of one book archive the way the program does,
// each operation opening and closing the file. Two of these started on the same
// archive show what two copies of the program sharing a folder do to it.
//
//   opusteca_twocopies <archive> <copy letter> <operations> <seed>
//
// Prints the record number of every append, one a line, as "append N".
#include "TwoCopiesVersions.h"
#include "store/RecordFile.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace opusteca;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5 || std::strlen(argv[2]) != 1) {
        std::fprintf(stderr, "usage: opusteca_twocopies <archive> <copy letter> <operations> <seed>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const char copy = argv[2][0];
    const int operations = std::atoi(argv[3]);
    QRandomGenerator random(quint32(std::strtoul(argv[4], nullptr, 10)));

    for (int op = 0; op < operations; ++op) {
        const Record record = twocopies::version(copy, op);
        RecordFile file(bookLayout().recordSize);
        if (!file.open(path)) {
            std::fprintf(stderr, "operation %d: cannot open the archive\n", op);
            return 1;
        }
        const qint64 count = file.count();
        if (count > 0 && random.bounded(2) == 1) {
            const qint64 target = qint64(random.bounded(quint64(count)));
            if (!file.seek(target) || !file.write(record.bytes())) {
                std::fprintf(stderr, "operation %d: overwrite of record %lld failed\n", op, target + 1);
                return 1;
            }
        } else {
            qint64 number = 0;
            if (!file.append(record.bytes(), number)) {
                std::fprintf(stderr, "operation %d: append failed\n", op);
                return 1;
            }
            std::printf("append %lld\n", number);
        }
        if (!file.close()) {
            std::fprintf(stderr, "operation %d: close failed\n", op);
            return 1;
        }
    }
    return 0;
}
