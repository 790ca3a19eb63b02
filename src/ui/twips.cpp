#include "ui/twips.h"

#include "model/numbers.h"

namespace ormevak {

int twipsToPixels(double twips, double logicalDpi) {
    return toInt32(twips * logicalDpi / 1440.0, "pixels");
}

double pixelsToTwips(double pixels, double logicalDpi) {
    return logicalDpi > 0 ? pixels * 1440.0 / logicalDpi : 0.0;
}

} // namespace ormevak
