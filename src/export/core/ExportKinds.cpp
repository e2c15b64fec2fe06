#include "export/core/ExportKinds.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"

namespace opusteca {
namespace {

constexpr bool RO = true;
constexpr bool RW = false;
// The column is headed by the field's caption on its card, without the colon.
constexpr const char *kCaption = nullptr;

constexpr ExportColumn kBookColumns[] = {
    {libro::Titolo, kCaption, 350, RO, 350},
    {libro::Codice, "Codice identificativo", 200, RO, 250},
    {libro::Scaffale, kCaption, 200, RO, 250},
    {libro::Autore, kCaption, 300, RW, 280},
    {libro::Nazione, kCaption, 250, RW, 250},
    {libro::Curatore, kCaption, 250, RO, 250},
    {libro::Dewey, "Codice Dewey", 120, RO, 150},
    {libro::Pagine, kCaption, 120, RO, 100},
    {libro::Genere, kCaption, 250, RO, 250},
    {libro::Giudizio, kCaption, 250, RW, 250},
    {libro::Editore, kCaption, 250, RW, 250},
    {libro::Isbn, kCaption, 200, RO, 200},
    {libro::Citta, "Citt\u00E0 pubblicazione", 250, RO, 250},
    {libro::Anno, "Anno pubblicazione", 180, RO, 200},
    {libro::Volumi, kCaption, 200, RW, 200},
    {libro::Prezzo, kCaption, 200, RO, 200},
    {libro::Collana, kCaption, 250, RO, 250},
    {libro::Formato, kCaption, 250, RO, 250},
    {libro::Originale, kCaption, 300, RW, 300},
    {libro::Lingua, kCaption, 250, RW, 250},
    {libro::Prima, "Prima pubblicazione", 200, RW, 200},
    {libro::Traduttore, kCaption, 250, RO, 250},
    {libro::Versione, kCaption, 200, RW, 250},
    {libro::Note, kCaption, 300, RW, 350},
    {libro::Annullata, "Scheda annullata", 120, RW, 150},
};

constexpr ExportColumn kAuthorColumns[] = {
    {autore::Autore, kCaption, 250, RW, 250},
    {autore::Nazione, kCaption, 200, RW, 250},
    {autore::Periodo, kCaption, 250, RO, 250},
    {autore::Corrente, kCaption, 250, RO, 250},
    {autore::Generi, kCaption, 350, RO, 350},
    {autore::Capolavoro, kCaption, 300, RO, 300},
    {autore::Giudizio, kCaption, 350, RW, 350},
};

constexpr ExportColumn kBibliographyColumns[] = {
    {bibliografia::Titolo, kCaption, 300, RW, 300},
    {bibliografia::DataInizio, kCaption, 100, RW, 100},
    {bibliografia::DataFine, kCaption, 100, RO, 100},
    {bibliografia::Argomento, kCaption, 300, RO, 300},
    {bibliografia::Scopo, kCaption, 300, RO, 300},
    {bibliografia::Ricercatori, kCaption, 300, RO, 300},
    {bibliografia::Presentazione, kCaption, 300, RW, 300},
    {bibliografia::Relatori, kCaption, 300, RW, 300},
    {bibliografia::Destinatari, kCaption, 300, RW, 300},
};

// Every column names a field of its record.
template <std::size_t N>
constexpr bool fieldsExist(const ExportColumn (&columns)[N], int kindFields)
{
    for (const ExportColumn &c : columns)
        if (c.field < 0 || c.field >= kindFields) return false;
    return true;
}
static_assert(fieldsExist(kBookColumns, libro::FieldCount));
static_assert(fieldsExist(kAuthorColumns, autore::FieldCount));
static_assert(fieldsExist(kBibliographyColumns, bibliografia::FieldCount));

} // namespace

QList<SheetColumn> ExportKind::sheetColumns() const
{
    QList<SheetColumn> out;
    out.reserve(qsizetype(columns.size()));
    for (qsizetype i = 0; i < qsizetype(columns.size()); ++i) out.append({header(i), columns[size_t(i)].exportWidth});
    return out;
}

QString ExportKind::header(qsizetype column) const
{
    const ExportColumn &c = columns[size_t(column)];
    if (c.header) return QString::fromUtf8(c.header);
    QString caption = QString::fromUtf8(layout->fields[size_t(c.field)].label);
    if (caption.endsWith(u':')) caption.chop(1);
    return caption;
}

const ExportKind &exportKind(ExportArchive archive)
{
    static const ExportKind books{"TfrmExpLibri", " Esporta archivio libri in Microsoft Excel",
                                  &bookLayout(),
                                  "Libri.xls", "Riepilogo Libri", kBookColumns};
    static const ExportKind authors{"TfrmExpAutori", " Esporta archivio autori in Microsoft Excel",
                                    &authorLayout(),
                                    "Autori.xls", "Riepilogo Autori", kAuthorColumns};
    static const ExportKind bibliographies{
        "TfrmExpBibliografie", " Esporta archivio bibliografie in Microsoft Excel",
        &bibliographyLayout(),
        "Bibliografie.xls", "Riepilogo Bibliografie", kBibliographyColumns};
    switch (archive) {
    case ExportArchive::Books: return books;
    case ExportArchive::Authors: return authors;
    case ExportArchive::Bibliographies: break;
    }
    return bibliographies;
}

} // namespace opusteca
