#include "access/TfrmCambiaPassword.h"

#include "access/PasswordScreens.h"
#include "access/TfrmPassword.h"
#include "access/core/PasswordStore.h"
#include "kit/Conventions.h"
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
namespace {
const QString kChangeFailed =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");
}

TfrmCambiaPassword::TfrmCambiaPassword(Program &app) : m_app(app)
{
    passwordui::setupWindow(this, QStringLiteral("TfrmCambiaPassword"), QStringLiteral(" Cambia password"), 411, 418);
}

void TfrmCambiaPassword::buildContents()
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(24, 14, 24, 16);
    v->setSpacing(2);
    v->addWidget(passwordui::logo(this));
    v->addSpacing(6);

    const auto addRow = [&](const QString &label, const QString &labelName, const QString &field) {
        QLabel *l = passwordui::caption(label, labelName, 9, this);
        QLineEdit *e = passwordui::passwordField(field, this);
        v->addWidget(l);
        v->addWidget(passwordui::fieldHolder(e));
        connect(e, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOK);
        return e;
    };
    m_txtPasswordOld =
        addRow(QStringLiteral("Vecchia password:"), QStringLiteral("lblRigo05"), QStringLiteral("txtPasswordOld"));
    m_txtPasswordNew =
        addRow(QStringLiteral("Nuova password:"), QStringLiteral("lblRigo06"), QStringLiteral("txtPasswordNew"));
    m_txtConferma =
        addRow(QStringLiteral("Conferma nuova password:"), QStringLiteral("lblRigo07"), QStringLiteral("txtConferma"));
    chainFocus(this, {m_txtPasswordOld, m_txtPasswordNew, m_txtConferma});

    auto *cmdEsci = passwordui::button(QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), this);
    m_cmdOK = passwordui::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    m_cmdOK->setEnabled(false);
    v->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(passwordui::kFieldInset, 0, passwordui::kFieldInset, 0);
    bottom->addWidget(cmdEsci);
    bottom->addStretch(1);
    bottom->addWidget(m_cmdOK);
    v->addLayout(bottom);

    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmCambiaPassword::updateOK()
{
    m_cmdOK->setEnabled(!text::isBlank(m_txtPasswordOld->text()) && !text::isBlank(m_txtPasswordNew->text()) &&
                        !text::isBlank(m_txtConferma->text()));
}

void TfrmCambiaPassword::cmdOKClick()
{
    ensureBuilt();
    const PasswordStore store(m_app.programFolder());
    const std::optional<QString> stored = store.read();
    if (!stored) {
        msg::plain(this, kChangeFailed);
        return;
    }
    if (text::trimmed(*stored) != PasswordStore::normalise(m_txtPasswordOld->text())) {
        msg::plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        m_txtPasswordOld->clear();
        m_txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Compared exactly as typed: case matters here, although both would store alike.
    if (text::trimmed(m_txtPasswordNew->text()) != text::trimmed(m_txtConferma->text())) {
        msg::plain(this, QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                        "E' necessario reinserire entrambi i valori."));
        m_txtPasswordNew->clear();
        m_txtConferma->clear();
        m_txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString newPassword = PasswordStore::normalise(m_txtPasswordNew->text());
    // The stored form carries at most 255 characters up to U+00FF; anything else
    // could be stored but never matched again.
    if (!PasswordStore::isStorable(newPassword)) {
        msg::plain(this, QStringLiteral("Attenzione: la nuova password può contenere al massimo 255 caratteri "
                                        "e soltanto lettere, cifre e simboli dell'alfabeto latino. "
                                        "E' necessario reinserire entrambi i valori."));
        m_txtPasswordNew->clear();
        m_txtConferma->clear();
        m_txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!store.write(newPassword)) {
        msg::plain(this, kChangeFailed);
        return;
    }
    msg::plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_txtPasswordOld->clear();
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    activateWindow();
    m_txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_app.hasEnded()) return;
    TfrmPassword *login = static_cast<TfrmPassword *>(m_app.loginWindow());
    login->txtPassword()->clear();
    Program::moveTo(this, login);
    login->txtPassword()->setFocus(Qt::OtherFocusReason);
}

} // namespace opusteca
