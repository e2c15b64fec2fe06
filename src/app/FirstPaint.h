#pragma once
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>

namespace opusteca {

// Calls done once, just after a window has been painted for the first time and
// the paint handed to the screen: what a user sees as the window being shown.
// Header-only, so the start-up benchmark's empty window uses the very same test.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *window, std::function<void()> done) : QObject(window), m_done(std::move(done))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            watched->removeEventFilter(this);
            // Queued: the painted window is flushed to the screen before this runs.
            QTimer::singleShot(0, this, [done = std::move(m_done)] { done(); });
            m_done = nullptr;
        }
        return false;
    }

private:
    std::function<void()> m_done;
};

// A line for the start-up benchmark on standard output: what has just happened
// and the processor time the process has used so far, in milliseconds.
inline void sayToStartupProbe(const char *what)
{
    std::printf("%s %.3f\n", what, double(std::clock()) * 1000.0 / CLOCKS_PER_SEC);
    std::fflush(stdout);
}

} // namespace opusteca
