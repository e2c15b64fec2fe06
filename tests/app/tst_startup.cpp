// The program's own start: the login window first, the controls of the other
// long-lived screens made once it has been painted, or earlier wherever they are
// needed first. What the user sees must not depend on which came first.
#include "access/TfrmCambiaPassword.h"
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "kit/LongLivedScreen.h"
#include "kit/core/RegionalSettings.h"
#include "screens/TfrmAutori.h"
#include "screens/TfrmBibliografie.h"
#include "screens/TfrmLibri.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

constexpr auto kAfterLogin = Application::Contents::AfterLogin;

QStringList longLivedNames()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName().startsWith(QLatin1String("Tfrm"))) names << w->objectName();
    names.sort();
    return names;
}

QWidget *control(const QString &screen, const QString &name)
{
    QWidget *s = topLevel(screen);
    return s ? s->findChild<QWidget *>(name) : nullptr;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Nothing has fixed the regional settings before the first program starts.
        QVERIFY(!RegionalSettings::instance().isApplied());
    }

    void screensExistBeforeTheirControls()
    {
        RunningProgram program(kAfterLogin);
        // The windows and their creation effects are there from the start...
        QVERIFY(RegionalSettings::instance().isApplied());
        QCOMPARE(longLivedNames(),
                 (QStringList{QStringLiteral("TfrmAutori"), QStringLiteral("TfrmAvvio"),
                              QStringLiteral("TfrmBibliografie"), QStringLiteral("TfrmCambiaPassword"),
                              QStringLiteral("TfrmLibri"), QStringLiteral("TfrmPassword")}));
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QVERIFY(control(QStringLiteral("TfrmPassword"), QStringLiteral("txtPassword")));
        // ...the controls of the hidden screens only once the login is on the screen.
        QVERIFY(!program.app->isComplete());
        QVERIFY(!control(QStringLiteral("TfrmLibri"), QStringLiteral("txtTitolo")));
    }

    void completedOnceTheLoginIsPainted_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxLength"); // 0: not a field of a record
        QTest::newRow("book card") << QStringLiteral("TfrmLibri") << QStringLiteral("txtTitolo")
                                   << bookLayout().fields[libro::Titolo].capacity;
        QTest::newRow("author card") << QStringLiteral("TfrmAutori") << QStringLiteral("txtAutore")
                                     << authorLayout().fields[autore::Autore].capacity;
        QTest::newRow("bibliography card") << QStringLiteral("TfrmBibliografie") << QStringLiteral("txtDestinatari")
                                           << bibliographyLayout().fields[bibliografia::Destinatari].capacity;
        QTest::newRow("start menu") << QStringLiteral("TfrmAvvio") << QStringLiteral("imgEsci") << 0;
        QTest::newRow("change password") << QStringLiteral("TfrmCambiaPassword") << QStringLiteral("txtConferma") << 0;
    }

    void completedOnceTheLoginIsPainted()
    {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(int, maxLength);
        RunningProgram program(kAfterLogin);
        QSignalSpy completed(program.app.get(), &Application::completed);
        QVERIFY(completed.wait(10000));
        QCOMPARE(completed.count(), 1);
        QVERIFY(program.app->isComplete());

        QWidget *w = control(screen, name);
        QVERIFY(w);
        if (maxLength) QCOMPARE(qobject_cast<QLineEdit *>(w)->maxLength(), maxLength);
        // Completing shows nothing and leaves the login as the user has it.
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
        QVERIFY(login->focusWidget());
        QCOMPARE(login->focusWidget()->objectName(), QStringLiteral("txtPassword"));
    }

    void openedBeforeCompletion_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("firstField");
        QTest::newRow("books") << QStringLiteral("Libri") << QStringLiteral("txtTitolo");
        QTest::newRow("authors") << QStringLiteral("Autori") << QStringLiteral("txtAutore");
        QTest::newRow("bibliographies") << QStringLiteral("Bibliografie") << QStringLiteral("txtTitolo");
    }

    void openedBeforeCompletion()
    {
        QFETCH(QString, archive);
        QFETCH(QString, firstField);
        RunningProgram program(kAfterLogin);
        QSignalSpy completed(program.app.get(), &Application::completed);
        // Signed in and the archive opened before the event loop has run once.
        program.signIn();
        QWidget *menu = topLevel(QStringLiteral("TfrmAvvio"));
        QVERIFY(menu->isVisible());
        QWidget *trigger = menu->findChild<QWidget *>(QStringLiteral("btn") + archive);
        QVERIFY(trigger && trigger->isVisible());
        click(trigger);

        const QString screenName = QStringLiteral("Tfrm") + archive;
        QCOMPARE(visibleTopLevels(), QStringList{screenName});
        QWidget *screen = topLevel(screenName);
        QWidget *first = screen->findChild<QWidget *>(firstField);
        // Made before the window was shown, so shown with it: a blank card, the
        // focus on its first field, the status line's first text.
        QVERIFY(first && first->isVisible());
        QCOMPARE(screen->focusWidget(), first);
        QVERIFY(screen->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text().isEmpty());
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));

        // The rest is completed later without disturbing the screen on show.
        QVERIFY(completed.wait(10000));
        QCOMPARE(visibleTopLevels(), QStringList{screenName});
        QCOMPARE(screen->focusWidget(), first);
    }

    void referencesHandOutCompleteScreens()
    {
        // Other screens reach the archive screens through the program's references.
        RunningProgram program(kAfterLogin);
        const QList<QPair<QWidget *, QWidget *>> fields = {
            {program.app->libri()->card().control(libro::Dewey), topLevel(QStringLiteral("TfrmLibri"))},
            {program.app->autori()->card().control(autore::Opere), topLevel(QStringLiteral("TfrmAutori"))},
            {program.app->bibliografie()->card().control(bibliografia::Bibliografia),
             topLevel(QStringLiteral("TfrmBibliografie"))},
        };
        for (const auto &[field, screen] : fields) {
            QVERIFY(field);
            QCOMPARE(field->window(), screen);
            QVERIFY(!screen->isVisible());
        }
        QVERIFY(program.app->avvio()->findChild<QWidget *>(QStringLiteral("imgLibri")));
        QVERIFY(program.app->cambiaPassword()->findChild<QWidget *>(QStringLiteral("txtPasswordOld")));
        QVERIFY(program.app->isComplete());
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
    }

    void endedWhileCompleting()
    {
        auto program = std::make_unique<RunningProgram>(kAfterLogin);
        auto *menu = qobject_cast<LongLivedScreen *>(topLevel(QStringLiteral("TfrmAvvio")));
        QVERIFY(menu);
        // One turn of the event loop at a time, until the first screen is complete.
        for (int turn = 0; turn < 1000 && !menu->isBuilt(); ++turn) QCoreApplication::processEvents();
        QVERIFY(menu->isBuilt());
        QVERIFY(!program->app->isComplete());
        program.reset();
        // What was still to be done goes with the program.
        for (int turn = 0; turn < 20; ++turn) QCoreApplication::processEvents();
        QCOMPARE(longLivedNames(), QStringList());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
