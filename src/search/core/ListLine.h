#pragma once
#include "search/core/SearchKinds.h"

#include <QByteArray>
#include <QString>

namespace opusteca {

class Record;

// The result list's line of a record, as the kind's line segments describe it.
namespace listline {

// v trimmed, followed by blanks up to n characters, cut to its first n characters.
QString pad(const QString &v, int n);

// The most bytes a line of the kind can have.
qsizetype maxBytes(const SearchKindDef &kind);
// Writes the line's Windows-1252 bytes at out, which has room for maxBytes(kind),
// and returns where they end.
char *writeBytes(const SearchKindDef &kind, const char *record, char *out);
// Appends the Windows-1252 bytes of one segment of the kind's line to out.
void appendSegmentBytes(const SearchKindDef &kind, int segment, const char *record, QByteArray &out);
// The line of raw record bytes (the layout's record size).
QString build(const SearchKindDef &kind, const char *record);
QString build(const SearchKindDef &kind, const Record &record);

} // namespace listline
} // namespace opusteca
