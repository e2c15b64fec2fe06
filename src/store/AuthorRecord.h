#pragma once
#include "store/RecordLayout.h"

namespace opusteca {

// One author of Autori.pro: 10 zero-terminated text fields, 15960 bytes, never trimmed.
struct TSchedaAutore {
    FieldBytes<50> Autore;
    FieldBytes<50> Nazione;
    FieldBytes<50> Periodo;
    FieldBytes<50> Corrente;
    FieldBytes<250> Generi;
    FieldBytes<5000> Biografia;
    FieldBytes<5000> Opere;
    FieldBytes<5000> Pensiero;
    FieldBytes<250> Capolavoro;
    FieldBytes<250> Giudizio;
};

namespace autore {
enum Field { Autore, Nazione, Periodo, Corrente, Generi, Biografia, Opere, Pensiero, Capolavoro, Giudizio, FieldCount };

// The field table: what the codec, the card, the exports and the searches know of
// each field, in file order.
inline constexpr FieldDef kFields[] = {
    OPUSTECA_FIELD(TSchedaAutore, Autore, "txtAutore", "Nome autore:", Line),
    OPUSTECA_FIELD(TSchedaAutore, Nazione, "txtNazione", "Nazionalit\u00E0:", Line),
    OPUSTECA_FIELD(TSchedaAutore, Periodo, "txtPeriodo", "Periodo storico:", Line),
    OPUSTECA_FIELD(TSchedaAutore, Corrente, "txtCorrente", "Corrente letteraria:", Line),
    OPUSTECA_FIELD(TSchedaAutore, Generi, "txtGeneri", "Generi trattati:", Line),
    OPUSTECA_FIELD(TSchedaAutore, Biografia, "txtBiografia", "Biografia:", Memo),
    OPUSTECA_FIELD(TSchedaAutore, Opere, "txtOpere", "Opere:", Memo),
    OPUSTECA_FIELD(TSchedaAutore, Pensiero, "txtPensiero", "Pensiero:", Memo),
    OPUSTECA_FIELD(TSchedaAutore, Capolavoro, "txtCapolavoro", "Capolavoro:", Line),
    OPUSTECA_FIELD(TSchedaAutore, Giudizio, "txtGiudizio", "Giudizio personale:", Line),
};
} // namespace autore

const RecordLayout &authorLayout();

} // namespace opusteca
