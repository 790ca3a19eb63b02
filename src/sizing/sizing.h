// Corner pressures, required sides, size groups, grid lists and the main window's load pipeline.
#pragma once

#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// Required side of every support over its load cases; sets reqSide, jointNo, LoadCaseCount.
void sizeFootings(Project& p, Prompts& prompts);
// P (kN) of the corner-pressure equation for a FORCE-Y of fy as the square sizing takes it:
// 1.1 FY, or 1 kN for a case that does not press on the soil. P is a single-precision value,
// as the sizes have always been computed with it.
float factoredLoad(float fy);
// Side of a square footing for one support and case slot under the factored load (kN).
double squareSide(const Project& p, int support, int caseIndex, float load);
// Second side of a rectangle with first side `firstSide` (m) for one case under the factored
// load P (kN).
double rectSideForCase(const Project& p, Prompts& prompts, int support, int caseIndex,
                       double firstSide, float P);
// Second side over cases 0..LoadCaseCount, rounded to 2 decimals.
double rectSide(const Project& p, Prompts& prompts, int support, double firstSide);

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
