#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace opusteca {

// The kinds of catalogue file the import reads. Auto finds the kind from the
// file itself; the others force one.
enum class CatalogueFormat {
    Auto,
    Delimited,    // CSV or TSV with a header line
    Goodreads,    // its library export, CSV
    LibraryThing, // its export, TSV
    Spreadsheet,  // our own .xls document (an HTML table)
};

// Why a file gives no rows to import.
enum class ReadError {
    None,
    CannotOpen,
    NotText,
    Empty,
    NoRows,         // a header and nothing under it
    NotSpreadsheet, // the spreadsheet kind forced on a file without our table
};

// One row of the file: its cells, and the line it starts on (for a
// spreadsheet document, which is one line, the number of its table row; the
// header is line 1 either way).
struct CatalogueRow {
    qint64 line = 0;
    QStringList cells;
};

// One row of the file as bytes: its cells unquoted (doubled quotes made one,
// line breaks CR LF) but not decoded, end to end. `utf8` says how to read
// them; otherwise they are Windows-1252. The import builds its records from
// these without making a text of every cell.
struct RawRow {
    qint64 line = 0;
    bool utf8 = true;
    std::string bytes;
    std::vector<qsizetype> ends; // where each cell ends in `bytes`

    qsizetype size() const { return qsizetype(ends.size()); }
    QByteArrayView cell(qsizetype i) const
    {
        const qsizetype from = i == 0 ? 0 : ends[size_t(i - 1)];
        return QByteArrayView(bytes.data() + from, ends[size_t(i)] - from);
    }
    void clear()
    {
        bytes.clear();
        ends.clear();
    }
};

// Reads a catalogue file's bytes one row at a time, so that a large file is
// held once, as bytes, and never as a whole in decoded text.
//
// Text: UTF-8 with or without a byte-order mark, UTF-16 with one (turned into
// UTF-8 on loading), anything else Windows-1252. Delimited files: the
// separator (comma, semicolon or tab) is the one the header line uses most;
// quoted cells may hold doubled quotes and line breaks, which come out as
// CR LF. Spreadsheet documents: the cells of each table row, character
// references decoded. Rows whose cells are all blank are passed over.
class CatalogueReader {
public:
    ReadError load(const QString &path, CatalogueFormat requested);
    ReadError load(QByteArray bytes, CatalogueFormat requested);

    // The kind found (never Auto once loaded).
    CatalogueFormat format() const { return m_format; }
    char separator() const { return m_separator; }
    const QStringList &headers() const { return m_headers; }

    // Back to the first row under the header.
    void rewind();
    // The next row; false at the end of the file.
    bool next(CatalogueRow &row);
    bool next(RawRow &row);
    // How far the reading has gone, against size(), for a progress bar.
    qint64 position() const { return m_pos; }
    qint64 size() const { return m_bytes.size(); }

private:
    bool nextDelimited(RawRow &row);
    bool nextSheetRow(RawRow &row);
    bool nextAny(RawRow &row);
    QString decodeCell(const char *data, qsizetype size) const;

    QByteArray m_bytes;
    bool m_utf8 = true;
    CatalogueFormat m_format = CatalogueFormat::Auto;
    char m_separator = ',';
    QStringList m_headers;
    qsizetype m_pos = 0;
    qsizetype m_tableEnd = 0;
    qsizetype m_firstRow = 0;
    qint64 m_line = 1;
    qint64 m_firstLine = 1;
    RawRow m_raw; // next(CatalogueRow &) reads through it
};

// Decoded text of a spreadsheet cell: character references (&amp;, &#233;,
// &#xE9; and the common named ones) become their characters, <br> a line
// break, any other markup is dropped.
QString decodeSheetCell(QStringView html);

} // namespace opusteca
