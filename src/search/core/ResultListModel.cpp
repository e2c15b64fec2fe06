#include "search/core/ResultListModel.h"

#include <limits>

namespace opusteca {

ResultListModel::ResultListModel(QObject *parent) : QAbstractListModel(parent) {}

void ResultListModel::setLines(ResultLines lines, QSize rowSize)
{
    beginResetModel();
    m_lines = std::move(lines);
    m_rowSize = rowSize;
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid()) return 0;
    // A view counts its rows in int: lines past that many (two thousand
    // million, far beyond memory) would not be shown anyway.
    return int(std::min<qsizetype>(m_lines.size(), std::numeric_limits<int>::max()));
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_lines.text(index.row());
    case Qt::SizeHintRole:
        return m_rowSize.isValid() ? QVariant(m_rowSize) : QVariant();
    default:
        return {};
    }
}

} // namespace opusteca
