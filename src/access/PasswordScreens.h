#pragma once
#include <QString>

class QWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QBoxLayout;

namespace opusteca::passwordui {

// Shared look of the two password screens.
void setupWindow(QWidget *screen, const QString &className, const QString &caption, int w, int h);
QWidget *logo(QWidget *parent);
// A masked, bold field with its focus frame.
QLineEdit *passwordField(const QString &name, QWidget *parent);
// A row holding a field with room around it for the focus frame.
QWidget *fieldHolder(QLineEdit *field, QWidget *extra = nullptr);
// A bold caption above a field or over the screen.
QLabel *caption(const QString &text, const QString &name, int pointSize, QWidget *parent);
// A push button as tall as the password fields, its text clear of its border.
QPushButton *button(const QString &name, const QString &text, QWidget *parent);
// Room a field row keeps on each side for the focus frame; the bottom buttons
// keep the same, so that they line up with the field row.
constexpr int kFieldInset = 6;

} // namespace opusteca::passwordui
