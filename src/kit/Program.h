#pragma once
#include <QByteArray>
#include <QSet>
#include <QString>

class QWidget;

namespace opusteca {

// The running program as the screens see it: its folder and its long-lived
// windows. Screens reach one another only through here and through lblMemory;
// the application above every screen folder is the one program there is.
class Program {
public:
    virtual ~Program() = default;

    virtual const QString &programFolder() const = 0;

    // The long-lived windows. The archive windows may still be without their
    // controls: showing them makes those.
    virtual QWidget *loginWindow() const = 0;
    virtual QWidget *startMenu() const = 0;
    virtual QWidget *passwordChangeWindow() const = 0;
    virtual QWidget *booksWindow() const = 0;
    virtual QWidget *authorsWindow() const = 0;
    virtual QWidget *bibliographiesWindow() const = 0;

    // Ends the program at once: no screen is asked anything.
    virtual void endProgram() = 0;
    virtual bool hasEnded() const = 0;

    // Every move between long-lived windows shows the target first, then hides the source.
    static void moveTo(QWidget *from, QWidget *to);

    // True the first time it is asked about `what` in this run of the program:
    // for a warning the user sees once, however often its cause comes back.
    bool firstTimeThisRun(const char *what) { return !m_seen.contains(what) && (m_seen.insert(what), true); }

private:
    QSet<QByteArray> m_seen;
};

} // namespace opusteca
