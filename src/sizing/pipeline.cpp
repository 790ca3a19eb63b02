// The main window's load pipeline without the window.
#include "sizing/pipeline.h"

#include "sizing/sizing.h"

namespace ormevak {

LayoutLoad loadMainWindow(Project& p, Prompts& prompts) {
    p.mainCaption = mainCaption(p);
    placeFootings(p);
    sizeFootings(p, prompts);
    buildGrid(p);
    formGroups(p);
    assignGroups(p, prompts);
    return loadLayout(p);
}

} // namespace ormevak
