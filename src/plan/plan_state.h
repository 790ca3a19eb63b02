// Window-level state of the main window that the core's plan operations read or change:
// the display switches, the disable mode, the rubber band and the footing label texts.
#pragma once

#include <string>
#include <vector>

namespace ormevak {

// The three display switches that choose a footing label's text. "Footing No's" and
// "Group No's" are kept opposite by the window; "Size" overrides both.
struct PlanSwitches {
    bool size = false;      // ChkSize
    bool footingNos = true; // ChkFNos
    bool groupNos = false;  // ChkGrpNos
};

struct PlanState {
    bool disableMode = false;
    bool dragging = false;
    // Rubber band corners in plan mm: first (x1, y1), second (x2, y2); y is plan z.
    float bandX1 = 0, bandY1 = 0, bandX2 = 0, bandY2 = 0;
    PlanSwitches switches;
    // The size box (TxtWheel) and the size label (LabLBD) stand over the current footing.
    bool sizeBoxVisible = false;
    // Text of footing i's plan label (LabDis), 1..FootingCount; element 0 unused.
    std::vector<std::string> labels{std::string{}};
};

} // namespace ormevak
