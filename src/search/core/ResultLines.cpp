#include "search/core/ResultLines.h"

#include "store/Cp1252.h"

#include <algorithm>
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
    auto data = std::make_shared<Data>();
    char *at = static_cast<char *>(std::malloc(std::max<size_t>(total, 1)));
    if (!at) throw std::bad_alloc();
    data->blocks.emplace_back(at);
    for (const QByteArray &e : encoded) {
        std::copy(e.cbegin(), e.cend(), at);
        data->lines.push_back({at, e.size()});
        at += e.size();
    }
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
