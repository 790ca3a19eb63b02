// Window layouts are designed in twips: 15 twips make a pixel at 96 dpi.
#pragma once

namespace ormevak {

int twipsToPixels(double twips, double logicalDpi);
double pixelsToTwips(double pixels, double logicalDpi);

} // namespace ormevak
