#include "export/core/PreviewModel.h"

#include "export/core/SpreadsheetWriter.h"
#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/RecordFile.h"
#include "store/Text.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace opusteca {

// Rows packed one after another: per export column a length byte and the
// trimmed text bytes. No field shown in a grid holds more than 250 bytes, and a
// row never straddles two blocks.
struct PreviewModel::Blocks {
    static constexpr qsizetype kSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks;
    qsizetype used = kSize;

    char *reserve(qsizetype bytes, quint64 &at)
    {
        if (used + bytes > kSize) {
            blocks.emplace_back(new char[kSize]);
            used = 0;
        }
        at = (quint64(blocks.size() - 1) << 32) | quint64(used);
        char *p = blocks.back().get() + used;
        used += bytes;
        return p;
    }
    const char *at(quint64 where) const { return blocks[size_t(where >> 32)].get() + (where & 0xFFFFFFFFu); }
};

PreviewModel::PreviewModel(const ExportKind &kind, QObject *parent)
    : QAbstractTableModel(parent), m_kind(kind), m_blocks(std::make_unique<Blocks>())
{
}

PreviewModel::~PreviewModel() = default;

bool PreviewModel::fill(const QString &programFolder, const std::function<void()> &whileReading)
{
    const RecordLayout &layout = *m_kind.layout;
    RecordFile file(layout.recordSize);
    if (!file.openIn(programFolder, layout.fileName)) return false;
    const qint64 count = file.count();
    if (count <= 0) return count == 0;

    // Read aside, so that the grid on show stays whole while whileReading lets
    // it paint.
    const int rows = int(std::min<qint64>(count, INT_MAX));
    std::vector<quint64> rowAt(size_t(rows), kBlankRow);
    auto blocks = std::make_unique<Blocks>();
    qint64 textBytes = 0;

    const qint64 perRead = std::max<qint64>(1, (2 << 20) / layout.recordSize);
    std::unique_ptr<char[]> buffer(new char[size_t(perRead * layout.recordSize)]);
    const qsizetype rowMax = qsizetype(m_kind.columns.size()) * 256;
    bool ok = true;
    int row = 0;
    while (ok && row < rows) {
        qint64 got = 0;
        ok = file.readBlock(buffer.get(), std::min<qint64>(perRead, rows - row), got);
        for (qint64 i = 0; i < got; ++i, ++row) {
            const char *record = buffer.get() + i * layout.recordSize;
            quint64 at = 0;
            char *start = blocks->reserve(rowMax, at);
            char *p = start;
            for (const ExportColumn &c : m_kind.columns) {
                const FieldDef &f = layout.fields[size_t(c.field)];
                const QByteArrayView t =
                    text::trimmed(field::rawText(record + f.offset, layout.kind, std::min(f.capacity, 255)));
                *p++ = char(t.size());
                std::memcpy(p, t.data(), size_t(t.size()));
                p += t.size();
                textBytes += t.size();
            }
            // Give back what the row did not use.
            blocks->used -= rowMax - (p - start);
            rowAt[size_t(row)] = at;
        }
        if (whileReading) whileReading();
    }
    beginResetModel();
    m_rows = rows;
    m_rowAt = std::move(rowAt);
    m_blocks = std::move(blocks);
    m_edits.clear();
    m_textBytes = textBytes;
    endResetModel();
    return ok;
}

int PreviewModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int PreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_kind.columns.size()) + 1;
}

QByteArrayView PreviewModel::stored(int row, int column) const
{
    if (size_t(row) >= m_rowAt.size() || m_rowAt[size_t(row)] == kBlankRow) return {};
    const char *p = m_blocks->at(m_rowAt[size_t(row)]);
    for (int c = 1; c < column; ++c) p += 1 + static_cast<unsigned char>(*p);
    return QByteArrayView(p + 1, static_cast<unsigned char>(*p));
}

QString PreviewModel::text(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column > int(m_kind.columns.size())) return {};
    if (column == 0) {
        const bool read = size_t(row) < m_rowAt.size() && m_rowAt[size_t(row)] != kBlankRow;
        return read ? QString::number(row + 1) : QString();
    }
    if (!m_edits.isEmpty()) {
        const auto it = m_edits.constFind(key(row, column));
        if (it != m_edits.constEnd()) return *it;
    }
    const QByteArrayView b = stored(row, column);
    return cp1252::decode(b.data(), b.size());
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(int(Qt::AlignCenter)) : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 0) return QStringLiteral("N.");
    if (section < 0 || section > int(m_kind.columns.size())) return {};
    return m_kind.header(section - 1);
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex &index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 || m_kind.columns[size_t(index.column() - 1)].readOnly) return base;
    return base | Qt::ItemIsEditable;
}

bool PreviewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    m_edits.insert(key(index.row(), index.column()), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void PreviewModel::writeRows(SpreadsheetWriter &writer, const std::function<void()> &whileWriting) const
{
    const int columns = int(m_kind.columns.size());
    for (int r = 0; r < m_rows; ++r) {
        if (whileWriting && r % kRowsPerTurn == kRowsPerTurn - 1) whileWriting();
        writer.beginRow();
        // The row's cells lie one after another: walk them once.
        const bool read = size_t(r) < m_rowAt.size() && m_rowAt[size_t(r)] != kBlankRow;
        const char *p = read ? m_blocks->at(m_rowAt[size_t(r)]) : nullptr;
        for (int c = 1; c <= columns; ++c) {
            QByteArrayView stored;
            if (p) {
                const auto length = static_cast<unsigned char>(*p);
                stored = QByteArrayView(p + 1, length);
                p += 1 + length;
            }
            if (!m_edits.isEmpty()) {
                const auto it = m_edits.constFind(key(r, c));
                if (it != m_edits.constEnd()) {
                    writer.cell(*it);
                    continue;
                }
            }
            writer.cellBytes(stored);
        }
        writer.endRow();
    }
}

} // namespace opusteca
