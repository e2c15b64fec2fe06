#include "attach/TfrmAllegaCartella.h"

#include "attach/core/AttachmentFolder.h"
#include "kit/Backgrounds.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/StoredText.h"
#include "kit/Style.h"
#include "store/Text.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

namespace opusteca {
namespace {

const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");
const QString kNotCopied =
    QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.\r\n\r\n"
                   "Il file non è stato allegato.");
const QString kNotBareName =
    QStringLiteral("Attenzione: il nome del file allegato non è valido.\r\n\r\n"
                   "E' possibile aprire soltanto un file presente nella cartella dei documenti allegati.");

QString slotName(const char *prefix, int slot)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

// Where the file dialog starts: the folder of the last file picked while the
// program runs, so several scans from one folder are quick to attach.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(Program &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmAllegaCartella"))
{
    setCaptionAndSize(QStringLiteral(" Allega file"), 634, 534);

    auto *background = GradientBackground::fill(this, style::dialogWindow, QStringLiteral("shpSfondo"));
    auto *centre = new QHBoxLayout(background);
    centre->setContentsMargins(10, 8, 10, 10);

    auto *container = new QWidget(background);
    container->setObjectName(QStringLiteral("panContenitore"));
    container->setFixedWidth(577);
    centre->addWidget(container, 0, Qt::AlignHCenter);
    auto *v = new QVBoxLayout(container);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(7);

    auto *band = style::panel(QStringLiteral("panLogo"), style::Panel::Sheet, container);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(4, 2, 4, 2);
    auto *imgLogo = artwork::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), QSize(218, 80), band);
    imgLogo->setAlignment(Qt::AlignCenter);
    bandLayout->addWidget(imgLogo);
    v->addWidget(band);

    for (int i = 0; i < 3; ++i) v->addWidget(buildSlot(i, container));
    v->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *applica =
        dialogButton(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), container, 9, QSize(120, 30));
    QPushButton *annulla =
        dialogButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), container, 9, QSize(120, 30));
    buttons->addWidget(applica);
    buttons->addWidget(annulla);
    v->addLayout(buttons);
    connect(applica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(annulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);

    // For each slot: name, "Sfoglia...", "Apri", description; then the two buttons.
    QWidget *previous = nullptr;
    for (const Slot &s : m_slots) {
        for (QWidget *w : {static_cast<QWidget *>(s.file), static_cast<QWidget *>(s.sfoglia),
                           static_cast<QWidget *>(s.apri), static_cast<QWidget *>(s.desc)}) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, applica);
    setTabOrder(applica, annulla);
    disableDefaultButtons();
}

QWidget *TfrmAllegaCartella::buildSlot(int i, QWidget *parent)
{
    auto *shape = new GradientBackground(style::slotPanel, parent);
    shape->setObjectName(slotName("shpFile", i));
    shape->setFixedSize(577, 113);
    auto *frame = new QFrame(shape);
    frame->setObjectName(slotName("panBordo", i));
    frame->setGeometry(shape->rect());
    frame->setStyleSheet(QStringLiteral("#%1 { border: 1px solid %2; }")
                             .arg(frame->objectName(), style::css(style::colour::containerBorder)));
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *g = new QGridLayout(shape);
    g->setContentsMargins(12, 6, 12, 8);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);

    const auto caption = [&](const char *prefix, int number, const QString &text) {
        auto *l = new QLabel(text, shape);
        l->setObjectName(slotName(prefix, number));
        l->setFont(style::captionFont(8));
        style::setTextColour(l, style::colour::navy);
        return l;
    };
    const QString ordinal = QString::number(i + 1) + QStringLiteral("°");
    g->addWidget(caption("lblCampo", 2 * i, QStringLiteral("Nome %1 file allegato:").arg(ordinal)), 0, 0, 1, 5);

    Slot &s = m_slots[i];
    s.file = new QLineEdit(shape);
    s.file->setObjectName(slotName("txtFile", i));
    s.file->setReadOnly(true);
    s.file->setFont(style::font(9, true));
    QPalette grey = s.file->palette();
    grey.setColor(QPalette::Text, style::colour::readOnlyText);
    s.file->setPalette(grey);
    s.file->setFixedWidth(338);
    g->addWidget(s.file, 1, 0);

    auto *cancella = new CommandPicture(slotName("imgCancella", i), QStringLiteral("cancella"), QSize(22, 22), shape);
    cancella->setToolTip(QStringLiteral("Cancella il nome del file allegato."));
    g->addWidget(cancella, 1, 1);
    g->setColumnStretch(2, 1);

    s.sfoglia = dialogButton(slotName("btnSfoglia", i), QStringLiteral("Sfoglia..."), shape, 0, QSize());
    s.apri = dialogButton(slotName("btnApri", i), QStringLiteral("Apri"), shape, 0, QSize());
    s.apri->setEnabled(false);
    g->addWidget(s.sfoglia, 1, 3);
    g->addWidget(s.apri, 1, 4);

    g->addWidget(caption("lblCampo", 2 * i + 1, QStringLiteral("Descrizione %1 file allegato:").arg(ordinal)), 2, 0, 1,
                 5);
    s.desc = new QLineEdit(shape);
    s.desc->setObjectName(slotName("txtDesc", i));
    s.desc->setFont(style::font(12, true));
    s.desc->setFixedWidth(552);
    storedtext::keep(s.desc);
    g->addWidget(s.desc, 3, 0, 1, 5);

    // Every change of the name, however made, decides whether there is something to open.
    connect(s.file, &QLineEdit::textChanged, s.apri,
            [apri = s.apri](const QString &name) { apri->setEnabled(!text::isBlank(name)); });
    connect(s.sfoglia, &QPushButton::clicked, this, [this, i] { btnSfogliaClick(i); });
    connect(s.apri, &QPushButton::clicked, this, [this, i] { btnApriClick(i); });
    connect(cancella, &CommandPicture::clicked, this, [this, i] { imgCancellaClick(i); });
    return shape;
}

void TfrmAllegaCartella::setAttachments(const Attachments &attachments)
{
    m_fileCapacity = attachments.fileCapacity;
    for (int i = 0; i < 3; ++i) {
        m_slots[i].file->setText(text::trimmed(attachments.files[i]));
        m_slots[i].file->setCursorPosition(0);
        m_slots[i].desc->setText(text::trimmed(attachments.descriptions[i]));
        m_slots[i].desc->setCursorPosition(0);
    }
}

void TfrmAllegaCartella::setApplyAction(std::function<void(const Attachments &)> action)
{
    m_apply = std::move(action);
}

void TfrmAllegaCartella::btnSfogliaClick(int i)
{
    QFileDialog dlgFile(this, QStringLiteral("Selezionare il file da allegare:"));
    dlgFile.setObjectName(QStringLiteral("dlgFile"));
    dlgFile.setOption(QFileDialog::DontUseNativeDialog, true);
    dlgFile.setAcceptMode(QFileDialog::AcceptOpen);
    dlgFile.setFileMode(QFileDialog::ExistingFile);
    dlgFile.setNameFilter(QStringLiteral("Tutti i file (*.*)"));
    // "*.*" is every file where the filter was written, but would hide names without
    // a dot here: the list shows every file, whatever the filter's pattern says.
    if (auto *model = dlgFile.findChild<QFileSystemModel *>()) model->setNameFilters({QStringLiteral("*")});
    dlgFile.setDirectory(startFolder());
    // The list of files takes the focus: a file picked there (or by selectFile)
    // fills the name box, which ignores picks while it has the focus itself. The
    // dialog puts the focus in the name box as it shows, hence once it is on show.
    QTimer::singleShot(0, &dlgFile, [&dlgFile] {
        for (QAbstractItemView *view : dlgFile.findChildren<QAbstractItemView *>())
            if (view->isVisible() &&
                (view->objectName() == QLatin1String("listView") || view->objectName() == QLatin1String("treeView")))
                view->setFocus(Qt::OtherFocusReason);
    });
    if (dlgFile.exec() != QDialog::Accepted) return;
    const QStringList picked = dlgFile.selectedFiles();
    if (picked.isEmpty()) return;
    const QFileInfo source(picked.first());
    lastFolder() = source.absolutePath();

    // The card stores only what the code page holds: the copy takes that name, so
    // the stored name finds it again after a save.
    QLineEdit *file = m_slots[i].file;
    const QString before = file->text();
    file->setText(AttachmentFolder::storableName(
        source.fileName(), m_fileCapacity > 0 ? m_fileCapacity : std::numeric_limits<int>::max()));
    file->setCursorPosition(0);

    const AttachmentFolder folder(app().programFolder());
    const bool folderMade = folder.ensureExists();
    // No: the slot keeps the picked name, which now designates the copy already there.
    if (folderMade && folder.contains(file->text()) && !msg::confirm(this, kOverwrite)) return;
    if (folderMade && folder.copyIn(source.absoluteFilePath(), file->text()) != AttachmentFolder::CopyResult::Failed)
        return;
    // A slot naming a copy that was never made would pass for an attachment
    // until the day it is needed: the slot goes back to what it held, and the
    // user is told.
    file->setText(before);
    file->setCursorPosition(0);
    msg::warning(this, kNotCopied);
}

void TfrmAllegaCartella::btnApriClick(int i)
{
    // The name may come from an archive another program or user wrote: only a bare
    // name of a file in the attachments folder is ever handed to the shell.
    const std::optional<QString> path =
        AttachmentFolder(app().programFolder()).openablePath(text::trimmed(m_slots[i].file->text()));
    if (!path) {
        msg::warning(this, kNotBareName);
        return;
    }
    shell::open(QLatin1Char('"') + *path + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int i)
{
    // The copy stays in the folder: other cards may name it too.
    m_slots[i].file->clear();
}

void TfrmAllegaCartella::btnApplicaClick()
{
    // lblMemory names the card that opened the screen: under any other tag the
    // slots go nowhere and the screen stays open.
    const QString tag = callerTag();
    if (!m_apply || (tag != QLatin1String("libri") && tag != QLatin1String("bibliografie"))) return;
    Attachments chosen;
    for (int i = 0; i < 3; ++i) {
        chosen.files[i] = text::trimmed(m_slots[i].file->text());
        chosen.descriptions[i] = text::trimmed(m_slots[i].desc->text());
    }
    m_apply(chosen);
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick() { reject(); }

} // namespace opusteca
