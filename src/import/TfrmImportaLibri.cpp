#include "import/TfrmImportaLibri.h"

#include "kit/Backgrounds.h"
#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "kit/TfrmGuida.h"
#include "store/AccessError.h"
#include "store/BookRecord.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace opusteca {
namespace {

constexpr int kPreviewRows = 20;
// lstScarti lists this many notes at most; the rest are counted.
constexpr int kListedNotes = 5000;

const QString kIdle = QStringLiteral("Importazione in archivio di un catalogo esistente.");

struct FormatChoice {
    const char *text;
    CatalogueFormat format;
};
constexpr FormatChoice kFormats[] = {
    {"Riconosci automaticamente", CatalogueFormat::Auto}, {"CSV o TSV con intestazioni", CatalogueFormat::Delimited},
    {"Goodreads (CSV)", CatalogueFormat::Goodreads},      {"LibraryThing (TSV)", CatalogueFormat::LibraryThing},
    {"Opusteca (.xls)", CatalogueFormat::Spreadsheet},
};

QString readErrorText(ReadError e)
{
    switch (e) {
    case ReadError::None:
        break;
    case ReadError::CannotOpen:
        return QStringLiteral("Attenzione: il file indicato non può essere aperto.\r\n\r\n"
                              "Accertarsi che il file esista e di avere il permesso di leggerlo.");
    case ReadError::NotText:
        return QStringLiteral("Attenzione: il file indicato non è un file di testo né un documento esportato da "
                              "Opusteca, e non può essere importato.");
    case ReadError::Empty:
        return QStringLiteral("Attenzione: il file indicato è vuoto.");
    case ReadError::NoRows:
        return QStringLiteral("Attenzione: il file indicato non contiene nessun libro: sotto la riga delle "
                              "intestazioni non c'è nessuna riga da importare.");
    case ReadError::NotSpreadsheet:
        return QStringLiteral("Attenzione: il file indicato non è un documento esportato da Opusteca.\r\n\r\n"
                              "Scegliere un altro formato oppure \"Riconosci automaticamente\".");
    }
    return {};
}

QString noColumnsText(const QStringList &headers)
{
    QStringList shown;
    for (const QString &h : headers) shown << (h.isEmpty() ? QStringLiteral("(senza nome)") : h);
    return QStringLiteral("Attenzione: nessuna colonna del file corrisponde a un campo della scheda.\r\n\r\n"
                          "Colonne trovate: %1.\r\n\r\n"
                          "Indicare nella tabella delle colonne quale campo riempire con ciascuna.")
        .arg(shown.join(QStringLiteral(", ")));
}

QString captionWithoutColon(int field)
{
    QString c = importfields::caption(field);
    if (c.endsWith(u':')) c.chop(1);
    return c;
}

QString &lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

TfrmImportaLibri::TfrmImportaLibri(Program &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmImportaLibri"))
{
    setCaptionAndSize(QStringLiteral(" Importa un catalogo esistente nell'archivio libri"), 960, 660);

    QVBoxLayout *v = gradientColumn(QMargins(12, 10, 12, 10), 8);
    QWidget *background = v->parentWidget();

    auto *band = style::panel(QStringLiteral("panLogo"), style::Panel::Sheet, background);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(6, 4, 12, 4);
    bandLayout->addWidget(
        artwork::picture(QStringLiteral("imgLogo"), QStringLiteral("importa_libri"), QSize(505, 55), band));
    bandLayout->addStretch(1);
    auto *cmdGuida = new CommandPicture(QStringLiteral("cmdGuida"), QStringLiteral("guida"), QSize(44, 48), band);
    connect(cmdGuida, &CommandPicture::clicked, this, &TfrmImportaLibri::cmdGuidaClick);
    bandLayout->addWidget(cmdGuida);
    v->addWidget(band);

    auto *shpInfo = new QFrame(background);
    shpInfo->setObjectName(QStringLiteral("shpInfo"));
    shpInfo->setFixedHeight(30);
    shpInfo->setStyleSheet(
        QStringLiteral("#shpInfo { background: %1; border-radius: 4px; }").arg(style::css(style::colour::navy)));
    auto *panInfo = new QLabel(kIdle, shpInfo);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(style::font(9, true));
    style::setTextColour(panInfo, style::colour::white);
    panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *infoLayout = new QHBoxLayout(shpInfo);
    infoLayout->setContentsMargins(8, 0, 8, 0);
    infoLayout->addWidget(panInfo);
    m_status = new StatusLine(panInfo);

    v->addWidget(buildFileRow(background));
    v->addWidget(buildGrids(background), 1);

    v->addWidget(captionLabel(QStringLiteral("Righe non importate o modificate:"), background));
    m_lstScarti = new QListWidget(background);
    m_lstScarti->setObjectName(QStringLiteral("lstScarti"));
    m_lstScarti->setFont(style::font(8));
    m_lstScarti->setFixedHeight(96);
    v->addWidget(m_lstScarti);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_btnImporta = dialogButton(QStringLiteral("btnImporta"), QStringLiteral("Importa"), background);
    auto *btnChiudi = dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), background);
    buttons->addWidget(m_btnImporta);
    buttons->addWidget(btnChiudi);
    v->addLayout(buttons);
    v->addWidget(shpInfo);
    connect(m_btnImporta, &QPushButton::clicked, this, &TfrmImportaLibri::btnImportaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    disableDefaultButtons();
    pressOnEnter(m_btnImporta);
    pressOnEnter(btnChiudi);

    m_status->addHover(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_status->addHover(m_btnImporta, QStringLiteral("Importa in archivio i libri del file scelto."));
    m_status->addHover(btnChiudi, QStringLiteral("Esci da questo ambiente di lavoro."));
    m_status->addHover(m_grdColonne->viewport(),
                       QStringLiteral("Per ogni colonna del file, il campo della scheda che riempie."));
    m_status->addHover(m_grdAnteprima->viewport(),
                       QStringLiteral("Le prime righe del file come saranno salvate in archivio."));
    m_status->addHover(m_lstScarti->viewport(),
                       QStringLiteral("Le righe lasciate fuori dall'importazione o tagliate, con il loro numero."));
    for (QWidget *w :
         {static_cast<QWidget *>(background), static_cast<QWidget *>(band), static_cast<QWidget *>(shpInfo)})
        m_status->addBackground(w);
}

TfrmImportaLibri::~TfrmImportaLibri() = default;

QWidget *TfrmImportaLibri::buildFileRow(QWidget *parent)
{
    auto *panel = style::panel(QStringLiteral("panFile"), style::Panel::Paper, parent);
    auto *g = new QGridLayout(panel);
    g->setContentsMargins(10, 8, 10, 8);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);

    m_txtFile = new QLineEdit(panel);
    m_txtFile->setObjectName(QStringLiteral("txtFile"));
    m_txtFile->setReadOnly(true);
    m_txtFile->setFont(style::fieldFont());
    m_txtFile->setPlaceholderText(QStringLiteral("Nessun file scelto"));
    auto *btnSfoglia =
        dialogButton(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), panel, 9, QSize(110, 26));
    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmImportaLibri::btnSfogliaClick);

    m_cmbFormato = new QComboBox(panel);
    m_cmbFormato->setObjectName(QStringLiteral("cmbFormato"));
    m_cmbFormato->setFont(style::fieldFont());
    for (const FormatChoice &f : kFormats) m_cmbFormato->addItem(QString::fromUtf8(f.text));
    m_cmbFormato->setCurrentIndex(0);
    connect(m_cmbFormato, &QComboBox::currentIndexChanged, this, [this] { reload(); });

    m_txtPrefisso = new QLineEdit(QStringLiteral("IMP"), panel);
    m_txtPrefisso->setObjectName(QStringLiteral("txtPrefisso"));
    m_txtPrefisso->setFont(style::fieldFont());
    m_txtPrefisso->setMaxLength(17);
    m_txtPrefisso->setFixedWidth(110);
    connect(m_txtPrefisso, &QLineEdit::textChanged, this, [this] {
        m_import.setPrefix(m_txtPrefisso->text());
        refreshPreview();
    });

    m_chkDuplicati = new QCheckBox(QStringLiteral("Importa anche i libri già presenti"), panel);
    m_chkDuplicati->setObjectName(QStringLiteral("chkDuplicati"));
    m_chkDuplicati->setFont(style::captionFont(9));
    m_chkDuplicati->setChecked(false);
    connect(m_chkDuplicati, &QCheckBox::toggled, this, [this](bool on) {
        m_import.setImportDuplicates(on);
        refreshPreview();
    });

    g->addWidget(captionLabel(QStringLiteral("File da importare:"), panel), 0, 0);
    g->addWidget(m_txtFile, 0, 1, 1, 4);
    g->addWidget(btnSfoglia, 0, 5);
    g->addWidget(captionLabel(QStringLiteral("Formato:"), panel), 1, 0);
    g->addWidget(m_cmbFormato, 1, 1);
    g->addWidget(captionLabel(QStringLiteral("Prefisso dei codici:"), panel), 1, 2);
    g->addWidget(m_txtPrefisso, 1, 3);
    g->addWidget(m_chkDuplicati, 1, 4, 1, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);

    m_status->addHover(btnSfoglia, QStringLiteral("Scegli il file del catalogo da importare."));
    m_status->addHover(m_cmbFormato, QStringLiteral("Il formato del file da importare."));
    m_status->addHover(m_txtPrefisso,
                       QStringLiteral("L'inizio dei codici dati ai libri che nel file non ne hanno uno."));
    m_status->addHover(m_chkDuplicati,
                       QStringLiteral("Importa anche i libri il cui codice o ISBN è già presente in archivio."));
    m_status->addBackground(panel);
    return panel;
}

QWidget *TfrmImportaLibri::buildGrids(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(10);

    auto *left = new QVBoxLayout;
    left->addWidget(captionLabel(QStringLiteral("Colonne del file:"), box));
    m_grdColonne = new QTableWidget(0, 2, box);
    m_grdColonne->setObjectName(QStringLiteral("grdColonne"));
    m_grdColonne->setFont(style::font(8));
    m_grdColonne->setHorizontalHeaderLabels({QStringLiteral("Colonna"), QStringLiteral("Campo della scheda")});
    m_grdColonne->verticalHeader()->hide();
    m_grdColonne->verticalHeader()->setDefaultSectionSize(24);
    m_grdColonne->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grdColonne->horizontalHeader()->setStretchLastSection(true);
    m_grdColonne->setColumnWidth(0, 150);
    m_grdColonne->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdColonne->setSelectionMode(QAbstractItemView::NoSelection);
    m_grdColonne->setFixedWidth(340);
    left->addWidget(m_grdColonne, 1);
    h->addLayout(left);

    auto *right = new QVBoxLayout;
    right->addWidget(captionLabel(QStringLiteral("Anteprima delle prime righe come saranno salvate:"), box));
    m_preview = new QStandardItemModel(0, 0, this);
    QStringList headers;
    for (const int f : importfields::choosable()) headers << captionWithoutColon(f);
    m_preview->setHorizontalHeaderLabels(headers);
    m_grdAnteprima = new QTableView(box);
    m_grdAnteprima->setObjectName(QStringLiteral("grdAnteprima"));
    m_grdAnteprima->setModel(m_preview);
    m_grdAnteprima->setFont(style::font(8));
    m_grdAnteprima->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdAnteprima->setAlternatingRowColors(true);
    QPalette pal = m_grdAnteprima->palette();
    pal.setColor(QPalette::AlternateBase, style::colour::mist);
    m_grdAnteprima->setPalette(pal);
    m_grdAnteprima->setWordWrap(false);
    m_grdAnteprima->verticalHeader()->hide();
    m_grdAnteprima->verticalHeader()->setDefaultSectionSize(21);
    m_grdAnteprima->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grdAnteprima->horizontalHeader()->setDefaultSectionSize(140);
    right->addWidget(m_grdAnteprima, 1);
    h->addLayout(right, 1);
    return box;
}

void TfrmImportaLibri::btnSfogliaClick()
{
    QFileDialog dlgFile(this, QStringLiteral("Scegliere il file del catalogo da importare:"));
    dlgFile.setObjectName(QStringLiteral("dlgFile"));
    dlgFile.setOption(QFileDialog::DontUseNativeDialog, true);
    dlgFile.setAcceptMode(QFileDialog::AcceptOpen);
    dlgFile.setFileMode(QFileDialog::ExistingFile);
    dlgFile.setNameFilters({QStringLiteral("Cataloghi (*.csv *.tsv *.txt *.xls)"), QStringLiteral("Tutti i file (*)")});
    QString start = lastFolder();
    if (start.isEmpty() || !QFileInfo(start).isDir()) {
        start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(start).isDir()) start = QDir::homePath();
    }
    dlgFile.setDirectory(start);
    if (dlgFile.exec() != QDialog::Accepted) return;
    const QStringList picked = dlgFile.selectedFiles();
    if (picked.isEmpty()) return;
    lastFolder() = QFileInfo(picked.first()).absolutePath();
    loadFile(picked.first());
}

void TfrmImportaLibri::loadFile(const QString &path)
{
    m_path = path;
    m_txtFile->setText(QDir::toNativeSeparators(path));
    reload();
}

void TfrmImportaLibri::clearFile()
{
    m_loaded = false;
    m_grdColonne->setRowCount(0);
    m_preview->setRowCount(0);
}

void TfrmImportaLibri::reload()
{
    if (m_path.isEmpty()) return;
    m_lstScarti->clear();
    const CatalogueFormat format = kFormats[std::clamp(m_cmbFormato->currentIndex(), 0, 4)].format;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ReadError e = m_import.load(m_path, format);
    const bool archiveRead = e == ReadError::None && m_import.scanArchive(app().programFolder());
    QGuiApplication::restoreOverrideCursor();
    if (e != ReadError::None) {
        clearFile();
        msg::warning(this, readErrorText(e));
        return;
    }
    if (!archiveRead) {
        clearFile();
        msg::error(this, accessErrorText());
        return;
    }
    m_loaded = true;
    m_import.setPrefix(m_txtPrefisso->text());
    m_import.setImportDuplicates(m_chkDuplicati->isChecked());
    fillColumns();
    refreshPreview();
    if (!m_import.anyColumnMapped()) msg::warning(this, noColumnsText(m_import.headers()));
}

void TfrmImportaLibri::fillColumns()
{
    const QStringList &headers = m_import.headers();
    const QList<ColumnTarget> &columns = m_import.columns();
    m_grdColonne->setRowCount(int(headers.size()));
    for (int i = 0; i < headers.size(); ++i) {
        auto *name = new QTableWidgetItem(headers[i].isEmpty() ? QStringLiteral("(senza nome)") : headers[i]);
        name->setToolTip(headers[i]);
        m_grdColonne->setItem(i, 0, name);
        auto *field = new QComboBox(m_grdColonne);
        field->setObjectName(QStringLiteral("cmbCampo%1").arg(i + 1));
        field->setFont(style::font(8));
        field->addItem(QStringLiteral("(non importare)"), -1);
        for (const int f : importfields::choosable()) field->addItem(captionWithoutColon(f), f);
        field->setCurrentIndex(std::max(0, field->findData(columns[i].field)));
        connect(field, &QComboBox::currentIndexChanged, this, [this, i, field] {
            m_import.columns()[i].field = field->currentData().toInt();
            refreshPreview();
        });
        m_grdColonne->setCellWidget(i, 1, field);
    }
}

void TfrmImportaLibri::refreshPreview()
{
    if (!m_loaded) return;
    const QList<int> &fields = importfields::choosable();
    const QList<Record> records = m_import.preview(kPreviewRows);
    m_preview->setRowCount(int(records.size()));
    for (int r = 0; r < records.size(); ++r)
        for (int c = 0; c < fields.size(); ++c) {
            QString text = records[r].text(fields[c]);
            text.replace(QStringLiteral("\r\n"), QStringLiteral(" \u21B5 "));
            auto *item = new QStandardItem(text);
            item->setToolTip(records[r].text(fields[c]));
            m_preview->setItem(r, c, item);
        }
}

bool TfrmImportaLibri::withProgress(const QString &label,
                                    const std::function<bool(const CatalogueImport::Progress &)> &pass)
{
    QProgressDialog dlg(label, QStringLiteral("Annulla"), 0, 1000, this);
    dlg.setObjectName(QStringLiteral("dlgAvanzamento"));
    dlg.setWindowTitle(QStringLiteral(" Importazione catalogo"));
    dlg.setWindowModality(Qt::WindowModal);
    dlg.setMinimumDuration(0);
    dlg.setAutoClose(false);
    dlg.setAutoReset(false);
    dlg.setMinimumWidth(420);
    const CatalogueImport::Progress progress = [&dlg](qint64 done, qint64 total) {
        dlg.setValue(total > 0 ? int(std::min<qint64>(1000, done * 1000 / total)) : 0);
        // A modal progress window lets its own Annulla through.
        QCoreApplication::processEvents();
        return !dlg.wasCanceled();
    };
    return pass(progress);
}

void TfrmImportaLibri::btnImportaClick()
{
    if (!m_loaded) {
        msg::warning(this, QStringLiteral("Attenzione: per importare è necessario scegliere prima il file del "
                                          "catalogo con il pulsante Sfoglia."));
        return;
    }
    if (!m_import.anyColumnMapped()) {
        msg::warning(this, noColumnsText(m_import.headers()));
        return;
    }
    m_lstScarti->clear();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Read again: another copy of the program may have added books meanwhile.
    if (!m_import.scanArchive(app().programFolder())) {
        QGuiApplication::restoreOverrideCursor();
        msg::error(this, accessErrorText());
        return;
    }
    ImportCheck checked;
    const bool checkedAll = withProgress(QStringLiteral("Controllo delle righe del file in corso..."),
                                         [&](const CatalogueImport::Progress &p) {
                                             checked = m_import.check(p);
                                             return !checked.cancelled;
                                         });
    if (!checkedAll) {
        QGuiApplication::restoreOverrideCursor();
        return;
    }
    const int listed = int(std::min<qsizetype>(checked.notes.size(), kListedNotes));
    QStringList lines;
    lines.reserve(listed + 1);
    for (int i = 0; i < listed; ++i) lines << noteText(checked.notes[i]);
    if (checked.notes.size() > listed)
        lines << QStringLiteral("... e altre %1 righe.").arg(checked.notes.size() - listed);
    m_lstScarti->addItems(lines);

    CatalogueImport::Outcome outcome = CatalogueImport::Outcome::Written;
    if (checked.imported > 0)
        withProgress(QStringLiteral("Scrittura dei libri in archivio in corso..."),
                     [&](const CatalogueImport::Progress &p) {
                         outcome = m_import.write(app().programFolder(), checked, p);
                         return outcome != CatalogueImport::Outcome::Cancelled;
                     });
    QGuiApplication::restoreOverrideCursor();
    if (outcome == CatalogueImport::Outcome::Cancelled) return;
    if (outcome == CatalogueImport::Outcome::Failed) {
        msg::error(this, accessErrorText());
        return;
    }
    m_import.scanArchive(app().programFolder());
    refreshPreview();
    msg::information(this, QStringLiteral("Importazione completata: %1 libri importati, %2 già presenti, %3 scartati.")
                               .arg(checked.imported)
                               .arg(checked.alreadyThere)
                               .arg(checked.rejected));
}

void TfrmImportaLibri::cmdGuidaClick() { TfrmGuida::openTopic(app(), this, objectName()); }

} // namespace opusteca
