// The baseline of the start-up benchmark: an empty Qt Widgets window, shown
// the way the program shows its login window, saying "shown" once it has been
// painted, then ending.
#include "app/FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication qapp(argc, argv);
    QWidget window;
    window.resize(400, 300);
    new opusteca::FirstPaint(&window, [] {
        opusteca::sayToStartupProbe("shown");
        QCoreApplication::exit(0);
    });
    window.show();
    return QApplication::exec();
}
