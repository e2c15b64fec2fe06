#include "screens/TfrmLibri.h"

#include "export/TfrmExpLibri.h"
#include "export/TfrmStampaLibro.h"
#include "import/TfrmImportaLibri.h"
#include "kit/DialogScreen.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/core/RegionalSettings.h"
#include "loans/TfrmPrestiti.h"
#include "loans/TfrmStatistiche.h"
#include "screens/CardBuilder.h"
#include "search/TfrmTrovaDisponibili.h"
#include "search/TfrmTrovaLibri.h"
#include "store/BookRecord.h"
#include "store/Text.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>

namespace opusteca {
namespace {

using namespace libro;

ArchiveRules bookRules()
{
    return {.mandatory = {{Titolo, QStringLiteral("il titolo del libro")},
                          {Codice, QStringLiteral("il codice identificativo del libro")},
                          {Autore, QStringLiteral("l'autore del libro")}},
            .firstField = Titolo};
}

} // namespace

TfrmLibri::TfrmLibri(Program &app)
    : ArchiveScreen(app, bookLayout(), QStringLiteral("TfrmLibri"), QStringLiteral(" Opusteca 2.0 - Archivio Libri"),
                    bookRules())
{
}

void TfrmLibri::buildScreen()
{
    buildToolbar();
    buildCard();
}

void TfrmLibri::buildToolbar()
{
    QHBoxLayout *g1 = addToolbarGroup();
    addStandardCommand(g1, StandardCommand::New);
    auto *dup = addCommand(g1, QStringLiteral("cmdDuplica"), QStringLiteral("duplica"),
                           QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda "
                                          "duplicando i dati correnti."),
                           QStringLiteral("Duplica"));
    connect(dup, &CommandPicture::clicked, this, &TfrmLibri::cmdDuplicaClick);
    addStandardCommand(g1, StandardCommand::Save);
    connect(addStandardCommand(g1, StandardCommand::Search), &CommandPicture::clicked, this,
            [this] { openSearchScreen<TfrmTrovaLibri>(QStringLiteral("libri")); });

    QHBoxLayout *g2 = addToolbarGroup();
    auto *file = addCommand(g2, QStringLiteral("cmdFile"), QStringLiteral("allega"),
                            QStringLiteral("Allega file alla scheda corrente."), QStringLiteral("Allega file"));
    connect(file, &CommandPicture::clicked, this, [this] { openAttachments(QStringLiteral("libri")); });

    QHBoxLayout *g3 = addToolbarGroup();
    auto *stampa = addCommand(g3, QStringLiteral("cmdStampa"), QStringLiteral("stampa"),
                              QStringLiteral("Stampa la scheda corrente."), QStringLiteral("Stampa"));
    connect(stampa, &CommandPicture::clicked, this, [this] {
        openDialog<TfrmStampaLibro>(app(), this, [this](TfrmStampaLibro &d) { d.setBook(card().texts()); });
    });

    addCardCommands(addToolbarGroup());

    QHBoxLayout *g5 = addToolbarGroup();
    setExportCommandName(QStringLiteral("cmdEsporta"));
    connect(addStandardCommand(g5, StandardCommand::Export), &CommandPicture::clicked, this,
            [this] { openDialog<TfrmExpLibri>(app(), this); });
    auto *importa = addCommand(g5, QStringLiteral("cmdImporta"), QStringLiteral("importa_catalogo"),
                               QStringLiteral("Importa in archivio i libri di un catalogo esistente (CSV, "
                                              "Goodreads, LibraryThing, Opusteca)."),
                               QStringLiteral("Importa"));
    connect(importa, &CommandPicture::clicked, this, [this] { openDialog<TfrmImportaLibri>(app(), this); });
    auto *disp = addCommand(g5, QStringLiteral("cmdDisponibili"), QStringLiteral("disponibili"),
                            QStringLiteral("Trova un libro in archivio fra quelli disponibili per il prestito."),
                            QStringLiteral("Disponibili"));
    connect(disp, &CommandPicture::clicked, this,
            [this] { openSearchScreen<TfrmTrovaDisponibili>(QStringLiteral("libri")); });
    auto *prestiti =
        addCommand(g5, QStringLiteral("cmdPrestiti"), QStringLiteral("prestiti"),
                   QStringLiteral("Mostra i libri in prestito e quelli da restituire."), QStringLiteral("Prestiti"));
    connect(prestiti, &CommandPicture::clicked, this, [this] {
        openDialog<TfrmPrestiti>(app(), this, [&](TfrmPrestiti &d) { d.setChosenRecordAction(loadAction()); });
    });
    auto *statistiche = addCommand(g5, QStringLiteral("cmdStatistiche"), QStringLiteral("statistiche"),
                                   QStringLiteral("Mostra i dati riassuntivi e i grafici dell'archivio."),
                                   QStringLiteral("Statistiche"));
    connect(statistiche, &CommandPicture::clicked, this, [this] { openDialog<TfrmStatistiche>(app(), this); });

    QHBoxLayout *g6 = addToolbarGroup();
    addStandardCommand(g6, StandardCommand::Help);
    addStandardCommand(g6, StandardCommand::Exit);
}

void TfrmLibri::clearCard()
{
    ArchiveScreen::clearCard();
    card().setText(Convalida, no());
}

bool TfrmLibri::eventFilter(QObject *watched, QEvent *event)
{
    // The ISBN is kept trimmed and upper-case (a-z only) as the user types it.
    if (watched == m_txtIsbn && event->type() == QEvent::KeyRelease) {
        const QString wanted = text::upperAZ(text::trimmed(m_txtIsbn->text()));
        if (wanted != m_txtIsbn->text()) {
            const int cursor = m_txtIsbn->cursorPosition();
            m_txtIsbn->setText(wanted);
            m_txtIsbn->setCursorPosition(std::min<int>(cursor, int(wanted.size())));
        }
    }
    return ArchiveScreen::eventFilter(watched, event);
}

void TfrmLibri::cmdDuplicaClick()
{
    if (text::isBlank(lblPosizione()->text())) {
        msg::warning(this, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                          "dopo che questa è stata inserita in archivio."));
        return;
    }
    Card &c = card();
    c.setText(Convalida, no());
    for (int f : {Prestato, Scadenza, Codice, File01, File02, File03, Desc01, Desc02, Desc03}) c.setText(f, QString());
    c.setText(Annullata, no());
    lblPosizione()->clear();
    // Only makes sure the archive can be opened; the duplicated record is untouched.
    const bool ok = navigator().touch();
    c.control(Codice)->setFocus(Qt::OtherFocusReason);
    if (!ok) {
        msg::warning(this, accessError());
        return;
    }
    msg::information(this, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                          "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."));
}

QString TfrmLibri::isbnSearchAddress(const QString &isbn)
{
    // The query is passed as typed: the shell hands it to the browser.
    return QStringLiteral("http://www.google.com/search?q=ISBN:") + text::trimmed(isbn);
}

void TfrmLibri::btnGoogleClick()
{
    const QString isbn = text::trimmed(m_txtIsbn->text());
    if (isbn.isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: per poter effettuare una ricerca sul Web è necessario "
                                          "compilare il campo relativo all'ISBN del libro."));
        m_txtIsbn->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!shell::open(QLatin1Char('"') + isbnSearchAddress(isbn) + QLatin1Char('"')))
        msg::warning(this, QStringLiteral("Attenzione: il sistema non permette di collegarsi al motore di ricerca "
                                          "di Google.\n\r\n\rAccertarsi che la propria connessione a Internet "
                                          "funzioni correttamente."));
}

void TfrmLibri::btnScadenzaClick()
{
    card().setText(Scadenza, RegionalSettings::instance().formatDate(RegionalSettings::today()));
}

} // namespace opusteca
