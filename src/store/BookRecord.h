#pragma once
#include "store/RecordLayout.h"

namespace opusteca {

// One book of Libri.pro: 34 length-prefixed text fields, 3237 bytes.
struct TSchedaLibro {
    FieldBytes<250> Titolo;
    FieldBytes<24> Codice;
    FieldBytes<2> Convalida;
    FieldBytes<50> Scaffale;
    FieldBytes<50> Autore;
    FieldBytes<50> Nazione;
    FieldBytes<50> Curatore;
    FieldBytes<3> Dewey;
    FieldBytes<12> Pagine;
    FieldBytes<50> Genere;
    FieldBytes<50> Giudizio;
    FieldBytes<50> Editore;
    FieldBytes<50> Isbn;
    FieldBytes<50> Citta;
    FieldBytes<30> Anno;
    FieldBytes<30> Volumi;
    FieldBytes<30> Prezzo;
    FieldBytes<50> Collana;
    FieldBytes<50> Formato;
    FieldBytes<250> Originale;
    FieldBytes<30> Lingua;
    FieldBytes<30> Prima;
    FieldBytes<50> Traduttore;
    FieldBytes<30> Versione;
    FieldBytes<120> Prestato;
    FieldBytes<10> Scadenza;
    FieldBytes<250> Note;
    FieldBytes<2> Annullata;
    FieldBytes<250> File01;
    FieldBytes<250> File02;
    FieldBytes<250> File03;
    FieldBytes<250> Desc01;
    FieldBytes<250> Desc02;
    FieldBytes<250> Desc03;
};

// Field indices into the book field table, in file order.
namespace libro {
enum Field {
    Titolo, Codice, Convalida, Scaffale, Autore, Nazione, Curatore, Dewey, Pagine,
    Genere, Giudizio, Editore, Isbn, Citta, Anno, Volumi, Prezzo, Collana, Formato,
    Originale, Lingua, Prima, Traduttore, Versione, Prestato, Scadenza, Note,
    Annullata, File01, File02, File03, Desc01, Desc02, Desc03, FieldCount
};
// The yes/no texts of Convalida and Annullata.
inline const QString &yes() { static const QString s = QStringLiteral("S\u00EC"); return s; }
inline const QString &no() { static const QString s = QStringLiteral("No"); return s; }
} // namespace libro

const RecordLayout &bookLayout();

} // namespace opusteca
