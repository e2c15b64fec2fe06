#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <chrono>
#include <vector>

namespace opusteca::bench {

// The baseline of every ratio: the whole file read in blocks of this size (the
// fastest of 256 KiB to 4 MiB here), touching one byte per record so the
// bytes are really brought in. Returns a checksum of those bytes.
inline constexpr qint64 kRawReadBlockBytes = 2 * 1024 * 1024;
unsigned rawRead(const QString &path);

double median(std::vector<double> v);

// Seconds f takes.
template <typename F>
double timed(F &&f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A book search by its filters: control name and text (UTF-8).
struct FilterCase {
    const char *name;
    QList<QPair<const char *, const char *>> filters;
};
// The filter texts of the book search, in its filter order.
QStringList bookFilterTexts(const FilterCase &c);

} // namespace opusteca::bench
