#pragma once
#include "store/LargeBlocks.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

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

    qsizetype size() const { return d ? d->count : 0; }
    bool isEmpty() const { return size() == 0; }
    // Line i (0 <= i < size()) as stored, and as text.
    QByteArrayView bytes(qsizetype i) const
    {
        const Line &l = d->line(i);
        return {d->blocks[l.block()].data() + l.offset, qsizetype(l.size())};
    }
    QString text(qsizetype i) const;
    // Every line as text, in order.
    QStringList texts() const;

private:
    friend class linesort::SortedLines;
    // Where a line is: 8 bytes a line, since a list may have a million.
    struct Line {
        static constexpr int kBlockBits = 8;
        static constexpr quint32 kMaxSize = (quint32(1) << (32 - kBlockBits)) - 1;
        static constexpr int kMaxBlocks = 1 << kBlockBits;
        quint32 offset;    // in its block
        quint32 sizeBlock; // the line's size, then its block's number in the high bits
        quint32 size() const { return sizeBlock & kMaxSize; }
        int block() const { return int(sizeBlock >> (32 - kBlockBits)); }
        static quint32 sizeAndBlock(quint32 size, int block) { return size | quint32(block) << (32 - kBlockBits); }
    };
    using Bytes = memory::GrowingBlock;
    struct Data {
        std::vector<Bytes> blocks; // where the lines' bytes are
        Bytes lines;               // count Lines, in list order
        qsizetype count = 0;
        const Line &line(qsizetype i) const { return reinterpret_cast<const Line *>(lines.data())[i]; }
    };
    std::shared_ptr<const Data> d;
};

} // namespace opusteca
