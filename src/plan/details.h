// The footing detail windows: corner pressures per load case and an estimated depth for an
// isolated footing (Disply), and the size and projections of a combined footing (Disply2).
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace ormevak {

// One row of the isolated footing's table: load case index r - 1 for row r.
struct DetailRow {
    std::string labCase, labPbyA, labMbyZ, labMbyZ2, labStress, labStress_, labAllowble;
};

struct FootingDetails {
    int footing = 0;
    bool filled = false; // false: the window opens without being filled (no size, or combined)
    std::string labN0, labSize, labOffcet, labColSize, labXY;
    std::vector<DetailRow> rows; // rows[r - 1] is row r
    // Row numbers (1-based; 0 = none found) of the bold LabStress and LabStress_ entries, and
    // whether each carries a border.
    int boldStress = 0;
    int boldStressMin = 0;
    bool borderStress = false;
    bool borderStressMin = false;
};

struct CombinedDetails {
    int combined = 0;
    bool filled = false;
    std::string labCf1f2, labCfSize, labCnt1, labCnt2, labDisf_f;
};

// Fills the isolated footing window for footing f.
FootingDetails showFootingDetails(const Project& p, int f);
// Largest corner pressure of footing f as laid out, over load cases 1..LoadCaseCount; 0 when
// there is none or the footing has no area.
float detailPressure(const Project& p, int f);
// Estimated effective depth (m) of footing f on a 0.6 m pedestal.
float detailDepth(const Project& p, int f);
// The combined footing window for combined footing k.
CombinedDetails combinedDetails(const Project& p, int k);

} // namespace ormevak
