#include "search/core/SearchMatch.h"

#include "search/core/RawFields.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/FieldCapacity.h"
#include "store/Record.h"
#include "store/Text.h"

#include <algorithm>
#include <array>

namespace opusteca {
namespace {

bool isCurrentBook(const RecordLayout &layout, const char *record)
{
    // Exact and case-sensitive: "No" and nothing else, once trimmed.
    return rawfield::trimmed(rawfield::text(layout, record, libro::Annullata)) == QByteArrayView("No");
}

bool isLent(const RecordLayout &layout, const char *record)
{
    return !rawfield::isBlank(rawfield::text(layout, record, libro::Prestato)) ||
           !rawfield::isBlank(rawfield::text(layout, record, libro::Scadenza));
}

// Encodes the lowered filter; false when a character has no Windows-1252 byte.
bool encodeFilter(const QString &lowered, QByteArray &out)
{
    out.resize(lowered.size());
    for (qsizetype i = 0; i < lowered.size(); ++i) {
        const char16_t c = lowered[i].unicode();
        const char b = cp1252::fromUnicode(c);
        // The codec writes '?' for what it cannot store; a real '?' is fine.
        if (b == '?' && c != u'?') return false;
        out[i] = b;
    }
    return true;
}

inline char foldByte(char c) { return static_cast<char>(text::lowerAZByte(static_cast<unsigned char>(c))); }

} // namespace

bool isSkipped(const SearchKindDef &kind, const char *record)
{
    switch (kind.skip) {
    case SkipRule::None:
        return false;
    case SkipRule::NotCurrentBook:
        return !isCurrentBook(kind.layout(), record);
    case SkipRule::UnavailableBook:
        return !isCurrentBook(kind.layout(), record) || isLent(kind.layout(), record);
    }
    return false;
}

bool FilterSet::isInUse(const QString &filterText) { return !text::isBlank(filterText); }

FilterSet::FilterSet(const SearchKindDef &kind, const QStringList &texts) : m_layout(kind.layout())
{
    for (int i = 0; i < kSearchFilterCount && i < texts.size(); ++i) {
        if (!isInUse(texts[i])) continue;
        ++m_inUse;
        const FieldDef &f = m_layout.fields[kind.filters[i].field];
        Active a{f.offset, f.capacity, {}};
        if (!encodeFilter(text::lowerAZ(texts[i]), a.needle)) m_neverMatches = true;
        m_active.push_back(std::move(a));
    }
    // Narrow fields first: they cost the least to reject a record on.
    std::stable_sort(m_active.begin(), m_active.end(),
                     [](const Active &x, const Active &y) { return x.capacity < y.capacity; });
}

bool FilterSet::matches(const char *record) const
{
    if (m_neverMatches) return false;
    std::array<char, kLargestFieldCapacity + 1> folded;
    for (const Active &a : m_active) {
        QByteArrayView v = field::rawText(record + a.offset, m_layout.kind, a.capacity);
        if (m_layout.trimming == Trimming::Trimmed) v = rawfield::trimmed(v);
        if (v.size() < a.needle.size()) return false;
        const qsizetype n = std::min<qsizetype>(v.size(), qsizetype(folded.size()));
        for (qsizetype i = 0; i < n; ++i) folded[i] = foldByte(v[i]);
        if (QByteArrayView(folded.data(), n).indexOf(a.needle) < 0) return false;
    }
    return true;
}

} // namespace opusteca
