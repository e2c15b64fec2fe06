#include "kit/Backgrounds.h"

#include <QGridLayout>
#include <QLinearGradient>
#include <QPainter>

namespace opusteca {

GradientBackground::GradientBackground(const style::Shade &shade, QWidget *parent)
    : QWidget(parent), m_top(shade.top), m_bottom(shade.bottom)
{
}

GradientBackground *GradientBackground::fill(QWidget *window, const style::Shade &shade, const QString &name)
{
    auto *background = new GradientBackground(shade, window);
    if (!name.isEmpty()) background->setObjectName(name);
    auto *grid = new QGridLayout(window);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(background, 0, 0);
    return background;
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
