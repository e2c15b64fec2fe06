#pragma once
#include "kit/DialogScreen.h"
#include "search/core/ResultListModel.h"
#include "search/core/SearchKinds.h"
#include "search/core/SearchScanner.h"

#include <QList>
#include <memory>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedLayout;
class QWidget;

namespace opusteca {

namespace report {
class ListReport;
}
class Record;

// The search screens, written once: a filter panel that searches one archive,
// then, for good, a result panel with the sorted list, find, print, and the
// double-click that loads the chosen record (or, for the book search opened from
// an author or bibliography card, adds its book entry there). The four screens
// differ only in their kind.
class SearchScreen : public DialogScreen {
    Q_OBJECT
public:
    SearchScreen(Program &app, QWidget *opener, SearchKind kind);
    ~SearchScreen() override;

    const SearchKindDef &kind() const { return m_kind; }
    // Puts text into the filter field of that name before the screen is shown.
    void prefillFilter(const QString &control, const QString &text);
    // What a chosen record does, handed over by the opener: load it into its
    // card, or add its book entry to a field. Without one, choosing only closes.
    void setChosenRecordAction(ChosenRecordAction act) { m_act = std::move(act); }

public slots:
    void btnCercaClick();
    void btnTrovaClick();
    // Prints the list on show, in list order, under the screen's title.
    void btnStampaClick();
    // Chooses the selected line: loads or imports every record whose line equals it.
    void lstRecordsDblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildFilterPanel();
    void selectRow(int row);
    QWidget *buildResultPanel();

    const SearchKindDef &m_kind;
    ChosenRecordAction m_act;
    QStackedLayout *m_stack = nullptr;
    QWidget *m_panAvvio = nullptr;
    QWidget *m_panContainer = nullptr;
    QList<QLineEdit *> m_filters;
    QLabel *m_lblConta = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QLineEdit *m_txtTrova = nullptr;
    QPushButton *m_btnTrova = nullptr;
    QListView *m_lstRecords = nullptr;
    // What lstRecords shows, entry for entry.
    ResultListModel *m_lines = nullptr;
    QLabel *m_lblTrovate = nullptr;
    // The printed list, filled afresh at every print.
    std::unique_ptr<report::ListReport> m_listReport;
};

} // namespace opusteca
