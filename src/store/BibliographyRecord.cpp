#include "store/BibliographyRecord.h"

namespace opusteca {
namespace {

#define F(Name, Control, Label, Kind) OPUSTECA_FIELD(TSchedaBibliografia, Name, Control, Label, Kind)
constexpr FieldDef kFields[] = {
    F(Titolo, "txtTitolo", "Titolo ricerca:", Line),
    F(DataInizio, "txtDataInizio", "Data inizio:", Line),
    F(DataFine, "txtDataFine", "Data fine:", Line),
    F(Argomento, "txtArgomento", "Argomento trattato:", Line),
    F(Scopo, "txtScopo", "Scopo della ricerca:", Line),
    F(Ricercatori, "txtRicercatori", "Ricercatori:", Line),
    F(Bibliografia, "txtBibliografia", "Bibliografia:", Line),
    F(Presentazione, "txtPresentazione", "Data e luogo presentazione:", Line),
    F(Relatori, "txtRelatori", "Relatori:", Line),
    F(Destinatari, "txtDestinatari", "Destinatari:", Line),
    F(File01, "lblFile01", "", Hidden),
    F(File02, "lblFile02", "", Hidden),
    F(File03, "lblFile03", "", Hidden),
    F(Desc01, "lblDesc01", "", Hidden),
    F(Desc02, "lblDesc02", "", Hidden),
    F(Desc03, "lblDesc03", "", Hidden),
};
#undef F

static_assert(sizeof(TSchedaBibliografia) == 8286);
static_assert(std::size(kFields) == bibliografia::FieldCount);
static_assert(fieldsAreContiguous(kFields, 8286));
static_assert(offsetof(TSchedaBibliografia, DataInizio) == 251);
static_assert(offsetof(TSchedaBibliografia, DataFine) == 262);
static_assert(offsetof(TSchedaBibliografia, Argomento) == 273);
static_assert(offsetof(TSchedaBibliografia, Bibliografia) == 1026);
static_assert(offsetof(TSchedaBibliografia, Presentazione) == 6027);
static_assert(offsetof(TSchedaBibliografia, File01) == 6780);
static_assert(offsetof(TSchedaBibliografia, Desc01) == 7533);
static_assert(offsetof(TSchedaBibliografia, Desc03) == 8035);

} // namespace

const RecordLayout &bibliographyLayout()
{
    static const RecordLayout layout{"Bibliografie.pro", 8286, FieldKind::ZeroTerminated,
                                     Trimming::AsTyped, kFields};
    return layout;
}

} // namespace opusteca
