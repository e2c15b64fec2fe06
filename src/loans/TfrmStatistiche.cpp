#include "loans/TfrmStatistiche.h"

#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"
#include "loans/ChartViews.h"
#include "loans/ScreenParts.h"
#include "loans/core/LoanPeriod.h"
#include "store/AccessError.h"

#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace opusteca {
namespace {

const QString kNotSaved = QStringLiteral("Attenzione: il sistema non permette di salvare l'immagine del grafico."
                                         "\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella cartella "
                                         "indicata.");

// The file each chart is offered under.
const char *const kChartFiles[] = {"Grafico_generi.png", "Grafico_lingue.png", "Grafico_decenni.png"};

} // namespace

TfrmStatistiche::TfrmStatistiche(Program &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmStatistiche"))
{
    setCaptionAndSize(QStringLiteral(" Statistiche dell'archivio"), 1000, 620);
    QVBoxLayout *v = shadedColumn(QMargins(14, 12, 14, 10), 8);
    CommandPicture *cmdGuida = loanui::addHeader(
        v, this, QStringLiteral("statistiche"), QStringLiteral("Statistiche dell'archivio"),
        QStringLiteral("I dati riassuntivi degli archivi e i grafici dei libri correnti, contati dalle schede "
                       "registrate."));

    auto *body = new QHBoxLayout;
    body->setSpacing(12);
    auto *panDati = style::panel(QStringLiteral("panDati"), style::Panel::Paper, this);
    auto *grid = new QGridLayout(panDati);
    grid->setContentsMargins(14, 12, 14, 12);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(9);
    int row = 0;
    addFigure(grid, row++, QStringLiteral("Libri in archivio:"), QStringLiteral("lblLibri"));
    addFigure(grid, row++, QStringLiteral("Libri correnti:"), QStringLiteral("lblCorrenti"));
    addFigure(grid, row++, QStringLiteral("Libri annullati:"), QStringLiteral("lblAnnullati"));
    addFigure(grid, row++, QStringLiteral("Libri in prestito:"), QStringLiteral("lblPrestati"));
    QLabel *overdue = addFigure(grid, row++, QString(), QStringLiteral("lblScaduti"));
    m_lblScaduti = qobject_cast<QLabel *>(grid->itemAtPosition(row - 1, 0)->widget());
    addFigure(grid, row++, QStringLiteral("Libri disponibili:"), QStringLiteral("lblDisponibili"));
    addFigure(grid, row++, QStringLiteral("Autori in archivio:"), QStringLiteral("lblAutori"));
    addFigure(grid, row++, QStringLiteral("Ricerche bibliografiche:"), QStringLiteral("lblBibliografie"));
    style::setTextColour(overdue, style::colour::alert);
    grid->setRowStretch(row, 1);
    panDati->setFixedWidth(300);
    body->addWidget(panDati);

    m_panGrafici = new QTabWidget(this);
    m_panGrafici->setObjectName(QStringLiteral("panGrafici"));
    m_panGrafici->setFont(style::font(9, true));
    m_imgGeneri = loanui::chartView(QStringLiteral("imgGeneri"), m_panGrafici);
    m_imgLingue = loanui::chartView(QStringLiteral("imgLingue"), m_panGrafici);
    m_imgDecenni = loanui::chartView(QStringLiteral("imgDecenni"), m_panGrafici);
    m_panGrafici->addTab(m_imgGeneri, QStringLiteral("Generi"));
    m_panGrafici->addTab(m_imgLingue, QStringLiteral("Lingue"));
    m_panGrafici->addTab(m_imgDecenni, QStringLiteral("Decenni"));
    body->addWidget(m_panGrafici, 1);
    v->addLayout(body, 1);

    auto *btnSalvaGrafico =
        dialogButton(QStringLiteral("btnSalvaGrafico"), QStringLiteral("Salva grafico"), this, 10, QSize(150, 32));
    StatusLine *status = loanui::addFoot(v, this, cmdGuida, QStringLiteral("Dati riassuntivi e grafici dell'archivio."),
                                         {btnSalvaGrafico});
    status->addHover(btnSalvaGrafico, QStringLiteral("Salva il grafico mostrato in un'immagine PNG."));
    status->addBackground(panDati);

    connect(btnSalvaGrafico, &QPushButton::clicked, this, &TfrmStatistiche::btnSalvaGraficoClick);
    disableDefaultButtons();
}

TfrmStatistiche::~TfrmStatistiche() = default;

QLabel *TfrmStatistiche::addFigure(QGridLayout *grid, int row, const QString &caption, const QString &name)
{
    QWidget *parent = grid->parentWidget();
    auto *cap = captionLabel(caption, parent);
    auto *value = new QLabel(QStringLiteral("0"), parent);
    value->setObjectName(name);
    value->setFont(style::font(11, true));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    style::setTextColour(value, style::colour::count);
    grid->addWidget(cap, row, 0);
    grid->addWidget(value, row, 1);
    m_values.insert(name, value);
    return value;
}

void TfrmStatistiche::showEvent(QShowEvent *event)
{
    DialogScreen::showEvent(event);
    if (m_read) return;
    m_read = true;
    readArchives();
}

void TfrmStatistiche::readArchives()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int period = loans::loanPeriod(app().programFolder());
    m_figures = loans::readArchiveFigures(app().programFolder(), RegionalSettings::today(), period);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto show = [&](const char *name, qint64 n) {
        m_values.value(QLatin1String(name))->setText(italian.toString(n));
    };
    show("lblLibri", m_figures.books);
    show("lblCorrenti", m_figures.current);
    show("lblAnnullati", m_figures.cancelled);
    show("lblPrestati", m_figures.lent);
    show("lblScaduti", m_figures.overdue);
    show("lblDisponibili", m_figures.available);
    show("lblAutori", m_figures.authors);
    show("lblBibliografie", m_figures.bibliographies);
    m_lblScaduti->setText(QStringLiteral("di cui scaduti (oltre %1 giorni):").arg(period));
    loanui::setChart(m_imgGeneri, loanui::ChartKind::Genre, m_figures.byGenre);
    loanui::setChart(m_imgLingue, loanui::ChartKind::Language, m_figures.byLanguage);
    loanui::setChart(m_imgDecenni, loanui::ChartKind::Decade, m_figures.byDecade);
    QGuiApplication::restoreOverrideCursor();
    // What could be read stays on show under the message.
    if (!m_figures.booksRead || !m_figures.authorsRead || !m_figures.bibliographiesRead)
        msg::error(this, accessErrorText());
}

void TfrmStatistiche::btnSalvaGraficoClick()
{
    auto *view = qobject_cast<QChartView *>(m_panGrafici->currentWidget());
    if (!view) return;
    QFileDialog dlgFile(this, QStringLiteral("Salva il grafico come immagine PNG"));
    dlgFile.setObjectName(QStringLiteral("dlgFile"));
    dlgFile.setOption(QFileDialog::DontUseNativeDialog, true);
    dlgFile.setAcceptMode(QFileDialog::AcceptSave);
    dlgFile.setFileMode(QFileDialog::AnyFile);
    dlgFile.setNameFilter(QStringLiteral("Immagini PNG (*.png)"));
    dlgFile.setDefaultSuffix(QStringLiteral("png"));
    dlgFile.setDirectory(app().programFolder());
    dlgFile.selectFile(QString::fromLatin1(kChartFiles[std::clamp(m_panGrafici->currentIndex(), 0, 2)]));
    if (dlgFile.exec() != QDialog::Accepted) return;
    const QStringList picked = dlgFile.selectedFiles();
    if (picked.isEmpty()) return;
    // The chart as it is on show, at the screen's resolution.
    if (!view->grab().save(picked.first(), "PNG")) msg::plain(this, kNotSaved);
}

} // namespace opusteca
