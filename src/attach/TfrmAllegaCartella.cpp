#include "attach/TfrmAllegaCartella.h"

#include "screens/Card.h"
#include "store/Text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace opusteca {

TfrmAllegaCartella::TfrmAllegaCartella(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmAllegaCartella"))
{
    setWindowTitle(QStringLiteral(" Allega file"));
    setFixedClientSize(640, 300);
    auto *g = new QGridLayout(this);
    for (int i = 1; i <= 3; ++i) {
        auto *file = new QLineEdit(this);
        file->setObjectName(QStringLiteral("txtFile%1").arg(i, 2, 10, QLatin1Char('0')));
        file->setReadOnly(true);
        auto *desc = new QLineEdit(this);
        desc->setObjectName(QStringLiteral("txtDesc%1").arg(i, 2, 10, QLatin1Char('0')));
        g->addWidget(new QLabel(QStringLiteral("File %1:").arg(i), this), i * 2 - 2, 0);
        g->addWidget(file, i * 2 - 2, 1);
        g->addWidget(new QLabel(QStringLiteral("Descrizione:"), this), i * 2 - 1, 0);
        g->addWidget(desc, i * 2 - 1, 1);
        m_files << file;
        m_descs << desc;
    }
    auto *chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    g->addWidget(chiudi, 6, 1, Qt::AlignRight);
    disableDefaultButtons();
}

void TfrmAllegaCartella::prefill(const Card &card, const QList<int> &fileFields, const QList<int> &descFields)
{
    for (int i = 0; i < 3 && i < fileFields.size(); ++i) m_files[i]->setText(text::trimmed(card.text(fileFields[i])));
    for (int i = 0; i < 3 && i < descFields.size(); ++i) m_descs[i]->setText(text::trimmed(card.text(descFields[i])));
}

} // namespace opusteca
