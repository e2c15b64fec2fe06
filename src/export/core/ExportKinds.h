#pragma once
#include "export/core/SpreadsheetWriter.h"
#include "store/RecordLayout.h"

#include <QList>
#include <span>

namespace opusteca {

// A column of an export screen's preview grid after the record number: which
// field of the archive's field table it shows, and how.
struct ExportColumn {
    int field; // index into the archive's field table; headed by its long caption, without the colon
    int gridWidth;
    bool readOnly;   // refuses typing in the grid
    int exportWidth; // the width the document's header cell declares
};

// What one export screen reads, shows and writes; the three screens differ in
// nothing else.
struct ExportKind {
    const char *screenClass;
    const char *caption; // UTF-8
    const RecordLayout *layout;
    const char *documentName; // in the program folder
    const char *sheetName;
    std::span<const ExportColumn> columns;
    const char *logoArt; // the screen's heading picture

    // A column's header text (columns in grid order).
    QString header(qsizetype column) const;
    // The document's columns, header texts and widths, in grid order.
    QList<SheetColumn> sheetColumns() const;
};

enum class ExportArchive { Books, Authors, Bibliographies };
const ExportKind &exportKind(ExportArchive archive);

} // namespace opusteca
