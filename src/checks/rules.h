// The constants of the design checks, each once, with the clause of IS 456:2000 it comes from,
// and the small helpers the checks share. Internal to src/checks.
#pragma once

#include <string>
#include <vector>

#include "checks/checks.h"
#include "model/load_factors.h"
#include "model/project.h"

namespace ormevak::checks {

// Soil and stability.
// Unit weight of the footing and the soil above it, kN/m3: the value the system already takes
// for the overburden (EarthPressure = depth x 20).
inline constexpr double kUnitWeight = 20.0;
// Factor of safety against uplift: the resisting weight must be at least 1.5 times the pull
// (stability, 20.1, with the partial safety factor 1.5 of Table 18).
inline constexpr double kUpliftFactor = 1.5;

// Limit-state design.
// Design stress of reinforcement in tension, 0.87 fy (38.1).
inline constexpr double kSteelTension = 0.87;
// Design stress of dowels and column bars in compression, 0.67 fy (39.3).
inline constexpr double kSteelCompression = 0.67;
// Cover allowance of the design: effective depth d = D - 60 mm (the Design command's rule).
inline constexpr double kCoverAllowance = 0.06; // m

// Detailing.
// Nominal cover at the ends of the bars of a footing, 26.4.2.2: 50 mm.
inline constexpr double kEndCover = 50.0; // mm
// Maximum spacing of main bars in slabs and footings, 26.3.3(b)(1): min(3 d, 300 mm).
inline constexpr double kMaxSpacingDepths = 3.0;
inline constexpr double kMaxSpacing = 300.0; // mm
// Minimum clear distance between bars, 26.3.2: the larger of the bar diameter and the nominal
// maximum aggregate size + 5 mm (20 mm aggregate).
inline constexpr double kAggregate = 20.0;      // mm
inline constexpr double kAggregateMargin = 5.0; // mm
// Bars closer than this centre to centre are hard to place and compact: choose a larger bar.
inline constexpr double kCongestedSpacing = 100.0; // mm
// Least projection of a pedestal beyond its column on each side (detailing practice, so that
// the column bars can be placed inside the pedestal's bars).
inline constexpr double kPedestalMargin = 50.0; // mm

// Bearing at the column base, 34.4: 0.45 fck sqrt(A1 / A2), with sqrt(A1 / A2) at most 2.
inline constexpr double kBearingStress = 0.45;
inline constexpr double kBearingRatioMax = 2.0;
// Least dowel area across the column base, 34.4.3: 0.5 % of the column area.
inline constexpr double kMinDowelRatio = 0.005;

// Least concrete grade of reinforced concrete, Table 5 (moderate exposure): M20.
inline constexpr int kMinGrade = 20;

// Deformed bars (fy above 250 N/mm2) bond 60 % better, 26.2.1.1.
inline constexpr int kPlainBarFy = 250;
inline constexpr double kDeformedBondFactor = 1.6;

// Design bond stress of plain bars in tension, 26.2.1.1 (N/mm2), by concrete grade: M15 1.0,
// M20 1.2, M25 1.4, M30 1.5, M35 1.7, M40 and above 1.9. A grade between two tabulated ones
// takes the lower one's value, a grade below M15 that of M15.
double bondStress(int fck);

// Development length Ld = phi 0.87 fy / (4 tau_bd), 26.2.1 (mm), with the bond stress of
// deformed bars for fy above 250.
double developmentLength(int dia, int fy, int fck);

// A footing's plan mark as the plan shows it: "F2", "R1", "C3" ("D" when disabled).
std::string markOf(const Project& p, int f);
// "F2 at joint 105": how a text names a footing.
std::string footingName(const Project& p, int f);
// "C1 (joints 101 and 102)": how a text names a combined footing.
std::string combinedName(const Project& p, int k);

// A number for a text, rounded to `decimals`.
std::string num(double v, int decimals);

// The last case index to look at.
int lastCaseIndex(const Project& p);
// Combined footing k is complete: two members, both usable and both marked with k.
bool completeCombined(const Project& p, int k);

// The checks by kind, each appending to `out` in footing or row order.
void soilChecks(const Project& p, std::vector<Check>& contact, std::vector<Check>& overturning,
                std::vector<Check>& uplift);
void overlapChecks(const Project& p, std::vector<Check>& out);
struct RowChecks {
    std::vector<Check> pedestal, spacingMax, spacingMin, development, bearing, steel, notDesigned;
};
void rowChecks(const Project& p, RowChecks& out);
void notDesignedFootings(const Project& p, std::vector<Check>& out);

} // namespace ormevak::checks
