#pragma once
#include <QStringList>

#include <vector>

namespace opusteca::linesort {

// The order of the result list: character codes (UTF-16 units) compared one by
// one, with a-z taken as A-Z; accented letters are not folded.
bool less(QStringView a, QStringView b);
// Sorts into that order; equal lines keep their order.
void sort(QStringList &lines);

// Lines gathered for one sort at the end. Each line's sort key is taken as it
// is added, while its text is still in the cache, and the sort then works
// mostly on the small keys instead of on the strings.
class SortedLines {
public:
    // skip: how many leading characters every line added shares once folded
    // (the literal a kind's lines all begin with); they decide nothing.
    explicit SortedLines(qsizetype skip = 0) : m_skip(skip) {}
    void append(QString line);
    qsizetype size() const { return m_lines.size(); }
    // The lines in order, equal lines in the order they were added.
    QStringList take();

private:
    static constexpr int kKeyWords = 3;
    struct Keyed {
        quint64 key[kKeyWords];
        qsizetype index;
    };
    qsizetype m_skip;
    QStringList m_lines;
    std::vector<Keyed> m_keys;
};

} // namespace opusteca::linesort
