// The two values of the startup dialog, judged as its OK button judges them.
#pragma once

#include <string>

#include "model/project.h"

namespace ormevak {

struct SoilValuesResult {
    bool accepted = false;
    std::string reason; // why a value was refused; empty when accepted
};

// Depth first: a numeric depth within 0..6 sets EarthPressure even when the SBC is then refused.
// An SBC within 50..1000 (as a 16-bit integer, ties to even) sets AllowableBearing.
SoilValuesResult applySoilValues(Project& p, const std::string& depthText,
                                 const std::string& sbcText);

} // namespace ormevak
