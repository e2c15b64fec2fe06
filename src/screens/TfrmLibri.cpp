#include "screens/TfrmLibri.h"

#include "app/Application.h"
#include "app/Conventions.h"
#include "app/DialogScreen.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Pictures.h"
#include "app/Style.h"
#include "app/core/RegionalSettings.h"
#include "attach/TfrmAllegaCartella.h"
#include "export/TfrmExpLibri.h"
#include "export/TfrmStampaLibro.h"
#include "screens/CardBuilder.h"
#include "screens/TfrmCodici_Dewey.h"
#include "screens/core/BookLists.h"
#include "search/TfrmTrovaDisponibili.h"
#include "search/TfrmTrovaLibri.h"
#include "store/BookRecord.h"
#include "store/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace opusteca {
namespace {

using namespace libro;

ArchiveRules bookRules()
{
    ArchiveRules r;
    r.mandatory = {
        {Titolo, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo del libro.")},
        {Codice, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il codice "
                                "identificativo del libro.")},
        {Autore, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'autore del libro.")},
    };
    r.firstField = Titolo;
    return r;
}

// The grid of a section: a left and a right column of captioned fields; wide fields
// run across both. Columns: 0 caption, 1 field, 2 gap, 3 caption, 4-7 field (4 narrow
// field, 5 picture, 6 caption, 7 field), 8 picture.
enum Col { LCap = 0, LField = 1, Gap = 2, RCap = 3, RField = 4, RPic = 5, RCap2 = 6, RField2 = 7, FarPic = 8 };

} // namespace

TfrmLibri::TfrmLibri(Application &app)
    : ArchiveScreen(app, bookLayout(), QStringLiteral("TfrmLibri"),
                    QStringLiteral(" Opusteca 2.0 - Archivio Libri"), bookRules())
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
    connect(addStandardCommand(g1, StandardCommand::Search), &CommandPicture::clicked, this, [this] {
        openDialog<TfrmTrovaLibri>(app(), this, [](TfrmTrovaLibri &d) { d.setCallerTag(QStringLiteral("libri")); });
    });

    QHBoxLayout *g2 = addToolbarGroup();
    auto *file = addCommand(g2, QStringLiteral("cmdFile"), QStringLiteral("allega"),
                            QStringLiteral("Allega file alla scheda corrente."), QStringLiteral("Allega file"));
    connect(file, &CommandPicture::clicked, this, [this] {
        openDialog<TfrmAllegaCartella>(app(), this, [this](TfrmAllegaCartella &d) {
            d.setCallerTag(QStringLiteral("libri"));
            d.prefill(card(), {File01, File02, File03}, {Desc01, Desc02, Desc03});
        });
    });

    QHBoxLayout *g3 = addToolbarGroup();
    auto *stampa = addCommand(g3, QStringLiteral("cmdStampa"), QStringLiteral("stampa"),
                              QStringLiteral("Stampa la scheda corrente."), QStringLiteral("Stampa"));
    connect(stampa, &CommandPicture::clicked, this, [this] { openDialog<TfrmStampaLibro>(app(), this); });

    addCardCommands(addToolbarGroup());

    QHBoxLayout *g5 = addToolbarGroup();
    setExportCommandName(QStringLiteral("cmdEsporta"));
    connect(addStandardCommand(g5, StandardCommand::Export), &CommandPicture::clicked, this,
            [this] { openDialog<TfrmExpLibri>(app(), this); });
    auto *disp = addCommand(g5, QStringLiteral("cmdDisponibili"), QStringLiteral("disponibili"),
                            QStringLiteral("Trova un libro in archivio fra quelli disponibili per il prestito."),
                            QStringLiteral("Disponibili"));
    connect(disp, &CommandPicture::clicked, this, [this] {
        openDialog<TfrmTrovaDisponibili>(app(), this,
                                         [](TfrmTrovaDisponibili &d) { d.setCallerTag(QStringLiteral("libri")); });
    });

    QHBoxLayout *g6 = addToolbarGroup();
    addStandardCommand(g6, StandardCommand::Help);
    addStandardCommand(g6, StandardCommand::Exit);
}

QWidget *TfrmLibri::section(int number, const QString &art, QGridLayout *&grid)
{
    auto *frame = new QFrame(cardArea());
    frame->setObjectName(QStringLiteral("shpSezione%1").arg(number));
    style::setPanel(frame, style::Panel::Paper);
    addBackground(frame);
    auto *h = new QHBoxLayout(frame);
    h->setContentsMargins(10, 8, 14, 8);
    h->setSpacing(14);

    auto *pictureFrame = new QFrame(frame);
    pictureFrame->setObjectName(QStringLiteral("shpCornice%1").arg(number));
    style::setPanel(pictureFrame, style::Panel::PictureFrame);
    pictureFrame->setFixedWidth(92);
    addBackground(pictureFrame);
    auto *pv = new QVBoxLayout(pictureFrame);
    pv->setContentsMargins(4, 4, 4, 4);
    auto *picture = new QLabel(pictureFrame);
    picture->setObjectName(QStringLiteral("imgSezione%1").arg(number));
    picture->setPixmap(artwork::pixmap(art, QSize(80, 80)));
    picture->setAlignment(Qt::AlignCenter);
    pv->addWidget(picture, 0, Qt::AlignTop | Qt::AlignHCenter);
    pv->addStretch(1);
    h->addWidget(pictureFrame);

    auto *fields = new QWidget(frame);
    grid = new QGridLayout(fields);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    // Same column widths in every section, so the four grids line up.
    const QFontMetrics fm(style::captionFont());
    int captionWidth = 0;
    for (const FieldDef &f : bookLayout().fields)
        captionWidth = std::max(captionWidth, fm.horizontalAdvance(QString::fromUtf8(f.label)));
    grid->setColumnMinimumWidth(LCap, captionWidth + 4);
    grid->setColumnMinimumWidth(RCap, captionWidth + 4);
    grid->setColumnStretch(LField, 5);
    grid->setColumnMinimumWidth(Gap, 8);
    grid->setColumnMinimumWidth(RField, 100);
    grid->setColumnMinimumWidth(RPic, 26);
    grid->setColumnMinimumWidth(FarPic, 26);
    grid->setColumnStretch(RField2, 3);
    h->addWidget(fields, 1);
    return frame;
}

void TfrmLibri::buildCard()
{
    Card &c = card();
    auto *v = new QVBoxLayout(cardArea());
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(8);

    const auto cap = [&](int field, QGridLayout *g, int row, int col, bool crimson = false) {
        QLabel *l = cardui::caption(c, field, g->parentWidget());
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (crimson) style::setTextColour(l, style::colour::alert);
        g->addWidget(l, row, col);
        return l;
    };
    // A captioned line field, left (L) or right (R), or across both (wide).
    const auto left = [&](int field, QGridLayout *g, int row) {
        cap(field, g, row, LCap);
        g->addWidget(cardui::lineField(c, field, g->parentWidget()), row, LField);
    };
    const auto right = [&](int field, QGridLayout *g, int row) {
        cap(field, g, row, RCap);
        g->addWidget(cardui::lineField(c, field, g->parentWidget()), row, RField, 1, 4);
    };
    const auto wide = [&](int field, QGridLayout *g, int row) {
        cap(field, g, row, LCap);
        g->addWidget(cardui::lineField(c, field, g->parentWidget()), row, LField, 1, 8);
    };
    const auto picture = [&](QGridLayout *g, const QString &name, const QString &art, const QString &hover) {
        auto *p = new CommandPicture(name, art, QSize(26, 26), g->parentWidget());
        statusLine()->addHover(p, hover);
        return p;
    };

    QGridLayout *g = nullptr;
    // 1: the book and its author.
    v->addWidget(section(1, QStringLiteral("sezione_libro"), g));
    wide(Titolo, g, 0);
    left(Codice, g, 1);
    right(Scaffale, g, 1);
    left(Autore, g, 2);
    right(Nazione, g, 2);
    left(Curatore, g, 3);
    cap(Dewey, g, 3, RCap);
    auto *dewey = cardui::lineField(c, Dewey, g->parentWidget());
    g->addWidget(dewey, 3, RField);
    auto *btnDewey = picture(g, QStringLiteral("btnDewey"), QStringLiteral("dewey"),
                             QStringLiteral("Visualizza la Tabella dei Codici Dewey."));
    g->addWidget(btnDewey, 3, RPic);
    cap(Pagine, g, 3, RCap2);
    g->addWidget(cardui::lineField(c, Pagine, g->parentWidget()), 3, RField2);
    cap(Genere, g, 4, LCap);
    g->addWidget(cardui::listField(c, Genere, booklists::genres(), g->parentWidget()), 4, LField);
    right(Giudizio, g, 4);

    // 2: the edition.
    v->addWidget(section(2, QStringLiteral("sezione_editore"), g));
    left(Editore, g, 0);
    right(Isbn, g, 0);
    m_txtIsbn = c.control<QLineEdit>(Isbn);
    m_txtIsbn->installEventFilter(this);
    auto *btnGoogle = picture(g, QStringLiteral("btnGoogle"), QStringLiteral("web"),
                              QStringLiteral("Cerca sul Web, tramite Google, informazioni relative al libro "
                                             "con l'ISBN indicato."));
    g->addWidget(btnGoogle, 0, FarPic);
    left(Citta, g, 1);
    right(Anno, g, 1);
    left(Volumi, g, 2);
    right(Prezzo, g, 2);
    left(Collana, g, 3);
    right(Formato, g, 3);

    // 3: the original and the translation.
    v->addWidget(section(3, QStringLiteral("sezione_originale"), g));
    wide(Originale, g, 0);
    cap(Lingua, g, 1, LCap);
    g->addWidget(cardui::listField(c, Lingua, booklists::languages(), g->parentWidget()), 1, LField);
    right(Prima, g, 1);
    left(Traduttore, g, 2);
    right(Versione, g, 2);

    // 4: notes, loan and the cancelled flag.
    v->addWidget(section(4, QStringLiteral("sezione_note"), g));
    wide(Note, g, 0);
    cap(Prestato, g, 1, LCap, true);
    g->addWidget(cardui::lineField(c, Prestato, g->parentWidget()), 1, LField);
    cap(Scadenza, g, 1, RCap, true);
    auto *scadenza = cardui::lineField(c, Scadenza, g->parentWidget());
    g->addWidget(scadenza, 1, RField);
    auto *btnScadenza = picture(g, QStringLiteral("btnScadenza"), QStringLiteral("calendario"),
                                QStringLiteral("Inserisci la data corrente."));
    g->addWidget(btnScadenza, 1, RPic);
    auto *chk = new QCheckBox(QStringLiteral("Annullata"), g->parentWidget());
    chk->setObjectName(QStringLiteral("chkAnnullata"));
    chk->setFont(style::captionFont());
    style::setTextColour(chk, style::colour::alert);
    c.bind(Annullata, chk);
    statusLine()->addHover(chk, QStringLiteral("Contrassegna la scheda del libro come annullata per "
                                               "escluderla dai risultati di ricerca."));
    auto *mark = new QLabel(g->parentWidget());
    mark->setObjectName(QStringLiteral("imgAnnullata"));
    mark->setPixmap(artwork::pixmap(QStringLiteral("annullata"), QSize(26, 26)));
    auto *chkRow = new QHBoxLayout;
    chkRow->setSpacing(6);
    chkRow->addWidget(chk);
    chkRow->addWidget(mark);
    chkRow->addStretch(1);
    g->addLayout(chkRow, 1, RCap2, 1, 3);

    // Fields the user never types: they travel with the record.
    for (int f : {Convalida, File01, File02, File03, Desc01, Desc02, Desc03})
        cardui::hiddenField(c, f, cardArea());
    v->addStretch(1);

    // Tab order and Enter chain follow the card's field order.
    const QList<int> order = {Titolo, Codice, Scaffale, Autore, Nazione, Curatore, Dewey, Pagine,
                              Genere, Giudizio, Editore, Isbn, Citta, Anno, Volumi, Prezzo, Collana,
                              Formato, Originale, Lingua, Prima, Traduttore, Versione, Note, Prestato,
                              Scadenza};
    QList<QWidget *> chain;
    for (int f : order) chain << c.control(f);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
    setTabOrder(chain.last(), chk);
    new EnterChain(this, chain, true);

    connect(btnDewey, &CommandPicture::clicked, this, [this] {
        openDialog<TfrmCodici_Dewey>(app(), this, [](TfrmCodici_Dewey &d) { d.setCallerTag(QStringLiteral("libri")); });
    });
    connect(btnGoogle, &CommandPicture::clicked, this, &TfrmLibri::btnGoogleClick);
    connect(btnScadenza, &CommandPicture::clicked, this, &TfrmLibri::btnScadenzaClick);
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
    for (int f : {Prestato, Scadenza, Codice, File01, File02, File03, Desc01, Desc02, Desc03})
        c.setText(f, QString());
    c.control<QCheckBox>(Annullata)->setChecked(false);
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
    if (!TMisc::Open(QLatin1Char('"') + isbnSearchAddress(isbn) + QLatin1Char('"')))
        msg::warning(this, QStringLiteral("Attenzione: il sistema non permette di collegarsi al motore di ricerca "
                                          "di Google.\n\r\n\rAccertarsi che la propria connessione a Internet "
                                          "funzioni correttamente."));
}

void TfrmLibri::btnScadenzaClick()
{
    card().setText(Scadenza, RegionalSettings::instance().formatDate(RegionalSettings::today()));
}

} // namespace opusteca
