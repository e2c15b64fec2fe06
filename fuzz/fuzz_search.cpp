// The search match, on raw record bytes, against the rule it stands for: a
// record is left out by its kind's rule, and otherwise matches when every
// filter in use occurs, A-Z folded, in its field's loaded value.
#include "FuzzCheck.h"
#include "search/core/SearchMatch.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/Text.h"

using namespace opusteca;

namespace {

bool expectedSkip(const SearchKindDef &kind, const Record &r)
{
    const bool current = kind.kind == SearchKind::Books || kind.kind == SearchKind::AvailableBooks
                             ? r.text(libro::Annullata) == QLatin1String("No")
                             : true;
    if (kind.kind == SearchKind::Books) return !current;
    if (kind.kind == SearchKind::AvailableBooks)
        return !current || !text::isBlank(r.text(libro::Prestato)) || !text::isBlank(r.text(libro::Scadenza));
    return false;
}

bool expectedMatch(const SearchKindDef &kind, const QStringList &texts, const Record &r)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (text::isBlank(texts[i])) continue;
        const QString value = r.text(kind.filters[i].field);
        if (!text::lowerAZ(value).contains(text::lowerAZ(texts[i]))) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    const auto kinds = searchKinds();
    const SearchKindDef &kind = kinds[in.byte() % kinds.size()];
    const unsigned filters = in.byte() % (kSearchFilterCount + 1);
    QStringList texts;
    int inUse = 0;
    for (unsigned i = 0; i < filters; ++i) {
        const QByteArray chunk = in.chunk();
        // Mostly text a field can hold; now and then any character at all.
        const QString t = chunk.startsWith('\xFE') ? fuzz::Input::utf16(chunk.mid(1)) : cp1252::decode(chunk);
        texts.append(t);
        inUse += text::isBlank(t) ? 0 : 1;
    }
    const RecordLayout &layout = kind.layout();
    QByteArray raw = in.rest().left(layout.recordSize);
    raw.append(QByteArray(layout.recordSize - raw.size(), '\0'));
    const Record record(layout, raw);

    const FilterSet set(kind, texts);
    FUZZ_CHECK(set.inUse() == inUse);
    FUZZ_CHECK(isSkipped(kind, raw.constData()) == expectedSkip(kind, record));
    FUZZ_CHECK(set.matches(raw.constData()) == expectedMatch(kind, texts, record));
    return 0;
}
