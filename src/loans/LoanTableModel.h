#pragma once
#include "loans/core/Loans.h"

#include <QAbstractTableModel>
#include <QDate>

namespace opusteca {

// The rows of grdPrestiti: the lent books read from the archive, those whose
// borrower matches the filter, with the days and states of today and the loan
// period. Overdue rows are drawn in the colour of the loan captions.
class LoanTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Lettore, Titolo, Codice, DataPrestito, Giorni, Stato, ColumnCount };

    explicit LoanTableModel(QObject *parent = nullptr);

    void setRows(QList<loans::LoanRow> rows);
    void setToday(const QDate &today);
    void setPeriod(int days);
    void setFilter(const QString &filter);

    const QList<loans::LoanRow> &allRows() const { return m_rows; }
    // The row on show at `row`, in list order.
    const loans::LoanRow &shownRow(int row) const { return m_rows[m_shown[row]]; }
    QList<loans::LoanRow> shownRows() const;
    int overdueShown() const { return m_overdue; }
    QDate today() const { return m_today; }
    int period() const { return m_period; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void refilter();
    void countOverdue();

    QList<loans::LoanRow> m_rows;
    QList<int> m_shown;
    QString m_filter;
    QDate m_today;
    int m_period = 30;
    int m_overdue = 0;
};

} // namespace opusteca
