#pragma once
#include "kit/DialogScreen.h"

#include <QPlainTextEdit>

class QLabel;

namespace opusteca {

class ScreenLink;

// The topic text of the help viewer: read-only and wrapped. It keeps the text
// exactly as it was set (paragraphs joined by CR LF CR LF) in its text
// property, while the editor shows each paragraph as a block of its own.
class HelpText : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit HelpText(QWidget *parent = nullptr);
    QString text() const { return m_text; }
    void setText(const QString &text);

private:
    QString m_text;
};

// The help viewer: a topic's title and text, a link to the user guide in PDF.
class TfrmGuida : public DialogScreen {
    Q_OBJECT
public:
    TfrmGuida(Program &app, QWidget *opener);

    // Opens the viewer over opener with the help topic of the given screen class.
    static void openTopic(Program &app, QWidget *opener, const QString &screenClass);

    QLabel *lblTitolo() const { return m_lblTitolo; }
    HelpText *txtGuida() const { return m_txtGuida; }

private:
    QLabel *m_lblTitolo;
    HelpText *m_txtGuida;
    ScreenLink *m_pdf;
};

} // namespace opusteca
