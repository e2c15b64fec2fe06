// A record loaded from arbitrary bytes, stored field by field and loaded again
// reads the same: whatever a damaged archive holds, a card loaded from it and
// saved unchanged shows the same texts next time. Built once per record layout.
#include "FuzzCheck.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/Record.h"

#include <QStringList>

using namespace opusteca;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const RecordLayout &layout = OPUSTECA_FUZZ_LAYOUT();
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(std::min<size_t>(size, layout.recordSize)));
    // Short inputs stand for the front of a record; the rest is what an
    // unused record holds.
    bytes.append(QByteArray(layout.recordSize - bytes.size(), '\0'));

    const Record first(layout, bytes);
    Record rebuilt(layout);
    QStringList texts;
    for (int f = 0; f < layout.fieldCount(); ++f) {
        const FieldDef &def = layout.fields[f];
        const QString t = first.text(f);
        // A field never yields more than its capacity, and raw and decoded agree.
        FUZZ_CHECK(t.size() <= def.capacity);
        FUZZ_CHECK(first.rawText(f).size() <= def.capacity);
        if (layout.trimming == Trimming::AsTyped) FUZZ_CHECK(cp1252::decode(first.rawText(f).toByteArray()) == t);
        texts.append(t);
        rebuilt.setText(f, t);
    }
    FUZZ_CHECK(rebuilt.bytes().size() == layout.recordSize);
    const Record second(layout, rebuilt.bytes());
    for (int f = 0; f < layout.fieldCount(); ++f) FUZZ_CHECK(second.text(f) == texts[f]);
    // Storing again what was loaded from the rebuilt record changes no byte.
    Record again(layout);
    for (int f = 0; f < layout.fieldCount(); ++f) again.setText(f, second.text(f));
    FUZZ_CHECK(again.bytes() == rebuilt.bytes());
    return 0;
}
