// The R and C schedule rows as plain-text tables, printed after the square rows.
#pragma once

#include <string>

#include "model/project.h"

namespace ormevak {

// For each kind that has rows: an empty line, the heading line and the rows, columns padded to
// the widest cell and separated by two blanks, no trailing blanks. "" when there are none.
std::string designedRowsTable(const Project& p);

} // namespace ormevak
