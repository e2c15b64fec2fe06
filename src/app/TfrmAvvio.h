#pragma once
#include <QWidget>

namespace opusteca {

class Application;

// The start menu: pictures only; opens the three archives and ends the program.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAvvio(Application &app);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildContent(QWidget *panel);
    Application &m_app;
};

} // namespace opusteca
