#pragma once
#include <QString>

// The ISBN rules: the two check digits and the move between the two forms.
namespace opusteca::isbn {

// The ISBN as typed, trimmed, with hyphens and blanks taken out and a lower-case
// x made upper-case; nothing else is changed or checked.
QString compact(QStringView typed);

// True for 9 digits and a check character (a digit or "X"), check included.
bool isValid10(QStringView compact);
// True for 13 digits beginning 978 or 979, check included.
bool isValid13(QStringView compact);

// The typed ISBN as a valid ISBN-10 or ISBN-13 in compact form, or empty when it
// is neither.
QString valid(QStringView typed);

// The ISBN-13 of a valid ISBN-10 or ISBN-13 (returned unchanged); empty otherwise.
QString to13(QStringView compact);
// The ISBN-10 of a valid ISBN-10 (unchanged) or of a valid 978 ISBN-13; empty
// otherwise: a 979 number has no ISBN-10.
QString to10(QStringView compact);

} // namespace opusteca::isbn
