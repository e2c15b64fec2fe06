#pragma once

namespace opusteca::bench {

// Peak resident memory of the process, in MiB. Where the system allows it the
// peak can be reset, so each benchmark reports its own.
double peakResidentMiB();
double currentResidentMiB();
bool resetPeakResident();

} // namespace opusteca::bench
