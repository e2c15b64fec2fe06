#include "screens/TfrmAutori.h"

#include "attach/TfrmCartella.h"
#include "export/TfrmExpAutori.h"
#include "kit/Messages.h"
#include "screens/CardBuilder.h"
#include "search/TfrmTrovaAutori.h"
#include "search/TfrmTrovaLibri.h"
#include "store/AuthorRecord.h"
#include "store/Text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace opusteca {
namespace {

using namespace autore;

ArchiveRules authorRules()
{
    return {.mandatory = {{Autore, QStringLiteral("il nome dell'autore")}},
            .saveFailureInPlainBox = true,
            .firstField = Autore};
}

} // namespace

TfrmAutori::TfrmAutori(Program &app)
    : SideCardScreen(app, authorLayout(), QStringLiteral("TfrmAutori"),
                     QStringLiteral(" Opusteca 2.0 - Archivio Autori"), authorRules())
{
}

void TfrmAutori::buildScreen()
{
    buildToolbar({QStringLiteral("cartella"), QStringLiteral("Associa cartella"),
                  QStringLiteral("Gestisci la cartella abbinata alla scheda corrente.")});
    QGridLayout *g = buildFieldArea(QStringLiteral("lato_autori"));

    // Row 1 has three equal fields, row 2 and the last row one narrow and one wide.
    placeFields({{Autore, 0, 0, 2},
                 {Nazione, 0, 2, 2},
                 {Periodo, 0, 4, 2},
                 {Corrente, 2, 0, 2},
                 {Generi, 2, 2, 4},
                 {Biografia, 4, 0, 6},
                 {Opere, 6, 0, 6},
                 {Pensiero, 8, 0, 6},
                 {Capolavoro, 10, 0, 2},
                 {Giudizio, 10, 2, 4}});
    addImportArrow(6, 0, 6);
    for (int row : {5, 7, 9}) g->setRowStretch(row, 1);
}

void TfrmAutori::cmdCartellaClick()
{
    const QString number = text::trimmed(lblPosizione()->text());
    if (number.isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: l'abbinamento di una cartella ad un autore può avvenire "
                                          "soltanto dopo che la scheda è stata inserita in archivio."));
        return;
    }
    openDialog<TfrmCartella>(app(), this, [&](TfrmCartella &d) { d.setCallerTag(number); });
}

void TfrmAutori::openSearch() { openSearchScreen<TfrmTrovaAutori>(tag()); }

void TfrmAutori::openExport() { openDialog<TfrmExpAutori>(app(), this); }

void TfrmAutori::openImport()
{
    const QString author = text::trimmed(card().text(Autore));
    openDialog<TfrmTrovaLibri>(app(), this, [&](TfrmTrovaLibri &d) {
        d.setCallerTag(tag());
        d.setChosenRecordAction(importAction(Opere));
        d.prefillFilter(QStringLiteral("txtAutore"), author);
    });
}

} // namespace opusteca
