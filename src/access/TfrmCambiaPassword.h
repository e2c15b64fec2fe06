#pragma once
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace opusteca {

class Application;

// Replaces the stored password after checking the old one; always returns to the login.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Application &app);
    void cmdOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOK();
    Application &m_app;
    QLineEdit *m_txtPasswordOld;
    QLineEdit *m_txtPasswordNew;
    QLineEdit *m_txtConferma;
    QPushButton *m_cmdOK;
};

} // namespace opusteca
