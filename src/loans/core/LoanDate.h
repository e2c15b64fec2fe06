#pragma once
#include <QDate>
#include <QStringView>

#include <optional>

namespace opusteca::loans {

// Reads a loan date as the card keeps it: day, month and four-digit year in the
// short date order, with "/", "-" or "." between them (the same both times) and
// one or two digits for day and month: "05/03/2024", "5/3/2024", "5-3-2024",
// "05.03.2024". Blanks around it do not count. Anything else, an impossible
// day included ("31/02/2024"), is not a date.
std::optional<QDate> readLoanDate(QStringView text);

} // namespace opusteca::loans
