#pragma once
#include "app/DialogScreen.h"

class QLabel;
class QPlainTextEdit;

namespace opusteca {

// The help viewer: a topic title and its text.
class TfrmGuida : public DialogScreen {
    Q_OBJECT
public:
    TfrmGuida(Application &app, QWidget *opener);

    // Opens the viewer over opener with the help topic of the given screen class.
    static void openTopic(Application &app, QWidget *opener, const QString &screenClass);

    QLabel *lblTitolo() const { return m_lblTitolo; }
    QPlainTextEdit *txtGuida() const { return m_txtGuida; }

private:
    QLabel *m_lblTitolo;
    QPlainTextEdit *m_txtGuida;
};

} // namespace opusteca
