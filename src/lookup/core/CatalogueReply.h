#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// Reading the catalogues' replies into the fields of a book card. Every field of a
// reply is optional; a reply of any other shape than expected is not a book.
namespace opusteca::catalogue {

// One value found, for a field of the book record (an index of libro::Field).
struct FoundValue {
    int field = -1;
    QString value;
    bool operator==(const FoundValue &) const = default;
};

enum class Outcome {
    Found,      // the catalogue knows the book
    NotFound,   // a well-formed reply without the book
    Unreadable, // not the JSON expected: the source is passed over
};

struct BookReply {
    Outcome outcome = Outcome::Unreadable;
    QList<FoundValue> values; // in the card's field order, each field once
    QString cover;            // http(s) address of the cover image, or empty
};

struct SbnSearchReply {
    Outcome outcome = Outcome::Unreadable;
    QString bid; // identifier of the first record found
};

// The text of a reply body: the character set its Content-Type names (UTF-8 or
// Latin-1 and its Windows relative), else UTF-8 when the bytes are valid UTF-8,
// else Windows-1252.
QString replyText(const QByteArray &body, const QByteArray &contentType);

SbnSearchReply readSbnSearch(const QString &reply);
BookReply readSbnRecord(const QString &reply);
// `key` is the bibkey as sent ("ISBN:" and the digits).
BookReply readOpenLibrary(const QString &reply, const QString &key);

// A found value as the card's field takes it: one line, only characters the code
// page holds (cp1252::fit), cut at the field's capacity.
QString forField(int field, const QString &value);

} // namespace opusteca::catalogue
