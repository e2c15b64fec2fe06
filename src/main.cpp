#include "access/TfrmPassword.h"
#include "app/Application.h"
#include "app/FirstPaint.h"
#include "app/WindowProbe.h"
#include "store/LargeBlocks.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    opusteca::memory::mapLargeBlocks();
    // Software rendering: the program draws nothing that needs the graphics hardware.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    // Standard buttons and dialogs in Italian; without the translations the program still runs.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);
    opusteca::WindowProbe::installFromEnvironment();

    // The login first: the other screens make their controls once it is on the screen.
    opusteca::Application app(QCoreApplication::applicationDirPath(), opusteca::Application::Contents::AfterLogin);
    QObject::connect(&app, &opusteca::Application::ended, &qapp, &QCoreApplication::quit, Qt::QueuedConnection);
    app.start();

    // Start-up benchmark: with OPUSTECA_STARTUP_PROBE set, the program says
    // "shown" on its standard output once the login window is on the screen,
    // then "complete" once every long-lived screen has its controls, and ends.
    if (qEnvironmentVariableIsSet("OPUSTECA_STARTUP_PROBE")) {
        QObject::connect(&app, &opusteca::Application::completed, &qapp, [] {
            opusteca::sayToStartupProbe("complete");
            QCoreApplication::exit(0);
        });
        new opusteca::FirstPaint(app.password(), [&app] {
            opusteca::sayToStartupProbe("shown");
            if (app.isComplete()) {
                opusteca::sayToStartupProbe("complete");
                QCoreApplication::exit(0);
            }
        });
    }
    return QApplication::exec();
}
