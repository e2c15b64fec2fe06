#include "lookup/TfrmDatiISBN.h"

#include "kit/Backgrounds.h"
#include "kit/Style.h"
#include "store/BookRecord.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace opusteca {
namespace {

enum Column { ColCampo, ColTrovato, ColScheda, ColumnCount };

QString captionOf(int field)
{
    QString c = QString::fromUtf8(libro::kFields[field].label);
    while (c.endsWith(u':')) c.chop(1);
    return c;
}

} // namespace

TfrmDatiISBN::TfrmDatiISBN(Program &app, QWidget *opener) : DialogScreen(app, opener, QStringLiteral("TfrmDatiISBN"))
{
    setCaptionAndSize(QStringLiteral(" Dati del libro trovati in rete"), 760, 430);

    QVBoxLayout *v = gradientColumn(QMargins(16, 12, 16, 14), 8);
    QWidget *background = v->parentWidget();

    m_lblFonte = new QLabel(background);
    m_lblFonte->setObjectName(QStringLiteral("lblFonte"));
    m_lblFonte->setFont(style::captionFont(10));
    m_lblFonte->setWordWrap(true);
    style::setTextColour(m_lblFonte, style::colour::navy);
    v->addWidget(m_lblFonte);

    auto *hint = new QLabel(QStringLiteral("Spuntare i dati da copiare nella scheda: la scheda non viene salvata, "
                                           "per registrarla premere poi Salva."),
                            background);
    hint->setObjectName(QStringLiteral("lblIstruzioni"));
    hint->setFont(style::font(8));
    hint->setWordWrap(true);
    style::setTextColour(hint, style::colour::alert);
    v->addWidget(hint);

    m_grdDati = new QTableWidget(0, ColumnCount, background);
    m_grdDati->setObjectName(QStringLiteral("grdDati"));
    m_grdDati->setHorizontalHeaderLabels(
        {QStringLiteral("Campo"), QStringLiteral("Dato trovato"), QStringLiteral("Dato nella scheda")});
    m_grdDati->verticalHeader()->hide();
    m_grdDati->setSelectionMode(QAbstractItemView::NoSelection);
    m_grdDati->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdDati->setWordWrap(false);
    m_grdDati->setFont(style::font(9));
    m_grdDati->horizontalHeader()->setFont(style::font(9, true));
    m_grdDati->horizontalHeader()->setSectionResizeMode(ColCampo, QHeaderView::Fixed);
    m_grdDati->setColumnWidth(ColCampo, 150);
    m_grdDati->horizontalHeader()->setSectionResizeMode(ColTrovato, QHeaderView::Stretch);
    m_grdDati->horizontalHeader()->setSectionResizeMode(ColScheda, QHeaderView::Stretch);
    v->addWidget(m_grdDati, 1);

    m_chkCopertina = new QCheckBox(QStringLiteral("Scarica la copertina e allegala alla scheda"), background);
    m_chkCopertina->setObjectName(QStringLiteral("chkCopertina"));
    m_chkCopertina->setFont(style::font(9, true));
    m_chkCopertina->hide();
    v->addWidget(m_chkCopertina);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *applica = dialogButton(QStringLiteral("btnApplica"), QStringLiteral("Applica"), background, 9);
    QPushButton *annulla = dialogButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), background, 9);
    buttons->addWidget(applica);
    buttons->addWidget(annulla);
    v->addLayout(buttons);
    connect(applica, &QPushButton::clicked, this, &TfrmDatiISBN::btnApplicaClick);
    connect(annulla, &QPushButton::clicked, this, &TfrmDatiISBN::btnAnnullaClick);
    setTabOrder(m_grdDati, m_chkCopertina);
    setTabOrder(m_chkCopertina, applica);
    setTabOrder(applica, annulla);
    disableDefaultButtons();
}

void TfrmDatiISBN::setData(const QString &sourceName, const QList<Row> &rows, Cover cover)
{
    m_lblFonte->setText(QStringLiteral("Dati trovati nel catalogo: %1").arg(sourceName));
    m_rows = rows;
    m_grdDati->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const Row &row = rows.at(r);
        auto *campo = new QTableWidgetItem(captionOf(row.field));
        campo->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        // What the card already holds is kept unless the user asks otherwise.
        campo->setCheckState(row.current.trimmed().isEmpty() ? Qt::Checked : Qt::Unchecked);
        m_grdDati->setItem(r, ColCampo, campo);
        for (auto [column, text] : {std::pair{ColTrovato, row.found}, std::pair{ColScheda, row.current}}) {
            auto *item = new QTableWidgetItem(text);
            item->setFlags(Qt::ItemIsEnabled);
            item->setToolTip(text);
            m_grdDati->setItem(r, column, item);
        }
    }
    m_grdDati->resizeRowsToContents();
    m_chkCopertina->setVisible(cover != Cover::None);
    m_chkCopertina->setEnabled(cover == Cover::Available);
    m_chkCopertina->setChecked(cover == Cover::Available);
    if (cover == Cover::NoFreeSlot) m_chkCopertina->setToolTip(QStringLiteral("La scheda ha già tre file allegati."));
    // A tick is set with the space bar, as in a list of check boxes.
    m_grdDati->setCurrentCell(0, ColCampo);
    m_grdDati->setFocus(Qt::OtherFocusReason);
}

void TfrmDatiISBN::btnApplicaClick()
{
    Choice choice;
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_grdDati->item(r, ColCampo)->checkState() == Qt::Checked)
            choice.values.append({m_rows.at(r).field, m_rows.at(r).found});
    choice.cover = !m_chkCopertina->isHidden() && m_chkCopertina->isEnabled() && m_chkCopertina->isChecked();
    if (m_apply) m_apply(choice);
    accept();
}

void TfrmDatiISBN::btnAnnullaClick() { reject(); }

} // namespace opusteca
