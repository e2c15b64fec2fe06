#include "export/core/RtfCards.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"

#include <vector>

namespace opusteca {
namespace {

// A card document shows the fields its card shows, in file order, each under
// its long caption; the attachments, hidden on the card, stay out. `renamed`
// takes another label in this document alone.
std::vector<RtfCardField> cardFields(const RecordLayout &layout, int renamed = -1, const char *label = nullptr)
{
    std::vector<RtfCardField> out;
    for (int f = 0; f < layout.fieldCount(); ++f) {
        const FieldDef &def = layout.fields[size_t(f)];
        if (def.kind != ControlKind::Hidden) out.push_back({f == renamed ? label : def.documentLabel(), f});
    }
    return out;
}

} // namespace

const RtfCardKind &rtfCardKind(RtfCard card)
{
    static const std::vector<RtfCardField> authorFields = cardFields(authorLayout(), autore::Autore, "Nome:");
    static const std::vector<RtfCardField> bibliographyFields = cardFields(bibliographyLayout());
    static const RtfCardKind author{"autori", "Scheda_Autore.rtf", "SCHEDA AUTORE", &authorLayout(), authorFields};
    static const RtfCardKind bibliography{"bibliografie", "Scheda_Bibliografia.rtf", "SCHEDA RICERCA BIBLIOGRAFICA",
                                          &bibliographyLayout(), bibliographyFields};
    return card == RtfCard::Author ? author : bibliography;
}

const RtfCardKind *rtfCardKindForTag(QStringView tag)
{
    for (RtfCard c : {RtfCard::Author, RtfCard::Bibliography}) {
        const RtfCardKind &k = rtfCardKind(c);
        if (tag == QLatin1String(k.callerTag)) return &k;
    }
    return nullptr;
}

} // namespace opusteca
