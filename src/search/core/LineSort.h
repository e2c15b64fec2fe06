#pragma once
#include <QStringList>

namespace opusteca::linesort {

// The order of the result list: character codes (UTF-16 units) compared one by
// one, with a-z taken as A-Z; accented letters are not folded.
bool less(QStringView a, QStringView b);
// Sorts into that order; equal lines keep their order.
void sort(QStringList &lines);

} // namespace opusteca::linesort
