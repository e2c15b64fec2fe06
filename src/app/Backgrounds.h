#pragma once
#include <QColor>
#include <QWidget>

namespace opusteca {

// A window background shaded from top to bottom.
class GradientBackground : public QWidget {
public:
    GradientBackground(const QColor &top, const QColor &bottom, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top;
    QColor m_bottom;
};

} // namespace opusteca
