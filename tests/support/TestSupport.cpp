#include "support/TestSupport.h"

#include "access/core/PasswordStore.h"
#include "app/Application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <ctime>

namespace opusteca::test {

void pinLocaleAndZone()
{
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    qunsetenv("LANGUAGE");
    qputenv("TZ", "UTC");
    tzset();
}

namespace {
// Answers the boxes that turn modal while action runs: box k with answer(k), a
// null answer closing it instead.
Boxes answerEach(const std::function<void()> &action, const std::function<QMessageBox::StandardButton(int)> &answer,
                 int timeoutMs)
{
    Boxes boxes;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (clock.elapsed() > timeoutMs) {
                if (QWidget *w = QApplication::activeModalWidget()) {
                    boxes.timedOut = true;
                    w->close();
                }
            }
            return;
        }
        if (box->property("answered").toBool()) return;
        box->setProperty("answered", true);
        const QMessageBox::StandardButton button = answer(boxes.count());
        boxes.texts << box->text();
        boxes.icons << box->icon();
        boxes.buttonCounts << int(box->buttons().size());
        boxes.captions << box->windowTitle();
        boxes.defaults << box->standardButton(box->defaultButton());
        boxes.offered << box->standardButtons();
        QAbstractButton *b = button == QMessageBox::NoButton ? nullptr : box->button(button);
        if (!b && button != QMessageBox::NoButton) b = box->buttons().value(0);
        clock.restart();
        if (b)
            b->click();
        else
            box->close();
    });
    poll.start();
    action();
    poll.stop();
    return boxes;
}
} // namespace

Boxes answerBoxes(const std::function<void()> &action, QMessageBox::StandardButton button, int timeoutMs)
{
    return answerEach(
        action, [button](int) { return button; }, timeoutMs);
}

Boxes answerBoxes(const std::function<void()> &action, const QList<QMessageBox::StandardButton> &inTurn, int timeoutMs)
{
    return answerEach(
        action, [&inTurn](int k) { return inTurn.value(k, QMessageBox::NoButton); }, timeoutMs);
}

namespace {
// Ends a modal window a test left open: a dialog through done(), which no screen
// refuses, anything else through close().
void endModal(QWidget *w)
{
    if (auto *d = qobject_cast<QDialog *>(w))
        d->reject();
    else
        w->close();
}
} // namespace

bool whileModal(const std::function<void()> &opener, const QString &screenName,
                const std::function<void(QWidget *)> &inside, int timeoutMs)
{
    bool seen = false;
    QPointer<QWidget> dialog;
    bool inCallback = false;
    QPointer<QWidget> waitingOn; // the modal window the clock is timing
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!inCallback && !seen && w && w->isVisible() &&
            (w->objectName() == screenName || QLatin1String(w->metaObject()->className()) == screenName)) {
            seen = true;
            dialog = w;
            inCallback = true;
            inside(w);
            inCallback = false;
            // A check that failed inside returned early and left the window open:
            // close it, so the test ends now rather than when exec() is given up on.
            if (dialog && dialog->isVisible()) endModal(dialog);
            waitingOn = nullptr;
            clock.restart();
            return;
        }
        // Inside the callback only a window opened on top of the dialog is timed (a
        // box nobody answers); outside it, whatever stays modal: the dialog that
        // never came, or one its closing left behind.
        if (!w || (inCallback && w == dialog)) {
            waitingOn = nullptr;
            clock.restart();
            return;
        }
        if (w != waitingOn) {
            waitingOn = w;
            clock.restart();
        }
        if (clock.elapsed() > timeoutMs) {
            endModal(w);
            waitingOn = nullptr;
            clock.restart();
        }
    });
    poll.start();
    opener();
    poll.stop();
    return seen && !QTest::currentTestFailed();
}

namespace {
int keyFor(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z') return Qt::Key_A + (u - u'a');
    if (u >= u'A' && u <= u'Z') return Qt::Key_A + (u - u'A');
    if (u == u'\n' || u == u'\r') return Qt::Key_Return;
    if (u < 0x80) return u;
    return Qt::Key_unknown;
}
} // namespace

void typeText(QWidget *widget, const QString &text)
{
    QWidget *target = widget ? widget : QApplication::focusWidget();
    if (!target) return;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const int key = keyFor(c);
        const Qt::KeyboardModifiers mods =
            (c.unicode() >= u'A' && c.unicode() <= u'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        QString t = key == Qt::Key_Return ? QStringLiteral("\r") : QString(c);
        // A character beyond U+FFFF is one key press carrying both halves.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) t += text.at(++i);
        QKeyEvent press(QEvent::KeyPress, key, mods, t);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, t);
        QApplication::sendEvent(target, &release);
    }
}

void pressEnter(QWidget *widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(widget, &release);
}

void click(QWidget *widget)
{
    if (auto *b = qobject_cast<QAbstractButton *>(widget)) {
        b->click();
        return;
    }
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

QWidget *topLevel(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName) return w;
    return nullptr;
}

QStringList visibleTopLevels()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName().startsWith(QLatin1String("Tfrm"))) names << w->objectName();
    names.sort();
    return names;
}

ProgramFolder::ProgramFolder() { PasswordStore(m_dir.path()).write(kInitialPassword); }

QString ProgramFolder::file(const QString &name) const { return m_dir.filePath(name); }

QByteArray ProgramFolder::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

RunningProgram::RunningProgram(Application::Contents contents)
    : app(std::make_unique<Application>(folder.path(), contents))
{
    app->start();
}

RunningProgram::~RunningProgram() = default;

void RunningProgram::signIn()
{
    QWidget *login = topLevel(QStringLiteral("TfrmPassword"));
    auto *field = login->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
    field->setText(kInitialPassword);
    login->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
}

} // namespace opusteca::test
