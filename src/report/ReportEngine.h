#pragma once

namespace opusteca::report {
// The banded report engine arrives with the printing screens.
int engineVersion();
}
