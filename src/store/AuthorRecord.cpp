#include "store/AuthorRecord.h"

namespace opusteca {
namespace {

static_assert(describesRecord<TSchedaAutore>(autore::kFields, autore::FieldCount, 15960));
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
    // The struct is the record: its size is the one the assert above states.
    static const RecordLayout layout{"Autori.pro", int(sizeof(TSchedaAutore)), FieldKind::ZeroTerminated,
                                     Trimming::AsTyped, autore::kFields};
    return layout;
}

} // namespace opusteca
