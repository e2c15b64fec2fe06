#include "search/core/SearchKinds.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"

namespace opusteca {
namespace {

// Both book searches use the same filters and the same list line.
constexpr SearchFilter kBookFilters[] = {
    {"txtTitolo", "Titolo libro:", libro::Titolo},
    {"txtCodice", "Codice identificativo:", libro::Codice},
    {"txtAutore", "Autore:", libro::Autore},
    {"txtCuratore", "Curatore:", libro::Curatore},
    {"txtGenere", "Genere:", libro::Genere},
    {"txtEditore", "Casa editrice:", libro::Editore},
    {"txtIsbn", "ISBN:", libro::Isbn},
    {"txtLingua", "Lingua:", libro::Lingua},
    {"txtDewey", "Codice Dewey:", libro::Dewey},
    {"txtNote", "Note:", libro::Note},
};

constexpr SearchFilter kAuthorFilters[] = {
    {"txtAutore", "Nome autore:", autore::Autore},
    {"txtNazione", "Nazionalit\u00E0:", autore::Nazione},
    {"txtPeriodo", "Periodo storico:", autore::Periodo},
    {"txtCorrente", "Corrente letteraria:", autore::Corrente},
    {"txtGeneri", "Generi trattati:", autore::Generi},
    {"txtBiografia", "Biografia:", autore::Biografia},
    {"txtOpere", "Opere:", autore::Opere},
    {"txtPensiero", "Pensiero:", autore::Pensiero},
    {"txtCapolavoro", "Capolavoro:", autore::Capolavoro},
    {"txtGiudizio", "Giudizio personale:", autore::Giudizio},
};

constexpr SearchFilter kBibliographyFilters[] = {
    {"txtTitolo", "Titolo ricerca:", bibliografia::Titolo},
    {"txtArgomento", "Argomento trattato:", bibliografia::Argomento},
    {"txtDataInizio", "Data inizio:", bibliografia::DataInizio},
    {"txtDataFine", "Data fine:", bibliografia::DataFine},
    {"txtScopo", "Scopo della ricerca:", bibliografia::Scopo},
    {"txtRicercatori", "Ricercatori:", bibliografia::Ricercatori},
    {"txtBibliografia", "Bibliografia:", bibliografia::Bibliografia},
    {"txtPresentazione", "Data e luogo presentazione:", bibliografia::Presentazione},
    {"txtRelatori", "Relatori:", bibliografia::Relatori},
    {"txtDestinatari", "Destinatari:", bibliografia::Destinatari},
};

constexpr LineSegment kBookLine[] = {
    {"Cod. ", libro::Codice, 24},
    {"  ", libro::Titolo, 50},
    {"  ", libro::Autore, 30},
    {"  ", libro::Citta, 0},
    {" ", libro::Editore, 0},
    {" ", libro::Anno, 0},
};

constexpr LineSegment kAuthorLine[] = {
    {"", autore::Autore, 30},
    {"  Nazione: ", autore::Nazione, 30},
    {"  Periodo: ", autore::Periodo, 30},
    {"  Corrente: ", autore::Corrente, 0},
};

constexpr LineSegment kBibliographyLine[] = {
    {"", bibliografia::Titolo, 50},
    {"  Inizio: ", bibliografia::DataInizio, 10},
    {"  Fine: ", bibliografia::DataFine, 10},
    {"  Scopo: ", bibliografia::Scopo, 0},
};

const SearchKindDef kKinds[] = {
    {SearchKind::Books, "TfrmTrovaLibri", " Trova libri in archivio", &bookLayout,
     kBookFilters, SkipRule::NotCurrentBook, kBookLine, 1400,
     "Riepilogo libri in archivio", "txtTitolo"},
    {SearchKind::AvailableBooks, "TfrmTrovaDisponibili", " Trova libri disponibili per il prestito",
     &bookLayout, kBookFilters, SkipRule::UnavailableBook, kBookLine, 1400,
     "Riepilogo libri disponibili per il prestito", "txtTitolo"},
    {SearchKind::Authors, "TfrmTrovaAutori", " Trova autori in archivio", &authorLayout,
     kAuthorFilters, SkipRule::None, kAuthorLine, 1600,
     "Riepilogo autori in archivio", "txtAutore"},
    {SearchKind::Bibliographies, "TfrmTrovaBibliografie", " Trova bibliografie in archivio",
     &bibliographyLayout, kBibliographyFilters, SkipRule::None, kBibliographyLine, 1600,
     "Riepilogo bibliografie in archivio", "txtTitolo"},
};

static_assert(std::size(kBookFilters) == kSearchFilterCount);
static_assert(std::size(kAuthorFilters) == kSearchFilterCount);
static_assert(std::size(kBibliographyFilters) == kSearchFilterCount);

} // namespace

int SearchKindDef::filterIndexOf(QStringView control) const
{
    for (int i = 0; i < kSearchFilterCount; ++i)
        if (control == QLatin1String(filters[i].control)) return i;
    return -1;
}

const SearchKindDef &searchKind(SearchKind kind)
{
    for (const SearchKindDef &k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];
}

const SearchKindDef *searchKindOfScreen(QStringView screenClass)
{
    for (const SearchKindDef &k : kKinds)
        if (screenClass == QLatin1String(k.screenClass)) return &k;
    return nullptr;
}

std::span<const SearchKindDef> searchKinds() { return kKinds; }

} // namespace opusteca
