#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QWidget;

namespace opusteca {

// For the tests that start the built program as a process on a display: with
// OPUSTECA_WINDOW_PROBE naming a file, every window on show is described there,
// one JSON object a line: its name, caption and place on the screen, the places
// of its named controls and, for a message box, its text and buttons. A window
// is described again when it moves or changes size (a window manager
// maximises it after it is shown) and a line says when it is hidden. The probe
// only looks: it changes nothing the program does.
class WindowProbe : public QObject {
public:
    // Installs the probe on the application when the variable is set.
    static void installFromEnvironment();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowProbe(const QString &path);
    void describeLater(QWidget *window);
    void describePending();
    void write(const QByteArray &line);

    QString m_path;
    std::vector<QPointer<QWidget>> m_pending;
    bool m_scheduled = false;
};

} // namespace opusteca
