#include "ProcessMemory.h"

#include <QFile>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

namespace opusteca::bench {
namespace {

// A "Name:  123 kB" line of /proc/self/status, in MiB; -1 where there is none.
double statusMiB(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (!line.startsWith(key)) continue;
        bool ok = false;
        const double kb = line.mid(key.size()).trimmed().split(' ').value(0).toDouble(&ok);
        return ok ? kb / 1024.0 : -1;
    }
    return -1;
}

} // namespace

double peakResidentMiB()
{
    const double hwm = statusMiB("VmHWM");
    if (hwm >= 0) return hwm;
#if defined(__unix__) || defined(__APPLE__)
    rusage u{};
    if (getrusage(RUSAGE_SELF, &u) == 0) {
#if defined(__APPLE__)
        return double(u.ru_maxrss) / (1024.0 * 1024.0);
#else
        return double(u.ru_maxrss) / 1024.0;
#endif
    }
#endif
    return -1;
}

double currentResidentMiB() { return statusMiB("VmRSS"); }

bool resetPeakResident()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

} // namespace opusteca::bench
