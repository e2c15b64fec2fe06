#include "export/TfrmCreaRTF.h"

#include "export/core/DocumentFile.h"
#include "export/core/RtfCards.h"
#include "export/core/RtfWriter.h"
#include "kit/Messages.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/Style.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace opusteca {
namespace {

const QString kAsk = QStringLiteral("Questa procedura esporterà la scheda corrente in un documento in formato RTF."
                                    "\r\n\r\nSi conferma la creazione del file?");
const QString kDone = QStringLiteral("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
const QString kFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                       "Accertarsi che il documento non sia già aperto.");

} // namespace

TfrmCreaRTF::TfrmCreaRTF(Program &app, QWidget *opener) : DialogScreen(app, opener, QStringLiteral("TfrmCreaRTF"))
{
    setCaptionAndSize(QStringLiteral(" Esporta scheda in RTF"), 500, 230);
    QVBoxLayout *v = shadedColumn(QMargins(20, 18, 20, 16), 14);
    auto *picture =
        artwork::picture(QStringLiteral("imgEsporta01"), QStringLiteral("esporta_rtf"), QSize(460, 150), this);
    picture->setAccessibleDescription(QStringLiteral(
        "Esportazione della scheda in formato RTF. Premendo il pulsante qui sotto la scheda corrente viene "
        "esportata in un documento in formato RTF. Il testo del documento potrà essere modificato prima di "
        "stamparlo su carta."));
    v->addWidget(picture, 0, Qt::AlignHCenter);

    auto *row = new QHBoxLayout;
    const QSize buttonSize(150, 32);
    auto *btnAnnulla = dialogButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this, 9, buttonSize);
    auto *btnStampa =
        dialogButton(QStringLiteral("btnStampa"), QStringLiteral("Esporta e stampa"), this, 9, buttonSize);
    row->addWidget(btnAnnulla);
    row->addStretch(1);
    row->addWidget(btnStampa);
    v->addLayout(row);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmCreaRTF::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmCreaRTF::btnStampaClick);
    disableDefaultButtons();
}

void TfrmCreaRTF::btnAnnullaClick() { reject(); }

void TfrmCreaRTF::btnStampaClick()
{
    const RtfCardKind *kind = rtfCardKindForTag(callerTag());
    if (!kind) return;
    exportCard(*kind);
    accept();
}

void TfrmCreaRTF::exportCard(const RtfCardKind &kind)
{
    if (!msg::confirm(this, kAsk)) return;
    QList<RtfField> fields;
    for (const RtfCardField &f : kind.fields) fields.append({QString::fromUtf8(f.label), m_texts.value(f.field)});

    const QString path = QDir(app().programFolder()).filePath(QString::fromLatin1(kind.documentName));
    const QString title = QString::fromLatin1(kind.title);
    if (!saveDocument(path, [&](QIODevice &out) { return writeRtfCard(out, title, fields); })) {
        msg::plain(this, kFailed);
        return;
    }
    if (msg::confirm(this, kDone)) shell::open(QLatin1Char('"') + path + QLatin1Char('"'));
}

} // namespace opusteca
