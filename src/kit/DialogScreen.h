#pragma once
#include <QDialog>
#include <QLabel>
#include <QMargins>
#include <QSize>
#include <memory>

class QPushButton;
class QVBoxLayout;

namespace opusteca {

class Program;

// Base of every dialog screen: created at each opening, owned by the screen that
// opens it, run modally and destroyed when it closes. lblMemory is the hidden
// label where the opener writes the caller tag.
//
// A dialog screen has a title bar with its caption and no buttons, and is left
// only through its own controls: Esc, the window system's close (Alt+F4 or a
// close button a window manager draws anyway) and minimising are ignored.
class DialogScreen : public QDialog {
    Q_OBJECT
public:
    DialogScreen(Program &app, QWidget *opener, const QString &className);

    Program &app() const { return m_app; }
    void setCallerTag(const QString &tag) { m_lblMemory->setText(tag); }
    // The caller tag as the screen reads it: trimmed.
    QString callerTag() const;
    QLabel *lblMemory() const { return m_lblMemory; }

protected:
    // The caption in the title bar; a fixed size, centred on the display.
    void setCaptionAndSize(const QString &caption, int width, int height);
    // Push buttons must not react to Enter typed in a field of the screen; a
    // focused button is still pressed by Enter, as on every desktop.
    void disableDefaultButtons();
    // The screen's body, a column for its parts, on one of the two dialog
    // backdrops: the shade painted on the screen itself, or the gradient
    // background widget shpSfondo filling it (the column's parent widget).
    QVBoxLayout *shadedColumn(const QMargins &margins, int spacing);
    QVBoxLayout *gradientColumn(const QMargins &margins, int spacing);

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Program &m_app;
    QLabel *m_lblMemory;
};

// A push button of a screen: named, in the face of `points` points (bold unless
// told otherwise; 0 keeps the screen's own font), at least `minimum` in size.
QPushButton *dialogButton(const QString &name, const QString &text, QWidget *parent, int points = 10,
                          QSize minimum = QSize(120, 32), bool bold = true);

// Opens a dialog screen the one way the program does: create it owned by the
// opener, let the opener set the tag and pre-fill fields, run it modally, destroy it.
template <class Screen, class Setup>
int openDialog(Program &app, QWidget *opener, Setup &&setup)
{
    std::unique_ptr<Screen> dlg(new Screen(app, opener));
    setup(*dlg);
    return dlg->exec();
}

template <class Screen>
int openDialog(Program &app, QWidget *opener)
{
    return openDialog<Screen>(app, opener, [](Screen &) {});
}

} // namespace opusteca
