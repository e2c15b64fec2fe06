#pragma once
#include "report/Report.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace opusteca {

// The printed book card "Scheda Libro": one A4 portrait page with a heading
// band, 26 framed rows (caption | value) and a footer band for the date and
// time of printing. Value objects carry the names of the card's controls.
namespace bookcard {

struct Row {
    const char *frame;   // outline of the row
    const char *caption; // caption object
    const char *text;    // caption text (UTF-8)
    int field;           // book field whose control names the value object
};
// The 26 rows, top to bottom.
const QList<Row> &rows();
// The value object of a row: the name of the card control it prints.
QString valueName(const Row &row);

// The layout, with the objects its filling needs.
class BookCardReport : public report::Report {
public:
    using report::Report::Report;
    report::Page *page = nullptr;
    QList<report::Memo *> values;     // one for each row, in the order of rows()
    report::Memo *footnote = nullptr; // txtCalce
};
std::unique_ptr<BookCardReport> build();

// Fills the layout from a book's texts, one per field in field-table order
// (printed trimmed, literally), and stamps "Stampa eseguita in data <date> alle
// ore <time>" with `now`.
void fill(BookCardReport &layout, const QStringList &book, const QDateTime &now);

} // namespace bookcard
} // namespace opusteca
