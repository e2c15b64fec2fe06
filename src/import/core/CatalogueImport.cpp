#include "import/core/CatalogueImport.h"

#include "store/BatchAppend.h"
#include "store/Cp1252.h"

#include <cstring>
#include <memory>

namespace opusteca {

QString noteText(const ImportNote &note)
{
    const QString line = QStringLiteral("Riga %1: ").arg(note.line);
    switch (note.kind) {
    case ImportNote::NoTitle:
        return line + QStringLiteral("manca il titolo, libro scartato.");
    case ImportNote::NoAuthor:
        return line + QStringLiteral("manca l'autore, libro scartato.");
    case ImportNote::NoTitleNorAuthor:
        return line + QStringLiteral("mancano il titolo e l'autore, libro scartato.");
    case ImportNote::AlreadyThere:
        return line + QStringLiteral("libro già presente, non importato.");
    case ImportNote::Cut:
        break;
    }
    QString field = importfields::caption(note.field);
    if (field.endsWith(u':')) field.chop(1);
    return line + QStringLiteral("campo \"%1\" tagliato a %2 caratteri.")
                      .arg(field)
                      .arg(note.field >= 0 && note.field < libro::FieldCount ? libro::kFields[note.field].capacity : 0);
}

ReadError CatalogueImport::load(const QString &path, CatalogueFormat format)
{
    const ReadError e = m_reader.load(path, format);
    m_columns = defaultColumns(m_reader.format(), m_reader.headers());
    return e;
}

ReadError CatalogueImport::load(QByteArray bytes, CatalogueFormat format)
{
    const ReadError e = m_reader.load(std::move(bytes), format);
    m_columns = defaultColumns(m_reader.format(), m_reader.headers());
    return e;
}

bool CatalogueImport::anyColumnMapped() const
{
    for (const ColumnTarget &c : m_columns)
        if (c.field >= 0) return true;
    return false;
}

bool CatalogueImport::scanArchive(const QString &programFolder)
{
    m_archive = ArchiveKeys();
    return m_archive.scan(programFolder);
}

template <class OnRow>
void CatalogueImport::walk(ImportCheck &state, OnRow &&onRow)
{
    // The file's own books join the archive's as they are let through, so a
    // second copy in the file finds the first.
    ArchiveKeys keys = m_archive;
    const RecordLayout &layout = bookLayout();
    const FieldDef &codeField = layout.fields[libro::Codice];
    const FieldDef &isbnField = layout.fields[libro::Isbn];
    const RowBuilder builder(m_columns);
    m_reader.rewind();
    RawRow row;
    std::vector<char> record(size_t(layout.recordSize));
    RowFacts facts;
    Key codeK, isbnK;
    while (m_reader.next(row)) {
        builder.buildRecord(row, record.data(), facts);
        ImportCheck::Row verdict = ImportCheck::Imported;
        if (!facts.hasTitle || !facts.hasAuthor) {
            verdict = ImportCheck::Rejected;
        } else {
            const QByteArrayView code =
                field::rawText(record.data() + codeField.offset, layout.kind, codeField.capacity);
            const QByteArrayView isbn =
                field::rawText(record.data() + isbnField.offset, layout.kind, isbnField.capacity);
            codeKey(code, codeK);
            isbnKey(isbn, isbnK);
            if (!m_duplicates && keys.hasBook(codeK, isbnK)) {
                verdict = ImportCheck::AlreadyThere;
            } else {
                keys.addBook(codeK, isbnK);
                keys.noteCode(code);
            }
        }
        if (!onRow(row.line, record.data(), facts, verdict)) break;
    }
    state.firstNumber = keys.highestNumber(m_prefix) + 1;
}

ImportCheck CatalogueImport::check(const Progress &progress)
{
    ImportCheck state;
    walk(state, [&](qint64 line, const char *, const RowFacts &facts, ImportCheck::Row verdict) {
        state.rows.push_back(verdict);
        switch (verdict) {
        case ImportCheck::Rejected:
            ++state.rejected;
            state.notes.append({line, !facts.hasTitle && !facts.hasAuthor ? ImportNote::NoTitleNorAuthor
                                      : !facts.hasTitle                   ? ImportNote::NoTitle
                                                                          : ImportNote::NoAuthor});
            break;
        case ImportCheck::AlreadyThere:
            ++state.alreadyThere;
            state.notes.append({line, ImportNote::AlreadyThere});
            break;
        case ImportCheck::Imported:
            ++state.imported;
            for (int f = 0; f < libro::FieldCount; ++f)
                if (facts.cut & (quint64(1) << f)) state.notes.append({line, ImportNote::Cut, f});
            break;
        }
        if (progress && state.rows.size() % 256 == 0 && !progress(m_reader.position(), m_reader.size())) {
            state.cancelled = true;
            return false;
        }
        return true;
    });
    return state;
}

QList<Record> CatalogueImport::preview(int count)
{
    QList<Record> out;
    if (count <= 0) return out;
    ImportCheck state;
    const int size = bookLayout().recordSize;
    // Numbered after the archive's codes; the check numbers after the file's too.
    qint64 next = m_archive.highestNumber(m_prefix) + 1;
    walk(state, [&](qint64, const char *record, const RowFacts &, ImportCheck::Row verdict) {
        if (verdict != ImportCheck::Imported) return true;
        Record r(bookLayout(), QByteArray(record, size));
        if (r.rawText(libro::Codice).isEmpty()) r.setText(libro::Codice, generatedCode(m_prefix, next++));
        out.append(r);
        return out.size() < count;
    });
    return out;
}

CatalogueImport::Outcome CatalogueImport::write(const QString &programFolder, const ImportCheck &checked,
                                                const Progress &progress)
{
    const RecordLayout &layout = bookLayout();
    BatchAppend batch(layout.recordSize);
    if (!batch.open(programFolder, layout.fileName)) return Outcome::Failed;
    constexpr qint64 kBlock = 256;
    std::unique_ptr<char[]> buffer(new char[size_t(kBlock * layout.recordSize)]);
    qint64 inBuffer = 0;
    qint64 written = 0;
    const auto flush = [&] {
        const bool ok = batch.append(buffer.get(), inBuffer);
        written += inBuffer;
        inBuffer = 0;
        return ok;
    };

    // The records are built again, straight into the block that is written:
    // cheaper than holding them all since the check.
    const RowBuilder builder(m_columns);
    const FieldDef &codeField = layout.fields[libro::Codice];
    const QByteArray prefix = cp1252::encode(m_prefix);
    m_reader.rewind();
    RawRow row;
    RowFacts facts;
    qint64 next = checked.firstNumber;
    for (size_t i = 0; i < checked.rows.size() && m_reader.next(row); ++i) {
        if (checked.rows[i] != ImportCheck::Imported) continue;
        char *record = buffer.get() + inBuffer * layout.recordSize;
        builder.buildRecord(row, record, facts);
        if (record[codeField.offset] == 0) storeGeneratedCode(record + codeField.offset, prefix, next++);
        if (++inBuffer < kBlock) continue;
        if (!flush()) return batch.rollback(), Outcome::Failed;
        if (progress && !progress(written, checked.imported)) {
            batch.rollback();
            return Outcome::Cancelled;
        }
    }
    if (inBuffer > 0 && !flush()) return batch.rollback(), Outcome::Failed;
    return batch.commit() ? Outcome::Written : Outcome::Failed;
}

} // namespace opusteca
