#include "search/SearchScreen.h"

#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"
#include "report/ListReport.h"
#include "report/ReportPrinter.h"
#include "search/core/ListFind.h"
#include "search/core/SearchTexts.h"
#include "store/AccessError.h"
#include "store/Text.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace opusteca {
namespace {

// Called while a long reading runs inside a handler: the windows repaint, and
// keys and clicks wait until the handler is done.
void keepPainted() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

QLabel *line(const QString &text, QWidget *parent, bool bold = false)
{
    auto *l = new QLabel(text, parent);
    l->setFont(style::font(9, bold));
    l->setWordWrap(true);
    return l;
}

} // namespace

SearchScreen::SearchScreen(Program &app, QWidget *opener, SearchKind kind)
    : DialogScreen(app, opener, QString::fromLatin1(searchKind(kind).screenClass)), m_kind(searchKind(kind)),
      m_listReport(report::buildListReport(report::ListFooter::AfterList))
{
    setCaptionAndSize(m_kind.captionText(), 862, 560);
    style::setDialogShade(this, style::dialogWindow);

    // The two panels share one place, 833 x 529 centred in the window. A stacked
    // layout ignores margins, so an outer layout gives them their border.
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 15, 15, 16);
    m_stack = new QStackedLayout;
    outer->addLayout(m_stack);
    m_stack->addWidget(buildFilterPanel());
    m_stack->addWidget(buildResultPanel());
    m_stack->setCurrentWidget(m_panAvvio);
    disableDefaultButtons();
}

QWidget *SearchScreen::buildFilterPanel()
{
    m_panAvvio = new QWidget(this);
    m_panAvvio->setObjectName(QStringLiteral("panAvvio"));
    auto *v = new QVBoxLayout(m_panAvvio);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    auto *head = new QHBoxLayout;
    auto *lens = artwork::picture(QStringLiteral("imgLente"), QStringLiteral("lente"), QSize(48, 48), m_panAvvio);
    head->addWidget(lens, 0, Qt::AlignTop);
    auto *lines = new QVBoxLayout;
    lines->addWidget(line(searchtext::filterInstruction1(), m_panAvvio, true));
    lines->addWidget(line(searchtext::filterInstruction2(), m_panAvvio));
    lines->addWidget(line(searchtext::filterInstruction3(), m_panAvvio));
    head->addLayout(lines, 1);
    v->addLayout(head);
    v->addStretch(1);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(28);
    grid->setVerticalSpacing(4);
    grid->setContentsMargins(6, 0, 6, 0);
    for (int i = 0; i < kSearchFilterCount; ++i) {
        const SearchFilter &f = m_kind.filters[i];
        const int row = (i / 2) * 2, col = i % 2;
        auto *cap = line(QString::fromUtf8(f.caption), m_panAvvio, true);
        style::setTextColour(cap, style::colour::navy);
        auto *edit = new QLineEdit(m_panAvvio);
        edit->setObjectName(QString::fromLatin1(f.control));
        edit->setMinimumHeight(30);
        grid->addWidget(cap, row, col);
        grid->addWidget(edit, row + 1, col);
        grid->setRowMinimumHeight(row + 1, 40);
        new FocusFrame(edit);
        m_filters << edit;
    }
    v->addLayout(grid);
    chainFocus(this, QList<QWidget *>(m_filters.begin(), m_filters.end()));
    v->addStretch(1);

    m_lblConta = new QLabel(QStringLiteral("0"), m_panAvvio);
    m_lblConta->setObjectName(QStringLiteral("lblConta"));
    m_lblConta->hide();

    auto *bottom = new QHBoxLayout;
    auto *btnAnnulla = dialogButton(QStringLiteral("btnAnnulla"), searchtext::closeButton(), m_panAvvio);
    auto *hourglass =
        artwork::picture(QStringLiteral("imgClessidra"), QStringLiteral("clessidra"), QSize(28, 28), m_panAvvio);
    m_lblAttendere = line(searchtext::waitLabel(), m_panAvvio, true);
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    style::setTextColour(m_lblAttendere, style::colour::working);
    m_lblAttendere->setWordWrap(false);
    m_lblAttendere->hide();
    auto *btnCerca = dialogButton(QStringLiteral("btnCerca"), searchtext::searchButton(), m_panAvvio);
    bottom->addWidget(btnAnnulla);
    bottom->addStretch(1);
    bottom->addWidget(hourglass);
    bottom->addWidget(m_lblAttendere);
    bottom->addStretch(1);
    bottom->addWidget(btnCerca);
    v->addLayout(bottom);

    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnCerca, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    connect(btnCerca, &QPushButton::clicked, this, &SearchScreen::btnCercaClick);
    return m_panAvvio;
}

QWidget *SearchScreen::buildResultPanel()
{
    m_panContainer = new QWidget(this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    auto *v = new QVBoxLayout(m_panContainer);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(5);
    v->addWidget(line(searchtext::resultInstruction1(), m_panContainer, true));
    v->addWidget(line(searchtext::resultInstruction2(), m_panContainer));

    auto *findRow = new QHBoxLayout;
    findRow->setContentsMargins(5, 5, 5, 5);
    m_txtTrova = new QLineEdit(m_panContainer);
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setFont(style::font(9, true));
    m_txtTrova->setMinimumHeight(28);
    m_btnTrova = dialogButton(QStringLiteral("btnTrova"), searchtext::findButton(), m_panContainer);
    findRow->addWidget(m_txtTrova, 1);
    findRow->addSpacing(8);
    findRow->addWidget(m_btnTrova);
    v->addLayout(findRow);
    EnterChain::link(m_txtTrova, m_btnTrova);
    new FocusFrame(m_txtTrova);

    m_lstRecords = new QListView(m_panContainer);
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setFont(style::listFont());
    m_lines = new ResultListModel(m_lstRecords);
    m_lstRecords->setModel(m_lines);
    // Plain lines: no item styling, so the padded columns line up; every item has
    // the same size, which keeps a list of a million lines quick to lay out.
    m_lstRecords->setUniformItemSizes(true);
    m_lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstRecords->setStyleSheet(QStringLiteral("QListView { color: %1; background: %2; }")
                                    .arg(style::css(style::colour::black), style::css(style::colour::white)));
    m_lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The end of a line is data (the year, the period): never replaced by an ellipsis.
    m_lstRecords->setTextElideMode(Qt::ElideNone);
    v->addWidget(m_lstRecords, 1);

    auto *hint = line(searchtext::chooseHint(), m_panContainer, true);
    style::setTextColour(hint, style::colour::alert);
    v->addWidget(hint);

    auto *bottom = new QHBoxLayout;
    auto *btnChiudi = dialogButton(QStringLiteral("btnChiudi"), searchtext::closeButton(), m_panContainer);
    m_lblTrovate = line(searchtext::initialCount(), m_panContainer, true);
    m_lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
    style::setTextColour(m_lblTrovate, style::colour::count);
    m_lblTrovate->setAlignment(Qt::AlignCenter);
    auto *btnStampa = dialogButton(QStringLiteral("btnStampa"), searchtext::printButton(), m_panContainer);
    bottom->addWidget(btnChiudi);
    bottom->addWidget(m_lblTrovate, 1);
    bottom->addWidget(btnStampa);
    v->addLayout(bottom);

    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnTrova, &QPushButton::clicked, this, &SearchScreen::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &SearchScreen::btnStampaClick);
    // A double click anywhere in the list chooses: on a line it picks that line first.
    m_lstRecords->viewport()->installEventFilter(this);
    return m_panContainer;
}

void SearchScreen::prefillFilter(const QString &control, const QString &text)
{
    const int i = m_kind.filterIndexOf(control);
    if (i >= 0) m_filters[i]->setText(text);
}

void SearchScreen::showEvent(QShowEvent *event)
{
    DialogScreen::showEvent(event);
    if (event->spontaneous()) return;
    findkeys::clear(objectName());
    m_txtTrova->clear();
    if (auto *w = findChild<QWidget *>(QString::fromLatin1(m_kind.focusControl))) w->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::btnCercaClick()
{
    QStringList texts;
    for (QLineEdit *e : std::as_const(m_filters)) texts << e->text();
    // A list shown before goes now, not once the new one is built: two lists
    // of a large archive would be in memory at once.
    m_lines->setLines({}, {});
    // A large archive takes a while: the wait cursor at once, and the window
    // painted while the search's threads read (keys and clicks wait their turn).
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const SearchResult result =
        searchArchive(m_kind, archivePath(m_kind, app().programFolder()), texts, 0, keepPainted);
    m_lblConta->setText(QString::number(result.filtersInUse));
    if (!result.ok) {
        QGuiApplication::restoreOverrideCursor();
        m_lblAttendere->hide();
        msg::plain(this, accessErrorText());
        return;
    }
    // With uniform sizes every row is as wide as the kind says, and a long line
    // scrolls sideways. A line longer than that widens them rather than lose its
    // end (one byte is one character, and the font is fixed-pitch).
    const ResultLines &lines = result.lines;
    qsizetype longest = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) longest = std::max(longest, lines.bytes(i).size());
    const QFontMetrics metrics(m_lstRecords->font());
    const int lineWidth =
        metrics.horizontalAdvance(QString(longest, QLatin1Char('M'))) + 2 * metrics.averageCharWidth();
    m_lines->setLines(lines, QSize(std::max(m_kind.itemWidth, lineWidth), metrics.height() + 2));
    m_lblTrovate->setText(searchtext::countText(m_lines->rowCount()));
    m_stack->setCurrentWidget(m_panContainer);
    m_lblAttendere->hide();
    m_txtTrova->clear();
    m_txtTrova->setFocus(Qt::OtherFocusReason);
    QGuiApplication::restoreOverrideCursor();
}

SearchScreen::~SearchScreen() = default;

void SearchScreen::btnStampaClick()
{
    // The layout reads the lines from the result as it draws each page; its
    // copy of the result shares the lines and is let go after the print.
    const ResultLines lines = m_lines->lines();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    report::fillListReport(*m_listReport, m_kind.reportTitleText(), lines.size(),
                           [lines](qsizetype i) { return lines.text(i); });
    m_listReport->prepare();
    QGuiApplication::restoreOverrideCursor();
    report::print(*m_listReport, this);
    m_listReport->lines->clear();
}

void SearchScreen::btnTrovaClick()
{
    const FindOutcome outcome =
        findForScreen(objectName(), m_lines->lines(), m_lstRecords->currentIndex().row(), m_txtTrova->text());
    if (outcome.status == FindOutcome::Status::NotApplicable) {
        msg::plain(this, searchtext::notApplicable());
        return;
    }
    if (outcome.selected >= 0) {
        selectRow(outcome.selected);
        m_lstRecords->scrollTo(m_lstRecords->currentIndex(), QAbstractItemView::PositionAtCenter);
    }
}

void SearchScreen::selectRow(int row)
{
    m_lstRecords->selectionModel()->setCurrentIndex(m_lines->index(row), QItemSelectionModel::ClearAndSelect);
}

void SearchScreen::lstRecordsDblClick()
{
    // Any failure, no selection included, closes the screen without a word;
    // records acted on before it keep what they received.
    const QModelIndex current = m_lstRecords->currentIndex();
    if (current.isValid() && m_lstRecords->selectionModel()->isSelected(current) && m_act) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor); // the whole archive is read again
        chooseInArchive(m_kind, archivePath(m_kind, app().programFolder()), m_lines->lines().text(current.row()), m_act,
                        keepPainted);
        QGuiApplication::restoreOverrideCursor();
    }
    accept();
}

bool SearchScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstRecords->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton) return false;
        const QModelIndex index = m_lstRecords->indexAt(me->position().toPoint());
        if (index.isValid()) selectRow(index.row());
        lstRecordsDblClick();
        return true;
    }
    return DialogScreen::eventFilter(watched, event);
}

void SearchScreen::done(int result)
{
    m_lines->setLines({}, {});
    m_lblAttendere->hide();
    DialogScreen::done(result);
}

} // namespace opusteca
