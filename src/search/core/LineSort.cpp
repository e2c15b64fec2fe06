#include "search/core/LineSort.h"

#include "store/Text.h"

#include <algorithm>
#include <vector>

namespace opusteca::linesort {
namespace {

inline char16_t fold(char16_t c) { return text::upperAZ(c); }

// The first characters after the prefix every line shares, folded and packed
// so that comparing keys compares those characters: most comparisons of a sort
// are then settled on a small array instead of on the strings themselves.
constexpr int kKeyWords = 3;
constexpr int kCharsPerWord = 4;

struct Keyed {
    quint64 key[kKeyWords];
    qsizetype index;
};

qsizetype commonFoldedPrefix(const QStringList &lines)
{
    const QString &first = lines.first();
    qsizetype common = first.size();
    for (const QString &l : lines) {
        common = std::min(common, l.size());
        qsizetype j = 0;
        while (j < common && fold(l[j].unicode()) == fold(first[j].unicode())) ++j;
        common = j;
        if (common == 0) break;
    }
    return common;
}

void makeKey(const QString &line, qsizetype from, Keyed &k)
{
    const char16_t *p = QStringView(line).utf16();
    for (int w = 0; w < kKeyWords; ++w) {
        quint64 v = 0;
        for (int c = 0; c < kCharsPerWord; ++c) {
            const qsizetype at = from + w * kCharsPerWord + c;
            // Past the end counts as the lowest code, so a line sorts before
            // its own continuations; equal keys are settled on the strings.
            v = (v << 16) | (at < line.size() ? fold(p[at]) : 0);
        }
        k.key[w] = v;
    }
}

} // namespace

bool less(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *p = a.utf16();
    const char16_t *q = b.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == q[i]) continue;
        const char16_t x = fold(p[i]);
        const char16_t y = fold(q[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

void sort(QStringList &lines)
{
    const qsizetype n = lines.size();
    if (n < 2) return;
    const qsizetype from = commonFoldedPrefix(lines);
    std::vector<Keyed> keyed(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        makeKey(lines[i], from, keyed[size_t(i)]);
        keyed[size_t(i)].index = i;
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed &x, const Keyed &y) {
        for (int w = 0; w < kKeyWords; ++w)
            if (x.key[w] != y.key[w]) return x.key[w] < y.key[w];
        const QString &a = lines[x.index];
        const QString &b = lines[y.index];
        if (less(a, b)) return true;
        if (less(b, a)) return false;
        return x.index < y.index; // equal lines keep their order
    });
    QStringList sorted;
    sorted.reserve(n);
    for (const Keyed &k : keyed) sorted.append(std::move(lines[k.index]));
    lines = std::move(sorted);
}

} // namespace opusteca::linesort
