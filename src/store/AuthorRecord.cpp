#include "store/AuthorRecord.h"

namespace opusteca {
namespace {

#define F(Name, Control, Label, Kind) OPUSTECA_FIELD(TSchedaAutore, Name, Control, Label, Kind)
constexpr FieldDef kFields[] = {
    F(Autore, "txtAutore", "Nome autore:", Line),
    F(Nazione, "txtNazione", "Nazionalit\u00E0:", Line),
    F(Periodo, "txtPeriodo", "Periodo storico:", Line),
    F(Corrente, "txtCorrente", "Corrente letteraria:", Line),
    F(Generi, "txtGeneri", "Generi trattati:", Line),
    F(Biografia, "txtBiografia", "Biografia:", Memo),
    F(Opere, "txtOpere", "Opere:", Memo),
    F(Pensiero, "txtPensiero", "Pensiero:", Memo),
    F(Capolavoro, "txtCapolavoro", "Capolavoro:", Line),
    F(Giudizio, "txtGiudizio", "Giudizio personale:", Line),
};
#undef F

static_assert(sizeof(TSchedaAutore) == 15960);
static_assert(std::size(kFields) == autore::FieldCount);
static_assert(fieldsAreContiguous(kFields, 15960));
static_assert(offsetof(TSchedaAutore, Nazione) == 51);
static_assert(offsetof(TSchedaAutore, Generi) == 204);
static_assert(offsetof(TSchedaAutore, Biografia) == 455);
static_assert(offsetof(TSchedaAutore, Opere) == 5456);
static_assert(offsetof(TSchedaAutore, Pensiero) == 10457);
static_assert(offsetof(TSchedaAutore, Capolavoro) == 15458);
static_assert(offsetof(TSchedaAutore, Giudizio) == 15709);

} // namespace

const RecordLayout &authorLayout()
{
    static const RecordLayout layout{"Autori.pro", 15960, FieldKind::ZeroTerminated,
                                     Trimming::AsTyped, kFields};
    return layout;
}

} // namespace opusteca
