#pragma once
#include <QWidget>

namespace opusteca {

class Application;

class TfrmBibliografie : public QWidget {
    Q_OBJECT
public:
    explicit TfrmBibliografie(Application &app);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Application &m_app;
};

} // namespace opusteca
