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
#include <string>

namespace opusteca {

// The keys rows are compared by: a code trimmed with A-Z folded; an ISBN as
// its digits and X, a ten-digit one in its thirteen-digit form. Empty: no key.
// Made in place, as every row needs two; a key is at most 255 bytes (codes
// and ISBNs are far shorter; a longer text keeps its first 255).
struct Key {
    std::array<char, 255> bytes;
    int size = 0;
    QByteArrayView view() const { return QByteArrayView(bytes.data(), size); }
};
void codeKey(QByteArrayView code, Key &out);
void isbnKey(QByteArrayView isbn, Key &out);

// What the import compares a row with: the codes and ISBNs of the archive's
// current (not cancelled) books, and for each code prefix the highest number
// of the codes made of it, a hyphen and digits.
class ArchiveKeys {
public:
    // Reads Libri.pro of the program folder, creating it when missing as
    // every opening does. False when it cannot be read.
    bool scan(const QString &programFolder);
    // A book's code and ISBN keys.
    void addBook(const Key &code, const Key &isbn);
    // True when a book added has the code or the ISBN.
    bool hasBook(const Key &code, const Key &isbn) const;
    // A code as the file holds it, in the code page.
    void noteCode(QByteArrayView code);
    // 0 when no code of the prefix is numbered.
    qint64 highestNumber(const QString &prefix) const;

private:
    KeySet m_codes;
    KeySet m_isbns;
    QHash<QByteArray, qint64> m_highest;
};

// The code a row without one gets: the prefix, a hyphen and six digits (more
// once past 999999).
QString generatedCode(const QString &prefix, qint64 number);
// The same code stored in a book record's code field (all its bytes written)
// as Save would store it; `prefix` is usablePrefix()'s text in the code page.
void storeGeneratedCode(char *field, QByteArrayView prefix, qint64 number);
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

// What building a row's record found besides its bytes.
struct RowFacts {
    bool hasTitle = false;
    bool hasAuthor = false;
    quint64 cut = 0; // bit f: field f was longer than its capacity
};

class RowBuilder {
public:
    explicit RowBuilder(const QList<ColumnTarget> &columns);
    // The row as texts: the rule written plainly.
    void build(const CatalogueRow &row, BookRow &out) const;
    // The same row straight into the bookLayout().recordSize bytes at `record`,
    // byte for byte what storing build()'s texts gives. Cells whose every
    // character the code page holds as a byte of its own (all of them in a
    // Windows-1252 file) are cut and trimmed as bytes; only the others, and
    // dates, go through the text rule.
    void buildRecord(const RawRow &row, char *record, RowFacts &facts) const;

private:
    // A cell's value as build() makes it, in the code page; may point into the
    // row or into m_value.
    QByteArrayView value(const RawRow &row, qsizetype column) const;

    QList<ColumnTarget> m_columns;
    QList<int> m_order; // columns by priority, then file order
    mutable std::string m_value;
    mutable QByteArray m_encoded;
};

// True when a cell says a book is cancelled ("Sì", also "si", "yes", "true", "1").
bool saysYes(const QString &cell);

} // namespace opusteca
