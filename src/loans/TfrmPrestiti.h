#pragma once
#include "kit/DialogScreen.h"
#include "search/core/SearchScanner.h"

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace opusteca {

class LoanTableModel;

// The books on loan: every lent current book of the archive, oldest loan
// first, with its borrower, days on loan and state, a filter on the borrower
// and the loan period; prints the list, writes a reminder letter to the
// borrower of the selected row, and loads a book into the card on a double
// click.
class TfrmPrestiti : public DialogScreen {
    Q_OBJECT
public:
    TfrmPrestiti(Program &app, QWidget *opener);
    ~TfrmPrestiti() override;

    // What a double click on a row does with its book (the opener's card load).
    void setChosenRecordAction(ChosenRecordAction act) { m_act = std::move(act); }

    LoanTableModel *model() const { return m_model; }

public slots:
    void txtGiorniChange();
    void txtGiorniExit();
    void txtLettoreChange();
    void grdPrestitiDblClick();
    void btnStampaClick();
    void btnSollecitoClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void readArchive();
    void showSummary();
    // Keeps the period in Opusteca.ini when it changed; says once a session
    // when the file cannot take it.
    void keepPeriod();

    ChosenRecordAction m_act;
    LoanTableModel *m_model;
    QSpinBox *m_txtGiorni = nullptr;
    QLineEdit *m_txtLettore = nullptr;
    QTableView *m_grdPrestiti = nullptr;
    QLabel *m_lblRiepilogo = nullptr;
    int m_keptPeriod = 0;
    bool m_read = false;
};

} // namespace opusteca
