#pragma once
#include "store/RecordLayout.h"

#include <QStringView>
#include <span>

namespace opusteca {

// A field of an RTF card document: its label and the field of the card it takes.
struct RtfCardField {
    const char *label; // UTF-8
    int field;         // index into the record's field table
};

// An RTF card document: which card, the document's name in the program
// folder, its title and its fields in document order.
struct RtfCardKind {
    const char *callerTag;
    const char *documentName;
    const char *title;
    const RecordLayout *layout;
    std::span<const RtfCardField> fields;
};

enum class RtfCard { Author, Bibliography };
const RtfCardKind &rtfCardKind(RtfCard card);
// The card a caller tag asks for; nullptr for any other tag.
const RtfCardKind *rtfCardKindForTag(QStringView tag);

} // namespace opusteca
