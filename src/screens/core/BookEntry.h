#pragma once
#include <QString>

namespace opusteca {

class Record;

// The one-line description of a book that the author's works and the
// bibliography list take from the book archive.
namespace bookentry {

// Autore, Titolo, Citta, Editore, Anno, trimmed, joined by ", "; empty fields
// keep their separators, so there are always four.
QString build(const Record &book);
// The target field's new text: the old text (untrimmed), a line feed and a
// carriage return, then the entry; the entry alone when the old text is blank.
QString appendTo(const QString &oldText, const QString &entry);

} // namespace bookentry
} // namespace opusteca
