#include "export/core/SpreadsheetWriter.h"

#include "store/Cp1252.h"
#include "store/Text.h"

#include <QIODevice>

#include <cstring>

namespace opusteca {
namespace {

constexpr qsizetype kBufferSize = 256 * 1024;

// The prologue: from the html start tag to the table start tag.
constexpr const char *kPrologueBeforeName[] = {
    // One tag over two lines; the parentheses say the joining is meant.
    ("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
     "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"),
    "<head>",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
    "<!--[if gte mso 9]><xml>",
    "<x:ExcelWorkbook>",
    "<x:ExcelWorksheets>",
    "<x:ExcelWorksheet>",
};
constexpr const char *kPrologueAfterName[] = {
    "<x:WorksheetOptions>",
    "<x:Selected/>",
    "<x:Panes>",
    "<x:Pane>",
    "<x:Number>1</x:Number>",
    "<x:ActiveRow>3</x:ActiveRow>",
    "</x:Pane>",
    "</x:Panes>",
    "<x:ProtectContents>False</x:ProtectContents>",
    "<x:ProtectObjects>False</x:ProtectObjects>",
    "<x:ProtectScenarios>False</x:ProtectScenarios>",
    "</x:WorksheetOptions>",
    "</x:ExcelWorksheet>",
    "</x:ExcelWorksheets>",
    "</x:ExcelWorkbook>",
    "</xml><![endif]-->",
    "</head>",
    "<body>",
    "<table x:str>",
};

} // namespace

SpreadsheetWriter::SpreadsheetWriter(QIODevice &out) : m_out(out), m_buffer(new char[kBufferSize]) {}

void SpreadsheetWriter::append(const char *data, qsizetype size)
{
    // An empty cell's view may carry no pointer at all, which memcpy must never see.
    if (size <= 0) return;
    if (m_used + size > kBufferSize) {
        flush();
        if (size > kBufferSize) {
            if (m_ok && m_out.write(data, size) != size) m_ok = false;
            m_written += size;
            return;
        }
    }
    std::memcpy(m_buffer.get() + m_used, data, size_t(size));
    m_used += size;
}

SpreadsheetWriter::~SpreadsheetWriter() = default;

void SpreadsheetWriter::putEscaped(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    const char *run = p;
    for (; p < end; ++p) {
        const char c = *p;
        // One comparison rules out nearly every byte: the three are below '?'.
        if (c > '>' || c < '&' || (c != '&' && c != '<' && c != '>')) continue;
        append(run, p - run);
        if (c == '&')
            put("&amp;");
        else if (c == '<')
            put("&lt;");
        else
            put("&gt;");
        run = p + 1;
    }
    append(run, end - run);
}

void SpreadsheetWriter::flushIfFull()
{
    if (m_used >= kBufferSize / 2) flush();
}

void SpreadsheetWriter::flush()
{
    if (m_used == 0) return;
    if (m_ok && m_out.write(m_buffer.get(), m_used) != m_used) m_ok = false;
    m_written += m_used;
    m_used = 0;
}

void SpreadsheetWriter::begin(QStringView sheetName, const QList<SheetColumn> &columns)
{
    for (const char *f : kPrologueBeforeName) append(f, qsizetype(std::strlen(f)));
    put("<x:Name>");
    putEscaped(cp1252::encode(sheetName));
    put("</x:Name>");
    for (const char *f : kPrologueAfterName) append(f, qsizetype(std::strlen(f)));
    put("<tr>");
    for (const SheetColumn &c : columns) {
        put("<td style=\"text-align: left; font-weight: bold;\" width=");
        const QByteArray width = QByteArray::number(c.width);
        append(width.constData(), width.size());
        put(">");
        putEscaped(cp1252::encode(c.header));
        put("</td>");
    }
    put("</tr>");
    flushIfFull();
}

void SpreadsheetWriter::beginRow() { put("<tr>"); }

void SpreadsheetWriter::cellBytes(QByteArrayView cp1252Text)
{
    // Text format (Italian locale, "@"), which one spreadsheet program honours:
    // otherwise it reads a code "0012" as the number 12, an ISBN in exponent
    // form and a note "=1+1" as a formula it runs. Programs that do not know
    // the attribute ignore it.
    put("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">");
    putEscaped(text::trimmed(cp1252Text));
    put("</td>");
}

void SpreadsheetWriter::cell(QStringView text) { cellBytes(cp1252::encode(text)); }

void SpreadsheetWriter::endRow()
{
    put("</tr>");
    flushIfFull();
}

bool SpreadsheetWriter::finish()
{
    put("</table>");
    put("</body>");
    put("</html>");
    flush();
    return m_ok;
}

bool writeSpreadsheet(QIODevice &out, const QString &sheetName, const QList<SheetColumn> &columns,
                      const QList<QStringList> &rows)
{
    SpreadsheetWriter w(out);
    w.begin(sheetName, columns);
    for (const QStringList &row : rows) {
        w.beginRow();
        for (qsizetype c = 0; c < columns.size(); ++c) w.cell(c < row.size() ? QStringView(row[c]) : QStringView());
        w.endRow();
    }
    return w.finish();
}

} // namespace opusteca
