#pragma once
#include "kit/LongLivedScreen.h"

class QLineEdit;
class QPushButton;

namespace opusteca {

class Program;

// Replaces the stored password after checking the old one; always returns to the login.
class TfrmCambiaPassword : public LongLivedScreen {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Program &app);
    void cmdOKClick();

protected:
    void buildContents() override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOK();
    Program &m_app;
    QLineEdit *m_txtPasswordOld = nullptr;
    QLineEdit *m_txtPasswordNew = nullptr;
    QLineEdit *m_txtConferma = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

} // namespace opusteca
