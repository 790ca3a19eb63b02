// The frame as a grid: distinct levels, the node grid, and the columns and beams at each node.
#pragma once

#include "model/project.h"

namespace ormevak {

// Levels and node grid; throws CapacityError beyond 300 distinct values on an axis or a joint
// number that does not fit a 16-bit cell.
void buildNodeGrid(Project& p);
// Member number of the first member from `lower` to `upper`; 0 if none.
int findMember(const Project& p, int lower, int upper);
// First row of Columns (Beams) with that member number; 0 if none.
int columnRowOf(const Project& p, int member);
int beamRowOf(const Project& p, int member);
void buildMemberGrids(Project& p);
// colIndex of every footing standing on the lowest level.
void linkSupportColumns(Project& p);

} // namespace ormevak
