#include "store/BibliographyRecord.h"

namespace opusteca {
namespace {

static_assert(describesRecord<TSchedaBibliografia>(bibliografia::kFields, bibliografia::FieldCount, 8286));
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
    // The struct is the record: its size is the one the assert above states.
    static const RecordLayout layout{"Bibliografie.pro", int(sizeof(TSchedaBibliografia)), FieldKind::ZeroTerminated,
                                     Trimming::AsTyped, bibliografia::kFields};
    return layout;
}

} // namespace opusteca
