#include "search/core/LineSort.h"

#include "store/Text.h"

#include <algorithm>

namespace opusteca::linesort {

bool less(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *p = a.utf16();
    const char16_t *q = b.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == q[i]) continue;
        const char16_t x = text::upperAZ(p[i]);
        const char16_t y = text::upperAZ(q[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

void sort(QStringList &lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const QString &a, const QString &b) { return less(a, b); });
}

} // namespace opusteca::linesort
