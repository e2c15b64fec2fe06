#include "report/ReportEngine.h"

namespace opusteca::report {
int engineVersion() { return 1; }
}
