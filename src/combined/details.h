// The detail windows' texts moved to plan/details.h; this name stays for the files that still
// include it.
#pragma once

#include "plan/details.h"
