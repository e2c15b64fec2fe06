#include "screens/core/BookEntry.h"

#include "store/BookRecord.h"
#include "store/Record.h"
#include "store/Text.h"

namespace opusteca::bookentry {

QString build(const Record &book)
{
    if (&book.layout() != &bookLayout()) return {};
    const QString sep = QStringLiteral(", ");
    auto f = [&](int field) { return text::trimmed(book.text(field)); };
    return f(libro::Autore) + sep + f(libro::Titolo) + sep + f(libro::Citta) + sep + f(libro::Editore) + sep +
           f(libro::Anno);
}

QString appendTo(const QString &oldText, const QString &entry)
{
    if (text::isBlank(oldText)) return entry;
    // Line feed first, then carriage return: the order the lists have always had.
    return oldText + QStringLiteral("\n\r") + entry;
}

} // namespace opusteca::bookentry
