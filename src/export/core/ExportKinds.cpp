#include "export/core/ExportKinds.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"

namespace opusteca {
namespace {

constexpr bool RO = true;
constexpr bool RW = false;

constexpr ExportColumn kBookColumns[] = {
    {libro::Titolo, 350, RO, 350},     {libro::Codice, 200, RO, 250},   {libro::Scaffale, 200, RO, 250},
    {libro::Autore, 300, RW, 280},     {libro::Nazione, 250, RW, 250},  {libro::Curatore, 250, RO, 250},
    {libro::Dewey, 120, RO, 150},      {libro::Pagine, 120, RO, 100},   {libro::Genere, 250, RO, 250},
    {libro::Giudizio, 250, RW, 250},   {libro::Editore, 250, RW, 250},  {libro::Isbn, 200, RO, 200},
    {libro::Citta, 250, RO, 250},      {libro::Anno, 180, RO, 200},     {libro::Volumi, 200, RW, 200},
    {libro::Prezzo, 200, RO, 200},     {libro::Collana, 250, RO, 250},  {libro::Formato, 250, RO, 250},
    {libro::Originale, 300, RW, 300},  {libro::Lingua, 250, RW, 250},   {libro::Prima, 200, RW, 200},
    {libro::Traduttore, 250, RO, 250}, {libro::Versione, 200, RW, 250}, {libro::Note, 300, RW, 350},
    {libro::Annullata, 120, RW, 150},
};

constexpr ExportColumn kAuthorColumns[] = {
    {autore::Autore, 250, RW, 250},   {autore::Nazione, 200, RW, 250}, {autore::Periodo, 250, RO, 250},
    {autore::Corrente, 250, RO, 250}, {autore::Generi, 350, RO, 350},  {autore::Capolavoro, 300, RO, 300},
    {autore::Giudizio, 350, RW, 350},
};

constexpr ExportColumn kBibliographyColumns[] = {
    {bibliografia::Titolo, 300, RW, 300},        {bibliografia::DataInizio, 100, RW, 100},
    {bibliografia::DataFine, 100, RO, 100},      {bibliografia::Argomento, 300, RO, 300},
    {bibliografia::Scopo, 300, RO, 300},         {bibliografia::Ricercatori, 300, RO, 300},
    {bibliografia::Presentazione, 300, RW, 300}, {bibliografia::Relatori, 300, RW, 300},
    {bibliografia::Destinatari, 300, RW, 300},
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
    QString caption = QString::fromUtf8(layout->fields[size_t(columns[size_t(column)].field)].documentLabel());
    if (caption.endsWith(u':')) caption.chop(1);
    return caption;
}

const ExportKind &exportKind(ExportArchive archive)
{
    static const ExportKind books{"TfrmExpLibri",    " Esporta archivio libri in Microsoft Excel",
                                  &bookLayout(),     "Libri.xls",
                                  "Riepilogo Libri", kBookColumns,
                                  "esporta_libri"};
    static const ExportKind authors{"TfrmExpAutori",    " Esporta archivio autori in Microsoft Excel",
                                    &authorLayout(),    "Autori.xls",
                                    "Riepilogo Autori", kAuthorColumns,
                                    "esporta_autori"};
    static const ExportKind bibliographies{
        "TfrmExpBibliografie",    " Esporta archivio bibliografie in Microsoft Excel",
        &bibliographyLayout(),    "Bibliografie.xls",
        "Riepilogo Bibliografie", kBibliographyColumns,
        "esporta_bibliografie"};
    switch (archive) {
    case ExportArchive::Books:
        return books;
    case ExportArchive::Authors:
        return authors;
    case ExportArchive::Bibliographies:
        break;
    }
    return bibliographies;
}

} // namespace opusteca
