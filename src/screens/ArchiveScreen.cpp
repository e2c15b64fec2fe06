#include "screens/ArchiveScreen.h"

#include "attach/TfrmAllegaCartella.h"
#include "kit/Backgrounds.h"
#include "kit/Conventions.h"
#include "kit/DialogScreen.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Style.h"
#include "kit/TfrmGuida.h"
#include "kit/core/RegionalSettings.h"
#include "store/AccessError.h"
#include "store/Text.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace opusteca {
namespace {

using Outcome = ArchiveNavigator::Outcome;

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");

} // namespace

QString ArchiveScreen::accessError() { return accessErrorText(); }

ArchiveScreen::ArchiveScreen(Program &app, const RecordLayout &layout, const QString &className, const QString &caption,
                             ArchiveRules rules)
    : m_app(app), m_card(layout), m_rules(std::move(rules))
{
    setObjectName(className);
    setWindowTitle(caption);
    resize(1280, 800);
}

void ArchiveScreen::buildContents()
{

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *window = new GradientBackground(style::archiveWindow, this);
    window->setObjectName(QStringLiteral("shpFinestra"));
    outer->addWidget(window);

    auto *centre = new QHBoxLayout(window);
    centre->setContentsMargins(12, 10, 12, 10);
    m_container = style::panel(QStringLiteral("shpContainer"), style::Panel::Container, window);
    m_container->setMaximumWidth(1240);
    centre->addStretch(0);
    centre->addWidget(m_container, 1);
    centre->addStretch(0);

    auto *v = new QVBoxLayout(m_container);
    v->setContentsMargins(12, 10, 12, 8);
    v->setSpacing(8);
    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(10);
    v->addLayout(m_toolbar);
    m_cardArea = new QWidget(m_container);
    m_cardArea->setObjectName(QStringLiteral("shpScheda"));
    v->addWidget(m_cardArea, 1);

    m_status = addStatusBar(v, m_container, QStringLiteral("Pronto per archiviare una nuova scheda..."));
    m_status->addBackground(this);
    m_status->addBackground(window);
    m_status->addBackground(m_cardArea);
    buildScreen();
}

void ArchiveScreen::addBackground(QWidget *w) { m_status->addBackground(w); }

QHBoxLayout *ArchiveScreen::addToolbarGroup()
{
    auto *frame = style::panel(QStringLiteral("shpControlli%1").arg(++m_groups, 2, 10, QLatin1Char('0')),
                               style::Panel::ToolbarGroup, m_container);
    // Each group as wide as its pictures; the toolbar's spare width goes into
    // equal gaps between the groups, so a lone picture does not sit in a wide box.
    frame->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    if (m_groups > 1) m_toolbar->addStretch(1);
    auto *h = new QHBoxLayout(frame);
    h->setContentsMargins(8, 4, 8, 4);
    h->setSpacing(6);
    m_toolbar->addWidget(frame);
    addBackground(frame);
    return h;
}

CommandPicture *ArchiveScreen::addCommand(QHBoxLayout *group, const QString &name, const QString &art,
                                          const QString &hover, const QString &caption)
{
    auto *p = new CommandPicture(name, art, QSize(36, 36), group->parentWidget());
    if (!caption.isEmpty()) p->setCaption(caption);
    p->setToolTip(QString());
    group->addWidget(p);
    m_status->addHover(p, hover);
    return p;
}

QLabel *ArchiveScreen::addPositionLabel(QHBoxLayout *group)
{
    m_lblPosizione = new QLabel(group->parentWidget());
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setMinimumWidth(64);
    m_lblPosizione->setFont(style::captionFont(12));
    style::setTextColour(m_lblPosizione, style::colour::navy);
    group->addWidget(m_lblPosizione);
    return m_lblPosizione;
}

void ArchiveScreen::wire(CommandPicture *picture, void (ArchiveScreen::*op)())
{
    connect(picture, &CommandPicture::clicked, this, [this, op] { (this->*op)(); });
}

void ArchiveScreen::addCardCommands(QHBoxLayout *browse)
{
    wire(addCommand(browse, QStringLiteral("cmdPrimo"), QStringLiteral("primo"),
                    QStringLiteral("Visualizza la prima scheda in archivio.")),
         &ArchiveScreen::cmdPrimoClick);
    wire(addCommand(browse, QStringLiteral("cmdIndietro"), QStringLiteral("indietro"),
                    QStringLiteral("Visualizza la scheda precedente in archivio.")),
         &ArchiveScreen::cmdIndietroClick);
    addPositionLabel(browse);
    wire(addCommand(browse, QStringLiteral("cmdAvanti"), QStringLiteral("avanti"),
                    QStringLiteral("Visualizza la scheda successiva in archivio.")),
         &ArchiveScreen::cmdAvantiClick);
    wire(addCommand(browse, QStringLiteral("cmdUltimo"), QStringLiteral("ultimo"),
                    QStringLiteral("Visualizza l'ultima scheda in archivio.")),
         &ArchiveScreen::cmdUltimoClick);
}

CommandPicture *ArchiveScreen::addStandardCommand(QHBoxLayout *group, StandardCommand command)
{
    CommandPicture *p = nullptr;
    switch (command) {
    case StandardCommand::New:
        p = addCommand(group, QStringLiteral("cmdNuovo"), QStringLiteral("nuovo"),
                       QStringLiteral("Predisponi la schermata per l'inserimento di una nuova scheda."),
                       QStringLiteral("Nuovo"));
        wire(p, &ArchiveScreen::cmdNuovoClick);
        break;
    case StandardCommand::Save:
        p = addCommand(group, QStringLiteral("cmdSalva"), QStringLiteral("salva"),
                       QStringLiteral("Salva la scheda corrente in archivio."), QStringLiteral("Salva"));
        wire(p, &ArchiveScreen::cmdSalvaClick);
        break;
    case StandardCommand::Search:
        p = addCommand(group, QStringLiteral("cmdTrova"), QStringLiteral("trova"),
                       QStringLiteral("Trova una scheda in archivio."), QStringLiteral("Trova"));
        break;
    case StandardCommand::Export:
        p = addCommand(group, m_exportName, QStringLiteral("excel"),
                       QStringLiteral("Esporta tutte le schede in archivio in un file di Microsoft Excel."),
                       QStringLiteral("Esporta archivio"));
        break;
    case StandardCommand::Help:
        p = addCommand(group, QStringLiteral("cmdGuida"), QStringLiteral("guida"),
                       QStringLiteral("Visualizza la pagina della guida sensibile al contesto."),
                       QStringLiteral("Guida"));
        connect(p, &CommandPicture::clicked, this, [this] { TfrmGuida::openTopic(m_app, this, objectName()); });
        break;
    case StandardCommand::Exit:
        p = addCommand(group, QStringLiteral("cmdEsci"), QStringLiteral("esci"),
                       QStringLiteral("Esci da questa schermata di lavoro."), QStringLiteral("Esci"));
        connect(p, &CommandPicture::clicked, this, [this] { close(); });
        break;
    }
    return p;
}

ArchiveNavigator ArchiveScreen::navigator() const { return ArchiveNavigator(m_card.layout(), m_app.programFolder()); }

void ArchiveScreen::clearCard() { card().clear(); }

void ArchiveScreen::cmdNuovoClick()
{
    clearCard();
    lblPosizione()->clear();
    if (QWidget *w = card().control(m_rules.firstField)) w->setFocus(Qt::OtherFocusReason);
}

void ArchiveScreen::loadRecord(const Record &record, qint64 number)
{
    card().load(record);
    lblPosizione()->setText(QString::number(number));
}

void ArchiveScreen::showAccessError(bool plain)
{
    if (plain)
        msg::plain(this, accessError());
    else
        msg::error(this, accessError());
}

void ArchiveScreen::cmdSalvaClick()
{
    for (const auto &m : std::as_const(m_rules.mandatory)) {
        if (text::isBlank(card().text(m.field))) {
            msg::warning(this,
                         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare %1.").arg(m.what));
            if (QWidget *w = card().control(m.field)) w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // Over-long texts are announced, then saved cut to the field's capacity. The
    // length is that of the text as stored, each line break with its own characters.
    for (int f = 0; f < card().layout().fieldCount(); ++f) {
        const FieldDef &def = card().layout().fields[f];
        if (def.kind != ControlKind::Memo) continue;
        const qsizetype length = card().text(f).size();
        const int capacity = def.capacity;
        if (length > capacity) {
            msg::warning(this,
                         QStringLiteral("Attenzione: hai superato la capienza massima del campo di testo ") +
                             QLatin1String(def.name) + QStringLiteral(" che consente di memorizzare non più di ") +
                             QString::number(capacity) +
                             QStringLiteral(" caratteri.\n\r\n\rAttualmente hai inserito ") + QString::number(length) +
                             QStringLiteral(" caratteri. Quelli in eccesso non saranno salvati."));
            if (QWidget *w = card().control(f)) w->setFocus(Qt::OtherFocusReason);
        }
    }
    const ArchiveNavigator::Result r = navigator().save(lblPosizione()->text(), card().build());
    switch (r.outcome) {
    case Outcome::Appended:
        lblPosizione()->setText(QString::number(r.number));
        if (r.closeFailed)
            showAccessError(m_rules.saveFailureInPlainBox);
        else
            msg::information(this, QStringLiteral("La scheda corrente è stata inserita in archivio."));
        break;
    case Outcome::Overwritten:
        lblPosizione()->setText(QString::number(r.number));
        if (r.closeFailed)
            showAccessError(m_rules.saveFailureInPlainBox);
        else
            msg::information(
                this, QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        break;
    default:
        showAccessError(m_rules.saveFailureInPlainBox);
        break;
    }
}

void ArchiveScreen::browse(const ArchiveNavigator::Result &r)
{
    switch (r.outcome) {
    case Outcome::Loaded:
        loadRecord(*r.record, r.number);
        if (r.closeFailed) showAccessError(false);
        break;
    case Outcome::EmptyArchiveNew:
        lblPosizione()->clear();
        msg::information(this, kEmptyArchive);
        break;
    case Outcome::EmptyArchive:
        msg::information(this, kEmptyArchive);
        break;
    case Outcome::Unchanged:
        break;
    default:
        showAccessError(false);
        break;
    }
}

void ArchiveScreen::cmdPrimoClick() { browse(navigator().first()); }
void ArchiveScreen::cmdUltimoClick() { browse(navigator().last()); }
void ArchiveScreen::cmdAvantiClick() { browse(navigator().next(lblPosizione()->text())); }
void ArchiveScreen::cmdIndietroClick() { browse(navigator().previous(lblPosizione()->text())); }

void ArchiveScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) cmdNuovoClick();
}

void ArchiveScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    // Unsaved edits are dropped without a question.
    if (!m_app.hasEnded()) Program::moveTo(this, m_app.startMenu());
}

void ArchiveScreen::openAttachments(const QString &tag)
{
    const RecordLayout &layout = m_card.layout();
    std::array<int, 3> files{};
    std::array<int, 3> descriptions{};
    for (int i = 0; i < 3; ++i) {
        files[i] = layout.indexOf(QStringLiteral("File%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        descriptions[i] = layout.indexOf(QStringLiteral("Desc%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    openDialog<TfrmAllegaCartella>(app(), this, [&](TfrmAllegaCartella &d) {
        d.setCallerTag(tag);
        Attachments now;
        now.fileCapacity = layout.fields[files[0]].capacity;
        for (int i = 0; i < 3; ++i) {
            now.files[i] = card().text(files[i]);
            now.descriptions[i] = card().text(descriptions[i]);
        }
        d.setAttachments(now);
        d.setApplyAction([this, files, descriptions](const Attachments &chosen) {
            for (int i = 0; i < 3; ++i) {
                card().setText(files[i], chosen.files[i]);
                card().setText(descriptions[i], chosen.descriptions[i]);
            }
        });
    });
}

} // namespace opusteca
