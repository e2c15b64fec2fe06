#pragma once
#include <QString>

// The fixed texts the four search screens share.
namespace opusteca::searchtext {

// Filter panel instructions, top to bottom.
inline QString filterInstruction1()
{
    return QStringLiteral("Immettere nei campi prescelti una o pi\u00F9 parole consecutive presenti nelle schede da "
                          "trovare e premere il pulsante Cerca.");
}
inline QString filterInstruction2() { return QStringLiteral("Lasciare in bianco tutti gli altri campi."); }
inline QString filterInstruction3()
{
    return QStringLiteral("Per ogni ricerca \u00E8 possibile utilizzare uno o pi\u00F9 campi contemporaneamente.");
}
// Shown while a search runs (lblAttendere).
inline QString waitLabel() { return QStringLiteral("Ricerca schede in corso. Attendere..."); }
// Result panel instructions, top to bottom.
inline QString resultInstruction1()
{
    return QStringLiteral("Immettere una o pi\u00F9 parole consecutive presenti nella scheda in elenco da cercare e "
                          "premere il pulsante Trova.");
}
inline QString resultInstruction2()
{
    return QStringLiteral(
        "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su Trova.");
}
// Under the result list.
inline QString chooseHint()
{
    return QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic.");
}
// lblTrovate as laid out, before any search.
inline QString initialCount() { return QStringLiteral("Il presente elenco contiene 0 schede."); }
// Find on an empty list (plain box).
inline QString notApplicable()
{
    return QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
}

inline QString closeButton() { return QStringLiteral("Chiudi"); }
inline QString searchButton() { return QStringLiteral("Cerca"); }
inline QString findButton() { return QStringLiteral("Trova"); }
inline QString printButton() { return QStringLiteral("Stampa"); }

// lblTrovate after a search; no singular form, "1 schede" included.
inline QString countText(qsizetype entries)
{
    return QStringLiteral("Il presente riepilogo contiene ") + QString::number(entries) + QStringLiteral(" schede.");
}

} // namespace opusteca::searchtext
