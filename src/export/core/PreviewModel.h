#pragma once
#include "export/core/ExportKinds.h"

#include <QAbstractTableModel>
#include <QByteArrayView>
#include <QHash>

#include <functional>
#include <memory>
#include <vector>

namespace opusteca {

class SpreadsheetWriter;

// The export screens' preview grid: column 0 the record number, then the
// export columns. Each record's cells are kept as their stored bytes, trimmed,
// packed one after another in large blocks, and decoded only when the view
// asks for them; a whole archive then costs little more than its text. Cells
// typed into the grid are kept beside the stored bytes, which stay untouched.
class PreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // A grid before any filling shows this many empty rows.
    static constexpr int kInitialRows = 10;

    explicit PreviewModel(const ExportKind &kind, QObject *parent = nullptr);
    ~PreviewModel() override;

    // Reads the kind's archive of the program folder, one row per whole record,
    // creating the file empty when it is missing. An empty archive leaves the
    // rows as they are. A failure ends the reading: the rows read so far stay.
    // False on failure. A large archive is read by several threads at once
    // (threads: how many; 0 lets the file's size and the machine decide), with
    // the same rows as one reading would give. whileReading, when given, is
    // called on the calling thread while the reading goes on (a screen keeps
    // its windows painted with it): after each block read by a single thread,
    // about every 40 ms while several read. The rows on show change only once
    // the reading is over.
    bool fill(const QString &programFolder, const std::function<void()> &whileReading = {}, int threads = 0);
    // How many threads fill() reads a file of that size with on this machine.
    static int fillThreads(qint64 fileBytes);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The cell's text; column 0 is the record number.
    QString text(int row, int column) const;
    // Writes every row, as the grid holds it now, as the document's body rows.
    // whileWriting, when given, is called after every kRowsPerTurn rows.
    static constexpr int kRowsPerTurn = 4096;
    void writeRows(SpreadsheetWriter &writer, const std::function<void()> &whileWriting = {}) const;

    const ExportKind &kind() const { return m_kind; }
    // Bytes of cell text the grid holds (stored cells, without typed ones).
    qint64 storedTextBytes() const { return m_textBytes; }

private:
    struct Blocks;
    static constexpr quint64 kBlankRow = ~quint64(0);

    // The stored bytes of an export column's cell (1-based column).
    QByteArrayView stored(int row, int column) const;
    static quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

    const ExportKind &m_kind;
    int m_rows = kInitialRows;
    std::vector<quint64> m_rowAt; // where each read row starts in the blocks, or kBlankRow
    std::unique_ptr<Blocks> m_blocks;
    QHash<quint64, QString> m_edits;
    qint64 m_textBytes = 0;
};

} // namespace opusteca
