#pragma once
#include "kit/Style.h"

#include <QColor>
#include <QWidget>

namespace opusteca {

// A window background shaded from top to bottom.
class GradientBackground : public QWidget {
public:
    explicit GradientBackground(const style::Shade &shade, QWidget *parent = nullptr);
    // A shaded background that fills the whole of `window`, kept so by a layout
    // without margins; the window's content goes on it.
    static GradientBackground *fill(QWidget *window, const style::Shade &shade, const QString &name = {});

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top;
    QColor m_bottom;
};

} // namespace opusteca
