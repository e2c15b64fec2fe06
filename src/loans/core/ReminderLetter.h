#pragma once
#include "loans/core/Loans.h"

#include <QByteArray>
#include <QDate>

namespace opusteca::loans {

// The reminder letter's file in the program folder, replaced by every letter.
inline constexpr const char *kReminderDocument = "Sollecito.rtf";

// The letter to one borrower about the books in `rows` (theirs, in list order):
// an RTF document in the layout of the card exports, dated today, that asks
// politely for the books back and lists each with its title, code, loan date
// and days on loan.
QByteArray reminderLetter(const QString &reader, const QList<LoanRow> &rows, const QDate &today);

} // namespace opusteca::loans
