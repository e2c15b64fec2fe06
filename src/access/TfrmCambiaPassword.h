#pragma once
#include "app/LongLivedScreen.h"

class QLineEdit;
class QPushButton;

namespace opusteca {

class Application;

// Replaces the stored password after checking the old one; always returns to the login.
class TfrmCambiaPassword : public LongLivedScreen {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Application &app);
    void cmdOKClick();

protected:
    void buildContents() override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOK();
    Application &m_app;
    QLineEdit *m_txtPasswordOld = nullptr;
    QLineEdit *m_txtPasswordNew = nullptr;
    QLineEdit *m_txtConferma = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

} // namespace opusteca
