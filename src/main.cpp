#include "app/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Software rendering: the program draws nothing that needs the graphics hardware.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    // Standard buttons and dialogs in Italian; without the translations the program still runs.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    opusteca::Application app(QCoreApplication::applicationDirPath());
    QObject::connect(&app, &opusteca::Application::ended, &qapp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    app.start();
    return QApplication::exec();
}
