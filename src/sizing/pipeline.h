// What loading the main window does to the model, in its order.
#pragma once

#include "model/layout_file.h"
#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// Caption, footings at their joints, required sides, grid lists, groups (all enabled),
// assignment, and the offsets of the layout file when there is one. Throws CapacityError when
// the sides need more than 60 groups.
LayoutLoad loadMainWindow(Project& p, Prompts& prompts);

} // namespace ormevak
