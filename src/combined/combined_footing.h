// Sizing of a combined footing under two columns, and the Combine command that creates one
// from the rubber band on the plan.
#pragma once

#include <optional>
#include <string>

#include "model/project.h"
#include "model/prompts.h"
#include "plan/plan_state.h"

namespace ormevak {

// Sizes combined footing k: length from the stored length (or the column distance + 1 m for a
// new one) changed by `step` (-1, 0, +1 times 0.1 m), projections of at least 0.5 m, width in
// 50 mm steps from 0.65 m until every load case is within the allowable bearing. Writes the
// record and the members' lenL (= width) and widB (= length); returns the size label caption
// of the new size, or nothing when k or its members are not usable (nothing changes).
std::optional<std::string> sizeCombined(Project& p, int k, int step);
// The same for a pair of columns along X.
std::optional<std::string> sizeCombinedX(Project& p, int k, int step);

enum class CombineOutcome {
    Combined,     // a new combined footing was created and sized
    NotAPair,     // fewer or more than two column centres inside the band
    Deviation,    // not in one line along Z or X, or not more than 1 m apart
    SkewCanceled, // the user cancelled the skew question
    TableFull     // all combined footings of the table are in use
};

struct CombineResult {
    CombineOutcome outcome = CombineOutcome::NotAPair;
    int index = 0;   // the new combined footing's number when combined
    int counted = 0; // column centres found inside the band (all of them, even beyond ten)
};

// The Combine command on the band kept in `s`; the band collapses to its second corner.
CombineResult combineBand(Project& p, Prompts& prompts, PlanState& s);

// Deletes combined footing k: its members go back to isolated footings at their required
// side, later entries move down and their members follow their new number; the freed record
// is cleared. Shows k + " Is Deleting".
void deleteCombined(Project& p, Prompts& prompts, int k);

} // namespace ormevak
