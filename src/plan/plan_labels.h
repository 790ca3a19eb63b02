// What the plan shows, as model values: the text of each footing label, the plan window in
// millimetres and the rectangles of the footings as drawn.
#pragma once

#include <string>

#include "model/project.h"
#include "plan/plan_state.h"

namespace ormevak {

// The plan's visible range in plan mm: x grows to the right, z downwards (top < bottom).
struct PlanWindow {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// Text of footing i's label for the display switches, in their order of priority (displySRCF1).
// With no switch checked the label keeps `current`.
std::string labelText(const Project& p, int i, const PlanSwitches& switches,
                      const std::string& current);

// Widens the range [xLo, xHi] x [zLo, zHi] along one axis so that it fills an area of the given
// aspect (height / width) with equal scales on both axes.
PlanWindow fitPlanWindow(double xLo, double xHi, double zLo, double zHi, double aspect);

// The main plan's window: every joint with a 2 m margin, fitted to the drawing area's aspect
// (height / width).
PlanWindow planWindow(const Project& p, double aspect);

// Half sides (mm) of the column standing on footing i: its section from the column table (the
// fourth dimension along X, the third along Z), or a 300 mm square when the table has none. A
// disabled footing is not built and is drawn as this outline only.
struct ColumnOutline {
    double halfX = 150, halfZ = 150;
};
ColumnOutline columnOutline(const Project& p, int i);

// Stores drawX1..drawZ2 of every footing that is drawn by itself (not part of a combined footing).
void storeDrawnRects(Project& p);

// The model part of redrawing the plan: every label text, then the drawn rectangles.
void updatePlan(Project& p, PlanState& s);

} // namespace ormevak
