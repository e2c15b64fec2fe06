#include "loans/TfrmPrestiti.h"

#include "export/core/DocumentFile.h"
#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"
#include "loans/LoanTableModel.h"
#include "loans/ScreenParts.h"
#include "loans/core/LoanPeriod.h"
#include "loans/core/ReminderLetter.h"
#include "report/ListReport.h"
#include "report/ReportPrinter.h"
#include "store/AccessError.h"
#include "store/ArchiveNavigator.h"
#include "store/BookRecord.h"
#include "store/Text.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIODevice>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace opusteca {
namespace {

const QString kNoReader = QStringLiteral(
    "Attenzione: per scrivere un sollecito è necessario selezionare nell'elenco un libro prestato a un lettore.");
const QString kWritten =
    QStringLiteral("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
const QString kNotWritten = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                           "Accertarsi che il documento non sia già aperto.");
const QString kPeriodNotKept = QStringLiteral(
    "Attenzione: il sistema non permette di salvare la durata del prestito nel file Opusteca.ini.\n\r\n\r"
    "La durata indicata sarà usata fino alla chiusura del programma.");
// Set on the application once the user has been told the period is not kept.
const char *const kPeriodNotKeptWarning = "opustecaLoanPeriodNotKeptTold";

} // namespace

TfrmPrestiti::TfrmPrestiti(Program &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmPrestiti")), m_model(new LoanTableModel(this))
{
    setCaptionAndSize(QStringLiteral(" Libri in prestito"), 940, 600);
    QVBoxLayout *v = shadedColumn(QMargins(14, 12, 14, 10), 8);
    CommandPicture *cmdGuida =
        loanui::addHeader(v, this, QStringLiteral("prestiti"), QStringLiteral("Libri in prestito"),
                          QStringLiteral("I libri prestati, dal prestito più vecchio al più recente, con i giorni "
                                         "trascorsi e quelli da restituire."));

    auto *controls = new QHBoxLayout;
    controls->setSpacing(8);
    controls->addWidget(captionLabel(QStringLiteral("Durata del prestito (giorni):"), this));
    m_txtGiorni = new QSpinBox(this);
    m_txtGiorni->setObjectName(QStringLiteral("txtGiorni"));
    m_txtGiorni->setRange(loans::kMinPeriod, loans::kMaxPeriod);
    m_txtGiorni->setFont(style::fieldFont());
    m_txtGiorni->setMinimumSize(80, 28);
    m_keptPeriod = loans::loanPeriod(app.programFolder());
    m_txtGiorni->setValue(m_keptPeriod);
    m_model->setPeriod(m_keptPeriod);
    controls->addWidget(m_txtGiorni);
    controls->addSpacing(24);
    controls->addWidget(captionLabel(QStringLiteral("Lettore:"), this));
    m_txtLettore = new QLineEdit(this);
    m_txtLettore->setObjectName(QStringLiteral("txtLettore"));
    m_txtLettore->setFont(style::fieldFont());
    m_txtLettore->setMinimumHeight(28);
    controls->addWidget(m_txtLettore, 1);
    v->addLayout(controls);
    new FocusFrame(m_txtGiorni);
    new FocusFrame(m_txtLettore);
    chainFocus(this, {m_txtGiorni, m_txtLettore});

    m_grdPrestiti = new QTableView(this);
    m_grdPrestiti->setObjectName(QStringLiteral("grdPrestiti"));
    m_grdPrestiti->setModel(m_model);
    m_grdPrestiti->setFont(style::font(9));
    m_grdPrestiti->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdPrestiti->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdPrestiti->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdPrestiti->setAlternatingRowColors(true);
    m_grdPrestiti->setWordWrap(false);
    m_grdPrestiti->setTabKeyNavigation(false);
    QPalette pal = m_grdPrestiti->palette();
    pal.setColor(QPalette::AlternateBase, style::colour::mist);
    m_grdPrestiti->setPalette(pal);
    QHeaderView *rows = m_grdPrestiti->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(22);
    QHeaderView *columns = m_grdPrestiti->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setFont(style::font(9, true));
    columns->setStretchLastSection(true);
    const int widths[] = {190, 300, 110, 110, 60};
    for (int c = 0; c < 5; ++c) m_grdPrestiti->setColumnWidth(c, widths[c]);
    v->addWidget(m_grdPrestiti, 1);

    auto *under = new QHBoxLayout;
    m_lblRiepilogo = new QLabel(this);
    m_lblRiepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    m_lblRiepilogo->setFont(style::font(9, true));
    style::setTextColour(m_lblRiepilogo, style::colour::count);
    auto *hint = new QLabel(QStringLiteral("Per richiamare i dati di un libro nella scheda, selezionarlo con un "
                                           "doppio clic."),
                            this);
    hint->setFont(style::font(9, true));
    style::setTextColour(hint, style::colour::alert);
    under->addWidget(m_lblRiepilogo, 1);
    under->addWidget(hint);
    v->addLayout(under);

    auto *btnSollecito = dialogButton(QStringLiteral("btnSollecito"), QStringLiteral("Sollecito"), this);
    auto *btnStampa = dialogButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), this);
    StatusLine *status = loanui::addFoot(v, this, cmdGuida, QStringLiteral("Libri in prestito e da restituire."),
                                         {btnSollecito, btnStampa});
    status->addHover(btnStampa, QStringLiteral("Stampa l'elenco dei libri mostrati."));
    status->addHover(btnSollecito, QStringLiteral("Scrivi una lettera di sollecito al lettore del libro selezionato."));
    status->addHover(m_txtGiorni, QStringLiteral("Giorni dopo i quali un prestito è scaduto."));
    status->addHover(m_txtLettore, QStringLiteral("Mostra soltanto i libri prestati al lettore indicato."));

    connect(m_txtGiorni, &QSpinBox::valueChanged, this, &TfrmPrestiti::txtGiorniChange);
    connect(m_txtGiorni, &QSpinBox::editingFinished, this, &TfrmPrestiti::txtGiorniExit);
    connect(m_txtLettore, &QLineEdit::textChanged, this, &TfrmPrestiti::txtLettoreChange);
    connect(m_grdPrestiti, &QTableView::doubleClicked, this, &TfrmPrestiti::grdPrestitiDblClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmPrestiti::btnStampaClick);
    connect(btnSollecito, &QPushButton::clicked, this, &TfrmPrestiti::btnSollecitoClick);
    disableDefaultButtons();
    showSummary();
}

TfrmPrestiti::~TfrmPrestiti() = default;

void TfrmPrestiti::showEvent(QShowEvent *event)
{
    DialogScreen::showEvent(event);
    if (m_read) return;
    m_read = true;
    readArchive();
    m_txtLettore->setFocus(Qt::OtherFocusReason);
}

void TfrmPrestiti::readArchive()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    loans::LoanList list = loans::readLoans(RecordFile::pathIn(app().programFolder(), bookLayout().fileName));
    m_model->setToday(RegionalSettings::today());
    m_model->setRows(std::move(list.rows));
    QGuiApplication::restoreOverrideCursor();
    showSummary();
    // What could be read stays on show under the message.
    if (!list.ok) msg::error(this, accessErrorText());
}

void TfrmPrestiti::showSummary()
{
    m_lblRiepilogo->setText(loans::summaryText(m_model->rowCount(), m_model->overdueShown()));
}

void TfrmPrestiti::txtGiorniChange()
{
    m_model->setPeriod(m_txtGiorni->value());
    showSummary();
}

void TfrmPrestiti::txtGiorniExit() { keepPeriod(); }

void TfrmPrestiti::keepPeriod()
{
    const int days = m_txtGiorni->value();
    if (days == m_keptPeriod) return;
    m_keptPeriod = days;
    if (loans::setLoanPeriod(app().programFolder(), days)) return;
    if (!app().firstTimeThisRun(kPeriodNotKeptWarning)) return;
    msg::warning(this, kPeriodNotKept);
}

void TfrmPrestiti::txtLettoreChange()
{
    m_model->setFilter(m_txtLettore->text());
    showSummary();
}

void TfrmPrestiti::grdPrestitiDblClick()
{
    const QModelIndex current = m_grdPrestiti->currentIndex();
    if (!current.isValid()) return;
    const qint64 number = m_model->shownRow(current.row()).number;
    const ArchiveNavigator::Result r = ArchiveNavigator(bookLayout(), app().programFolder()).read(number);
    if (r.outcome != ArchiveNavigator::Outcome::Loaded || !r.record) {
        msg::error(this, accessErrorText());
        return;
    }
    if (m_act) m_act(*r.record, r.number);
    accept();
}

void TfrmPrestiti::btnStampaClick()
{
    const QStringList lines = loans::printedLines(m_model->shownRows(), m_model->today(), m_model->period());
    const std::unique_ptr<report::ListReport> report = report::buildListReport(report::ListFooter::AfterList);
    report::fillListReport(*report, QStringLiteral("Libri in prestito"), lines.size(),
                           [&](qsizetype i) { return lines[i]; });
    report->prepare();
    report::print(*report, this);
}

void TfrmPrestiti::btnSollecitoClick()
{
    const QModelIndex current = m_grdPrestiti->currentIndex();
    const QString reader = current.isValid() ? text::trimmed(m_model->shownRow(current.row()).reader) : QString();
    if (reader.isEmpty()) {
        msg::warning(this, kNoReader);
        return;
    }
    const QByteArray letter =
        loans::reminderLetter(reader, loans::rowsOfReader(m_model->allRows(), reader), m_model->today());
    const QString path = QDir(app().programFolder()).filePath(QString::fromLatin1(loans::kReminderDocument));
    if (!saveDocument(path, [&](QIODevice &out) { return out.write(letter) == letter.size(); })) {
        msg::plain(this, kNotWritten);
        return;
    }
    if (msg::confirm(this, kWritten)) shell::open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void TfrmPrestiti::done(int result)
{
    keepPeriod();
    DialogScreen::done(result);
}

} // namespace opusteca
