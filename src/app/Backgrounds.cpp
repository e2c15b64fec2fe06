#include "app/Backgrounds.h"

#include <QLinearGradient>
#include <QPainter>

namespace opusteca {

GradientBackground::GradientBackground(const style::Shade &shade, QWidget *parent)
    : QWidget(parent), m_top(shade.top), m_bottom(shade.bottom)
{
}

void GradientBackground::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_top);
    g.setColorAt(1, m_bottom);
    p.fillRect(rect(), g);
}

} // namespace opusteca
