#include "store/BookRecord.h"

namespace opusteca {
namespace {

static_assert(describesRecord<TSchedaLibro>(libro::kFields, libro::FieldCount, 3237));
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
    // The struct is the record: its size is the one the assert above states.
    static const RecordLayout layout{"Libri.pro", int(sizeof(TSchedaLibro)), FieldKind::LengthPrefixed,
                                     Trimming::Trimmed, libro::kFields};
    return layout;
}

} // namespace opusteca
