// The workbook's "Checks" sheet: every failing design check, one a line, under headings.
#pragma once

#include "model/project.h"
#include "output/workbook_cells.h"

namespace ormevak {

// Row 1 the headings; from row 2 one check a row: check, severity, footing, joint, mark or
// schedule row, other footing, its joint, load case, value, limit, unit, text. Empty cells where
// a check has no footing, other footing, case or value.
Sheet checksSheet(const Project& project);

} // namespace ormevak
