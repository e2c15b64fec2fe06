// The catalogue reader fed with any bytes, and with files written from any
// texts. Any bytes: loading never fails but with a reason, a second pass reads
// the same rows, lines only grow, and each row turns into texts no longer than
// their fields, the same bytes whether built from the texts or from the
// cells' bytes. Written files: a CSV or TSV quoted as spreadsheet programs
// write it, and our own spreadsheet document, give back every cell as written
// (line breaks inside a cell come back as CR LF).
#include "FuzzCheck.h"
#include "export/core/SpreadsheetWriter.h"
#include "import/core/CatalogueReader.h"
#include "import/core/ColumnMapping.h"
#include "import/core/ImportRows.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

#include <QBuffer>
#include <QRegularExpression>

using namespace opusteca;

namespace {

QList<QStringList> allRows(CatalogueReader &r, QList<qint64> &lines)
{
    QList<QStringList> rows;
    CatalogueRow row;
    while (r.next(row)) {
        rows << row.cells;
        lines << row.line;
        FUZZ_CHECK(r.position() <= r.size());
    }
    return rows;
}

void anyBytes(fuzz::Input &in)
{
    const auto format = static_cast<CatalogueFormat>(in.byte() % 5);
    CatalogueReader r;
    if (r.load(in.rest(), format) != ReadError::None) {
        CatalogueRow row;
        FUZZ_CHECK(!r.next(row));
        return;
    }
    FUZZ_CHECK(r.format() != CatalogueFormat::Auto);
    QList<qint64> lines, again;
    const QList<QStringList> rows = allRows(r, lines);
    FUZZ_CHECK(!rows.isEmpty());
    for (qsizetype i = 0; i < lines.size(); ++i) FUZZ_CHECK(lines[i] >= 2 && (i == 0 || lines[i] > lines[i - 1]));
    r.rewind();
    FUZZ_CHECK(allRows(r, again) == rows && again == lines);

    const RowBuilder builder(defaultColumns(r.format(), r.headers()));
    BookRow book;
    for (const QStringList &cells : rows) {
        builder.build({2, cells}, book);
        for (int f = 0; f < libro::FieldCount; ++f) {
            FUZZ_CHECK(book.values[size_t(f)].size() <= libro::kFields[f].capacity);
            FUZZ_CHECK(cp1252::fit(book.values[size_t(f)]) == book.values[size_t(f)]);
        }
        FUZZ_CHECK(book.values[libro::Annullata] == libro::yes() || book.values[libro::Annullata] == libro::no());
    }

    // The records built from the bytes are what storing those texts gives.
    r.rewind();
    RawRow raw;
    QByteArray record(bookLayout().recordSize, '\0');
    for (const QStringList &cells : rows) {
        FUZZ_CHECK(r.next(raw));
        builder.build({2, cells}, book);
        Record expected(bookLayout());
        for (int f = 0; f < libro::FieldCount; ++f) expected.setText(f, book.values[size_t(f)]);
        RowFacts facts;
        builder.buildRecord(raw, record.data(), facts);
        FUZZ_CHECK(record == expected.bytes());
        quint64 cut = 0;
        for (const int f : book.cut) cut |= quint64(1) << f;
        FUZZ_CHECK(facts.cut == cut && facts.hasTitle == book.hasTitle() && facts.hasAuthor == book.hasAuthor());
    }
}

QString cellFrom(const QByteArray &chunk)
{
    QString s = cp1252::decode(chunk);
    s.remove(QChar(0));
    return s;
}

QString quoted(const QString &cell)
{
    QString q = cell;
    q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

void writtenDelimited(fuzz::Input &in)
{
    const char separators[] = {',', ';', '\t'};
    const QChar sep = QLatin1Char(separators[in.byte() % 3]);
    const int columns = 2 + int(in.byte() % 4);
    QList<QStringList> rows;
    while (in.left() > 0) {
        QStringList row;
        for (int c = 0; c < columns; ++c) row << cellFrom(in.chunk());
        rows << row;
    }
    // The header names the separator more than any other character does.
    QStringList header;
    for (int c = 0; c < columns; ++c) header << QStringLiteral("C%1").arg(c);
    QString file = header.join(sep) + QStringLiteral("\r\n");
    QList<QStringList> expected;
    for (const QStringList &row : rows) {
        QStringList q;
        for (const QString &cell : row) q << quoted(cell);
        file += q.join(sep) + QStringLiteral("\r\n");
        bool blank = true;
        QStringList want;
        for (QString cell : row) {
            blank = blank && text::isBlank(cell);
            static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
            want << cell.replace(breaks, QStringLiteral("\r\n"));
        }
        if (!blank) expected << want;
    }
    CatalogueReader r;
    const ReadError e = r.load(file.toUtf8(), CatalogueFormat::Delimited);
    // Cells of control characters may make the whole file look like no text.
    if (e == ReadError::NotText) return;
    FUZZ_CHECK(e == (expected.isEmpty() ? ReadError::NoRows : ReadError::None));
    FUZZ_CHECK(r.headers() == header);
    QList<qint64> lines;
    FUZZ_CHECK(allRows(r, lines) == expected);
}

void writtenDocument(fuzz::Input &in)
{
    const int columns = 1 + int(in.byte() % 4);
    QList<SheetColumn> cols;
    for (int c = 0; c < columns; ++c) cols.append({QStringLiteral("Colonna %1").arg(c), 100});
    QList<QStringList> rows, expected;
    while (in.left() > 0) {
        QStringList row, want;
        for (int c = 0; c < columns; ++c) {
            row << cellFrom(in.chunk());
            // The document holds what the code page keeps, trimmed.
            want << text::trimmed(cp1252::decode(cp1252::encode(row.last())));
        }
        rows << row;
        bool blank = true;
        for (const QString &w : want) blank = blank && text::isBlank(w);
        if (!blank) expected << want;
    }
    QByteArray doc;
    QBuffer out(&doc);
    out.open(QIODevice::WriteOnly);
    FUZZ_CHECK(writeSpreadsheet(out, QStringLiteral("Riepilogo Libri"), cols, rows));
    CatalogueReader r;
    const ReadError e = r.load(doc, CatalogueFormat::Auto);
    // A cell of control characters alone may make the whole document look like no text.
    if (e == ReadError::NotText) return;
    FUZZ_CHECK(e == (expected.isEmpty() ? ReadError::NoRows : ReadError::None));
    FUZZ_CHECK(r.format() == CatalogueFormat::Spreadsheet);
    QList<qint64> lines;
    FUZZ_CHECK(allRows(r, lines) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    switch (in.byte() % 3) {
    case 0:
        anyBytes(in);
        break;
    case 1:
        writtenDelimited(in);
        break;
    default:
        writtenDocument(in);
        break;
    }
    return 0;
}
