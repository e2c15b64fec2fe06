#include "search/core/LineSort.h"

#include "store/Text.h"

#include <algorithm>

namespace opusteca::linesort {
namespace {

inline char16_t fold(char16_t c) { return text::upperAZ(c); }

// Characters of a key word: four 16-bit codes, the first in the high bits, so
// that comparing words compares the folded characters in order.
constexpr int kCharsPerWord = 4;

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

void SortedLines::append(QString line)
{
    Keyed k;
    const char16_t *p = QStringView(line).utf16();
    for (int w = 0; w < kKeyWords; ++w) {
        quint64 v = 0;
        for (int c = 0; c < kCharsPerWord; ++c) {
            const qsizetype at = m_skip + w * kCharsPerWord + c;
            // Past the end counts as the lowest code, so a line sorts before
            // its own continuations; equal keys are settled on the strings.
            v = (v << 16) | (at < line.size() ? fold(p[at]) : 0);
        }
        k.key[w] = v;
    }
    k.index = m_lines.size();
    m_keys.push_back(k);
    m_lines.append(std::move(line));
}

QStringList SortedLines::take()
{
    std::sort(m_keys.begin(), m_keys.end(), [this](const Keyed &x, const Keyed &y) {
        for (int w = 0; w < kKeyWords; ++w)
            if (x.key[w] != y.key[w]) return x.key[w] < y.key[w];
        const QString &a = m_lines[x.index];
        const QString &b = m_lines[y.index];
        if (less(a, b)) return true;
        if (less(b, a)) return false;
        return x.index < y.index; // equal lines keep their order
    });
    QStringList sorted;
    sorted.reserve(m_lines.size());
    for (const Keyed &k : m_keys) sorted.append(std::move(m_lines[k.index]));
    m_lines.clear();
    m_keys.clear();
    return sorted;
}

void sort(QStringList &lines)
{
    if (lines.size() < 2) return;
    SortedLines sorted(commonFoldedPrefix(lines));
    for (QString &l : lines) sorted.append(std::move(l));
    lines = sorted.take();
}

} // namespace opusteca::linesort
