#pragma once
#include "store/RecordFile.h"

#include <algorithm>
#include <memory>

namespace opusteca::loans {

// How much a pass reads at once: the block the searches and the raw-read
// benchmark use.
inline constexpr qint64 kPassBlockBytes = 2 * 1024 * 1024;

// One pass over an open record file, from its first record to its last, in
// large blocks: onRecord(bytes, index) for each whole record, in file order.
// False when a read failed; the records before it have been seen.
template <typename OnRecord>
bool passOver(RecordFile &file, OnRecord &&onRecord)
{
    const int size = file.recordSize();
    const qint64 perBlock = std::max<qint64>(1, kPassBlockBytes / size);
    const std::unique_ptr<char[]> buffer(new char[size_t(perBlock) * size_t(size)]);
    if (!file.seek(0)) return false;
    qint64 index = 0;
    for (;;) {
        const qint64 count = file.count();
        if (count < 0) return false;
        if (file.position() >= count) return true;
        qint64 got = 0;
        const bool ok = file.readBlock(buffer.get(), perBlock, got);
        for (qint64 i = 0; i < got; ++i) onRecord(buffer.get() + i * size, index++);
        if (!ok) return false;
    }
}

} // namespace opusteca::loans
