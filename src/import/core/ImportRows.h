#pragma once
#include "import/core/CatalogueReader.h"
#include "import/core/ColumnMapping.h"
#include "import/core/KeySet.h"
#include "store/BookRecord.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <array>

namespace opusteca {

// What the import compares a row with: the codes and ISBNs of the archive's
// current (not cancelled) books, and for each code prefix the highest number
// of the codes made of it, a hyphen and digits.
class ArchiveKeys {
public:
    // Reads Libri.pro of the program folder, creating it when missing as
    // every opening does. False when it cannot be read.
    bool scan(const QString &programFolder);
    // A code or ISBN as the file holds it, in the code page.
    void addBook(QByteArrayView code, QByteArrayView isbn);
    void noteCode(QByteArrayView code);

    bool hasCode(QByteArrayView code) const;
    bool hasIsbn(QByteArrayView isbn) const;
    // 0 when no code of the prefix is numbered.
    qint64 highestNumber(const QString &prefix) const;

private:
    KeySet m_codes;
    KeySet m_isbns;
    QHash<QByteArray, qint64> m_highest;
};

// The keys rows are compared by: a code trimmed with A-Z folded; an ISBN as
// its digits and X, a ten-digit one in its thirteen-digit form. Empty: no key.
QByteArray codeKey(QByteArrayView code);
QByteArray isbnKey(QByteArrayView isbn);

// The code a row without one gets: the prefix, a hyphen and six digits (more
// once past 999999).
QString generatedCode(const QString &prefix, qint64 number);
// The prefix as it can be stored: fitted to the code page, trimmed, short
// enough to leave room in the code for the hyphen and six digits; "IMP" when blank.
QString usablePrefix(const QString &typed);

// One row turned into the texts of the 34 book fields, as Save would store
// them: fitted to the code page, trimmed, cut at their capacity; Convalida
// "No", Annullata "Sì" only when the file says so.
struct BookRow {
    std::array<QString, libro::FieldCount> values;
    QList<int> cut; // the fields that were longer than their capacity
    bool hasTitle() const;
    bool hasAuthor() const;
};

class RowBuilder {
public:
    explicit RowBuilder(const QList<ColumnTarget> &columns);
    void build(const CatalogueRow &row, BookRow &out) const;

private:
    QList<ColumnTarget> m_columns;
    QList<int> m_order; // columns by priority, then file order
};

// True when a cell says a book is cancelled ("Sì", also "si", "yes", "true", "1").
bool saysYes(const QString &cell);

} // namespace opusteca
