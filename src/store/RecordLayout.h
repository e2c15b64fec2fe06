#pragma once
#include <QString>
#include <array>
#include <cstddef>
#include <span>

namespace opusteca {

// The two kinds of text field a record is made of. Both take capacity + 1 bytes.
enum class FieldKind {
    LengthPrefixed, // byte 0 = length L <= capacity, then L bytes of text
    ZeroTerminated, // text, then a zero byte at the latest at byte `capacity`
};

// Whether a record type trims its text on load and store (books do, the others keep blanks).
enum class Trimming { Trimmed, AsTyped };

// The kind of control that shows a field on its card.
enum class ControlKind {
    Line,   // single-line text field
    Memo,   // multi-line text field
    Choice, // editable drop-down list
    Flag,   // check box holding a yes/no text
    Hidden, // hidden label the user never types into
};

// One row of a record type's field table: the single description of a field that
// the codec, the card, the search filters and the exports all read.
struct FieldDef {
    const char *name;    // record field name, e.g. "Titolo"
    int offset;          // byte offset in the record
    int capacity;        // N: at most N text bytes, the field takes N + 1
    const char *control; // card control, e.g. "txtTitolo"
    const char *label;   // caption on the card (UTF-8); empty for hidden fields
    ControlKind kind = ControlKind::Line;
    // The caption documents and search filters give the field where the card's is
    // shorter ("Codice identificativo:" for "Codice:"); null when they are the same.
    const char *longLabel = nullptr;
    constexpr int size() const { return capacity + 1; }
    // The caption of documents, printed cards and search filters (UTF-8).
    constexpr const char *documentLabel() const { return longLabel ? longLabel : label; }
};

struct RecordLayout {
    const char *fileName; // archive file in the program folder
    int recordSize;
    FieldKind kind;
    Trimming trimming;
    std::span<const FieldDef> fields;

    int fieldCount() const { return int(fields.size()); }
    // -1 when there is no such field.
    int indexOf(QStringView name) const;
    int indexOfControl(QStringView control) const;
};

// A field of capacity N inside a record struct: N + 1 raw bytes, no alignment.
template <int N>
using FieldBytes = std::array<unsigned char, N + 1>;

// Checks, at compile time, that a field table describes its record struct of
// `recordSize` bytes: one row for each of the `fieldCount` fields, in file order,
// covering the whole struct without gaps.
template <typename Record, std::size_t Count>
constexpr bool describesRecord(const FieldDef (&fields)[Count], int fieldCount, int recordSize)
{
    if (sizeof(Record) != std::size_t(recordSize) || Count != std::size_t(fieldCount)) return false;
    int at = 0;
    for (const FieldDef &f : fields) {
        if (f.offset != at || f.capacity < 1) return false;
        at += f.capacity + 1;
    }
    return at == recordSize;
}

// The largest capacity in a field table.
template <std::size_t Count>
constexpr int largestCapacity(const FieldDef (&fields)[Count])
{
    int largest = 0;
    for (const FieldDef &f : fields) largest = f.capacity > largest ? f.capacity : largest;
    return largest;
}

namespace fieldtable {
constexpr const char *longLabel() { return nullptr; }
constexpr const char *longLabel(const char *label) { return label; }
} // namespace fieldtable

// A field table row; a sixth argument gives the field's long caption.
#define OPUSTECA_FIELD(Record, Name, Control, Label, Kind, ...)                                                        \
    FieldDef                                                                                                           \
    {                                                                                                                  \
#Name, int(offsetof(Record, Name)), int(sizeof(Record::Name)) - 1, Control, Label, ControlKind::Kind,          \
            fieldtable::longLabel(__VA_ARGS__)                                                                         \
    }

// The three attached-file slots that close a book and a piece of research: the
// paths, then their descriptions, kept in hidden labels of the card.
#define OPUSTECA_ATTACHMENT_FIELDS(Record)                                                                             \
    OPUSTECA_FIELD(Record, File01, "lblFile01", "", Hidden), OPUSTECA_FIELD(Record, File02, "lblFile02", "", Hidden),  \
        OPUSTECA_FIELD(Record, File03, "lblFile03", "", Hidden),                                                       \
        OPUSTECA_FIELD(Record, Desc01, "lblDesc01", "", Hidden),                                                       \
        OPUSTECA_FIELD(Record, Desc02, "lblDesc02", "", Hidden),                                                       \
        OPUSTECA_FIELD(Record, Desc03, "lblDesc03", "", Hidden)

} // namespace opusteca
