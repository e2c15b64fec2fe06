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
    Titolo,
    Codice,
    Convalida,
    Scaffale,
    Autore,
    Nazione,
    Curatore,
    Dewey,
    Pagine,
    Genere,
    Giudizio,
    Editore,
    Isbn,
    Citta,
    Anno,
    Volumi,
    Prezzo,
    Collana,
    Formato,
    Originale,
    Lingua,
    Prima,
    Traduttore,
    Versione,
    Prestato,
    Scadenza,
    Note,
    Annullata,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    FieldCount
};
// The yes/no texts of Convalida and Annullata.
inline const QString &yes()
{
    static const QString s = QStringLiteral("S\u00EC");
    return s;
}
inline const QString &no()
{
    static const QString s = QStringLiteral("No");
    return s;
}

// The field table: what the codec, the card, the exports and the searches know of
// each field, in file order.
inline constexpr FieldDef kFields[] = {
    OPUSTECA_FIELD(TSchedaLibro, Titolo, "txtTitolo", "Titolo libro:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Codice, "txtCodice", "Codice:", Line, "Codice identificativo:"),
    OPUSTECA_FIELD(TSchedaLibro, Convalida, "txtConvalida", "", Hidden),
    OPUSTECA_FIELD(TSchedaLibro, Scaffale, "txtScaffale", "Scaffale:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Autore, "txtAutore", "Autore:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Nazione, "txtNazione", "Nazione:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Curatore, "txtCuratore", "Curatore:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Dewey, "txtDewey", "Dewey:", Line, "Codice Dewey:"),
    OPUSTECA_FIELD(TSchedaLibro, Pagine, "txtPagine", "Pagine:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Genere, "txtGenere", "Genere:", Choice),
    OPUSTECA_FIELD(TSchedaLibro, Giudizio, "txtGiudizio", "Giudizio:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Editore, "txtEditore", "Casa editrice:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Isbn, "txtIsbn", "ISBN:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Citta, "txtCitta", "Citt\u00E0:", Line, "Citt\u00E0 pubblicazione:"),
    OPUSTECA_FIELD(TSchedaLibro, Anno, "txtAnno", "Anno:", Line, "Anno pubblicazione:"),
    OPUSTECA_FIELD(TSchedaLibro, Volumi, "txtVolumi", "Volumi:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Prezzo, "txtPrezzo", "Prezzo:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Collana, "txtCollana", "Collana:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Formato, "txtFormato", "Formato:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Originale, "txtOriginale", "Titolo originale:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Lingua, "txtLingua", "Lingua:", Choice),
    OPUSTECA_FIELD(TSchedaLibro, Prima, "txtPrima", "1^ pubbl.", Line, "Prima pubblicazione:"),
    OPUSTECA_FIELD(TSchedaLibro, Traduttore, "txtTraduttore", "Traduttore:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Versione, "txtVersione", "Versione:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Prestato, "txtPrestato", "Prestato a:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Scadenza, "txtScadenza", "Data prestito:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Note, "txtNote", "Note:", Line),
    OPUSTECA_FIELD(TSchedaLibro, Annullata, "chkAnnullata", "Annullata", Flag, "Scheda annullata:"),
    OPUSTECA_ATTACHMENT_FIELDS(TSchedaLibro),
};
} // namespace libro

const RecordLayout &bookLayout();

} // namespace opusteca
