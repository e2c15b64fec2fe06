#include "loans/core/LoanPeriod.h"

#include "store/ProgramSettings.h"

#include <algorithm>

namespace opusteca::loans {
namespace {
const QString kSection = QStringLiteral("Prestiti");
const QString kKey = QStringLiteral("Durata");
} // namespace

int loanPeriod(const QString &programFolder)
{
    return ProgramSettings(programFolder).number(kSection, kKey, kDefaultPeriod, kMinPeriod, kMaxPeriod);
}

bool setLoanPeriod(const QString &programFolder, int days)
{
    return ProgramSettings(programFolder).setNumber(kSection, kKey, std::clamp(days, kMinPeriod, kMaxPeriod));
}

} // namespace opusteca::loans
