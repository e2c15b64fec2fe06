#pragma once
#include "import/core/CatalogueReader.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace opusteca {

// How a column's text is read before it fills its field.
enum class CellRule {
    AsIs,
    FormulaQuotes,   // ="…" as a spreadsheet formula wraps it: the quotes go
    Brackets,        // [2070291340]: the brackets go
    UpToParenthesis, // "Gallimard (1979), Poche": the text before " ("
    FirstThree,      // a Dewey number: its first three characters
    IsoDate,         // 2007-04-16 or [2007-04-16]: written dd/mm/yyyy
};

// Where a column of the file goes: a field of the book record (-1: not
// imported), how its text is read, and, when several columns fill one field,
// which is asked first (lower first, then file order); the first with text wins.
struct ColumnTarget {
    int field = -1;
    CellRule rule = CellRule::AsIs;
    int priority = 0;
};

namespace importfields {
// The book fields a column can fill, in card order: every field with a caption
// on the card (the hidden ones are the program's own).
const QList<int> &choosable();
// The caption a field is chosen by, as on the card.
QString caption(int field);
// A header as it is compared: case, accents, blanks and a trailing colon ignored.
QString normalised(const QString &header);
// The field a header names (card caption, export heading, record field name or
// the usual English name), or -1.
int fieldForHeader(const QString &header);
} // namespace importfields

// The columns as the kind of file maps them: a Goodreads or LibraryThing export
// by its own column names, anything else by fieldForHeader.
QList<ColumnTarget> defaultColumns(CatalogueFormat format, const QStringList &headers);

// A cell's text read by its rule.
QString applyRule(CellRule rule, const QString &cell);

} // namespace opusteca
