#include "search/core/ResultLines.h"

#include "store/Cp1252.h"

#include <algorithm>
#include <limits>
#include <new>

namespace opusteca {

ResultLines ResultLines::fromTexts(const QStringList &lines)
{
    ResultLines r;
    if (lines.isEmpty()) return r;
    std::vector<QByteArray> encoded;
    size_t total = 0;
    for (const QString &l : lines) {
        encoded.push_back(cp1252::encode(l));
        total += size_t(encoded.back().size());
    }
    if (total > std::numeric_limits<quint32>::max()) throw std::bad_alloc();
    auto data = std::make_shared<Data>();
    Bytes &block = data->blocks.emplace_back();
    block.reserve(total);
    data->lines.reserve(size_t(lines.size()) * sizeof(Line));
    auto *line = reinterpret_cast<Line *>(data->lines.data());
    quint32 at = 0;
    for (const QByteArray &e : encoded) {
        if (quint32(e.size()) > Line::kMaxSize) throw std::bad_alloc();
        std::copy(e.cbegin(), e.cend(), block.data() + at);
        *line++ = {at, Line::sizeAndBlock(quint32(e.size()), 0)};
        at += quint32(e.size());
    }
    data->count = lines.size();
    r.d = std::move(data);
    return r;
}

QString ResultLines::text(qsizetype i) const
{
    const QByteArrayView b = bytes(i);
    return cp1252::decode(b.data(), b.size());
}

QStringList ResultLines::texts() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) out << text(i);
    return out;
}

} // namespace opusteca
