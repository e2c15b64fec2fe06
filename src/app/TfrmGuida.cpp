#include "app/TfrmGuida.h"

#include "app/Style.h"
#include "app/core/HelpTopics.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace opusteca {

TfrmGuida::TfrmGuida(Application &app, QWidget *opener)
    : DialogScreen(app, opener, QStringLiteral("TfrmGuida"))
{
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    setFixedClientSize(670, 572);
    auto *v = new QVBoxLayout(this);
    m_lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    m_lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    m_lblTitolo->setFont(style::font(16, true, style::Face::Arial));
    style::setTextColour(m_lblTitolo, style::colour::crimson);
    m_txtGuida = new QPlainTextEdit(this);
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setFont(style::font(12, true));
    auto *chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(m_lblTitolo);
    v->addWidget(m_txtGuida, 1);
    v->addWidget(chiudi, 0, Qt::AlignRight);
    disableDefaultButtons();
}

void TfrmGuida::openTopic(Application &app, QWidget *opener, const QString &screenClass)
{
    const HelpTopic topic = helpTopic(screenClass);
    openDialog<TfrmGuida>(app, opener, [&](TfrmGuida &g) {
        g.lblTitolo()->setText(topic.title);
        g.txtGuida()->setPlainText(topic.text());
    });
}

} // namespace opusteca
