#include "screens/SideCardScreen.h"

#include "export/TfrmCreaRTF.h"
#include "kit/Conventions.h"
#include "kit/DialogScreen.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "screens/CardBuilder.h"
#include "screens/core/BookEntry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace opusteca {

void SideCardScreen::buildToolbar(const FolderCommand &folder)
{
    QHBoxLayout *g1 = addToolbarGroup();
    addStandardCommand(g1, StandardCommand::New);
    addStandardCommand(g1, StandardCommand::Save);
    connect(addStandardCommand(g1, StandardCommand::Search), &CommandPicture::clicked, this,
            &SideCardScreen::cmdTrovaClick);

    QHBoxLayout *g2 = addToolbarGroup();
    auto *cartella = addCommand(g2, QStringLiteral("cmdCartella"), folder.art, folder.hover, folder.caption);
    connect(cartella, &CommandPicture::clicked, this, &SideCardScreen::cmdCartellaClick);
    auto *word =
        addCommand(g2, QStringLiteral("cmdWord"), QStringLiteral("word"),
                   QStringLiteral("Esporta la scheda corrente in formato RTF."), QStringLiteral("Esporta scheda"));
    connect(word, &CommandPicture::clicked, this, &SideCardScreen::cmdWordClick);

    addCardCommands(addToolbarGroup());
    connect(addStandardCommand(addToolbarGroup(), StandardCommand::Export), &CommandPicture::clicked, this,
            &SideCardScreen::cmdExcelClick);
    addStandardCommand(addToolbarGroup(), StandardCommand::Help);
    addStandardCommand(addToolbarGroup(), StandardCommand::Exit);
}

QGridLayout *SideCardScreen::buildFieldArea(const QString &sideArt)
{
    auto *h = new QHBoxLayout(cardArea());
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(10);
    const auto side = [&](const QString &name) {
        auto *pic = artwork::picture(name, sideArt, QSize(96, 480), cardArea());
        pic->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        pic->setFixedWidth(100);
        addBackground(pic);
        return pic;
    };
    h->addWidget(side(QStringLiteral("icoAutori01")));
    auto *area = style::panel(QStringLiteral("shpSfondoCampi"), style::Panel::Paper, cardArea());
    addBackground(area);
    h->addWidget(area, 1);
    h->addWidget(side(QStringLiteral("icoAutori02")));
    m_grid = new QGridLayout(area);
    m_grid->setContentsMargins(16, 10, 16, 12);
    m_grid->setHorizontalSpacing(14);
    m_grid->setVerticalSpacing(3);
    for (int col = 0; col < 6; ++col) m_grid->setColumnStretch(col, 1);
    return m_grid;
}

QLineEdit *SideCardScreen::lineField(int field) { return cardui::lineField(card(), field, m_grid->parentWidget()); }

QPlainTextEdit *SideCardScreen::memoField(int field)
{
    return cardui::memoField(card(), field, m_grid->parentWidget());
}

QWidget *SideCardScreen::place(int field, int row, int column, int columnSpan, const QString &captionName,
                               QWidget *control)
{
    QLabel *cap = cardui::caption(card(), field, m_grid->parentWidget(), captionName);
    cap->setFont(style::captionFont(12));
    style::setTextColour(cap, style::colour::navy);
    // Each caption sits just above its field, whatever the height of its row.
    m_grid->addWidget(cap, row, column, 1, columnSpan, Qt::AlignLeft | Qt::AlignBottom);
    // A caption below the first row keeps a gap above it.
    if (row > 0) m_grid->setRowMinimumHeight(row, 30);
    // Captions and fields of these cards share one 12-point bold face.
    control->setFont(style::captionFont(12));
    m_grid->addWidget(control, row + 1, column, 1, columnSpan);
    return control;
}

void SideCardScreen::placeFields(std::initializer_list<Placement> fields)
{
    QList<int> order;
    for (const Placement &p : fields) {
        const bool memo = card().layout().fields[p.field].kind == ControlKind::Memo;
        QWidget *control = memo ? static_cast<QWidget *>(memoField(p.field)) : lineField(p.field);
        const QString caption = QStringLiteral("lblCampo%1").arg(order.size() + 1, 3, 10, QLatin1Char('0'));
        place(p.field, p.row, p.column, p.columnSpan, caption, control);
        order << p.field;
    }
    chainFields(order);
}

void SideCardScreen::addImportArrow(int row, int column, int columnSpan)
{
    auto *arrow = new CommandPicture(QStringLiteral("impLibri"), QStringLiteral("importa"), QSize(22, 22),
                                     m_grid->parentWidget());
    statusLine()->addHover(arrow, QStringLiteral("Importa i dati dall'Archivio Libri."));
    m_grid->addWidget(arrow, row, column, 1, columnSpan, Qt::AlignRight | Qt::AlignBottom);
    connect(arrow, &CommandPicture::clicked, this, &SideCardScreen::impLibriClick);
}

void SideCardScreen::chainFields(const QList<int> &order)
{
    QList<QWidget *> chain;
    for (int f : order) chain << card().control(f);
    chainFocus(this, chain);
}

ChosenRecordAction SideCardScreen::importAction(int field)
{
    return [this, field](const Record &book, qint64) {
        card().setText(field, bookentry::appendTo(card().text(field), bookentry::build(book)));
    };
}

void SideCardScreen::cmdTrovaClick() { openSearch(); }

void SideCardScreen::cmdWordClick()
{
    openDialog<TfrmCreaRTF>(app(), this, [this](TfrmCreaRTF &d) {
        d.setCallerTag(tag());
        d.setCardTexts(card().texts());
    });
}

void SideCardScreen::cmdExcelClick() { openExport(); }

void SideCardScreen::impLibriClick() { openImport(); }

} // namespace opusteca
