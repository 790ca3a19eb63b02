// The main window's load pipeline without the window.
#include "sizing/pipeline.h"

#include "plan/offsets.h"
#include "sizing/sizing.h"

namespace ormevak {

LayoutLoad loadMainWindow(Project& p, Prompts& prompts) {
    p.mainCaption = mainCaption(p);
    placeFootings(p);
    sizeFootings(p, prompts);
    buildGrid(p);
    formGroups(p);
    assignGroups(p, prompts);
    const LayoutLoad layout = loadLayout(p);
    // The restored offsets move the footings before anything is drawn or built on them.
    if (layout == LayoutLoad::Restored) applyOffsets(p);
    return layout;
}

} // namespace ormevak
