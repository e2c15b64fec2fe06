#include "screens/TfrmBibliografie.h"

#include "attach/TfrmAllegaCartella.h"
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

TfrmBibliografie::TfrmBibliografie(Application &app)
    : SideCardScreen(app, bibliographyLayout(), QStringLiteral("TfrmBibliografie"),
                     QStringLiteral(" Opusteca 2.0 - Archivio Bibliografie"), bibliographyRules())
{
}

void TfrmBibliografie::buildScreen()
{
    buildToolbar({QStringLiteral("allega"), QStringLiteral("Allega file"),
                  QStringLiteral("Allega file alla scheda corrente.")});
    QGridLayout *g = buildFieldArea(QStringLiteral("lato_bibliografie"));

    place(Titolo, 0, 0, 4, QStringLiteral("lblCampo001"), lineField(Titolo));
    for (int f : {DataInizio, DataFine}) {
        auto *date = lineField(f);
        date->setAlignment(Qt::AlignCenter);
        place(f, 0, f == DataInizio ? 4 : 5, 1,
              QStringLiteral("lblCampo00%1").arg(f == DataInizio ? 2 : 3), date);
    }
    place(Argomento, 2, 0, 6, QStringLiteral("lblCampo004"), lineField(Argomento));
    place(Scopo, 4, 0, 6, QStringLiteral("lblCampo005"), lineField(Scopo));
    place(Ricercatori, 6, 0, 6, QStringLiteral("lblCampo006"), lineField(Ricercatori));
    place(Bibliografia, 8, 0, 6, QStringLiteral("lblCampo007"), memoField(Bibliografia));
    addImportArrow(8, 0, 6);
    place(Presentazione, 10, 0, 6, QStringLiteral("lblCampo008"), lineField(Presentazione));
    place(Relatori, 12, 0, 6, QStringLiteral("lblCampo009"), lineField(Relatori));
    place(Destinatari, 14, 0, 6, QStringLiteral("lblCampo010"), lineField(Destinatari));
    g->setRowStretch(9, 1);

    cardui::hiddenFields(card(), g->parentWidget());

    chainFields({Titolo, DataInizio, DataFine, Argomento, Scopo, Ricercatori, Bibliografia, Presentazione,
                 Relatori, Destinatari});
}

void TfrmBibliografie::cmdCartellaClick()
{
    // Attachments need no stored card: they reach the file with the next save.
    openDialog<TfrmAllegaCartella>(app(), this, [](TfrmAllegaCartella &d) {
        d.setCallerTag(QStringLiteral("bibliografie"));
        d.prefillFromCard();
    });
}

void TfrmBibliografie::openSearch()
{
    openSearchScreen<TfrmTrovaBibliografie>(tag());
}

void TfrmBibliografie::openExport() { openDialog<TfrmExpBibliografie>(app(), this); }

void TfrmBibliografie::openImport()
{
    openDialog<TfrmTrovaLibri>(app(), this, [this](TfrmTrovaLibri &d) {
        d.setCallerTag(tag());
        d.setChosenRecordAction(importAction(Bibliografia));
    });
}

} // namespace opusteca
