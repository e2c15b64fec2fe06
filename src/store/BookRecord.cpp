#include "store/BookRecord.h"

namespace opusteca {
namespace {

#define F(Name, Control, Label) OPUSTECA_FIELD(TSchedaLibro, Name, Control, Label)
constexpr FieldDef kFields[] = {
    F(Titolo, "txtTitolo", "Titolo libro:"),
    F(Codice, "txtCodice", "Codice:"),
    F(Convalida, "txtConvalida", ""),
    F(Scaffale, "txtScaffale", "Scaffale:"),
    F(Autore, "txtAutore", "Autore:"),
    F(Nazione, "txtNazione", "Nazione:"),
    F(Curatore, "txtCuratore", "Curatore:"),
    F(Dewey, "txtDewey", "Dewey:"),
    F(Pagine, "txtPagine", "Pagine:"),
    F(Genere, "txtGenere", "Genere:"),
    F(Giudizio, "txtGiudizio", "Giudizio:"),
    F(Editore, "txtEditore", "Casa editrice:"),
    F(Isbn, "txtIsbn", "ISBN:"),
    F(Citta, "txtCitta", "Citt\u00E0:"),
    F(Anno, "txtAnno", "Anno:"),
    F(Volumi, "txtVolumi", "Volumi:"),
    F(Prezzo, "txtPrezzo", "Prezzo:"),
    F(Collana, "txtCollana", "Collana:"),
    F(Formato, "txtFormato", "Formato:"),
    F(Originale, "txtOriginale", "Titolo originale:"),
    F(Lingua, "txtLingua", "Lingua:"),
    F(Prima, "txtPrima", "1^ pubbl."),
    F(Traduttore, "txtTraduttore", "Traduttore:"),
    F(Versione, "txtVersione", "Versione:"),
    F(Prestato, "txtPrestato", "Prestato a:"),
    F(Scadenza, "txtScadenza", "Data prestito:"),
    F(Note, "txtNote", "Note:"),
    F(Annullata, "chkAnnullata", "Annullata"),
    F(File01, "lblFile01", ""),
    F(File02, "lblFile02", ""),
    F(File03, "lblFile03", ""),
    F(Desc01, "lblDesc01", ""),
    F(Desc02, "lblDesc02", ""),
    F(Desc03, "lblDesc03", ""),
};
#undef F

static_assert(sizeof(TSchedaLibro) == 3237);
static_assert(std::size(kFields) == libro::FieldCount);
static_assert(fieldsAreContiguous(kFields, 3237));
static_assert(offsetof(TSchedaLibro, Codice) == 251);
static_assert(offsetof(TSchedaLibro, Convalida) == 276);
static_assert(offsetof(TSchedaLibro, Autore) == 330);
static_assert(offsetof(TSchedaLibro, Dewey) == 483);
static_assert(offsetof(TSchedaLibro, Pagine) == 487);
static_assert(offsetof(TSchedaLibro, Isbn) == 653);
static_assert(offsetof(TSchedaLibro, Anno) == 755);
static_assert(offsetof(TSchedaLibro, Originale) == 950);
static_assert(offsetof(TSchedaLibro, Lingua) == 1201);
static_assert(offsetof(TSchedaLibro, Prestato) == 1345);
static_assert(offsetof(TSchedaLibro, Scadenza) == 1466);
static_assert(offsetof(TSchedaLibro, Note) == 1477);
static_assert(offsetof(TSchedaLibro, Annullata) == 1728);
static_assert(offsetof(TSchedaLibro, File01) == 1731);
static_assert(offsetof(TSchedaLibro, Desc01) == 2484);
static_assert(offsetof(TSchedaLibro, Desc03) == 2986);

} // namespace

const RecordLayout &bookLayout()
{
    static const RecordLayout layout{"Libri.pro", 3237, FieldKind::LengthPrefixed,
                                     Trimming::Trimmed, kFields};
    return layout;
}

} // namespace opusteca
