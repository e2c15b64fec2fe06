// The spreadsheet writer fed with any field text: the document is Windows-1252
// holding no byte the code page leaves undefined unless the text had that
// character, its table has one header row and one row per record with one
// cell per column, and every cell's text stands in it, trimmed and escaped, in
// order.
#include "FuzzCheck.h"
#include "export/core/SpreadsheetWriter.h"
#include "store/Cp1252.h"
#include "store/Text.h"

#include <QBuffer>

using namespace opusteca;

namespace {

QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (const char c : cp1252::encode(text)) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

qsizetype occurrences(const QByteArray &in, const char *what)
{
    qsizetype n = 0;
    for (qsizetype at = in.indexOf(what); at >= 0; at = in.indexOf(what, at + 1)) ++n;
    return n;
}

QString textFrom(const QByteArray &chunk)
{
    return chunk.startsWith('\xFE') ? fuzz::Input::utf16(chunk.mid(1)) : cp1252::decode(chunk);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    const int columns = 1 + int(in.byte() % 5);
    const QString sheet = textFrom(in.chunk());
    QList<SheetColumn> cols;
    for (int c = 0; c < columns; ++c) cols.append({textFrom(in.chunk()), int(in.byte())});
    QList<QStringList> rows;
    while (in.left() > 0) {
        QStringList row;
        const int cells = int(in.byte() % unsigned(columns + 2)); // short and long rows too
        for (int c = 0; c < cells; ++c) row.append(textFrom(in.chunk()));
        rows.append(row);
    }

    QByteArray doc;
    QBuffer buffer(&doc);
    buffer.open(QIODevice::WriteOnly);
    FUZZ_CHECK(writeSpreadsheet(buffer, sheet, cols, rows));

    // Every byte a character of the code page, or one the text itself brought.
    QString all = sheet;
    for (const SheetColumn &c : cols) all += c.header;
    for (const QStringList &r : rows) all += r.join(QString());
    for (const char c : doc) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) FUZZ_CHECK(all.contains(QChar(char16_t(b))));
    }

    // The table's shape: text never passes for markup.
    FUZZ_CHECK(occurrences(doc, "<tr>") == rows.size() + 1);
    FUZZ_CHECK(occurrences(doc, "</tr>") == rows.size() + 1);
    FUZZ_CHECK(occurrences(doc, "<td") == (rows.size() + 1) * columns);
    FUZZ_CHECK(occurrences(doc, "</td>") == (rows.size() + 1) * columns);

    // The cells' texts in order: headers as given, record cells trimmed.
    qsizetype at = doc.indexOf("<tr>");
    for (const SheetColumn &c : cols) {
        at = doc.indexOf(QByteArray(">") + escaped(c.header) + "</td>", at);
        FUZZ_CHECK(at >= 0);
    }
    for (const QStringList &r : rows)
        for (int c = 0; c < columns; ++c) {
            const QString cell = c < r.size() ? text::trimmed(r[c]) : QString();
            at = doc.indexOf(QByteArray(">") + escaped(cell) + "</td>", at + 1);
            FUZZ_CHECK(at >= 0);
        }
    return 0;
}
