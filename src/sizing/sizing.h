// Corner pressures, required sides, size groups, grid lists and the main window's load pipeline.
#pragma once

#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// Required side of every support over its load cases; sets reqSide, jointNo, LoadCaseCount.
void sizeFootings(Project& p, Prompts& prompts);
// Side of a square footing for one support and case slot, with p.factoredLoad as P.
double squareSide(const Project& p, int support, int caseIndex);
// Second side of a rectangle with first side `firstSide` (m) for one case, p.factoredLoad as P.
double rectSideForCase(const Project& p, Prompts& prompts, int support, int caseIndex,
                       double firstSide);
// Second side over cases 0..LoadCaseCount, rounded to 2 decimals.
double rectSide(Project& p, Prompts& prompts, int support, double firstSide);

// Default pedestal side of a group of side s.
float pedestalForSize(float side);
// Distinct support X and Z coordinates, ascending.
void buildGrid(Project& p);
// One group per distinct rounded side, sorted ascending; every group enabled. Throws
// CapacityError beyond 60 groups.
void formGroups(Project& p);
// Footings into the smallest enabled group that fits; numbers groups and footings; captions.
void assignGroups(Project& p, Prompts& prompts);

// loadFoot's model part: one footing per support at its joint; FootingCount = N.
void placeFootings(Project& p);
// "Fck  20 Fy  415   SBC  200 Earth Pressure : 30"
std::string mainCaption(const Project& p);

} // namespace ormevak
