#include "access/TfrmPassword.h"

#include "access/PasswordScreens.h"
#include "access/TfrmCambiaPassword.h"
#include "access/core/PasswordStore.h"
#include "kit/Messages.h"
#include "kit/Program.h"
#include "store/Text.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace opusteca {

TfrmPassword::TfrmPassword(Program &app) : m_app(app)
{
    passwordui::setupWindow(this, QStringLiteral("TfrmPassword"), QStringLiteral(" Opusteca 2.0 - Accesso"), 388, 405);

    auto *lblRigo05 =
        passwordui::caption(QStringLiteral("Immetti la password e premi OK."), QStringLiteral("lblRigo05"), 11, this);
    m_txtPassword = passwordui::passwordField(QStringLiteral("txtPassword"), this);
    m_cmdOK = passwordui::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    m_cmdOK->setEnabled(false);
    auto *cmdEsci = passwordui::button(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), this);
    auto *btnCambia = passwordui::button(QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), this);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(24, 18, 24, 18);
    v->addWidget(passwordui::logo(this));
    v->addSpacing(18);
    v->addWidget(lblRigo05);
    v->addWidget(passwordui::fieldHolder(m_txtPassword, m_cmdOK));
    v->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(passwordui::kFieldInset, 0, passwordui::kFieldInset, 0);
    bottom->addWidget(cmdEsci);
    bottom->addStretch(1);
    bottom->addWidget(btnCambia);
    v->addLayout(bottom);

    connect(m_txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::updateOK);
    connect(m_txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (!text::isBlank(m_txtPassword->text())) cmdOKClick();
    });
    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, [this] { close(); });
    connect(btnCambia, &QPushButton::clicked, this, [this] { Program::moveTo(this, m_app.passwordChangeWindow()); });
}

void TfrmPassword::updateOK() { m_cmdOK->setEnabled(!text::isBlank(m_txtPassword->text())); }

void TfrmPassword::cmdOKClick()
{
    const std::optional<QString> stored = PasswordStore(m_app.programFolder()).read();
    if (!stored) {
        msg::plain(this, QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                        "lettura della password. Si consiglia di reinstallare il software."));
        return;
    }
    const QString typed = PasswordStore::normalise(m_txtPassword->text());
    // The stored password is compared as it is read and not kept afterwards.
    if (!typed.isEmpty() && text::trimmed(*stored) == typed) {
        Program::moveTo(this, m_app.startMenu());
        return;
    }
    msg::plain(this, QStringLiteral("Attenzione: password errata."));
    m_txtPassword->clear();
    m_txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activateWindow();
    m_txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_app.endProgram();
}

} // namespace opusteca
