// Moves between the long-lived screens and the ways the program ends, through
// the whole program running against a temporary program folder.
#include "app/Application.h"
#include "kit/core/RegionalSettings.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {
const QStringList kLongLived{QStringLiteral("TfrmAutori"),       QStringLiteral("TfrmAvvio"),
                             QStringLiteral("TfrmBibliografie"), QStringLiteral("TfrmCambiaPassword"),
                             QStringLiteral("TfrmLibri"),        QStringLiteral("TfrmPassword")};

void clickWithMouse(QWidget *screen, const QString &name)
{
    QWidget *w = screen->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    QVERIFY2(w->isVisible(), qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}
} // namespace

class TestFlow : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<QSignalSpy> ended;
    QWidget *avvio = nullptr;

    void signIn()
    {
        program->signIn();
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
    }
    void expectEnded()
    {
        QVERIFY(program->app->hasEnded());
        QCOMPARE(ended->count(), 1);
        QCOMPARE(visibleTopLevels(), QStringList());
    }

private slots:
    void initTestCase()
    {
        // Nothing has fixed the regional settings before the first program starts.
        QVERIFY(!RegionalSettings::instance().isApplied());
    }
    void init()
    {
        program = std::make_unique<RunningProgram>();
        ended = std::make_unique<QSignalSpy>(program->app.get(), &Application::ended);
        avvio = topLevel(QStringLiteral("TfrmAvvio"));
        QVERIFY(avvio);
    }
    void cleanup()
    {
        ended.reset();
        program.reset();
    }

    void startUp()
    {
        // The settings are in force as soon as the screens exist.
        QVERIFY(RegionalSettings::instance().isApplied());
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        // The long-lived screens, once each; no dialog screen is left over from start-up.
        QStringList screens;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(QLatin1String("Tfrm"))) screens << w->objectName();
        screens.sort();
        QCOMPARE(screens, kLongLived);
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QVERIFY(!program->app->hasEnded());
    }

    void startMenuTriggers_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("archive");
        for (const char *key : {"Libri", "Autori", "Bibliografie"})
            for (const char *kind : {"img", "btn", "inf"})
                QTest::addRow("%s%s", kind, key) << QString::fromLatin1(kind) + QString::fromLatin1(key)
                                                 << QStringLiteral("Tfrm") + QString::fromLatin1(key);
    }

    void startMenuTriggers()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, archive);
        signIn();
        clickWithMouse(avvio, trigger);
        QCOMPARE(visibleTopLevels(), QStringList{archive});
        QVERIFY(!program->app->hasEnded());
    }

    void leavingAnArchive_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<bool>("windowClose");
        for (const char *key : {"Libri", "Autori", "Bibliografie"}) {
            QTest::addRow("%s, cmdEsci", key) << QStringLiteral("Tfrm") + QString::fromLatin1(key) << false;
            QTest::addRow("%s, window close", key) << QStringLiteral("Tfrm") + QString::fromLatin1(key) << true;
        }
    }

    void leavingAnArchive()
    {
        QFETCH(QString, archive);
        QFETCH(bool, windowClose);
        signIn();
        const QString trigger = QStringLiteral("btn") + archive.mid(4);
        clickWithMouse(avvio, trigger);
        QWidget *screen = topLevel(archive);
        QVERIFY(screen && screen->isVisible());
        if (windowClose)
            screen->close();
        else
            clickWithMouse(screen, QStringLiteral("cmdEsci"));
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
        QVERIFY(!program->app->hasEnded());
        QCOMPARE(ended->count(), 0);
        // And the way there again still works.
        clickWithMouse(avvio, trigger);
        QCOMPARE(visibleTopLevels(), QStringList{archive});
    }

    void closingTheStartMenuEnds()
    {
        signIn();
        QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
        QVERIFY(!login->isVisible()); // the main window is only hidden
        avvio->close();
        expectEnded();
    }

    void startMenuExitPictureEnds()
    {
        signIn();
        clickWithMouse(avvio, QStringLiteral("imgEsci"));
        expectEnded();
    }

    void loginExitEnds_data()
    {
        QTest::addColumn<bool>("windowClose");
        QTest::newRow("Esci") << false;
        QTest::newRow("window close") << true;
    }

    void loginExitEnds()
    {
        QFETCH(bool, windowClose);
        QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
        if (windowClose)
            login->close();
        else
            login->findChild<QPushButton *>(QStringLiteral("cmdEsci"))->click();
        expectEnded();
    }

    void hidingTheLoginDoesNotEnd()
    {
        signIn();
        QVERIFY(!ended->wait(50)); // no deferred end arrives either
        QVERIFY(!program->app->hasEnded());
        QCOMPARE(ended->count(), 0);
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void leavingTheLoginForTheChangeScreenDoesNotEnd()
    {
        QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
        login->findChild<QPushButton *>(QStringLiteral("btnCambiaPassword"))->click();
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmCambiaPassword")});
        QVERIFY(!ended->wait(50));
        QVERIFY(!program->app->hasEnded());
        QCOMPARE(ended->count(), 0);
    }

    void endingTwiceIsHarmless()
    {
        signIn();
        clickWithMouse(avvio, QStringLiteral("imgEsci"));
        avvio->close();
        topLevel(QStringLiteral("TfrmPassword"))->close();
        expectEnded();
    }
};

QTEST_MAIN(TestFlow)
#include "tst_flow.moc"
