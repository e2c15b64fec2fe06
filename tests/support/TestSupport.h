#pragma once
#include "app/Application.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace opusteca::test {

// Pins the locale and time zone of the test program ("C.UTF-8", UTC) before Qt
// reads them, so that a program checking printed dates and times holds on any
// machine when it is run by hand too, not only under ctest's environment.
void pinLocaleAndZone();

// The message boxes that appeared while an action ran, each answered with one button.
struct Boxes {
    QStringList texts;
    QList<QMessageBox::Icon> icons;
    QList<int> buttonCounts;                     // how many buttons each box offered
    QStringList captions;                        // each box's window title
    QList<QMessageBox::StandardButton> defaults; // the button Enter would press
    QList<QMessageBox::StandardButtons> offered; // each box's standard buttons
    bool timedOut = false;                       // a modal window stayed open and had to be closed
    int count() const { return int(texts.size()); }
};

// Runs action; every QMessageBox that turns modal meanwhile is recorded and answered
// with `button`. A box that cannot be answered within timeoutMs is closed and the
// result says so, so a test fails instead of hanging.
Boxes answerBoxes(const std::function<void()> &action, QMessageBox::StandardButton button = QMessageBox::Ok,
                  int timeoutMs = 10000);
// The same, answering the boxes in turn with the listed buttons; a box past the
// end of the list is closed without an answer.
Boxes answerBoxes(const std::function<void()> &action, const QList<QMessageBox::StandardButton> &inTurn,
                  int timeoutMs = 10000);

// Runs opener, which is expected to open a modal window whose objectName is
// `screenName` (or, for Qt's own dialogs, whose class is, as "QPrintDialog"); while it is open, inside() runs with it,
// and the window is closed after it if inside() left it open (a check that failed returns early). Any modal window that
// stays unanswered for timeoutMs is closed, before, during or after inside(). Returns false when no such window
// appeared or a check inside failed.
bool whileModal(const std::function<void()> &opener, const QString &screenName,
                const std::function<void(QWidget *)> &inside, int timeoutMs = 10000);

// Types text into the focused-or-given widget with key events that carry the text,
// accented and non-Latin characters included.
void typeText(QWidget *widget, const QString &text);
void pressEnter(QWidget *widget);
void click(QWidget *widget);

// A visible or hidden top-level window by objectName.
QWidget *topLevel(const QString &objectName);
QStringList visibleTopLevels();

// A fresh program folder with the password file holding the initial password.
class ProgramFolder {
public:
    ProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const;
    QByteArray read(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

inline const QString kInitialPassword = QStringLiteral("OPUSTECA");
// What a card's first save says.
inline const QString kCardInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");

// A whole program running against its own folder, signed in when asked.
struct RunningProgram {
    ProgramFolder folder;
    std::unique_ptr<Application> app;
    explicit RunningProgram(Application::Contents contents = Application::Contents::AtCreation);
    ~RunningProgram();
    // Types the initial password and presses OK: the start menu is then on show.
    void signIn();
};

} // namespace opusteca::test

// QTEST_MAIN for a test program whose expectations depend on the locale.
#define OPUSTECA_PINNED_TEST_MAIN(TestObject)                                                                          \
    static const bool opustecaPinned = (opusteca::test::pinLocaleAndZone(), true);                                     \
    QTEST_MAIN(TestObject)
