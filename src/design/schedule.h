// The footing schedule's behaviour without its window: the redesign of one row and what each
// edit, click and key does to the row and its texts; the schedule as a plain-text table.
#pragma once

#include <string>
#include <vector>

#include "design/design.h"
#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// Recomputes row n from its size, pedestal, net pressure and depth (a user depth deep enough
// stays) and rewrites its texts; LabNos, LabSize and LabNetP keep theirs. Returns "" when done,
// otherwise the message why the row was not (fully) redesigned.
std::string redesignRow(Project& p, int n);

// The edits of row n. Each returns the row's texts as the row then shows them; any message
// (a missing grade, a stopped depth search) goes to `prompts` when one is given.
// TxtDepth, Enter: a numeric text becomes the depth and the row is redesigned; any other text
// is replaced by the stored depth.
RowTexts editDepth(Project& p, int n, const std::string& text, Prompts* prompts = nullptr);
// TxtPeda, Enter: a numeric text below the footing side becomes the pedestal and the depth is
// designed afresh; any other text is replaced by the stored pedestal.
RowTexts editPedestal(Project& p, int n, const std::string& text, Prompts* prompts = nullptr);
// Escape in TxtDepth or TxtPeda: the stored value comes back.
RowTexts escapeDepth(Project& p, int n);
RowTexts escapePedestal(Project& p, int n);
// LabGdia click: 10 -> 12 -> 16 -> 20 -> 10 (other diameters stay), then the redesign.
RowTexts clickDiameter(Project& p, int n, Prompts* prompts = nullptr);

// LabF1 click: govFooting, three blanks, govCase.
std::string govMessage(const Project& p, int n);
// LabNos click: one message per member footing, its index.
std::vector<std::string> memberMessages(const Project& p, int n);

// The heading line and rows 1..DesignRowCount, columns padded to the widest cell and
// separated by two blanks, no trailing blanks; every line ends with a newline.
std::string scheduleTable(const Project& p);

// Lines of cells as a text table: each column padded to its widest cell, two blanks between
// columns, no trailing blanks, a newline after every line.
std::string alignedTable(const std::vector<std::vector<std::string>>& lines);

} // namespace ormevak
