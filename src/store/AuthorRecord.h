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
enum Field { Autore, Nazione, Periodo, Corrente, Generi, Biografia, Opere, Pensiero,
             Capolavoro, Giudizio, FieldCount };
}

const RecordLayout &authorLayout();

} // namespace opusteca
