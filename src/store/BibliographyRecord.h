#pragma once
#include "store/RecordLayout.h"

namespace opusteca {

// One piece of research of Bibliografie.pro: 16 zero-terminated fields, 8286 bytes, never trimmed.
struct TSchedaBibliografia {
    FieldBytes<250> Titolo;
    FieldBytes<10> DataInizio;
    FieldBytes<10> DataFine;
    FieldBytes<250> Argomento;
    FieldBytes<250> Scopo;
    FieldBytes<250> Ricercatori;
    FieldBytes<5000> Bibliografia;
    FieldBytes<250> Presentazione;
    FieldBytes<250> Relatori;
    FieldBytes<250> Destinatari;
    FieldBytes<250> File01;
    FieldBytes<250> File02;
    FieldBytes<250> File03;
    FieldBytes<250> Desc01;
    FieldBytes<250> Desc02;
    FieldBytes<250> Desc03;
};

namespace bibliografia {
enum Field {
    Titolo,
    DataInizio,
    DataFine,
    Argomento,
    Scopo,
    Ricercatori,
    Bibliografia,
    Presentazione,
    Relatori,
    Destinatari,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    FieldCount
};

// The field table: what the codec, the card, the exports and the searches know of
// each field, in file order.
inline constexpr FieldDef kFields[] = {
    OPUSTECA_FIELD(TSchedaBibliografia, Titolo, "txtTitolo", "Titolo ricerca:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, DataInizio, "txtDataInizio", "Data inizio:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, DataFine, "txtDataFine", "Data fine:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, Argomento, "txtArgomento", "Argomento trattato:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, Scopo, "txtScopo", "Scopo della ricerca:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, Ricercatori, "txtRicercatori", "Ricercatori:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, Bibliografia, "txtBibliografia", "Bibliografia:", Memo),
    OPUSTECA_FIELD(TSchedaBibliografia, Presentazione, "txtPresentazione", "Data e luogo presentazione:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, Relatori, "txtRelatori", "Relatori:", Line),
    OPUSTECA_FIELD(TSchedaBibliografia, Destinatari, "txtDestinatari", "Destinatari:", Line),
    OPUSTECA_ATTACHMENT_FIELDS(TSchedaBibliografia),
};
} // namespace bibliografia

const RecordLayout &bibliographyLayout();

} // namespace opusteca
