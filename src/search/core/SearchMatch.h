#pragma once
#include "search/core/SearchKinds.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace opusteca {

// Whether the kind leaves the record (raw bytes of its layout) out of a search
// before any filter is applied.
bool isSkipped(const SearchKindDef &kind, const char *record);

// The filters of one search, prepared once and then tested against the raw
// bytes of every record.
//
// A filter is in use when its text, trimmed, is not empty. It matches when its
// text exactly as typed (blanks included), lower-cased A-Z only, occurs in the
// field's value lower-cased A-Z only. Filters not in use take no part, so with
// none in use every record matches.
class FilterSet {
public:
    // texts[i] is the text of kind.filters[i]; missing texts are not in use.
    FilterSet(const SearchKindDef &kind, const QStringList &texts);

    static bool isInUse(const QString &filterText);
    // The number of filters in use, as the screen shows it.
    int inUse() const { return m_inUse; }
    bool matches(const char *record) const;

private:
    struct Active {
        int offset;
        int capacity;
        QByteArray needle; // lower-cased, Windows-1252
    };
    const RecordLayout &m_layout;
    std::vector<Active> m_active;
    int m_inUse = 0;
    // A filter holding a character the code page cannot store can never occur
    // in a stored value, so no record matches.
    bool m_neverMatches = false;
};

} // namespace opusteca
