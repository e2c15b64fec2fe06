#pragma once
#include <QStringList>

#include <span>

namespace opusteca::linesort {

// The order of the result list: character codes (UTF-16 units) compared one by
// one, with a-z taken as A-Z; accented letters are not folded.
bool less(QStringView a, QStringView b);
// Sorts into that order; equal lines keep their order.
void sort(QStringList &lines);

// Lines gathered for one sort at the end. Each line's sort key is taken as it
// is added, while its text is still in the cache, and the sort then works
// mostly on the small keys instead of on the strings.
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
    // order: never lower than that of the line added before.
    void append(QString line, quint32 order = 0);
    qsizetype size() const { return m_lines.size(); }
    // Puts this object's lines in order, equal lines in the order they were added.
    void sort();
    // The lines in order, equal lines in the order they were added.
    QStringList take();
    // The lines of every part in order, each part already sorted. Among equal
    // lines the lower order comes first, then the earlier part, then the line
    // added first. The parts are left empty.
    static QStringList merge(std::span<SortedLines> parts);

private:
    static constexpr int kKeyWords = 3;
    struct Keyed {
        quint64 key[kKeyWords];
        quint32 index; // in m_lines: a list of 2^32 lines would not fit in memory
        quint32 order;
    };
    // Below zero when a's line goes first, above when b's does, zero when equal.
    static int compare(const Keyed &a, const QString &lineA, const Keyed &b, const QString &lineB);

    qsizetype m_skip;
    // Both grow by reallocation in place where the allocator can, not by copying.
    QStringList m_lines;
    QList<Keyed> m_keys;
};

} // namespace opusteca::linesort
