#pragma once
#include <QString>

class QWidget;
class QLineEdit;
class QBoxLayout;

namespace opusteca::passwordui {

// Shared look of the two password screens.
void setupWindow(QWidget *screen, const QString &className, const QString &caption, int w, int h);
QWidget *logo(QWidget *parent);
// A masked, bold field with its focus frame.
QLineEdit *passwordField(const QString &name, QWidget *parent);
// A row holding a field with room around it for the focus frame.
QWidget *fieldHolder(QLineEdit *field, QWidget *extra = nullptr);

} // namespace opusteca::passwordui
