#include "loans/LoanTableModel.h"

#include "kit/Style.h"

#include <QBrush>

namespace opusteca {

using namespace loans;

LoanTableModel::LoanTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void LoanTableModel::setRows(QList<LoanRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_shown = filterLoans(m_rows, m_filter);
    endResetModel();
    countOverdue();
}

void LoanTableModel::setToday(const QDate &today)
{
    m_today = today;
    countOverdue();
    if (!m_shown.isEmpty()) emit dataChanged(index(0, 0), index(int(m_shown.size()) - 1, ColumnCount - 1));
}

void LoanTableModel::setPeriod(int days)
{
    if (days == m_period) return;
    m_period = days;
    countOverdue();
    // Only the states and their colour change.
    if (!m_shown.isEmpty()) emit dataChanged(index(0, 0), index(int(m_shown.size()) - 1, ColumnCount - 1));
}

void LoanTableModel::setFilter(const QString &filter)
{
    if (filter == m_filter) return;
    m_filter = filter;
    refilter();
}

void LoanTableModel::refilter()
{
    beginResetModel();
    m_shown = filterLoans(m_rows, m_filter);
    endResetModel();
    countOverdue();
}

void LoanTableModel::countOverdue()
{
    m_overdue = 0;
    for (int i : std::as_const(m_shown))
        if (stateOf(m_rows[i], m_today, m_period) == LoanState::Overdue) ++m_overdue;
}

QList<LoanRow> LoanTableModel::shownRows() const
{
    QList<LoanRow> out;
    out.reserve(m_shown.size());
    for (int i : m_shown) out.append(m_rows[i]);
    return out;
}

int LoanTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_shown.size()); }

int LoanTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant LoanTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size()) return {};
    const LoanRow &r = m_rows[m_shown[index.row()]];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Lettore:
            return r.reader;
        case Titolo:
            return r.title;
        case Codice:
            return r.code;
        case DataPrestito:
            return dateShown(r);
        case Giorni:
            return daysText(r, m_today);
        case Stato:
            return stateText(stateOf(r, m_today, m_period));
        }
        return {};
    case Qt::ForegroundRole:
        if (stateOf(r, m_today, m_period) == LoanState::Overdue) return QBrush(style::colour::alert);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == Giorni) return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant LoanTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Lettore:
        return QStringLiteral("Lettore");
    case Titolo:
        return QStringLiteral("Titolo libro");
    case Codice:
        return QStringLiteral("Codice");
    case DataPrestito:
        return QStringLiteral("Data prestito");
    case Giorni:
        return QStringLiteral("Giorni");
    case Stato:
        return QStringLiteral("Stato");
    }
    return {};
}

} // namespace opusteca
