// The texts that name a footing and show its size, the same on the plan, in the windows and in
// the messages.
#pragma once

#include "model/project.h"

#include <string>

namespace ormevak {

// F<mark> for a grouped footing, R<mark> for a resized one, C<k> for a member of combined
// footing k, D for a disabled one.
std::string footingMark(const FootingRecord& f);

// "L X B": the two sides as the size box shows them.
std::string sizeCaption(double len, double wid);
// "L X B = A", the area rounded to two decimals from the sides given.
std::string sizeAreaCaption(double len, double wid);

} // namespace ormevak
