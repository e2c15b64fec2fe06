#include "kit/Messages.h"

#include <QMessageBox>

namespace opusteca::msg {
namespace {

int show(QWidget *parent, QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton def)
{
    QMessageBox box(icon, QStringLiteral("Opusteca 2.0"), text, buttons, parent);
    box.setObjectName(QStringLiteral("msgBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(def);
    return box.exec();
}

} // namespace

void warning(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
}

void error(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Critical, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
}

void information(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Information, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
}

bool confirm(QWidget *parent, const QString &text)
{
    return show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) !=
           QMessageBox::No;
}

void plain(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

void systemError(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace opusteca::msg
