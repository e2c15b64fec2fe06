#pragma once
#include <QString>

namespace opusteca::loans {

// The loan period, in days, kept in Opusteca.ini ([Prestiti] Durata).
inline constexpr int kDefaultPeriod = 30;
inline constexpr int kMinPeriod = 1;
inline constexpr int kMaxPeriod = 3650;

// The period set for the program folder: the default when the file, the key or
// a whole number from 1 to 3650 is missing.
int loanPeriod(const QString &programFolder);
// False when the file could not be written: the period then holds for the rest
// of the session all the same.
bool setLoanPeriod(const QString &programFolder, int days);

} // namespace opusteca::loans
