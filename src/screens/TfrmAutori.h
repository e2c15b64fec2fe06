#pragma once
#include <QWidget>

namespace opusteca {

class Application;

class TfrmAutori : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAutori(Application &app);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Application &m_app;
};

} // namespace opusteca
