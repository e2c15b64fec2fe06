#include "screens/TfrmBibliografie.h"

#include "export/TfrmExpBibliografie.h"
#include "screens/CardBuilder.h"
#include "search/TfrmTrovaBibliografie.h"
#include "search/TfrmTrovaLibri.h"
#include "store/BibliographyRecord.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace opusteca {
namespace {

using namespace bibliografia;

ArchiveRules bibliographyRules()
{
    return {.mandatory = {{Titolo, QStringLiteral("il titolo della ricerca")}},
            .saveFailureInPlainBox = true,
            .firstField = Titolo};
}

} // namespace

TfrmBibliografie::TfrmBibliografie(Program &app)
    : SideCardScreen(app, bibliographyLayout(), QStringLiteral("TfrmBibliografie"),
                     QStringLiteral(" Opusteca 2.0 - Archivio Bibliografie"), bibliographyRules())
{
}

void TfrmBibliografie::buildScreen()
{
    buildToolbar(
        {QStringLiteral("allega"), QStringLiteral("Allega file"), QStringLiteral("Allega file alla scheda corrente.")});
    QGridLayout *g = buildFieldArea(QStringLiteral("lato_bibliografie"));

    placeFields({{Titolo, 0, 0, 4},
                 {DataInizio, 0, 4, 1},
                 {DataFine, 0, 5, 1},
                 {Argomento, 2, 0, 6},
                 {Scopo, 4, 0, 6},
                 {Ricercatori, 6, 0, 6},
                 {Bibliografia, 8, 0, 6},
                 {Presentazione, 10, 0, 6},
                 {Relatori, 12, 0, 6},
                 {Destinatari, 14, 0, 6}});
    for (int f : {DataInizio, DataFine}) qobject_cast<QLineEdit *>(card().control(f))->setAlignment(Qt::AlignCenter);
    addImportArrow(8, 0, 6);
    g->setRowStretch(9, 1);

    cardui::hiddenFields(card(), g->parentWidget());
}

void TfrmBibliografie::cmdCartellaClick()
{
    // Attachments need no stored card: they reach the file with the next save.
    openAttachments(QStringLiteral("bibliografie"));
}

void TfrmBibliografie::openSearch() { openSearchScreen<TfrmTrovaBibliografie>(tag()); }

void TfrmBibliografie::openExport() { openDialog<TfrmExpBibliografie>(app(), this); }

void TfrmBibliografie::openImport()
{
    openDialog<TfrmTrovaLibri>(app(), this, [this](TfrmTrovaLibri &d) {
        d.setCallerTag(tag());
        d.setChosenRecordAction(importAction(Bibliografia));
    });
}

} // namespace opusteca
