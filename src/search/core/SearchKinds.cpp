#include "search/core/SearchKinds.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"

namespace opusteca {
namespace {

// A filter on a field: its control takes the field's control name, its caption
// the field's long caption.
template <std::size_t N>
constexpr SearchFilter filterOn(const FieldDef (&fields)[N], int field)
{
    return {fields[field].control, fields[field].documentLabel(), field};
}

// Both book searches use the same filters and the same list line.
constexpr SearchFilter kBookFilters[] = {
    filterOn(libro::kFields, libro::Titolo), filterOn(libro::kFields, libro::Codice),
    filterOn(libro::kFields, libro::Autore), filterOn(libro::kFields, libro::Curatore),
    filterOn(libro::kFields, libro::Genere), filterOn(libro::kFields, libro::Editore),
    filterOn(libro::kFields, libro::Isbn),   filterOn(libro::kFields, libro::Lingua),
    filterOn(libro::kFields, libro::Dewey),  filterOn(libro::kFields, libro::Note),
};

constexpr SearchFilter kAuthorFilters[] = {
    filterOn(autore::kFields, autore::Autore),     filterOn(autore::kFields, autore::Nazione),
    filterOn(autore::kFields, autore::Periodo),    filterOn(autore::kFields, autore::Corrente),
    filterOn(autore::kFields, autore::Generi),     filterOn(autore::kFields, autore::Biografia),
    filterOn(autore::kFields, autore::Opere),      filterOn(autore::kFields, autore::Pensiero),
    filterOn(autore::kFields, autore::Capolavoro), filterOn(autore::kFields, autore::Giudizio),
};

// Argomento comes before the dates here, unlike on the card.
constexpr SearchFilter kBibliographyFilters[] = {
    filterOn(bibliografia::kFields, bibliografia::Titolo),
    filterOn(bibliografia::kFields, bibliografia::Argomento),
    filterOn(bibliografia::kFields, bibliografia::DataInizio),
    filterOn(bibliografia::kFields, bibliografia::DataFine),
    filterOn(bibliografia::kFields, bibliografia::Scopo),
    filterOn(bibliografia::kFields, bibliografia::Ricercatori),
    filterOn(bibliografia::kFields, bibliografia::Bibliografia),
    filterOn(bibliografia::kFields, bibliografia::Presentazione),
    filterOn(bibliografia::kFields, bibliografia::Relatori),
    filterOn(bibliografia::kFields, bibliografia::Destinatari),
};

constexpr LineSegment kBookLine[] = {
    {"Cod. ", libro::Codice, 24}, {"  ", libro::Titolo, 50}, {"  ", libro::Autore, 30},
    {"  ", libro::Citta, 0},      {" ", libro::Editore, 0},  {" ", libro::Anno, 0},
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
    {SearchKind::Books, "TfrmTrovaLibri", " Trova libri in archivio", &bookLayout, kBookFilters,
     SkipRule::NotCurrentBook, kBookLine, 1400, "Riepilogo libri in archivio", "txtTitolo"},
    {SearchKind::AvailableBooks, "TfrmTrovaDisponibili", " Trova libri disponibili per il prestito", &bookLayout,
     kBookFilters, SkipRule::UnavailableBook, kBookLine, 1400, "Riepilogo libri disponibili per il prestito",
     "txtTitolo"},
    {SearchKind::Authors, "TfrmTrovaAutori", " Trova autori in archivio", &authorLayout, kAuthorFilters, SkipRule::None,
     kAuthorLine, 1600, "Riepilogo autori in archivio", "txtAutore"},
    {SearchKind::Bibliographies, "TfrmTrovaBibliografie", " Trova bibliografie in archivio", &bibliographyLayout,
     kBibliographyFilters, SkipRule::None, kBibliographyLine, 1600, "Riepilogo bibliografie in archivio", "txtTitolo"},
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
