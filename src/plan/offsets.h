// The column node window's operations on the model: picking a footing, the offset keys that
// shift a column off its joint, and the arithmetic of its plan range and label places.
#pragma once

#include "model/project.h"
#include "plan/plan_labels.h"

namespace ormevak {

enum class OffsetKey { Home, Left, Right, Up, Down };

// Picks footing i (a click on its node label); returns the footing picked before.
int pickFooting(Project& p, int i);

// Home and arrow keys on the current footing. Acts only when a footing is picked and its
// column has a non-zero dimension 4; one step moves the centre by half the column dimension
// less 115 mm. Returns whether the key acted. Throws RangeError, leaving the footing as it was,
// when a moved centre does not fit a 32-bit integer.
bool offsetKeys(Project& p, OffsetKey key);

// Moves every footing's centre off its joint by its offsets, as the offset keys would: used when
// the layout file restores the offsets, so that the plan and everything built on it stand where
// the column node window shows them. A footing whose column has no section stays on its joint;
// a centre that would not fit a plan coordinate stays where it was.
void applyOffsets(Project& p);

// Shift + Delete: every footing back on its joint.
void resetOffsets(Project& p);

// Closing the window: no footing stays picked.
void closeColumnWindow(Project& p);

// Where footing f's node label goes: its left and top edges in plan mm for a label of the
// given width and height (plan units). The label shows the offset, not the shifted centre.
struct LabelPlace {
    double left = 0, top = 0;
};
LabelPlace labelPlacement(const FootingRecord& f, double labelWidth, double labelHeight);

// The window's plan range: every joint with a 2 m margin, fitted to the picture's ratio
// (height / width) with equal scales.
PlanWindow columnPlanWindow(const Project& p, double ratio);

// Page Up (+1) and Page Down (-1): the level shown, kept within 2..nY.
int stepLevel(const Project& p, int level, int delta);

} // namespace ormevak
