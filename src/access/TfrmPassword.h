#pragma once
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace opusteca {

class Program;

// The login screen, the first window of the program.
class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(Program &app);

    QLineEdit *txtPassword() const { return m_txtPassword; }
    void cmdOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOK();
    Program &m_app;
    QLineEdit *m_txtPassword;
    QPushButton *m_cmdOK;
};

} // namespace opusteca
