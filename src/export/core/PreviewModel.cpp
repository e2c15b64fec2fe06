#include "export/core/PreviewModel.h"

#include "export/core/SpreadsheetWriter.h"
#include "store/Cp1252.h"
#include "store/LargeBlocks.h"
#include "store/Record.h"
#include "store/RecordFile.h"
#include "store/Text.h"
#include "store/ThreadsAside.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <thread>

namespace opusteca {

// Rows packed one after another: per export column a length byte and the
// trimmed text bytes. No field shown in a grid holds more than 250 bytes. Each
// reading thread packs its rows into blocks of its own, which grow in place (in
// huge pages where the system has them: a million books' text is otherwise
// handed over 4 KiB at a time); a row is found by its block and its offset.
struct PreviewModel::Blocks {
    std::vector<memory::GrowingBlock> blocks;
    const char *at(quint64 where) const { return blocks[size_t(where >> 32)].data() + (where & 0xFFFFFFFFu); }
};

namespace {

// What one reading thread packs: its blocks, in the order it filled them.
struct Packer {
    // A block stops growing at 1 GiB, well inside the 32-bit offsets of a row.
    static constexpr std::size_t kBlockLimit = std::size_t(1) << 30;
    std::vector<memory::GrowingBlock> blocks;
    std::size_t used = 0;
    qint64 textBytes = 0;

    // Packs the record's cells; returns where the row starts (block index
    // among this packer's blocks, offset).
    quint64 pack(const ExportKind &kind, const char *record, qsizetype rowMax)
    {
        const RecordLayout &layout = *kind.layout;
        if (blocks.empty() || used + std::size_t(rowMax) > kBlockLimit) {
            blocks.emplace_back();
            used = 0;
        }
        memory::GrowingBlock &block = blocks.back();
        block.reserve(used + std::size_t(rowMax));
        char *const start = block.data() + used;
        char *p = start;
        for (const ExportColumn &c : kind.columns) {
            const FieldDef &f = layout.fields[size_t(c.field)];
            const QByteArrayView t =
                text::trimmed(field::rawText(record + f.offset, layout.kind, std::min(f.capacity, 255)));
            *p++ = char(t.size());
            std::memcpy(p, t.data(), size_t(t.size()));
            p += t.size();
            textBytes += t.size();
        }
        const quint64 at = (quint64(blocks.size() - 1) << 32) | quint64(used);
        used += std::size_t(p - start);
        return at;
    }
};

constexpr qint64 kReadBytes = 2 << 20;
constexpr int kMaxThreads = 4;

} // namespace

PreviewModel::PreviewModel(const ExportKind &kind, QObject *parent)
    : QAbstractTableModel(parent), m_kind(kind), m_blocks(std::make_unique<Blocks>())
{
}

PreviewModel::~PreviewModel() = default;

int PreviewModel::fillThreads(qint64 fileBytes)
{
    const int cores = int(std::thread::hardware_concurrency());
    if (cores < 2) return 1;
    return int(std::clamp<qint64>(fileBytes / kReadBytes / 2, 1, std::min(cores, kMaxThreads)));
}

bool PreviewModel::fill(const QString &programFolder, const std::function<void()> &whileReading, int threads)
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
    const qint64 perRead = std::max<qint64>(1, kReadBytes / layout.recordSize);
    const qint64 pieces = (rows + perRead - 1) / perRead;
    if (threads <= 0) threads = fillThreads(qint64(rows) * layout.recordSize);
    threads = int(std::clamp<qint64>(threads, 1, pieces));
    const qsizetype rowMax = qsizetype(m_kind.columns.size()) * 256;

    // The file is read in pieces of one read each; a thread takes the next
    // piece when it has packed one. A read that fails stops the reading at
    // that piece: the rows before it stay, as a reading in one go would leave them.
    std::vector<Packer> packers(static_cast<size_t>(threads));
    std::vector<int> packedBy(static_cast<size_t>(pieces), -1);
    std::atomic<qint64> nextPiece{0};
    std::atomic<qint64> firstFailedRow{rows};
    const auto readPieces = [&](int t, RecordFile &from) {
        std::unique_ptr<char[]> buffer(new char[size_t(perRead * layout.recordSize)]);
        for (;;) {
            const qint64 piece = nextPiece.fetch_add(1);
            if (piece >= pieces || piece * perRead >= firstFailedRow.load()) return;
            const qint64 first = piece * perRead;
            const qint64 wanted = std::min<qint64>(perRead, rows - first);
            qint64 got = 0;
            const bool ok = from.seek(first) && from.readBlock(buffer.get(), wanted, got);
            packedBy[size_t(piece)] = t;
            for (qint64 i = 0; i < got; ++i)
                rowAt[size_t(first + i)] =
                    packers[size_t(t)].pack(m_kind, buffer.get() + i * layout.recordSize, rowMax);
            if (!ok || got < wanted) {
                qint64 seen = firstFailedRow.load();
                while (first + got < seen && !firstFailedRow.compare_exchange_weak(seen, first + got)) {
                }
                return;
            }
            // One thread on its own lets the caller in after each read.
            if (threads == 1 && whileReading) whileReading();
        }
    };

    if (threads == 1) {
        readPieces(0, file);
    } else {
        // Each thread reads through an opening of its own (one that cannot be
        // opened leaves its pieces to the others); the calling thread waits,
        // letting whileReading in about every 40 ms.
        threads::runAside(
            threads,
            [&](int t) {
                RecordFile opening(layout.recordSize);
                if (opening.openIn(programFolder, layout.fileName)) readPieces(t, opening);
            },
            whileReading);
    }

    // One list of blocks: each packer's after those of the packers before it.
    auto blocks = std::make_unique<Blocks>();
    std::vector<quint64> base(static_cast<size_t>(threads), 0);
    qint64 textBytes = 0;
    for (int t = 0; t < threads; ++t) {
        base[size_t(t)] = quint64(blocks->blocks.size()) << 32;
        for (memory::GrowingBlock &b : packers[size_t(t)].blocks) blocks->blocks.push_back(std::move(b));
        textBytes += packers[size_t(t)].textBytes;
    }
    // Pieces are taken in file order: one no thread took (none could open the
    // file) ends the rows read, as a failed read does.
    qint64 readRows = firstFailedRow.load();
    for (qint64 piece = 0; piece < pieces && piece * perRead < readRows; ++piece)
        if (packedBy[size_t(piece)] < 0) readRows = piece * perRead;
    for (qint64 piece = 0; piece < pieces; ++piece) {
        const qint64 first = piece * perRead;
        const qint64 last = std::min<qint64>(first + perRead, rows);
        for (qint64 r = first; r < last; ++r) {
            quint64 &at = rowAt[size_t(r)];
            if (r >= readRows)
                at = kBlankRow; // read past a failure: not shown
            else if (at != kBlankRow)
                at += base[size_t(packedBy[size_t(piece)])];
        }
    }
    if (readRows < rows) {
        // What the rows past the failure held is not counted either.
        textBytes = 0;
        for (qint64 r = 0; r < readRows; ++r) {
            const char *p = blocks->at(rowAt[size_t(r)]);
            for (size_t c = 0; c < m_kind.columns.size(); ++c) {
                textBytes += static_cast<unsigned char>(*p);
                p += 1 + static_cast<unsigned char>(*p);
            }
        }
    }

    beginResetModel();
    m_rows = rows;
    m_rowAt = std::move(rowAt);
    m_blocks = std::move(blocks);
    m_edits.clear();
    m_textBytes = textBytes;
    endResetModel();
    return readRows == rows;
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
