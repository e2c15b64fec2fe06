#include "kit/TfrmGuida.h"

#include "kit/Backgrounds.h"
#include "kit/Links.h"
#include "kit/Pictures.h"
#include "kit/Program.h"
#include "kit/Shell.h"
#include "kit/Style.h"
#include "kit/core/HelpTopics.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace opusteca {

HelpText::HelpText(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(8);
}

void HelpText::setText(const QString &text)
{
    m_text = text;
    setPlainText(text); // CR LF ends a block, so each paragraph wraps on its own
}

TfrmGuida::TfrmGuida(Program &app, QWidget *opener) : DialogScreen(app, opener, QStringLiteral("TfrmGuida"))
{
    setCaptionAndSize(QStringLiteral(" Guida all'utilizzo del software"), 670, 572);

    auto *background = GradientBackground::fill(this, style::helpWindow);
    auto *centre = new QGridLayout(background);
    centre->setContentsMargins(0, 0, 0, 0);
    auto *panel = new QWidget(background);
    panel->setObjectName(QStringLiteral("panGuida"));
    panel->setFixedSize(641, 540);
    centre->addWidget(panel, 0, 0, Qt::AlignCenter);

    auto *band = new QWidget(panel);
    band->setObjectName(QStringLiteral("shpLogo"));
    band->setGeometry(8, 8, 625, 85);
    style::setPanel(band, style::Panel::Sheet);
    artwork::picture(QStringLiteral("imgLogo"), QStringLiteral("guida_intestazione"), QSize(587, 69), panel)
        ->move(24, 16);

    m_lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), panel);
    m_lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    m_lblTitolo->setFont(style::font(16, true, style::Face::Arial));
    style::setTextColour(m_lblTitolo, style::colour::crimson);
    m_lblTitolo->setGeometry(8, 104, 625, 24);

    m_txtGuida = new HelpText(panel);
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setFont(style::font(12, true));
    m_txtGuida->setGeometry(8, 128, 625, 350);

    const QString guide = links::userGuide(app.programFolder());
    m_pdf = new ScreenLink(panel, QStringLiteral("imgPDF"), QStringLiteral("pdf"), QRect(8, 496, 30, 30),
                           QStringLiteral("Visualizza guida in formato PDF"), QPoint(44, 500),
                           [guide] { shell::open(guide); });

    auto *chiudi = dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panel, 12, QSize(), false);
    chiudi->setGeometry(472, 488, 161, 41);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    disableDefaultButtons();
}

void TfrmGuida::openTopic(Program &app, QWidget *opener, const QString &screenClass)
{
    const HelpTopic topic = helpTopic(screenClass);
    openDialog<TfrmGuida>(app, opener, [&](TfrmGuida &g) {
        g.lblTitolo()->setText(topic.title);
        g.txtGuida()->setText(topic.text());
    });
}

} // namespace opusteca
