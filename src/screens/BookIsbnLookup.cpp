// The book card filled from the catalogues by its ISBN.
#include "screens/TfrmLibri.h"

#include "attach/core/AttachmentFolder.h"
#include "kit/DialogScreen.h"
#include "kit/Messages.h"
#include "kit/Program.h"
#include "lookup/CatalogueLookup.h"
#include "lookup/TfrmDatiISBN.h"
#include "lookup/core/Isbn.h"
#include "store/BookRecord.h"
#include "store/Text.h"

#include <QLineEdit>
#include <QTemporaryFile>

namespace opusteca {
namespace {

using namespace libro;

constexpr int kFileSlots[] = {File01, File02, File03};
constexpr int kDescSlots[] = {Desc01, Desc02, Desc03};

// The attachment screen's question, for the same rule.
const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");

// The slot the cover goes to: the one that already names it, else the first empty one; -1 when none.
int coverSlot(const Card &card, const QString &name)
{
    for (int i = 0; i < 3; ++i)
        if (text::trimmed(card.text(kFileSlots[i])) == name) return i;
    for (int i = 0; i < 3; ++i)
        if (text::isBlank(card.text(kFileSlots[i]))) return i;
    return -1;
}

} // namespace

void TfrmLibri::btnCercaISBNClick()
{
    const QString typed = text::trimmed(m_txtIsbn->text());
    if (isbn::compact(typed).isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: per poter cercare i dati del libro è necessario compilare "
                                          "il campo relativo all'ISBN."));
        m_txtIsbn->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString number = isbn::valid(typed);
    if (number.isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: l'ISBN indicato non è valido. Controllare le cifre e la "
                                          "cifra di controllo."));
        m_txtIsbn->setFocus(Qt::OtherFocusReason);
        return;
    }

    CatalogueLookup lookup(app().programFolder());
    const CatalogueLookup::Outcome found = lookup.lookUp(this, number);
    switch (found.result) {
    case CatalogueLookup::Result::Cancelled:
        return;
    case CatalogueLookup::Result::NotFound:
        msg::information(this, QStringLiteral("Nessun libro trovato in rete con l'ISBN indicato."));
        return;
    case CatalogueLookup::Result::NoAnswer:
        msg::warning(this, QStringLiteral("Attenzione: non è stato possibile collegarsi ai servizi di ricerca. "
                                          "Controllare la connessione a Internet."));
        return;
    case CatalogueLookup::Result::Found:
        break;
    }

    QList<TfrmDatiISBN::Row> rows;
    for (const catalogue::FoundValue &v : found.book.values) {
        const QString value = catalogue::forField(v.field, v.value);
        if (!value.isEmpty()) rows.append({v.field, value, card().text(v.field)});
    }
    const QString coverName = catalogue::coverFileName(isbn::to13(number));
    TfrmDatiISBN::Cover cover = TfrmDatiISBN::Cover::None;
    if (!found.book.cover.isEmpty())
        cover = coverSlot(card(), coverName) >= 0 ? TfrmDatiISBN::Cover::Available : TfrmDatiISBN::Cover::NoFreeSlot;

    openDialog<TfrmDatiISBN>(app(), this, [&](TfrmDatiISBN &d) {
        d.setData(catalogue::sourceName(found.source), rows, cover);
        d.setApplyAction([&](const TfrmDatiISBN::Choice &choice) {
            for (const catalogue::FoundValue &v : choice.values) card().setText(v.field, v.value);
            if (choice.cover) attachCover(lookup, &d, found.book.cover, coverName);
        });
    });
}

void TfrmLibri::attachCover(CatalogueLookup &lookup, QWidget *over, const QString &address, const QString &name)
{
    QByteArray image;
    bool cancelled = false;
    if (!lookup.fetchCover(over, address, image, cancelled)) {
        if (!cancelled)
            msg::warning(over, QStringLiteral("Attenzione: non è stato possibile scaricare la copertina del libro."));
        return;
    }
    const AttachmentFolder folder(app().programFolder());
    bool stored = folder.ensureExists();
    if (stored && (!folder.contains(name) || msg::confirm(over, kOverwrite))) {
        // Through a file of its own, so the folder's copy rule (a temporary file,
        // then the old copy replaced) is the attachment screen's.
        QTemporaryFile download;
        stored = download.open() && download.write(image) == image.size() && download.flush() &&
                 folder.copyIn(download.fileName(), name) != AttachmentFolder::CopyResult::Failed;
    }
    if (!stored) {
        msg::warning(over, QStringLiteral("Attenzione: non è stato possibile salvare la copertina nella cartella "
                                          "dei documenti allegati."));
        return;
    }
    const int slot = coverSlot(card(), name);
    if (slot < 0) return;
    card().setText(kFileSlots[slot], name);
    card().setText(kDescSlots[slot], QStringLiteral("Copertina"));
}

} // namespace opusteca
