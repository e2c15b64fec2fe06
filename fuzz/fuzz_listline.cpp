// The result list's lines and their order. A line built from a record's raw
// bytes equals the line described by the kind's segments over the record's
// loaded texts; lines sorted through their keys come out as a reordering of
// what went in, in the order of the program's line comparison.
#include "FuzzCheck.h"
#include "search/core/LineSort.h"
#include "search/core/ListLine.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <algorithm>

using namespace opusteca;

namespace {

QString expectedLine(const SearchKindDef &kind, const Record &record)
{
    QString line;
    for (const LineSegment &seg : kind.line) {
        line += QString::fromLatin1(seg.literal);
        const QString v = text::trimmed(record.text(seg.field));
        line += seg.width > 0 ? listline::pad(v, seg.width) : v;
    }
    return line;
}

void checkLine(const SearchKindDef &kind, const QByteArray &bytes)
{
    const RecordLayout &layout = kind.layout();
    QByteArray raw = bytes.left(layout.recordSize);
    raw.append(QByteArray(layout.recordSize - raw.size(), '\0'));
    const Record record(layout, raw);
    const QString line = listline::build(kind, record);
    FUZZ_CHECK(line == expectedLine(kind, record));
    QByteArray written(listline::maxBytes(kind), '\0');
    const char *end = listline::writeBytes(kind, raw.constData(), written.data());
    FUZZ_CHECK(end - written.constData() <= written.size());
    FUZZ_CHECK(cp1252::decode(written.constData(), end - written.constData()) == line);
}

void checkSort(fuzz::Input &in)
{
    // Lines of one kind all begin with the same literal, which the keys skip.
    const QByteArray prefix = QByteArray("Tit: ").left(qsizetype(in.byte() % 6));
    const int parts = 1 + int(in.byte() % 3);
    std::vector<linesort::SortedLines> gathered;
    for (int p = 0; p < parts; ++p) gathered.emplace_back(prefix.size());
    QList<QByteArray> added;
    quint32 order = 0;
    while (in.left() > 0) {
        const QByteArray line = prefix + in.chunk();
        const unsigned part = in.byte() % unsigned(parts);
        order += in.byte() % 2;
        gathered[part].append(line, order);
        added.append(line);
    }
    ResultLines result;
    if (parts == 1) {
        gathered[0].sort();
        result = gathered[0].take();
    } else {
        for (auto &g : gathered) g.sort();
        result = linesort::SortedLines::merge(gathered);
    }
    FUZZ_CHECK(result.size() == added.size());
    QList<QByteArray> out;
    for (qsizetype i = 0; i < result.size(); ++i) {
        out.append(result.bytes(i).toByteArray());
        FUZZ_CHECK(result.text(i) == cp1252::decode(out.last()));
        if (i > 0) FUZZ_CHECK(!linesort::less(result.text(i), result.text(i - 1)));
    }
    std::sort(added.begin(), added.end());
    std::sort(out.begin(), out.end());
    FUZZ_CHECK(out == added);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    const unsigned choice = in.byte();
    if (choice < 0x80) {
        const auto kinds = searchKinds();
        checkLine(kinds[choice % kinds.size()], in.rest());
    } else {
        checkSort(in);
    }
    return 0;
}
