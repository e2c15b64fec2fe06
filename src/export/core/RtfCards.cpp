#include "export/core/RtfCards.h"

#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"

namespace opusteca {
namespace {

constexpr RtfCardField kAuthorFields[] = {
    {"Nome:", autore::Autore},
    {"Nazionalit\u00E0:", autore::Nazione},
    {"Periodo storico:", autore::Periodo},
    {"Corrente letteraria:", autore::Corrente},
    {"Generi trattati:", autore::Generi},
    {"Biografia:", autore::Biografia},
    {"Opere:", autore::Opere},
    {"Pensiero:", autore::Pensiero},
    {"Capolavoro:", autore::Capolavoro},
    {"Giudizio personale:", autore::Giudizio},
};

// The attachments stay out of the document.
constexpr RtfCardField kBibliographyFields[] = {
    {"Titolo ricerca:", bibliografia::Titolo},
    {"Data inizio:", bibliografia::DataInizio},
    {"Data fine:", bibliografia::DataFine},
    {"Argomento trattato:", bibliografia::Argomento},
    {"Scopo della ricerca:", bibliografia::Scopo},
    {"Ricercatori:", bibliografia::Ricercatori},
    {"Bibliografia:", bibliografia::Bibliografia},
    {"Data e luogo presentazione:", bibliografia::Presentazione},
    {"Relatori:", bibliografia::Relatori},
    {"Destinatari:", bibliografia::Destinatari},
};

} // namespace

const RtfCardKind &rtfCardKind(RtfCard card)
{
    static const RtfCardKind author{"autori", "Scheda_Autore.rtf", "SCHEDA AUTORE", &authorLayout(), kAuthorFields};
    static const RtfCardKind bibliography{"bibliografie", "Scheda_Bibliografia.rtf", "SCHEDA RICERCA BIBLIOGRAFICA",
                                          &bibliographyLayout(), kBibliographyFields};
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
