// The book card of TfrmLibri, built section by section.
#include "screens/TfrmLibri.h"

#include "kit/Conventions.h"
#include "kit/DialogScreen.h"
#include "kit/Pictures.h"
#include "kit/Style.h"
#include "screens/CardBuilder.h"
#include "screens/TfrmCodici_Dewey.h"
#include "store/BookLists.h"
#include "store/BookRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace opusteca {
namespace {

using namespace libro;

// The grid of a section: a left and a right column of captioned fields, the
// same in every section so that the four grids line up. Wide fields run across
// both columns. Columns: 0 caption, 1 field, 2 caption, 3 field (or a row of
// parts starting with one), 4 a picture beside a right-hand field.
enum Col { LCap = 0, LField = 1, RCap = 2, RField = 3, FarPic = 4 };

// Where the captioned fields of the card stand: section (1 to 4), the left
// column, the right one or across both, and row. The Dewey code, the pages and
// the loan date share their rows with pictures: their sections place them.
enum Side { Left, Right, Wide };
struct Place {
    int field;
    int section;
    Side side;
    int row;
};
constexpr Place kPlaces[] = {
    {Titolo, 1, Wide, 0},    {Codice, 1, Left, 1},   {Scaffale, 1, Right, 1}, {Autore, 1, Left, 2},
    {Nazione, 1, Right, 2},  {Curatore, 1, Left, 3}, {Genere, 1, Left, 4},    {Giudizio, 1, Right, 4},
    {Editore, 2, Left, 0},   {Isbn, 2, Right, 0},    {Citta, 2, Left, 1},     {Anno, 2, Right, 1},
    {Volumi, 2, Left, 2},    {Prezzo, 2, Right, 2},  {Collana, 2, Left, 3},   {Formato, 2, Right, 3},
    {Originale, 3, Wide, 0}, {Lingua, 3, Left, 1},   {Prima, 3, Right, 1},    {Traduttore, 3, Left, 2},
    {Versione, 3, Right, 2}, {Note, 4, Wide, 0},
};

// Places the captioned fields of one section on its grid.
class SectionRows {
public:
    SectionRows(Card &card, QGridLayout *grid) : m_card(card), m_grid(grid) {}

    QWidget *area() const { return m_grid->parentWidget(); }
    QGridLayout *grid() const { return m_grid; }

    QLabel *caption(int field, bool alert = false)
    {
        QLabel *l = cardui::caption(m_card, field, area());
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (alert) style::setTextColour(l, style::colour::alert);
        return l;
    }
    // The field's control, of the kind its row of the field table gives.
    QWidget *control(int field)
    {
        switch (bookLayout().fields[size_t(field)].kind) {
        case ControlKind::Line:
            return cardui::lineField(m_card, field, area());
        case ControlKind::Memo:
            return cardui::memoField(m_card, field, area());
        case ControlKind::Choice:
            return cardui::listField(m_card, field, choices(field), area());
        case ControlKind::Flag:
            return cardui::flagField(m_card, field, yes(), no(), area());
        case ControlKind::Hidden:
            break;
        }
        return cardui::hiddenField(m_card, field, area());
    }
    // The captioned fields of a section, as kPlaces gives them.
    void placeSection(int section)
    {
        for (const Place &p : kPlaces) {
            if (p.section != section) continue;
            if (p.side == Right)
                captioned(p.field, p.row, RCap, RField, 1);
            else
                captioned(p.field, p.row, LCap, LField, p.side == Wide ? FarPic - LField + 1 : 1);
        }
    }
    // The right-hand cell of a row that holds more than one field: captioned by
    // `field`, its parts are added by the caller, the first starting where every
    // right-hand field starts.
    QHBoxLayout *rightParts(int field, int row, bool alert = false)
    {
        m_grid->addWidget(caption(field, alert), row, RCap);
        auto *parts = new QHBoxLayout;
        parts->setSpacing(m_grid->horizontalSpacing());
        m_grid->addLayout(parts, row, RField);
        return parts;
    }

private:
    // The items of the book card's drop-down lists.
    static QStringList choices(int field)
    {
        if (field == Genere) return booklists::genres();
        if (field == Lingua) return booklists::languages();
        return {};
    }
    QWidget *captioned(int field, int row, int capCol, int fieldCol, int span)
    {
        m_grid->addWidget(caption(field), row, capCol);
        QWidget *c = control(field);
        m_grid->addWidget(c, row, fieldCol, 1, span);
        return c;
    }

    Card &m_card;
    QGridLayout *m_grid;
};

} // namespace

void TfrmLibri::buildCard()
{
    auto *v = new QVBoxLayout(cardArea());
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(8);
    buildBookSection(v);
    buildEditionSection(v);
    buildOriginalSection(v);
    buildNotesSection(v);
    cardui::hiddenFields(card(), cardArea());
    // On a tall screen the sections grow in proportion to the height of their
    // rows, which spread evenly, so the spare height goes alike to every row
    // instead of leaving a band above the status line.
    for (int i = 0; i < v->count(); ++i)
        if (QWidget *section = v->itemAt(i)->widget())
            if (auto *grid = section->findChild<QGridLayout *>()) {
                v->setStretch(i, grid->sizeHint().height());
                for (int row = 0; row < grid->rowCount(); ++row) grid->setRowStretch(row, 1);
            }

    // Tab order and Enter chain follow the card's field order; the check box is
    // reached by Tab only.
    const QList<int> order = {Titolo,    Codice,  Scaffale, Autore,     Nazione,  Curatore, Dewey,    Pagine,  Genere,
                              Giudizio,  Editore, Isbn,     Citta,      Anno,     Volumi,   Prezzo,   Collana, Formato,
                              Originale, Lingua,  Prima,    Traduttore, Versione, Note,     Prestato, Scadenza};
    QList<QWidget *> chain;
    for (int f : order) chain << card().control(f);
    chainFocus(this, chain, true, {card().control(Annullata)});
}

QGridLayout *TfrmLibri::addSection(QVBoxLayout *cardLayout, int number, const QString &art)
{
    auto *frame = style::panel(QStringLiteral("shpSezione%1").arg(number), style::Panel::Paper, cardArea());
    addBackground(frame);
    auto *h = new QHBoxLayout(frame);
    h->setContentsMargins(10, 8, 14, 8);
    h->setSpacing(14);

    auto *pictureFrame = style::panel(QStringLiteral("shpCornice%1").arg(number), style::Panel::PictureFrame, frame);
    pictureFrame->setFixedWidth(92);
    addBackground(pictureFrame);
    auto *pv = new QVBoxLayout(pictureFrame);
    pv->setContentsMargins(4, 4, 4, 4);
    auto *picture = artwork::picture(QStringLiteral("imgSezione%1").arg(number), art, QSize(80, 80), pictureFrame);
    picture->setAlignment(Qt::AlignCenter);
    pv->addWidget(picture, 0, Qt::AlignCenter);
    h->addWidget(pictureFrame);

    auto *fields = new QWidget(frame);
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    // Same column widths in every section, so the four grids line up: captions
    // as wide as the widest caption of the card, and two field columns sharing
    // what is left equally.
    const QFontMetrics fm(style::captionFont());
    int captionWidth = 0;
    for (const FieldDef &f : bookLayout().fields)
        captionWidth = std::max(captionWidth, fm.horizontalAdvance(QString::fromUtf8(f.label)));
    // The right-hand captions, aligned right, leave the gap between the columns.
    // (A column of its own for the gap would count as empty, and lose its
    // spacing, in a section without a wide field.)
    grid->setColumnMinimumWidth(LCap, captionWidth + 4);
    grid->setColumnMinimumWidth(RCap, captionWidth + 20);
    // Room for the two pictures beside the ISBN in every section, so the grids still line up.
    grid->setColumnMinimumWidth(FarPic, 2 * 26 + 4);
    grid->setColumnStretch(LField, 1);
    grid->setColumnStretch(RField, 1);
    h->addWidget(fields, 1);
    cardLayout->addWidget(frame);
    return grid;
}

CommandPicture *TfrmLibri::fieldPicture(QWidget *parent, const QString &name, const QString &art, const QString &hover)
{
    auto *p = new CommandPicture(name, art, QSize(26, 26), parent);
    statusLine()->addHover(p, hover);
    return p;
}

void TfrmLibri::buildBookSection(QVBoxLayout *cardLayout)
{
    SectionRows s(card(), addSection(cardLayout, 1, QStringLiteral("sezione_libro")));
    s.placeSection(1);
    QHBoxLayout *dewey = s.rightParts(Dewey, 3);
    dewey->addWidget(s.control(Dewey), 2);
    auto *btnDewey = fieldPicture(s.area(), QStringLiteral("btnDewey"), QStringLiteral("dewey"),
                                  QStringLiteral("Visualizza la Tabella dei Codici Dewey."));
    dewey->addWidget(btnDewey);
    dewey->addWidget(s.caption(Pagine));
    dewey->addWidget(s.control(Pagine), 3);
    connect(btnDewey, &CommandPicture::clicked, this, [this] {
        openDialog<TfrmCodici_Dewey>(app(), this, [this](TfrmCodici_Dewey &d) {
            d.setCallerTag(QStringLiteral("libri"));
            d.setCodeChosenAction([this](const QString &code) { card().setText(Dewey, code); });
            // However the table closes, the user is back in the Dewey field.
            d.setClosedAction([this] {
                if (QWidget *field = card().control(Dewey)) field->setFocus(Qt::OtherFocusReason);
            });
        });
    });
}

void TfrmLibri::buildEditionSection(QVBoxLayout *cardLayout)
{
    SectionRows s(card(), addSection(cardLayout, 2, QStringLiteral("sezione_editore")));
    s.placeSection(2);
    m_txtIsbn = card().control<QLineEdit>(Isbn);
    m_txtIsbn->installEventFilter(this);
    auto *btnGoogle = fieldPicture(s.area(), QStringLiteral("btnGoogle"), QStringLiteral("web"),
                                   QStringLiteral("Cerca sul Web, tramite Google, informazioni relative al "
                                                  "libro con l'ISBN indicato."));
    auto *btnCercaISBN = fieldPicture(s.area(), QStringLiteral("btnCercaISBN"), QStringLiteral("compila_isbn"),
                                      QStringLiteral("Compila la scheda con i dati del libro trovati in rete tramite "
                                                     "l'ISBN."));
    auto *isbnPictures = new QHBoxLayout;
    isbnPictures->setSpacing(4);
    isbnPictures->addWidget(btnGoogle);
    isbnPictures->addWidget(btnCercaISBN);
    s.grid()->addLayout(isbnPictures, 0, FarPic);
    connect(btnGoogle, &CommandPicture::clicked, this, &TfrmLibri::btnGoogleClick);
    connect(btnCercaISBN, &CommandPicture::clicked, this, &TfrmLibri::btnCercaISBNClick);
}

void TfrmLibri::buildOriginalSection(QVBoxLayout *cardLayout)
{
    SectionRows s(card(), addSection(cardLayout, 3, QStringLiteral("sezione_originale")));
    s.placeSection(3);
}

void TfrmLibri::buildNotesSection(QVBoxLayout *cardLayout)
{
    SectionRows s(card(), addSection(cardLayout, 4, QStringLiteral("sezione_note")));
    s.placeSection(4);
    s.grid()->addWidget(s.caption(Prestato, true), 1, LCap);
    s.grid()->addWidget(s.control(Prestato), 1, LField);
    QHBoxLayout *loan = s.rightParts(Scadenza, 1, true);
    loan->addWidget(s.control(Scadenza), 2);
    auto *btnScadenza = fieldPicture(s.area(), QStringLiteral("btnScadenza"), QStringLiteral("calendario"),
                                     QStringLiteral("Inserisci la data corrente."));
    loan->addWidget(btnScadenza);
    loan->addStretch(1);

    // The cancelled flag sits at the far right of the loan row.
    QWidget *chk = s.control(Annullata);
    style::setTextColour(chk, style::colour::alert);
    statusLine()->addHover(chk, QStringLiteral("Contrassegna la scheda del libro come annullata per "
                                               "escluderla dai risultati di ricerca."));
    auto *mark = artwork::picture(QStringLiteral("imgAnnullata"), QStringLiteral("annullata"), QSize(26, 26), s.area());
    loan->addWidget(chk);
    loan->addWidget(mark);
    connect(btnScadenza, &CommandPicture::clicked, this, &TfrmLibri::btnScadenzaClick);
}

} // namespace opusteca
