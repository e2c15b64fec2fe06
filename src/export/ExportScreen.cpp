#include "export/ExportScreen.h"

#include "export/core/DocumentFile.h"
#include "export/core/PreviewModel.h"
#include "export/core/SpreadsheetWriter.h"
#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/TfrmGuida.h"

#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace opusteca {
namespace {

// Called while the archive is read or the document written: the program's
// windows repaint, and keys and clicks wait until the work is done.
void keepPainted() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

const QString kIdle = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString kAsk = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDone =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFailed = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già "
    "aperto.");

QWidget *rectangle(const QString &name, const QColor &colour, const QRect &geometry, QWidget *parent)
{
    auto *w = new QWidget(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    return w;
}

} // namespace

ExportScreen::ExportScreen(Program &app, QWidget *opener, ExportArchive archive)
    : DialogScreen(app, opener, QString::fromLatin1(exportKind(archive).screenClass)), m_kind(exportKind(archive)),
      m_model(new PreviewModel(m_kind, this))
{
    setCaptionAndSize(QString::fromUtf8(m_kind.caption), 862, 560);
    style::setDialogShade(this, style::dialogWindow);

    QWidget *panContainer = rectangle(QStringLiteral("panContainer"), style::colour::container,
                                      QRect((862 - 837) / 2, (560 - 533) / 2, 837, 533), this);
    QWidget *shpSfondo =
        rectangle(QStringLiteral("shpSfondo"), style::colour::white, QRect(8, 8, 821, 65), panContainer);

    artwork::picture(QStringLiteral("imgLogo"), QString::fromLatin1(exportKind(archive).logoArt), QSize(505, 55),
                     panContainer)
        ->move(13, 13);
    artwork::picture(QStringLiteral("icoHand"), QStringLiteral("mano"), QSize(31, 25), panContainer)->move(528, 32);

    auto *cmdEsporta =
        new CommandPicture(QStringLiteral("cmdEsporta"), QStringLiteral("excel"), QSize(49, 50), panContainer);
    cmdEsporta->move(566, 15);
    auto *cmdGuida =
        new CommandPicture(QStringLiteral("cmdGuida"), QStringLiteral("guida"), QSize(50, 55), panContainer);
    cmdGuida->move(670, 13);
    auto *cmdEsci = new CommandPicture(QStringLiteral("cmdEsci"), QStringLiteral("esci"), QSize(40, 50), panContainer);
    cmdEsci->move(766, 15);
    connect(cmdEsporta, &CommandPicture::clicked, this, &ExportScreen::cmdEsportaClick);
    connect(cmdGuida, &CommandPicture::clicked, this, &ExportScreen::cmdGuidaClick);
    connect(cmdEsci, &CommandPicture::clicked, this, &ExportScreen::cmdEsciClick);

    buildGrid(panContainer);

    QWidget *shpInfo = rectangle(QStringLiteral("shpInfo"), style::colour::navy, QRect(8, 493, 821, 32), panContainer);
    auto *panInfo = new QLabel(kIdle, panContainer);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(style::font(9, true));
    panInfo->setGeometry(14, 493, 809, 32);
    panInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    style::setTextColour(panInfo, style::colour::white);
    panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Pictures above the white band, the status text above its bar.
    shpSfondo->lower();
    shpInfo->stackUnder(panInfo);

    auto *status = new StatusLine(panInfo);
    status->addHover(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    status->addHover(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    status->addHover(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget *background : {static_cast<QWidget *>(this), panContainer, shpSfondo, shpInfo,
                                static_cast<QWidget *>(m_grid), m_grid->viewport()})
        status->addBackground(background);
}

ExportScreen::~ExportScreen() = default;

void ExportScreen::buildGrid(QWidget *container)
{
    m_grid = new QTableView(container);
    m_grid->setObjectName(QStringLiteral("grdRecords"));
    m_grid->setGeometry(8, 80, 821, 409);
    m_grid->setFont(style::font(8));
    m_grid->setModel(m_model);
    m_grid->setAlternatingRowColors(true);
    QPalette pal = m_grid->palette();
    pal.setColor(QPalette::AlternateBase, style::colour::mist);
    m_grid->setPalette(pal);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setWordWrap(false);
    m_grid->setTabKeyNavigation(true);

    QHeaderView *rows = m_grid->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(21);
    rows->setDefaultSectionSize(21);

    QHeaderView *columns = m_grid->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnWidth(0, 60);
    for (size_t i = 0; i < m_kind.columns.size(); ++i) m_grid->setColumnWidth(int(i) + 1, m_kind.columns[i].gridWidth);
}

QString ExportScreen::documentPath() const
{
    return QDir(app().programFolder()).filePath(QString::fromLatin1(m_kind.documentName));
}

void ExportScreen::showEvent(QShowEvent *event)
{
    DialogScreen::showEvent(event);
    if (m_filled) return;
    m_filled = true;
    // An archive that cannot be read shows what could be read, without a word.
    // A large one takes a while: the wait cursor, and the windows kept painted.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_model->fill(app().programFolder(), keepPainted);
    QGuiApplication::restoreOverrideCursor();
}

void ExportScreen::commitEditor()
{
    const QModelIndex current = m_grid->currentIndex();
    if (QWidget *editor = current.isValid() ? m_grid->indexWidget(current) : nullptr) {
        emit m_grid->itemDelegate()->commitData(editor);
        emit m_grid->itemDelegate()->closeEditor(editor);
    }
}

void ExportScreen::cmdEsportaClick()
{
    commitEditor();
    if (!msg::confirm(this, kAsk)) return;
    const QString path = documentPath();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = saveDocument(path, [this](QIODevice &out) {
        SpreadsheetWriter writer(out);
        writer.begin(QString::fromLatin1(m_kind.sheetName), m_kind.sheetColumns());
        m_model->writeRows(writer, keepPainted);
        return writer.finish();
    });
    QGuiApplication::restoreOverrideCursor();
    if (!written) {
        msg::plain(this, kFailed);
        return;
    }
    if (msg::confirm(this, kDone)) shell::open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void ExportScreen::cmdGuidaClick() { TfrmGuida::openTopic(app(), this, objectName()); }

void ExportScreen::cmdEsciClick() { reject(); }

} // namespace opusteca
