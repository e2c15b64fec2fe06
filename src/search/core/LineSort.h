#pragma once
#include "search/core/ResultLines.h"

#include <QByteArrayView>
#include <QList>
#include <QStringView>

#include <span>
#include <utility>
#include <vector>

namespace opusteca::linesort {

// The order of the result list: character codes (UTF-16 units) compared one by
// one, with a-z taken as A-Z; accented letters are not folded.
bool less(QStringView a, QStringView b);

// Lines gathered, as Windows-1252 bytes, for one sort at the end; the sorted
// lines become a ResultLines. Each line's sort key is taken as it is added,
// while its bytes are still in the cache, and the sort then works mostly on the
// small keys instead of on the lines. The order is that of less() on the
// decoded lines.
//
// A scan split over threads gathers each thread's lines in its own object,
// sorts each where it was gathered and merges them at the end. Every line
// carries an order (where it stands in the file, in pieces each read by one
// thread) that settles equal lines of different objects.
class SortedLines {
public:
    // skip: how many leading characters every line added shares once folded
    // (the literal a kind's lines all begin with); they decide nothing.
    explicit SortedLines(qsizetype skip = 0) : m_skip(skip) {}
    // A moved-from object is empty and can be used again.
    SortedLines(SortedLines &&other) noexcept { *this = std::move(other); }
    SortedLines &operator=(SortedLines &&other) noexcept
    {
        m_skip = other.m_skip;
        m_keys = std::move(other.m_keys);
        m_count = std::exchange(other.m_count, 0);
        m_bytes = std::move(other.m_bytes);
        m_used = std::exchange(other.m_used, 0);
        m_orders = std::move(other.m_orders);
        other.m_orders.clear();
        return *this;
    }

    // Room for a line of at most maxBytes: the caller writes the line there and
    // then adds it with commit(). order: never lower than that of the line
    // added before.
    char *reserve(qsizetype maxBytes);
    void commit(qsizetype bytes, quint32 order = 0);
    void append(QByteArrayView line, quint32 order = 0);

    qsizetype size() const { return m_count; }
    // Puts this object's lines in order, equal lines in the order they were added.
    void sort();
    // The lines in order, equal lines in the order they were added.
    ResultLines take();
    // The lines of every part in order, each part already sorted. Among equal
    // lines the lower order comes first, then the earlier part, then the line
    // added first. The parts are left empty.
    static ResultLines merge(std::span<SortedLines> parts);

private:
    static constexpr int kKeyWords = 3;
    // 32 bytes a line: the key, and where the line is.
    struct Keyed {
        quint64 key[kKeyWords];
        quint32 offset; // in m_bytes; lines added later lie further on
        quint32 size;
    };
    // Where the lines of an order begin: the order of a line is that of the
    // last such start at or before it.
    struct OrderStart {
        quint32 offset;
        quint32 order;
    };
    // Below zero when a's line goes first, above when b's does, zero when equal.
    static int compare(const Keyed &a, const char *bytesA, const Keyed &b, const char *bytesB);
    quint32 orderAt(quint32 offset) const;
    Keyed *keys() const { return reinterpret_cast<Keyed *>(m_keys.data()); }

    qsizetype m_skip;
    memory::GrowingBlock m_keys; // m_count Keyed
    qsizetype m_count = 0;
    memory::GrowingBlock m_bytes; // the lines, one after another
    qsizetype m_used = 0;
    std::vector<OrderStart> m_orders;
};

} // namespace opusteca::linesort
