// Small projects built by hand for the plan and combined footing tests.
#pragma once

#include "model/project.h"

namespace ormevak::testing {
// n supports with `cases` load cases each, joints 101, 102, ...; SBC 200, earth pressure 30:
// ProjectBuilder(n, cases) as it starts.
Project projectWithSupports(int n, int cases);
// Changes to a project already built: footing i and its joint at (x, z), mm; the reaction of
// case index c of support s.
void placeFooting(Project& p, int i, int x, int z);
void setLoad(Project& p, int s, int c, float fy, float mx = 0, float mz = 0);
} // namespace ormevak::testing
