#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <memory>
#include <vector>

namespace opusteca {

namespace linesort {
class SortedLines;
}

// The lines of a search's result, in list order, kept as the Windows-1252 bytes
// they were built from: a list of the whole archive holds one byte per
// character in a few large blocks, instead of a string of its own per line,
// and a line is decoded only when it is looked at.
//
// Copies share the lines, which never change; the last copy frees them.
class ResultLines {
public:
    ResultLines() = default;
    // The lines as given, in that order; a character the code page lacks is
    // stored as '?'.
    static ResultLines fromTexts(const QStringList &lines);

    qsizetype size() const { return d ? qsizetype(d->lines.size()) : 0; }
    bool isEmpty() const { return size() == 0; }
    // Line i (0 <= i < size()) as stored, and as text.
    QByteArrayView bytes(qsizetype i) const
    {
        const Line &l = d->lines[size_t(i)];
        return {l.data, l.size};
    }
    QString text(qsizetype i) const;
    // Every line as text, in order.
    QStringList texts() const;

private:
    friend class linesort::SortedLines;
    struct Line {
        const char *data;
        qsizetype size;
    };
    struct Free {
        void operator()(char *p) const { std::free(p); }
    };
    // Taken with malloc and grown with realloc, which can grow a large block
    // without copying it.
    using Bytes = std::unique_ptr<char, Free>;
    struct Data {
        std::vector<Bytes> blocks; // where the lines' bytes are
        std::vector<Line> lines;
    };
    std::shared_ptr<const Data> d;
};

} // namespace opusteca
