// The login and change-password screens, driven as a user would through the
// whole program running against a temporary program folder.
#include "access/core/PasswordStore.h"
#include "access/core/Scrambler.h"
#include "app/Application.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadFailed =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                             "E' necessario reinserire entrambi i valori.");
const QString kNotStorable =
    QStringLiteral("Attenzione: la nuova password può contenere al massimo 255 caratteri e soltanto lettere, cifre e "
                   "simboli dell'alfabeto latino. E' necessario reinserire entrambi i valori.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeFailed =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");

const QString kPasswordFile = QString::fromLatin1(PasswordStore::kFileName);

QByteArray iniHolding(const QString &hex)
{
    return QByteArray("[Accesso]\r\nValore=") + hex.toLatin1() + QByteArray("\r\n");
}

} // namespace

class TestPasswordScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *login = nullptr;
    QWidget *change = nullptr;

    QLineEdit *field(QWidget *screen, const QString &name) { return screen->findChild<QLineEdit *>(name); }
    QPushButton *button(QWidget *screen, const QString &name) { return screen->findChild<QPushButton *>(name); }
    QLineEdit *txtPassword() { return field(login, QStringLiteral("txtPassword")); }
    QLineEdit *txtOld() { return field(change, QStringLiteral("txtPasswordOld")); }
    QLineEdit *txtNew() { return field(change, QStringLiteral("txtPasswordNew")); }
    QLineEdit *txtConferma() { return field(change, QStringLiteral("txtConferma")); }
    QByteArray passwordFile() const { return program->folder.read(kPasswordFile); }
    std::optional<QString> stored() const { return PasswordStore(program->folder.path()).read(); }

    // Types into the login field and confirms, with the OK button or the Enter key.
    Boxes tryLogin(const QString &typed, bool viaEnter = false)
    {
        txtPassword()->clear();
        typeText(txtPassword(), typed);
        return answerBoxes([&] {
            if (viaEnter)
                pressEnter(txtPassword());
            else
                button(login, QStringLiteral("cmdOK"))->click();
        });
    }
    bool openChangeScreen()
    {
        button(login, QStringLiteral("btnCambiaPassword"))->click();
        return change->isVisible() && !login->isVisible();
    }
    Boxes tryChange(const QString &oldText, const QString &newText, const QString &confirm)
    {
        for (QLineEdit *e : {txtOld(), txtNew(), txtConferma()}) e->clear();
        typeText(txtOld(), oldText);
        typeText(txtNew(), newText);
        typeText(txtConferma(), confirm);
        return answerBoxes([&] { button(change, QStringLiteral("cmdOK"))->click(); });
    }

private slots:
    void init()
    {
        program = std::make_unique<RunningProgram>();
        login = topLevel(QStringLiteral("TfrmPassword"));
        change = topLevel(QStringLiteral("TfrmCambiaPassword"));
        QVERIFY(login && change);
    }
    void cleanup()
    {
        const QString file = program->folder.file(kPasswordFile);
        if (QFileInfo(file).isFile()) QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        program.reset();
    }

    // ---- login --------------------------------------------------------------

    void startShowsTheLoginAlone()
    {
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QCOMPARE(login->focusWidget(), txtPassword());
        QVERIFY(!button(login, QStringLiteral("cmdOK"))->isEnabled());
        QCOMPARE(login->size(), QSize(388, 405));
        QCOMPARE(change->size(), QSize(411, 418));
        // Centred on the display.
        const QPoint offset = login->frameGeometry().center() - login->screen()->availableGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        QCOMPARE(txtPassword()->echoMode(), QLineEdit::Password);
        QCOMPARE(txtPassword()->maxLength(), 32767); // no limit of its own
        QVERIFY(login->windowTitle().startsWith(QStringLiteral(" Opusteca 2.0 - ")));
        QCOMPARE(login->findChild<QWidget *>(QStringLiteral("lblRigo05"))->property("text").toString(),
                 QStringLiteral("Immetti la password e premi OK."));
        QCOMPARE(button(login, QStringLiteral("cmdEsci"))->text(), QStringLiteral("Esci"));
        QCOMPARE(button(login, QStringLiteral("btnCambiaPassword"))->text(), QStringLiteral("Cambia password"));
    }

    void loginWithTypedPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("viaEnter");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case") << "opusteca" << false << true;
        QTest::newRow("mixed case") << "OpUsTeCa" << false << true;
        QTest::newRow("upper case") << "OPUSTECA" << false << true;
        QTest::newRow("blanks around") << "  opusteca   " << false << true;
        QTest::newRow("Enter key") << "Opusteca" << true << true;
        QTest::newRow("one character more") << "opustecaa" << false << false;
        QTest::newRow("one character less") << "opustec" << false << false;
        QTest::newRow("inner blank") << "opus teca" << false << false;
        QTest::newRow("refused through Enter") << "OPUSTECA1" << true << false;
    }

    void loginWithTypedPassword()
    {
        QFETCH(QString, typed);
        QFETCH(bool, viaEnter);
        QFETCH(bool, accepted);
        const Boxes boxes = tryLogin(typed, viaEnter);
        QVERIFY(!boxes.timedOut);
        if (accepted) {
            QCOMPARE(boxes.count(), 0);
            QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
            QVERIFY(!program->app->hasEnded());
            return;
        }
        QCOMPARE(boxes.texts, QStringList{kWrong});
        QCOMPARE(boxes.buttonCounts, QList<int>{1});
        QCOMPARE(txtPassword()->text(), QString());
        QCOMPARE(login->focusWidget(), txtPassword());
        QVERIFY(!button(login, QStringLiteral("cmdOK"))->isEnabled());
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        // Any number of tries.
        QCOMPARE(tryLogin(QStringLiteral("opusteca")).count(), 0);
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void blankFieldDoesNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "    ";
    }

    void blankFieldDoesNothing()
    {
        QFETCH(QString, typed);
        typeText(txtPassword(), QStringLiteral("x"));
        QVERIFY(button(login, QStringLiteral("cmdOK"))->isEnabled());
        txtPassword()->clear();
        typeText(txtPassword(), typed);
        QVERIFY(!button(login, QStringLiteral("cmdOK"))->isEnabled());
        const Boxes boxes = answerBoxes([&] { pressEnter(txtPassword()); });
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(txtPassword()->text(), typed);
        QVERIFY(!button(login, QStringLiteral("cmdOK"))->isEnabled());
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
    }

    void storedPasswordDecidesTheCase_data()
    {
        QTest::addColumn<QString>("storedText"); // written by hand, not through the screens
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("hand-written lower case, typed lower") << "opusteca"
                                                              << "opusteca" << false;
        QTest::newRow("hand-written lower case, typed upper") << "opusteca"
                                                              << "OPUSTECA" << false;
        QTest::newRow("hand-written one lower letter") << "OPUSTECa"
                                                       << "OPUSTECa" << false;
        QTest::newRow("accented lower, typed lower")
            << QStringLiteral("CITT\u00E0") << QStringLiteral("citt\u00E0") << true;
        QTest::newRow("accented lower, typed mixed")
            << QStringLiteral("CITT\u00E0") << QStringLiteral("Citt\u00E0") << true;
        QTest::newRow("accented lower, typed capital")
            << QStringLiteral("CITT\u00E0") << QStringLiteral("CITT\u00C0") << false;
        QTest::newRow("accented capital, typed lower")
            << QStringLiteral("PERCH\u00C9") << QStringLiteral("perch\u00E9") << false;
        QTest::newRow("accented capital, typed capital")
            << QStringLiteral("PERCH\u00C9") << QStringLiteral("perch\u00C9") << true;
        QTest::newRow("stored with blanks around") << "  OPUSTECA "
                                                   << "opusteca" << true;
    }

    void storedPasswordDecidesTheCase()
    {
        QFETCH(QString, storedText);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        program->folder.write(kPasswordFile, iniHolding(scrambler::scramble(storedText)));
        const Boxes boxes = tryLogin(typed);
        QCOMPARE(boxes.texts, accepted ? QStringList() : QStringList{kWrong});
        QCOMPARE(login->isVisible(), !accepted);
    }

    void missingPasswordFileRefusesEverything_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("initial password") << "opusteca";
        QTest::newRow("anything") << "x";
    }

    void missingPasswordFileRefusesEverything()
    {
        QFETCH(QString, typed);
        QVERIFY(QFile::remove(program->folder.file(kPasswordFile)));
        QCOMPARE(tryLogin(typed).texts, QStringList{kWrong});
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QVERIFY(!QFileInfo::exists(program->folder.file(kPasswordFile))); // never created by the program
    }

    void unreadablePasswordFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: the file is a folder
        QTest::newRow("not hexadecimal") << iniHolding(QStringLiteral("4G25"));
        QTest::newRow("good pairs then a bad one")
            << iniHolding(scrambler::scramble(QStringLiteral("OPUSTECA")) + "ZZ");
        QTest::newRow("a folder in its place") << QByteArray();
    }

    void unreadablePasswordFile()
    {
        QFETCH(QByteArray, content);
        if (content.isEmpty()) {
            QVERIFY(QFile::remove(program->folder.file(kPasswordFile)));
            QVERIFY(QDir(program->folder.path()).mkdir(kPasswordFile));
        } else {
            program->folder.write(kPasswordFile, content);
        }
        const Boxes boxes = tryLogin(QStringLiteral(" opusteca"));
        QCOMPARE(boxes.texts, QStringList{kReadFailed});
        QCOMPARE(boxes.buttonCounts, QList<int>{1});
        QCOMPARE(txtPassword()->text(), QStringLiteral(" opusteca")); // as typed
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
    }

    // ---- change password ----------------------------------------------------

    void changeScreenStartsEmpty()
    {
        QVERIFY(openChangeScreen());
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmCambiaPassword")});
        QCOMPARE(change->windowTitle(), QStringLiteral(" Cambia password"));
        QCOMPARE(change->focusWidget(), txtOld());
        QVERIFY(!button(change, QStringLiteral("cmdOK"))->isEnabled());
        typeText(txtOld(), QStringLiteral("a"));
        typeText(txtNew(), QStringLiteral("b"));
        QVERIFY(!button(change, QStringLiteral("cmdOK"))->isEnabled());
        typeText(txtConferma(), QStringLiteral(" "));
        QVERIFY(!button(change, QStringLiteral("cmdOK"))->isEnabled());
        typeText(txtConferma(), QStringLiteral("b"));
        QVERIFY(button(change, QStringLiteral("cmdOK"))->isEnabled());

        button(change, QStringLiteral("cmdEsci"))->click();
        QVERIFY(openChangeScreen());
        for (QLineEdit *e : {txtOld(), txtNew(), txtConferma()}) QCOMPARE(e->text(), QString());
        QCOMPARE(change->focusWidget(), txtOld());
    }

    void closingChangeReturnsToAnEmptyLogin_data()
    {
        QTest::addColumn<bool>("windowClose");
        QTest::newRow("Chiudi") << false;
        QTest::newRow("window close") << true;
    }

    void closingChangeReturnsToAnEmptyLogin()
    {
        QFETCH(bool, windowClose);
        typeText(txtPassword(), QStringLiteral("half typed"));
        QVERIFY(openChangeScreen());
        typeText(txtOld(), QStringLiteral("opusteca"));
        const QByteArray before = passwordFile();
        if (windowClose)
            change->close();
        else
            button(change, QStringLiteral("cmdEsci"))->click();
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QCOMPARE(txtPassword()->text(), QString());
        QCOMPARE(login->focusWidget(), txtPassword());
        QVERIFY(!program->app->hasEnded());
        QCOMPARE(passwordFile(), before);
    }

    // Every refused change: the box says why, the fields that must be typed
    // again are emptied and take the focus, and the file is left as it was.
    void changeRefused_data()
    {
        QTest::addColumn<QString>("fileState"); // "", "missing", "read-only" or "unreadable"
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("afterwards"); // old, new, confirmation
        QTest::addColumn<QString>("focus");          // empty: where it was
        const QString n = QStringLiteral("nuova");
        QTest::newRow("old: another word")
            << ""
            << "sbagliata" << n << n << kOldWrong << QStringList{"", n, n} << "txtPasswordOld";
        QTest::newRow("old: one character less")
            << ""
            << "opustec" << n << n << kOldWrong << QStringList{"", n, n} << "txtPasswordOld";
        QTest::newRow("old: no password file")
            << "missing"
            << "opusteca" << n << n << kOldWrong << QStringList{"", n, n} << "txtPasswordOld";
        const QString o = QStringLiteral("Opusteca");
        QTest::newRow("confirmation: other case")
            << "" << o << n << "NUOVA" << kNotConfirmed << QStringList{o, "", ""} << "txtPasswordNew";
        QTest::newRow("confirmation: another word")
            << "" << o << n << "nuovo" << kNotConfirmed << QStringList{o, "", ""} << "txtPasswordNew";
        QTest::newRow("confirmation: one character more")
            << "" << o << n << "nuovaa" << kNotConfirmed << QStringList{o, "", ""} << "txtPasswordNew";
        QTest::newRow("confirmation: accented case")
            << "" << o << QStringLiteral("citt\u00E0") << QStringLiteral("citt\u00C0") << kNotConfirmed
            << QStringList{o, "", ""} << "txtPasswordNew";
        const QString lower = QStringLiteral("opusteca");
        for (const auto &[name, text] : {std::pair{"new: 256 characters", QString(256, QLatin1Char('k'))},
                                         std::pair{"new: greek letter", QStringLiteral("\u03A9mega")},
                                         std::pair{"new: euro sign", QStringLiteral("costo\u20AC")},
                                         std::pair{"new: emoji", QStringLiteral("libro\U0001F4DA")}})
            QTest::newRow(name) << "" << lower << text << text << kNotStorable << QStringList{lower, "", ""}
                                << "txtPasswordNew";
        QTest::newRow("file read-only") << "read-only" << lower << n << n << kChangeFailed << QStringList{lower, n, n}
                                        << "";
        QTest::newRow("stored value unreadable")
            << "unreadable" << lower << n << n << kChangeFailed << QStringList{lower, n, n} << "";
    }

    void changeRefused()
    {
        QFETCH(QString, fileState);
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QStringList, afterwards);
        QFETCH(QString, focus);
        const QString file = program->folder.file(kPasswordFile);
        if (fileState == QLatin1String("missing")) QVERIFY(QFile::remove(file));
        if (fileState == QLatin1String("unreadable"))
            program->folder.write(kPasswordFile, iniHolding(QStringLiteral("XY")));
        if (fileState == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = passwordFile();
        const std::optional<QString> storedBefore = stored();
        QVERIFY(openChangeScreen());
        for (QLineEdit *e : {txtOld(), txtNew(), txtConferma()}) e->clear();
        typeText(txtOld(), oldText);
        typeText(txtNew(), newText);
        typeText(txtConferma(), confirm);
        QCOMPARE(txtNew()->text(), newText); // typed whole, whatever its characters
        QCOMPARE(txtConferma()->text(), confirm);
        QWidget *focusBefore = change->focusWidget();

        const Boxes boxes = answerBoxes([&] { button(change, QStringLiteral("cmdOK"))->click(); });
        QCOMPARE(boxes.texts, QStringList{message});
        QCOMPARE(boxes.buttonCounts, QList<int>{1});
        QCOMPARE(boxes.icons, QList<QMessageBox::Icon>{QMessageBox::NoIcon});
        QCOMPARE((QStringList{txtOld()->text(), txtNew()->text(), txtConferma()->text()}), afterwards);
        QCOMPARE(change->focusWidget(), focus.isEmpty() ? focusBefore : field(change, focus));
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmCambiaPassword")});
        QCOMPARE(passwordFile(), before);
        QCOMPARE(QFileInfo::exists(file), fileState != QLatin1String("missing"));
        QCOMPARE(stored(), storedBefore);
    }

    void changeSucceeds_data()
    {
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("storedText");
        QTest::newRow("lower case") << "nuova"
                                    << "nuova"
                                    << "NUOVA";
        QTest::newRow("blanks around differ") << "  nuova "
                                              << "nuova"
                                              << "NUOVA";
        QTest::newRow("mixed case, same on both") << "NuoVa1!"
                                                  << "NuoVa1!"
                                                  << "NUOVA1!";
        QTest::newRow("accented letter keeps its case")
            << QStringLiteral("perch\u00E9") << QStringLiteral("perch\u00E9") << QStringLiteral("PERCH\u00E9");
        QTest::newRow("255 characters") << QString(255, QLatin1Char('k')) << QString(255, QLatin1Char('k'))
                                        << QString(255, QLatin1Char('K'));
        QTest::newRow("same as the old one") << "opusteca"
                                             << "opusteca"
                                             << "OPUSTECA";
    }

    void changeSucceeds()
    {
        QFETCH(QString, newText);
        QFETCH(QString, confirm);
        QFETCH(QString, storedText);
        QVERIFY(openChangeScreen());
        Boxes boxes = tryChange(QStringLiteral("  OPUSTECA"), newText, confirm);
        QCOMPARE(boxes.texts, QStringList{kChanged});
        QCOMPARE(boxes.buttonCounts, QList<int>{1});
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmPassword")});
        QCOMPARE(txtPassword()->text(), QString());
        QCOMPARE(login->focusWidget(), txtPassword());
        QCOMPARE(stored(), std::optional<QString>(storedText));
        QCOMPARE(passwordFile(), iniHolding(scrambler::scramble(storedText)));

        if (storedText != QLatin1String("OPUSTECA")) {
            QCOMPARE(tryLogin(QStringLiteral("opusteca")).texts, QStringList{kWrong});
            QCOMPARE(tryLogin(QStringLiteral("OPUSTECA")).texts, QStringList{kWrong});
        }
        // Typed in the other case of its letters a-z, the new password opens the start menu.
        QString other = newText;
        for (QChar &c : other)
            if (c.isLower() && c.unicode() < 128)
                c = c.toUpper();
            else if (c.isUpper() && c.unicode() < 128)
                c = c.toLower();
        QCOMPARE(tryLogin(other).count(), 0);
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void changeKeepsTheFilesOtherLines()
    {
        program->folder.write(kPasswordFile, QByteArray("; installato\r\n[Accesso]\r\nValore=") +
                                                 scrambler::scramble(QStringLiteral("OPUSTECA")).toLatin1() +
                                                 QByteArray("\r\n[Altro]\r\nk=v\r\n"));
        QVERIFY(openChangeScreen());
        QCOMPARE(tryChange(QStringLiteral("opusteca"), QStringLiteral("x"), QStringLiteral("x")).texts,
                 QStringList{kChanged});
        QCOMPARE(passwordFile(), QByteArray("; installato\r\n[Accesso]\r\nValore=") +
                                     scrambler::scramble(QStringLiteral("X")).toLatin1() +
                                     QByteArray("\r\n[Altro]\r\nk=v\r\n"));
    }

    void enterChainNeverRunsOK()
    {
        QVERIFY(openChangeScreen());
        typeText(txtOld(), QStringLiteral("opusteca"));
        typeText(txtNew(), QStringLiteral("nuova"));
        typeText(txtConferma(), QStringLiteral("nuova"));
        QVERIFY(button(change, QStringLiteral("cmdOK"))->isEnabled());
        const QByteArray before = passwordFile();
        txtOld()->setFocus();
        const QList<QLineEdit *> order{txtNew(), txtConferma(), txtOld(), txtNew()};
        const Boxes boxes = answerBoxes([&] {
            for (QLineEdit *expected : order) {
                pressEnter(change->focusWidget());
                QCOMPARE(change->focusWidget(), expected);
            }
        });
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(passwordFile(), before);
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmCambiaPassword")});
        for (QLineEdit *e : {txtOld(), txtNew(), txtConferma()}) QVERIFY(!e->text().isEmpty());
    }

    void focusFramesFollowTheFocus()
    {
        QVERIFY(QTest::qWaitForWindowActive(login));
        QWidget *effPassword = login->findChild<QWidget *>(QStringLiteral("effPassword"));
        QVERIFY(effPassword);
        QTRY_VERIFY(!effPassword->isHidden());
        QCOMPARE(effPassword->geometry(), txtPassword()->geometry().adjusted(-4, -4, 4, 4));
        button(login, QStringLiteral("btnCambiaPassword"))->setFocus(); // any other control
        QVERIFY(effPassword->isHidden());

        QVERIFY(openChangeScreen());
        QVERIFY(QTest::qWaitForWindowActive(change));
        const QStringList frames{QStringLiteral("effPasswordOld"), QStringLiteral("effPasswordNew"),
                                 QStringLiteral("effConferma")};
        const QList<QLineEdit *> fields{txtOld(), txtNew(), txtConferma()};
        for (const QString &name : frames) QVERIFY2(change->findChild<QWidget *>(name), qPrintable(name));
        const auto shown = [&] {
            QStringList names;
            for (const QString &name : frames)
                if (!change->findChild<QWidget *>(name)->isHidden()) names << name;
            return names;
        };
        QTRY_COMPARE(shown(), QStringList{QStringLiteral("effPasswordOld")});
        for (int i : {1, 2, 0, 2}) {
            fields[i]->setFocus();
            QCOMPARE(shown(), QStringList{frames[i]});
            QCOMPARE(change->findChild<QWidget *>(frames[i])->geometry(), fields[i]->geometry().adjusted(-4, -4, 4, 4));
        }
        button(change, QStringLiteral("cmdEsci"))->setFocus();
        QCOMPARE(shown(), QStringList());
    }

    // The buttons of both screens are as tall as OK and the fields, keep their
    // text clear of their border and stay off the window's edges; the bottom
    // row lines up with the field row above it.
    void buttonsShareOneHeightAndKeepTheirBorder_data()
    {
        QTest::addColumn<bool>("changeScreen");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("field");
        QTest::newRow("login") << false << QStringList{"cmdOK", "cmdEsci", "btnCambiaPassword"} << "txtPassword";
        QTest::newRow("change password") << true << QStringList{"cmdEsci", "cmdOK"} << "txtConferma";
    }
    void buttonsShareOneHeightAndKeepTheirBorder()
    {
        QFETCH(bool, changeScreen);
        QFETCH(QStringList, buttons);
        QFETCH(QString, field);
        if (changeScreen) QVERIFY(openChangeScreen());
        QWidget *screen = changeScreen ? change : login;
        const auto rect = [&](QWidget *w) { return QRect(w->mapTo(screen, QPoint(0, 0)), w->size()); };
        QLineEdit *edit = this->field(screen, field);
        const int height = rect(edit).height();
        const QRect inner = screen->rect().adjusted(12, 12, -12, -12);
        for (const QString &name : buttons) {
            QPushButton *b = button(screen, name);
            QVERIFY2(b->isVisible(), qPrintable(name));
            QCOMPARE(rect(b).height(), height);
            const int textWidth = b->fontMetrics().horizontalAdvance(b->text());
            QVERIFY2(b->width() >= textWidth + 24,
                     qPrintable(QStringLiteral("%1: %2 for %3").arg(name).arg(b->width()).arg(textWidth)));
            QVERIFY2(inner.contains(rect(b)), qPrintable(name));
        }
        // The bottom row: first button under the field's left edge, last one
        // under the right edge of the field row (OK on the login screen).
        QWidget *rowEnd = changeScreen ? static_cast<QWidget *>(edit) : button(screen, QStringLiteral("cmdOK"));
        QCOMPARE(rect(button(screen, QStringLiteral("cmdEsci"))).left(), rect(edit).left());
        QCOMPARE(rect(button(screen, buttons.last())).right(), rect(rowEnd).right());
    }
};

QTEST_MAIN(TestPasswordScreens)
#include "tst_password_screens.moc"
