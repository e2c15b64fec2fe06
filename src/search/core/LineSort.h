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
// A scan split into parts gathers each part in its own object (one thread
// each), sorts each part where it was gathered and merges them at the end.
class SortedLines {
public:
    // skip: how many leading characters every line added shares once folded
    // (the literal a kind's lines all begin with); they decide nothing.
    explicit SortedLines(qsizetype skip = 0) : m_skip(skip) {}
    void append(QString line);
    qsizetype size() const { return m_lines.size(); }
    // Puts this object's lines in order, equal lines in the order they were added.
    void sort();
    // The lines in order, equal lines in the order they were added.
    QStringList take();
    // The lines of every part in order, each part already sorted; among equal
    // lines those of an earlier part come first. The parts are left empty.
    static QStringList merge(std::span<SortedLines> parts);

private:
    static constexpr int kKeyWords = 3;
    struct Keyed {
        quint64 key[kKeyWords];
        qsizetype index;
    };
    // Below zero when a's line goes first, above when b's does, zero when equal.
    static int compare(const Keyed &a, const QString &lineA, const Keyed &b, const QString &lineB);

    qsizetype m_skip;
    // Both grow by reallocation in place where the allocator can, not by copying.
    QStringList m_lines;
    QList<Keyed> m_keys;
};

} // namespace opusteca::linesort
