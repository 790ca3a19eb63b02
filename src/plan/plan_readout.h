// What the plan tells about a footing without a window: the readout of the status bar and the
// label tooltips, the neighbouring footing the arrow keys move to, and the footing a message
// speaks of.
#pragma once

#include <string>

#include "model/project.h"

namespace ormevak {

struct FootingReadout {
    int footing = 0;
    int jointNo = 0;
    std::string mark;         // "F3", "R1", "C2" or "D", as "Group No's" shows it
    float lenL = 0, widB = 0; // m; a member of a combined footing reports the combined size
    float worstPressure = 0;  // largest corner pressure (kN/m2) over the load cases
    float allowable = 0;      // allowable bearing of that case
    int governingCase = 0;    // its load case number; 0 when no case applies
};

// The readout of footing f (1..FootingCount). The worst case is the one whose largest corner
// pressure stands highest against its allowable bearing; a combined or disabled footing, or
// one without a size, has none.
FootingReadout footingReadout(const Project& p, int f);

// "Footing 12  F3  1.8 x 1.8 m  184.2 / 200 kN/m2 (case 4)": one line for the status bar.
std::string readoutLine(const FootingReadout& r);

// The footing the arrow keys move to from footing `from`: the nearest one whose centre lies in
// the direction (dx, dz) (one of them -1 or +1, the other 0; z grows downwards), counting a
// step aside twice as far as a step ahead. 0 when there is none; from 0, the first footing.
int neighbourFooting(const Project& p, int from, int dx, int dz);

// The footing whose outline as last drawn holds the plan point (mm); for a combined outline its
// first member. 0 when none does.
int footingAt(const Project& p, double x, double z);

// The footing a message names by its joint ("Check JOINT : 12 ...", " Fy = 0 @ : 12 ...",
// "12 Missed ..."); 0 when it names none.
int footingOfMessage(const Project& p, const std::string& text);

} // namespace ormevak
