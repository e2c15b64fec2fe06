#pragma once
#include "kit/DialogScreen.h"

#include <QStringList>
#include <QTimer>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace opusteca {

// The Dewey table: the built-in classification headings in a list, found by
// words, printed whole, and picked by a double click: the opener is handed the
// heading's class code. The list is filled just after the screen is on show, so the screen and
// its loading picture are drawn first.
class TfrmCodici_Dewey : public DialogScreen {
    Q_OBJECT
public:
    TfrmCodici_Dewey(Program &app, QWidget *opener);

    // The row the list's selection holds, -1 for none.
    int selectedRow() const;

    // What a double click on a heading hands its three-figure class code to.
    void setCodeChosenAction(std::function<void(const QString &code)> action) { m_codeChosen = std::move(action); }
    // What runs however the table closes, after it has closed.
    void setClosedAction(std::function<void()> action) { m_closed = std::move(action); }

public slots:
    void tmrCaricaTimer();
    void btnTrovaClick();
    void lstRecordsDblClick();
    // Prints the whole table as the list holds it.
    void btnStampaClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    QLineEdit *m_txtTrova = nullptr;
    QPushButton *m_btnTrova = nullptr;
    QListWidget *m_lstRecords = nullptr;
    QLabel *m_panDewey = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QPushButton *m_btnStampa = nullptr;
    QTimer m_tmrCarica;
    bool m_printing = false;
    // What lstRecords shows, entry for entry; empty until the timer has filled it.
    QStringList m_entries;
    std::function<void(const QString &)> m_codeChosen;
    std::function<void()> m_closed;
};

} // namespace opusteca
