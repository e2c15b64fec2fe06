#pragma once
#include <QString>

class QWidget;

// Every message box of the program goes through here, so the kinds stay uniform:
// warning, error and information boxes carry OK and Cancel (the answer is not
// used), confirmations carry Yes and No, plain boxes OK only, and the box of a
// failed system operation the error icon and OK only.
namespace opusteca::msg {

void warning(QWidget *parent, const QString &text);
void error(QWidget *parent, const QString &text);
void information(QWidget *parent, const QString &text);
// False only when the user answers No.
bool confirm(QWidget *parent, const QString &text);
void plain(QWidget *parent, const QString &text);
void systemError(QWidget *parent, const QString &text);

} // namespace opusteca::msg
