#include "export/core/ExportKinds.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"

namespace opusteca {
namespace {

constexpr bool RO = true;
constexpr bool RW = false;

constexpr ExportColumn kBookColumns[] = {
    {libro::Titolo, "Titolo libro", 350, RO, 350},
    {libro::Codice, "Codice identificativo", 200, RO, 250},
    {libro::Scaffale, "Scaffale", 200, RO, 250},
    {libro::Autore, "Autore", 300, RW, 280},
    {libro::Nazione, "Nazione", 250, RW, 250},
    {libro::Curatore, "Curatore", 250, RO, 250},
    {libro::Dewey, "Codice Dewey", 120, RO, 150},
    {libro::Pagine, "Pagine", 120, RO, 100},
    {libro::Genere, "Genere", 250, RO, 250},
    {libro::Giudizio, "Giudizio", 250, RW, 250},
    {libro::Editore, "Casa editrice", 250, RW, 250},
    {libro::Isbn, "ISBN", 200, RO, 200},
    {libro::Citta, "Citt\u00E0 pubblicazione", 250, RO, 250},
    {libro::Anno, "Anno pubblicazione", 180, RO, 200},
    {libro::Volumi, "Volumi", 200, RW, 200},
    {libro::Prezzo, "Prezzo", 200, RO, 200},
    {libro::Collana, "Collana", 250, RO, 250},
    {libro::Formato, "Formato", 250, RO, 250},
    {libro::Originale, "Titolo originale", 300, RW, 300},
    {libro::Lingua, "Lingua", 250, RW, 250},
    {libro::Prima, "Prima pubblicazione", 200, RW, 200},
    {libro::Traduttore, "Traduttore", 250, RO, 250},
    {libro::Versione, "Versione", 200, RW, 250},
    {libro::Note, "Note", 300, RW, 350},
    {libro::Annullata, "Scheda annullata", 120, RW, 150},
};

constexpr ExportColumn kAuthorColumns[] = {
    {autore::Autore, "Nome autore", 250, RW, 250},
    {autore::Nazione, "Nazionalit\u00E0", 200, RW, 250},
    {autore::Periodo, "Periodo storico", 250, RO, 250},
    {autore::Corrente, "Corrente letteraria", 250, RO, 250},
    {autore::Generi, "Generi trattati", 350, RO, 350},
    {autore::Capolavoro, "Capolavoro", 300, RO, 300},
    {autore::Giudizio, "Giudizio personale", 350, RW, 350},
};

constexpr ExportColumn kBibliographyColumns[] = {
    {bibliografia::Titolo, "Titolo ricerca", 300, RW, 300},
    {bibliografia::DataInizio, "Data inizio", 100, RW, 100},
    {bibliografia::DataFine, "Data fine", 100, RO, 100},
    {bibliografia::Argomento, "Argomento trattato", 300, RO, 300},
    {bibliografia::Scopo, "Scopo della ricerca", 300, RO, 300},
    {bibliografia::Ricercatori, "Ricercatori", 300, RO, 300},
    {bibliografia::Presentazione, "Data e luogo presentazione", 300, RW, 300},
    {bibliografia::Relatori, "Relatori", 300, RW, 300},
    {bibliografia::Destinatari, "Destinatari", 300, RW, 300},
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
    for (const ExportColumn &c : columns) out.append({QString::fromUtf8(c.header), c.exportWidth});
    return out;
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
