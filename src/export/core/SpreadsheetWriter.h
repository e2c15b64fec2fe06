#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <memory>

class QIODevice;

namespace opusteca {

// A column of the spreadsheet document: its header text and the width its
// header cell declares.
struct SheetColumn {
    QString header;
    int width = 0;
};

// Writes the spreadsheet document: an HTML table with spreadsheet markup that
// spreadsheet programs open as a one-sheet workbook. Everything goes out as one
// line of Windows-1252 text, no byte-order mark; a character the code page
// lacks becomes '?'. Cells are trimmed and their & < > written as character
// references, so a cell shows its text as typed.
//
// Streaming, so that a whole archive never has to be held twice: begin(), then
// per row beginRow(), one cell() per column, endRow(), and finish(). Output is
// buffered and handed to the device in large pieces.
class SpreadsheetWriter {
public:
    explicit SpreadsheetWriter(QIODevice &out);
    ~SpreadsheetWriter();
    SpreadsheetWriter(const SpreadsheetWriter &) = delete;
    SpreadsheetWriter &operator=(const SpreadsheetWriter &) = delete;

    // The prologue (with the sheet name) and the header row.
    void begin(QStringView sheetName, const QList<SheetColumn> &columns);
    void beginRow();
    // A cell from text already in the code page, as the archives store it.
    void cellBytes(QByteArrayView cp1252);
    // A cell from Unicode text.
    void cell(QStringView text);
    void endRow();
    // The epilogue. False when any write to the device failed.
    bool finish();

    // Bytes handed to the device so far plus those still buffered.
    qint64 size() const { return m_written + m_used; }

private:
    template <std::size_t N>
    void put(const char (&literal)[N])
    {
        append(literal, qsizetype(N - 1));
    }
    void append(const char *data, qsizetype size);
    void putEscaped(QByteArrayView bytes);
    void flushIfFull();
    void flush();

    QIODevice &m_out;
    // A plain block filled by memcpy: appending to a QByteArray goes through
    // its general insert, which costs more than the document's formatting.
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    qint64 m_written = 0;
    bool m_ok = true;
};

// The whole document from plain values in one call: the sheet name, the
// columns and the rows of cell texts (a row shorter than the columns is
// completed with empty cells, extra cells are ignored).
bool writeSpreadsheet(QIODevice &out, const QString &sheetName, const QList<SheetColumn> &columns,
                      const QList<QStringList> &rows);

} // namespace opusteca
