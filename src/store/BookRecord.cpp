#include "store/BookRecord.h"

namespace opusteca {
namespace {

#define F(Name, Control, Label, Kind) OPUSTECA_FIELD(TSchedaLibro, Name, Control, Label, Kind)
constexpr FieldDef kFields[] = {
    F(Titolo, "txtTitolo", "Titolo libro:", Line),
    F(Codice, "txtCodice", "Codice:", Line),
    F(Convalida, "txtConvalida", "", Hidden),
    F(Scaffale, "txtScaffale", "Scaffale:", Line),
    F(Autore, "txtAutore", "Autore:", Line),
    F(Nazione, "txtNazione", "Nazione:", Line),
    F(Curatore, "txtCuratore", "Curatore:", Line),
    F(Dewey, "txtDewey", "Dewey:", Line),
    F(Pagine, "txtPagine", "Pagine:", Line),
    F(Genere, "txtGenere", "Genere:", Choice),
    F(Giudizio, "txtGiudizio", "Giudizio:", Line),
    F(Editore, "txtEditore", "Casa editrice:", Line),
    F(Isbn, "txtIsbn", "ISBN:", Line),
    F(Citta, "txtCitta", "Citt\u00E0:", Line),
    F(Anno, "txtAnno", "Anno:", Line),
    F(Volumi, "txtVolumi", "Volumi:", Line),
    F(Prezzo, "txtPrezzo", "Prezzo:", Line),
    F(Collana, "txtCollana", "Collana:", Line),
    F(Formato, "txtFormato", "Formato:", Line),
    F(Originale, "txtOriginale", "Titolo originale:", Line),
    F(Lingua, "txtLingua", "Lingua:", Choice),
    F(Prima, "txtPrima", "1^ pubbl.", Line),
    F(Traduttore, "txtTraduttore", "Traduttore:", Line),
    F(Versione, "txtVersione", "Versione:", Line),
    F(Prestato, "txtPrestato", "Prestato a:", Line),
    F(Scadenza, "txtScadenza", "Data prestito:", Line),
    F(Note, "txtNote", "Note:", Line),
    F(Annullata, "chkAnnullata", "Annullata", Flag),
    F(File01, "lblFile01", "", Hidden),
    F(File02, "lblFile02", "", Hidden),
    F(File03, "lblFile03", "", Hidden),
    F(Desc01, "lblDesc01", "", Hidden),
    F(Desc02, "lblDesc02", "", Hidden),
    F(Desc03, "lblDesc03", "", Hidden),
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
