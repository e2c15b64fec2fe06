#include "kit/Style.h"

#include <QFrame>
#include <QWidget>

namespace opusteca::style {

QFont font(int pointSize, bool bold, Face face)
{
    QFont f(faceName(face));
    if (face == Face::CourierNew) f.setStyleHint(QFont::Monospace);
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QFont fieldFont() { return font(9); }

QFont captionFont(int pointSize) { return font(pointSize, true); }

QFont listFont() { return font(12, false, Face::CourierNew); }

QString css(const QColor &colour) { return colour.name(); }

QString verticalGradient(const Shade &shade)
{
    return QStringLiteral("qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 %1, stop:1 %2)")
        .arg(css(shade.top), css(shade.bottom));
}

void setTextColour(QWidget *w, const QColor &colour)
{
    w->setStyleSheet(QStringLiteral("color: %1;").arg(css(colour)));
}

void setDialogShade(QWidget *dialog, const Shade &shade)
{
    dialog->setStyleSheet(QStringLiteral("QDialog { background: %1; }").arg(verticalGradient(shade)));
}

QFrame *panel(const QString &name, Panel look, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    setPanel(frame, look);
    return frame;
}

void setPanel(QWidget *w, Panel panel)
{
    struct Look {
        QColor background;
        QColor border;
        int radius;
    };
    // In Panel's order.
    static const Look kLooks[] = {
        {colour::container, colour::containerBorder, 10}, {colour::paper, colour::paperBorder, 8},
        {colour::white, colour::groupBorder, 8},          {colour::white, colour::frameBorder, 6},
        {colour::white, colour::sheetBorder, 6},
    };
    static_assert(std::size(kLooks) == size_t(Panel::Sheet) + 1);
    const Look &look = kLooks[size_t(panel)];
    // A selector by name keeps the look off the controls the panel holds.
    Q_ASSERT(!w->objectName().isEmpty());
    w->setStyleSheet(QStringLiteral("#%1 { background: %2; border: 1px solid %3; border-radius: %4px; }")
                         .arg(w->objectName(), css(look.background), css(look.border))
                         .arg(look.radius));
}

} // namespace opusteca::style
