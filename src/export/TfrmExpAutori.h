#pragma once
// The export screens are one design; each is the shared screen with its archive.
#include "export/ExportScreen.h"
