#include "search/core/LineSort.h"

#include "store/Text.h"

#include <algorithm>

namespace opusteca::linesort {
namespace {

inline char16_t fold(char16_t c) { return text::upperAZ(c); }

constexpr int kPrefetchAhead = 8;

inline void prefetch(const void *p)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

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

void SortedLines::append(QString line, quint32 order)
{
    Keyed k;
    const char16_t *p = QStringView(line).utf16();
    const qsizetype size = line.size();
    for (int w = 0; w < kKeyWords; ++w) {
        quint64 v = 0;
        for (int c = 0; c < kCharsPerWord; ++c) {
            const qsizetype at = m_skip + w * kCharsPerWord + c;
            // Past the end counts as the lowest code, so a line sorts before
            // its own continuations; equal keys are settled on the strings.
            v = (v << 16) | (at < size ? fold(p[at]) : 0);
        }
        k.key[w] = v;
    }
    k.index = quint32(m_lines.size());
    k.order = order;
    m_keys.push_back(k);
    m_lines.append(std::move(line));
}

namespace {

template <typename K>
inline int compareKeys(const K &a, const K &b, int words)
{
    for (int w = 0; w < words; ++w)
        if (a.key[w] != b.key[w]) return a.key[w] < b.key[w] ? -1 : 1;
    return 0;
}

} // namespace

int SortedLines::compare(const Keyed &a, const QString &lineA, const Keyed &b, const QString &lineB)
{
    if (const int c = compareKeys(a, b, kKeyWords)) return c;
    if (less(lineA, lineB)) return -1;
    if (less(lineB, lineA)) return 1;
    return 0;
}

void SortedLines::sort()
{
    const QString *lines = m_lines.constData();
    std::sort(m_keys.begin(), m_keys.end(), [lines](const Keyed &x, const Keyed &y) {
        // Most pairs differ in their keys; only equal keys look at the lines.
        if (const int c = compareKeys(x, y, kKeyWords)) return c < 0;
        const int c = compare(x, lines[x.index], y, lines[y.index]);
        return c != 0 ? c < 0 : x.index < y.index; // equal lines keep their order
    });
}

QStringList SortedLines::take()
{
    sort();
    return merge({this, 1});
}

QStringList SortedLines::merge(std::span<SortedLines> parts)
{
    qsizetype total = 0;
    for (const SortedLines &p : parts) total += p.size();
    QStringList sorted(total);
    QString *out = sorted.data();
    std::vector<const Keyed *> next, end;
    std::vector<QString *> lines;
    for (SortedLines &p : parts) {
        next.push_back(p.m_keys.constData());
        end.push_back(p.m_keys.constData() + p.m_keys.size());
        lines.push_back(p.m_lines.data());
    }
    const size_t n = parts.size();
    for (;;) {
        // The part whose head goes first; on equal lines and orders, the earlier part.
        size_t best = n;
        for (size_t i = 0; i < n; ++i) {
            if (next[i] == end[i]) continue;
            if (best < n) {
                const Keyed &b = *next[best];
                const Keyed &k = *next[i];
                int c = compareKeys(k, b, kKeyWords);
                if (c == 0) c = compare(k, lines[i][k.index], b, lines[best][b.index]);
                if (c > 0 || (c == 0 && k.order >= b.order)) continue;
            }
            best = i;
        }
        if (best == n) break;
        // The keys are read in order, the lines they point to are not: ask
        // for the slot a few entries ahead while this one is moved.
        if (end[best] - next[best] > kPrefetchAhead) prefetch(lines[best] + next[best][kPrefetchAhead].index);
        *out++ = std::move(lines[best][next[best]++->index]);
    }
    for (SortedLines &p : parts) {
        p.m_lines = QStringList();
        p.m_keys = QList<Keyed>();
    }
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
