// The permissible shear stress of concrete (tau-c by steel percentage and concrete grade), the
// column of a grade, and the lookup that the design, the schedule and the footing detail window
// share. Everything here depends on the concrete grade alone.
#pragma once

#include <array>

#include "model/project.h"

namespace ormevak {

// The shear strength table: row 0 the grades 15..40 in columns 1..6, column 0 the pt keys
// 0.15..3.00 in rows 1..13, the cells tau-c in N/mm2; column 7 stays 0.
using ShearTable = std::array<std::array<float, 8>, 14>;
const ShearTable& shearTable();

// The column of concrete grade fck: its own, the lower neighbour for a grade between two
// columns, M40 for any grade above; 7 (no strength) below M15.
int gradeColumnFor(int concreteGrade);

// The grade a column stands for (15..40), or 0 for a column outside 1..6.
float columnGrade(int column);

// Permissible one-way shear stress (N/mm2) for steel percentage pt in the column of the
// concrete grade. Raises the caller's pt to 0.15 when it is below. Single-precision arithmetic.
float shearStrength(int concreteGrade, float& pt);
// The same for the project's concrete grade.
inline float shearStrength(const Project& p, float& pt) {
    return shearStrength(p.concreteGrade, pt);
}

} // namespace ormevak
