#pragma once
#include "search/core/ResultLines.h"

#include <QAbstractListModel>
#include <QSize>

namespace opusteca {

// The result list's rows: one per line of a search's result, in list order.
// A line is decoded only when the view asks for it, which it does for the rows
// it paints; a list of a million books holds no object and no string per line.
// Every row has the same size, so the view lays the list out without asking
// for any row's.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject *parent = nullptr);

    // Shows these lines, each row of the given size, in place of the rows before.
    void setLines(ResultLines lines, QSize rowSize);
    const ResultLines &lines() const { return m_lines; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    ResultLines m_lines;
    QSize m_rowSize;
};

} // namespace opusteca
