#include "search/core/LineSort.h"

#include "store/Cp1252.h"
#include "store/Text.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace opusteca::linesort {
namespace {

inline char16_t fold(char16_t c) { return text::upperAZ(c); }

// Each byte's place in the order of less(): the ranks of two bytes compare as
// their decoded characters do once folded, and equal folded characters share a
// rank. Byte 0 ranks lowest, like the end of a line in a key.
const std::array<quint8, 256> &ranks()
{
    static const std::array<quint8, 256> table = [] {
        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) folded[b] = fold(cp1252::toUnicode(static_cast<unsigned char>(b)).unicode());
        std::array<char16_t, 256> distinct = folded;
        std::sort(distinct.begin(), distinct.end());
        const auto last = std::unique(distinct.begin(), distinct.end());
        std::array<quint8, 256> r{};
        for (int b = 0; b < 256; ++b)
            r[b] = quint8(std::lower_bound(distinct.begin(), last, folded[b]) - distinct.begin());
        return r;
    }();
    return table;
}

// Characters of a key word: eight ranks, the first in the high bits, so that
// comparing words compares the folded characters in order.
constexpr int kCharsPerWord = 8;

inline int compareKeys(const quint64 *a, const quint64 *b, int words)
{
    for (int w = 0; w < words; ++w)
        if (a[w] != b[w]) return a[w] < b[w] ? -1 : 1;
    return 0;
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

char *SortedLines::reserve(qsizetype maxBytes)
{
    // An empty line takes a byte all the same, so that no two lines share an
    // offset: the offset then says which of two lines was added first.
    const qsizetype room = std::max<qsizetype>(maxBytes, 1);
    // Offsets are 32-bit: a part of 4 GiB of lines would not fit in memory anyway.
    if (m_used + room > qsizetype(std::numeric_limits<quint32>::max())) throw std::bad_alloc();
    m_bytes.reserve(size_t(m_used + room));
    return m_bytes.data() + m_used;
}

void SortedLines::commit(qsizetype bytes, quint32 order)
{
    if (quint64(bytes) > ResultLines::Line::kMaxSize) throw std::bad_alloc();
    const std::array<quint8, 256> &rank = ranks();
    const auto *p = reinterpret_cast<const unsigned char *>(m_bytes.data() + m_used);
    m_keys.reserve(size_t(m_count + 1) * sizeof(Keyed));
    Keyed &k = keys()[m_count];
    for (int w = 0; w < kKeyWords; ++w) {
        quint64 v = 0;
        for (int c = 0; c < kCharsPerWord; ++c) {
            const qsizetype at = m_skip + w * kCharsPerWord + c;
            // Past the end counts as the lowest rank, so a line sorts before
            // its own continuations; equal keys are settled on the lines.
            v = (v << 8) | (at < bytes ? rank[p[at]] : 0);
        }
        k.key[w] = v;
    }
    k.offset = quint32(m_used);
    k.size = quint32(bytes);
    ++m_count;
    if (m_orders.empty() || m_orders.back().order != order) m_orders.push_back({quint32(m_used), order});
    m_used += std::max<qsizetype>(bytes, 1);
}

void SortedLines::append(QByteArrayView line, quint32 order)
{
    char *to = reserve(line.size());
    if (!line.isEmpty()) std::memcpy(to, line.data(), size_t(line.size()));
    commit(line.size(), order);
}

int SortedLines::compare(const Keyed &a, const char *bytesA, const Keyed &b, const char *bytesB)
{
    if (const int c = compareKeys(a.key, b.key, kKeyWords)) return c;
    const std::array<quint8, 256> &rank = ranks();
    const auto *p = reinterpret_cast<const unsigned char *>(bytesA + a.offset);
    const auto *q = reinterpret_cast<const unsigned char *>(bytesB + b.offset);
    const quint32 n = std::min(a.size, b.size);
    for (quint32 i = 0; i < n; ++i) {
        if (p[i] == q[i]) continue;
        if (rank[p[i]] != rank[q[i]]) return rank[p[i]] < rank[q[i]] ? -1 : 1;
    }
    return a.size == b.size ? 0 : (a.size < b.size ? -1 : 1);
}

quint32 SortedLines::orderAt(quint32 offset) const
{
    const auto after = std::upper_bound(m_orders.begin(), m_orders.end(), offset,
                                        [](quint32 o, const OrderStart &s) { return o < s.offset; });
    return after == m_orders.begin() ? 0 : std::prev(after)->order;
}

void SortedLines::sort()
{
    const char *bytes = m_bytes.data();
    std::sort(keys(), keys() + m_count, [bytes](const Keyed &x, const Keyed &y) {
        // Most pairs differ in their keys; only equal keys look at the lines.
        if (const int c = compareKeys(x.key, y.key, kKeyWords)) return c < 0;
        const int c = compare(x, bytes, y, bytes);
        return c != 0 ? c < 0 : x.offset < y.offset; // equal lines keep their order
    });
}

ResultLines SortedLines::take()
{
    sort();
    return merge({this, 1});
}

ResultLines SortedLines::merge(std::span<SortedLines> parts)
{
    using Line = ResultLines::Line;
    // A line says its part in a few bits: far more than there are threads.
    if (parts.size() > size_t(Line::kMaxBlocks)) throw std::length_error("too many parts to merge");
    auto data = std::make_shared<ResultLines::Data>();
    qsizetype total = 0;
    for (const SortedLines &p : parts) total += p.m_count;
    data->lines.reserve(size_t(total) * sizeof(Line));
    Line *out = reinterpret_cast<Line *>(data->lines.data());
    std::vector<const Keyed *> next, end;
    std::vector<const char *> bytes;
    for (SortedLines &p : parts) {
        next.push_back(p.keys());
        end.push_back(p.keys() + p.m_count);
        bytes.push_back(p.m_bytes.data());
    }
    const size_t n = parts.size();
    // The records read so far are not needed again: their memory goes back as
    // the index grows, so the two are never both whole.
    constexpr qsizetype kDiscardEvery = 64 * 1024;
    for (qsizetype done = 0;; ++done) {
        if (done % kDiscardEvery == kDiscardEvery - 1)
            for (size_t i = 0; i < n; ++i)
                parts[i].m_keys.discardFront(size_t(next[i] - parts[i].keys()) * sizeof(Keyed));
        // The part whose head goes first; on equal lines and orders, the earlier part.
        size_t best = n;
        for (size_t i = 0; i < n; ++i) {
            if (next[i] == end[i]) continue;
            if (best < n) {
                const Keyed &b = *next[best];
                const Keyed &k = *next[i];
                const int c = compare(k, bytes[i], b, bytes[best]);
                if (c > 0 || (c == 0 && parts[i].orderAt(k.offset) >= parts[best].orderAt(b.offset))) continue;
            }
            best = i;
        }
        if (best == n) break;
        const Keyed &k = *next[best]++;
        *out++ = {k.offset, Line::sizeAndBlock(k.size, int(best))};
    }
    for (SortedLines &p : parts) {
        // Every part's block stays, even empty: a line names its block by its part.
        data->blocks.push_back(std::move(p.m_bytes));
        p.m_keys.release();
        p.m_count = p.m_used = 0;
        p.m_orders = {};
    }
    data->count = total;
    ResultLines result;
    if (total > 0) result.d = std::move(data);
    return result;
}

} // namespace opusteca::linesort
