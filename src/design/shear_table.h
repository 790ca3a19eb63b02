// The permissible shear stress of concrete (tau-c by steel percentage and concrete grade), the
// column of the project's grade, and the lookup that the design, the schedule and the footing
// detail window share.
#pragma once

#include "model/project.h"

namespace ormevak {

// Fills p.shearTable: row 0 the grades 15..40 in columns 1..6, column 0 the pt keys
// 0.15..3.00 in rows 1..13, the cells tau-c in N/mm2; column 7 stays 0.
void loadShearTable(Project& p);

// p.gradeColumn := the column of p.concreteGrade: its own, the lower neighbour for a grade
// between two columns, M40 for any grade above; 7 (no strength) below M15.
void selectGradeColumn(Project& p);

// loadShearTable and selectGradeColumn: for every caller that needs a lookup.
void ensureShearTable(Project& p);

// Permissible one-way shear stress (N/mm2) for steel percentage pt in the current grade
// column. Raises the caller's pt to 0.15 when it is below. Single-precision arithmetic.
float shearStrength(const Project& p, float& pt);

} // namespace ormevak
