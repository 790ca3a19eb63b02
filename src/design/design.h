// The Design command: one schedule row per ticked, non-empty size group, with the texts the
// footing schedule shows.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// The twenty texts of one schedule row, in the order of scheduleControlNames().
using RowTexts = std::array<std::string, 20>;

// Positions of the schedule's controls in RowTexts.
namespace col {
enum : std::size_t {
    LabF1,
    LabNos,
    LabSize,
    TxtDepth,
    TxtPeda,
    LabNetP,
    LabCant,
    LabMu,
    LabMuBdd,
    LabPt,
    LabAst,
    LabGdia,
    LabRods,
    LabSpace,
    LabSF1,
    LabSS1,
    LabPS1,
    LabSF2,
    LabSS2,
    LabPS2,
};
} // namespace col

// "LabF1", "LabNos", ... "LabPS2".
const std::array<const char*, 20>& scheduleControlNames();
// "GRP", "NO's", ... "2-PS": the heading of each control, in the same order.
const std::array<const char*, 20>& scheduleHeadings();

// Designs every group 1..GroupCount that has members and is ticked into DesignRows 1..n and
// their texts; DesignRowCount := n. Returns the messages the design has for the user (missing
// grades, a depth search that stopped, an overflow that ended the design); empty when none.
std::vector<std::string> designFootings(Project& p);

// After the square rows: the resized footings (R rows) and the combined footings (C rows).
// Clears both when a grade is missing.
void designOtherFootings(Project& p, std::vector<std::string>& notes);

// The Design command: shear table, grade column, designFootings and designOtherFootings; every
// message is informed.
// False when nothing could be designed because a grade is missing.
bool runDesign(Project& p, Prompts& prompts);

} // namespace ormevak
