#pragma once
#include "store/RecordLayout.h"

#include <QString>
#include <span>

namespace opusteca {

// The four searches of the program. They differ only in the data below; the
// scanner, the list lines and the screens are written once and read this table.
enum class SearchKind { Books, AvailableBooks, Authors, Bibliographies };

inline constexpr int kSearchFilterCount = 10;

// One filter field of a search screen.
struct SearchFilter {
    const char *control; // objectName of the filter field, e.g. "txtTitolo"
    const char *caption; // caption above the field (UTF-8)
    int field;           // index of the compared field in the kind's record layout
};

// Records left out before the filters are applied.
enum class SkipRule {
    None,
    NotCurrentBook,  // a book whose Annullata, trimmed, is not exactly "No"
    UnavailableBook, // the same, or a book with a borrower or a loan date
};

// One piece of a list line: the literal, then the field's trimmed value, either
// padded with blanks and cut to `width` characters or, when width is 0, whole.
struct LineSegment {
    const char *literal; // ASCII
    int field;
    int width;
};

struct SearchKindDef {
    SearchKind kind;
    const char *screenClass; // class and objectName of the screen, e.g. "TfrmTrovaLibri"
    const char *caption;     // window caption (UTF-8, with its leading blank)
    const RecordLayout &(*layout)();
    std::span<const SearchFilter, kSearchFilterCount> filters; // in tab order
    SkipRule skip;
    std::span<const LineSegment> line;
    int itemWidth;            // width of the result list's items
    const char *reportTitle;  // title of the printed list (UTF-8)
    const char *focusControl; // filter field focused when the screen is shown

    QString captionText() const { return QString::fromUtf8(caption); }
    QString reportTitleText() const { return QString::fromUtf8(reportTitle); }
    // -1 when the kind has no filter of that objectName.
    int filterIndexOf(QStringView control) const;
};

const SearchKindDef &searchKind(SearchKind kind);
// The kind a screen class searches; nullptr for any other class name.
const SearchKindDef *searchKindOfScreen(QStringView screenClass);
std::span<const SearchKindDef> searchKinds();

} // namespace opusteca
