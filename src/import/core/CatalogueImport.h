#pragma once
#include "import/core/CatalogueReader.h"
#include "import/core/ColumnMapping.h"
#include "import/core/ImportRows.h"
#include "store/Record.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

namespace opusteca {

// A row of the file left out, or imported with a field cut short.
struct ImportNote {
    enum Kind { NoTitle, NoAuthor, NoTitleNorAuthor, AlreadyThere, Cut };
    qint64 line = 0;
    Kind kind = NoTitle;
    int field = -1; // the field cut
};
// The note as lstScarti lists it.
QString noteText(const ImportNote &note);

// What the check of the whole file found, before anything is written.
struct ImportCheck {
    enum Row : unsigned char { Imported, AlreadyThere, Rejected };
    std::vector<unsigned char> rows; // one per row of the file, in file order
    QList<ImportNote> notes;         // in file order
    qint64 imported = 0;
    qint64 alreadyThere = 0;
    qint64 rejected = 0;
    qint64 firstNumber = 1; // of the codes made for rows without one
    bool cancelled = false;
};

// Imports a catalogue file into the book archive, as Save would store each
// book: load the file, adjust the columns, check every row, then write.
//
// Writing appends all the books in one batch under the archive's append lock;
// any failure, or a stop asked through the progress function, cuts the
// archive back to what it was, so it never holds part of an import.
class CatalogueImport {
public:
    // Called after every few hundred rows with how far a pass has gone (never
    // for a file shorter than that); returning false stops the pass.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    enum class Outcome { Written, Cancelled, Failed };

    ReadError load(const QString &path, CatalogueFormat format);
    ReadError load(QByteArray bytes, CatalogueFormat format);
    CatalogueFormat format() const { return m_reader.format(); }
    const QStringList &headers() const { return m_reader.headers(); }

    QList<ColumnTarget> &columns() { return m_columns; }
    const QList<ColumnTarget> &columns() const { return m_columns; }
    bool anyColumnMapped() const;

    QString prefix() const { return m_prefix; }
    void setPrefix(const QString &typed) { m_prefix = usablePrefix(typed); }
    bool importDuplicates() const { return m_duplicates; }
    void setImportDuplicates(bool on) { m_duplicates = on; }

    // The archive's keys, read again; false when the archive cannot be read.
    bool scanArchive(const QString &programFolder);

    // The records of the first `count` rows that would be imported.
    QList<Record> preview(int count);
    // Every row checked; nothing is written.
    ImportCheck check(const Progress &progress = {});
    // Appends the rows the check let through to Libri.pro of the program folder.
    Outcome write(const QString &programFolder, const ImportCheck &checked, const Progress &progress = {});

private:
    // Walks the file as the check does, calling `row` for each row with its
    // line, record, facts and verdict; stops when `row` returns false.
    template <class OnRow>
    void walk(ImportCheck &state, OnRow &&row);

    CatalogueReader m_reader;
    QList<ColumnTarget> m_columns;
    ArchiveKeys m_archive;
    QString m_prefix = QStringLiteral("IMP");
    bool m_duplicates = false;
};

} // namespace opusteca
