#pragma once
#include <QStringList>

namespace opusteca::booklists {

// The genres offered by the book card, in the order the card shows them.
const QStringList &genres();
// The languages offered by the book card, in the order the card shows them.
const QStringList &languages();

} // namespace opusteca::booklists
