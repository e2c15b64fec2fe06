#pragma once
// Small record builders shared by the search core tests.
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Record.h"
#include "store/RecordFile.h"

#include <QFile>
#include <QList>
#include <QPair>
#include <cstring>

namespace opusteca::test {

using Fields = QList<QPair<int, QString>>;

inline Record makeRecord(const RecordLayout &layout, const Fields &fields)
{
    Record r(layout);
    if (&layout == &bookLayout()) {
        r.setText(libro::Convalida, libro::no());
        r.setText(libro::Annullata, libro::no());
    }
    for (const auto &[field, value] : fields) r.setText(field, value);
    return r;
}

inline Record book(const Fields &fields) { return makeRecord(bookLayout(), fields); }

// A book as the card saves it: mandatory fields filled, not cancelled, not lent.
inline Record book(const QString &code, const QString &title, const QString &author, const Fields &more = {})
{
    Fields f{{libro::Codice, code}, {libro::Titolo, title}, {libro::Autore, author}};
    f += more;
    return book(f);
}

// Writes a length-prefixed field byte for byte, as another writer may have left it.
inline void putRawBookField(Record &r, int field, const QByteArray &bytes, int lengthByte = -1)
{
    QByteArray b = r.bytes();
    const FieldDef &f = bookLayout().fields[field];
    b[f.offset] = char(lengthByte >= 0 ? lengthByte : bytes.size());
    std::memcpy(b.data() + f.offset + 1, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), f.capacity)));
    r = Record(bookLayout(), b);
}

inline bool writeRecords(const QString &path, const QList<Record> &records, const QByteArray &tail = {})
{
    {
        if (records.isEmpty()) return false;
        RecordFile f(records.first().layout().recordSize);
        if (!f.open(path)) return false;
        for (const Record &r : records)
            if (!f.write(r.bytes())) return false;
        if (!f.close()) return false;
    }
    if (tail.isEmpty()) return true;
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(tail) == tail.size();
}

} // namespace opusteca::test
