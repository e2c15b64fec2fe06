#pragma once
#include <QWidget>

namespace opusteca {

class Application;

class TfrmLibri : public QWidget {
    Q_OBJECT
public:
    explicit TfrmLibri(Application &app);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Application &m_app;
};

} // namespace opusteca
