// The spreadsheet export written as an .xlsx workbook file.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "output/workbook_cells.h"

namespace ormevak {

// Builds the sheets of buildWorkbook and writes them to `path`. Numeric texts become number
// cells, the others string cells. The file appears whole or not at all: it is written beside the
// target under a temporary name and renamed at the end. Throws OutputError (from buildWorkbook,
// before any file is touched) or FileError naming the file and the reason.
void writeWorkbook(const Project& project, const std::string& path);

// Writes given sheets, with the same rules; the part of writeWorkbook that touches the file.
void writeSheets(const std::vector<Sheet>& sheets, const std::string& path);

} // namespace ormevak
