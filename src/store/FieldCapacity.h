#pragma once
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"

#include <algorithm>

namespace opusteca {

// The widest text field of any record, for buffers that must hold any field.
inline constexpr int kLargestFieldCapacity = std::max(
    {largestCapacity(libro::kFields), largestCapacity(autore::kFields), largestCapacity(bibliografia::kFields)});

} // namespace opusteca
