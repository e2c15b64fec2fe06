#pragma once
#include "app/Style.h"

#include <QColor>
#include <QWidget>

namespace opusteca {

// A window background shaded from top to bottom.
class GradientBackground : public QWidget {
public:
    explicit GradientBackground(const style::Shade &shade, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top;
    QColor m_bottom;
};

} // namespace opusteca
