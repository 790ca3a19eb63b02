// The workbook's first sheets, for the engineer and the quantity surveyor: "Summary" (project,
// soil values, grades, counts, totals), "Schedule" (the schedule rows and their quantities) and
// "Footings" (every footing as it stands), each with headings, units, frozen heading rows and
// column widths.
#pragma once

#include <vector>

#include "model/project.h"
#include "output/workbook_cells.h"

namespace ormevak {

Sheet summarySheet(const Project& project);
Sheet scheduleSheet(const Project& project);
Sheet footingsSheet(const Project& project);
// The three, in that order.
std::vector<Sheet> summarySheets(const Project& project);

// The largest corner pressure of footing f over its load cases, with the real FORCE-Y:
// 1.1 P / (L W) + 6 |MX| / (L W^2) + 6 |MZ| / (L^2 W), and the load case NUMBER that gives it.
// False for a footing without a size.
bool worstCornerPressure(const Project& project, int f, double& pressure, int& caseNumber);

} // namespace ormevak
