// What the user does on the main plan and the group controls, as operations on the model:
// the wheel resize, selection, Shift + Delete, the group nudge, toggle and member list,
// Refresh, the disable mode and the press on a footing label.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/project.h"
#include "model/prompts.h"
#include "plan/details.h"
#include "plan/plan_state.h"

namespace ormevak {

// One wheel step (direction -1 or +1, 50 mm) on the current isolated footing: it becomes a
// rectangle resized by the user. A step that would leave a side that is not positive is
// refused and changes nothing; returns the size label caption of the new size when the step
// was taken.
std::optional<std::string> RfootMwheel(Project& p, Prompts& prompts, int direction);

// A wheel notch over the size box: resizes the current footing, isolated or combined, by one
// step in the direction of the rotation's sign, and the size label reads the new size. Returns
// whether anything changed.
bool wheelStep(Project& p, Prompts& prompts, int rotationSign);

// Left press on footing i's label: it becomes current, the size box shows over it and the size
// label reads its plan size.
void selectFooting(Project& p, PlanState& s, int i);

// Shift + Delete on the plan (ignored while a band is dragged): a resized footing returns to its
// required side, a combined footing is deleted; the size box is hidden.
void shiftDelete(Project& p, Prompts& prompts, PlanState& s);

// Escape on the plan: hides the size box and label; the footing stays current.
void hideSizeBox(PlanState& s);
// The size box loses the focus: hidden, and no footing is current.
void sizeBoxLostFocus(Project& p, PlanState& s);

// Shift + press on group g's side label: the side steps down by 50 mm, or back above its
// formed side once it would go below it; then the assignment runs.
bool nudgeGroup(Project& p, Prompts& prompts, int g);

// The member list of group g: the message text and which footing labels stay visible while it
// is shown (1..FootingCount).
struct GroupMemberList {
    std::string text;
    std::vector<char> visible;
};
GroupMemberList groupMemberList(const Project& p, int g);
// The click on group g's member count: labels switch to footing numbers, the list is shown.
void listGroup(Project& p, Prompts& prompts, PlanState& s, int g);

// Click on group g's check box: the enabled value flips and the assignment runs. The largest
// group's box cannot be changed; returns false then.
bool toggleGroup(Project& p, Prompts& prompts, int g);

// Refresh: required sides again; groups are neither re-formed nor re-assigned.
void refresh(Project& p, Prompts& prompts);

// The Disable button; returns the new mode.
bool toggleDisableMode(PlanState& s);

enum class Button { Left, Right, Middle };

struct PressResult {
    enum class Kind {
        None,            // nothing beyond picking the footing
        DisableToggled,  // disable mode: the footing was disabled or enabled
        Details,         // the isolated footing window (details)
        CombinedDetails, // the combined footing window (combined)
        Selected         // the size box stands over the footing
    };
    Kind kind = Kind::None;
    FootingDetails details;
    CombinedDetails combined;
};

// Press on footing i's label with a button and the shift state.
PressResult pressLabel(Project& p, Prompts& prompts, PlanState& s, int i, Button button,
                       bool shift);

} // namespace ormevak
