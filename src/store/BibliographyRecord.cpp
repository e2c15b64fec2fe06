#include "store/BibliographyRecord.h"

namespace opusteca {
namespace {

#define F(Name, Control, Label) OPUSTECA_FIELD(TSchedaBibliografia, Name, Control, Label)
constexpr FieldDef kFields[] = {
    F(Titolo, "txtTitolo", "Titolo ricerca:"),
    F(DataInizio, "txtDataInizio", "Data inizio:"),
    F(DataFine, "txtDataFine", "Data fine:"),
    F(Argomento, "txtArgomento", "Argomento trattato:"),
    F(Scopo, "txtScopo", "Scopo della ricerca:"),
    F(Ricercatori, "txtRicercatori", "Ricercatori:"),
    F(Bibliografia, "txtBibliografia", "Bibliografia:"),
    F(Presentazione, "txtPresentazione", "Data e luogo presentazione:"),
    F(Relatori, "txtRelatori", "Relatori:"),
    F(Destinatari, "txtDestinatari", "Destinatari:"),
    F(File01, "lblFile01", ""),
    F(File02, "lblFile02", ""),
    F(File03, "lblFile03", ""),
    F(Desc01, "lblDesc01", ""),
    F(Desc02, "lblDesc02", ""),
    F(Desc03, "lblDesc03", ""),
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
