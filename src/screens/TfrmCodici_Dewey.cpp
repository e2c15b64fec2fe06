#include "screens/TfrmCodici_Dewey.h"

#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "screens/core/DeweyTable.h"
#include "search/core/ListFind.h"
#include "search/core/SearchTexts.h"

#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace opusteca {
namespace {

QLabel *textLine(const QString &name, const QString &text, QWidget *parent, bool bold = false)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(style::font(9, bold));
    l->setWordWrap(true);
    style::setTextColour(l, style::colour::navy);
    return l;
}

QString deweyCaption() { return QStringLiteral(" Tabella Codici Dewey"); }

} // namespace

TfrmCodici_Dewey::TfrmCodici_Dewey(Program &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmCodici_Dewey"))
{
    setCaptionAndSize(deweyCaption(), 820, 660);
    QVBoxLayout *v = shadedColumn(QMargins(16, 12, 16, 14), 6);

    auto *heading =
        artwork::picture(QStringLiteral("imgIntestazione"), QStringLiteral("dewey_intestazione"), QSize(600, 90), this);
    heading->setAlignment(Qt::AlignCenter);
    v->addWidget(heading);

    v->addWidget(textLine(QStringLiteral("lblRigo01"),
                          QStringLiteral("Immettere una o pi\u00F9 parole consecutive presenti nella voce in elenco "
                                         "da cercare e premere il pulsante Trova."),
                          this, true));
    v->addWidget(textLine(QStringLiteral("lblRigo02"),
                          QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di "
                                         "ricerca, fare di nuovo clic su Trova."),
                          this));

    auto *findRow = new QHBoxLayout;
    findRow->setContentsMargins(0, 4, 0, 4);
    auto *lens = artwork::picture(QStringLiteral("imgLente"), QStringLiteral("lente"), QSize(28, 28), this);
    m_txtTrova = new QLineEdit(this);
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setFont(style::font(9, true));
    m_txtTrova->setMinimumHeight(28);
    m_btnTrova = dialogButton(QStringLiteral("btnTrova"), QStringLiteral("Trova"), this);
    findRow->addWidget(lens);
    findRow->addWidget(m_txtTrova, 1);
    findRow->addSpacing(8);
    findRow->addWidget(m_btnTrova);
    v->addLayout(findRow);

    // The loading picture shares the list's cell, centred and on top of it.
    auto *listCell = new QGridLayout;
    m_lstRecords = new QListWidget(this);
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setFont(style::listFont());
    m_lstRecords->setStyleSheet(QStringLiteral("QListWidget { color: %1; background: %2; }")
                                    .arg(style::css(style::colour::black), style::css(style::colour::white)));
    // Every entry is one line of one font: equal item sizes keep the filling to
    // one layout pass.
    m_lstRecords->setUniformItemSizes(true);
    m_lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_lstRecords->setTextElideMode(Qt::ElideNone);
    listCell->addWidget(m_lstRecords, 0, 0);
    m_panDewey = artwork::picture(QStringLiteral("panDewey"), QStringLiteral("attendere_dewey"), QSize(300, 120), this);
    m_panDewey->setAccessibleName(QStringLiteral("Caricamento della Tabella Codici Dewey in corso. Attendere..."));
    listCell->addWidget(m_panDewey, 0, 0, Qt::AlignCenter);
    v->addLayout(listCell, 1);

    auto *hint = textLine(QStringLiteral("lblRigo03"),
                          QStringLiteral("Per importare un codice Dewey dall'elenco, selezionarlo con un doppio clic."),
                          this, true);
    style::setTextColour(hint, style::colour::crimson);
    v->addWidget(hint);

    auto *bottom = new QHBoxLayout;
    auto *btnChiudi = dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    m_lblAttendere = new QLabel(QStringLiteral("Stampa in corso. Attendere..."), this);
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont italic = style::font(10, true);
    italic.setItalic(true);
    m_lblAttendere->setFont(italic);
    style::setTextColour(m_lblAttendere, style::colour::working);
    m_lblAttendere->setAlignment(Qt::AlignCenter);
    // Hidden, it keeps its room, so the buttons do not move when it shows.
    QSizePolicy keep = m_lblAttendere->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_lblAttendere->setSizePolicy(keep);
    m_lblAttendere->hide();
    m_btnStampa = dialogButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), this);
    bottom->addWidget(btnChiudi);
    bottom->addWidget(m_lblAttendere, 1);
    bottom->addWidget(m_btnStampa);
    v->addLayout(bottom);

    // lblMemory was made before the layout: keep it out of sight.
    lblMemory()->hide();

    setTabOrder(m_txtTrova, m_lstRecords);
    setTabOrder(m_lstRecords, m_btnTrova);
    // No button is the dialog's default, so Enter in the list or the field
    // presses nothing; Enter on a focused button presses that button.
    disableDefaultButtons();
    EnterChain::link(m_txtTrova, m_btnTrova);

    m_tmrCarica.setObjectName(QStringLiteral("tmrCarica"));
    m_tmrCarica.setParent(this); // found by name like every other control
    m_tmrCarica.setSingleShot(true);
    m_tmrCarica.setInterval(1000);
    connect(&m_tmrCarica, &QTimer::timeout, this, &TfrmCodici_Dewey::tmrCaricaTimer);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnTrova, &QPushButton::clicked, this, &TfrmCodici_Dewey::btnTrovaClick);
    connect(m_btnStampa, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    // The notice shows while the button is down. Moving off it with the mouse
    // button held lets it up (a release there is no click), so the notice goes;
    // moving back presses it again. A release on it clicks: the print runs
    // first and hides the notice itself.
    connect(m_btnStampa, &QPushButton::released, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!m_printing) m_lblAttendere->hide();
        });
    });
    connect(m_btnStampa, &QPushButton::clicked, this, &TfrmCodici_Dewey::btnStampaClick);
    // A double click anywhere in the list picks, as on the search screens.
    m_lstRecords->viewport()->installEventFilter(this);
}

int TfrmCodici_Dewey::selectedRow() const
{
    const QModelIndexList rows = m_lstRecords->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TfrmCodici_Dewey::showEvent(QShowEvent *event)
{
    DialogScreen::showEvent(event);
    if (event->spontaneous()) return;
    m_txtTrova->clear();
    m_lstRecords->clear();
    m_entries.clear();
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_panDewey->show();
    m_panDewey->raise();
    m_tmrCarica.start();
    m_txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmCodici_Dewey::tmrCaricaTimer()
{
    m_tmrCarica.stop();
    m_lstRecords->setUpdatesEnabled(false);
    m_entries = dewey::table();
    m_lstRecords->addItems(m_entries);
    // With equal item sizes the list measures one item for all, and the first
    // entry is a short one: the items are given the width of the widest entry,
    // so every entry can be scrolled into view to its end.
    if (!m_entries.isEmpty()) {
        const QFontMetrics metrics(m_lstRecords->font());
        int widest = 0;
        if (QFontInfo(m_lstRecords->font()).fixedPitch()) {
            // Fixed pitch: the entry of most characters is the widest; measuring
            // every entry would cost more than the filling itself.
            const auto longest =
                std::max_element(m_entries.cbegin(), m_entries.cend(),
                                 [](const QString &a, const QString &b) { return a.size() < b.size(); });
            widest = metrics.horizontalAdvance(*longest);
        } else {
            for (const QString &e : std::as_const(m_entries)) widest = std::max(widest, metrics.horizontalAdvance(e));
        }
        const QSize itemSize(widest + 2 * metrics.averageCharWidth(), metrics.height() + 2);
        m_lstRecords->item(0)->setSizeHint(itemSize);
        m_lstRecords->item(m_lstRecords->count() - 1)->setSizeHint(itemSize);
    }
    m_lstRecords->setUpdatesEnabled(true);
    m_panDewey->hide();
}

void TfrmCodici_Dewey::btnTrovaClick()
{
    const FindOutcome outcome = findForScreen(objectName(), m_entries, selectedRow(), m_txtTrova->text());
    if (outcome.status == FindOutcome::Status::NotApplicable) {
        msg::plain(this, searchtext::notApplicable());
        return;
    }
    if (outcome.selected >= 0 && outcome.selected != selectedRow()) {
        m_lstRecords->setCurrentRow(outcome.selected, QItemSelectionModel::ClearAndSelect);
        m_lstRecords->scrollToItem(m_lstRecords->item(outcome.selected), QAbstractItemView::PositionAtCenter);
    }
}

void TfrmCodici_Dewey::lstRecordsDblClick()
{
    const int row = selectedRow();
    // lblMemory names the card that opened the table: only the book card takes a code.
    if (row >= 0 && m_codeChosen && callerTag() == QLatin1String("libri"))
        m_codeChosen(dewey::classCode(m_lstRecords->item(row)->text()));
    accept();
}

void TfrmCodici_Dewey::btnStampaClick()
{
    m_printing = true;
    m_lblAttendere->show();
    const std::unique_ptr<report::ListReport> rep = report::buildListReport(report::ListFooter::EveryPage);
    report::fillListReport(*rep, QStringLiteral("Tabella Codici Dewey"), m_lstRecords->count(),
                           [this](qsizetype i) { return m_lstRecords->item(int(i))->text(); });
    rep->prepare();
    report::print(*rep, this);
    m_lblAttendere->hide();
    m_printing = false;
}

bool TfrmCodici_Dewey::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstRecords->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton) return false;
        const QModelIndex index = m_lstRecords->indexAt(me->position().toPoint());
        if (index.isValid()) m_lstRecords->setCurrentRow(index.row(), QItemSelectionModel::ClearAndSelect);
        lstRecordsDblClick();
        return true;
    }
    return DialogScreen::eventFilter(watched, event);
}

void TfrmCodici_Dewey::done(int result)
{
    m_tmrCarica.stop();
    m_lblAttendere->hide();
    DialogScreen::done(result);
    if (m_closed) m_closed();
}

} // namespace opusteca
