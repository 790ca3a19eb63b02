// The two values of the startup dialog, judged as its OK button judges them.
#pragma once

#include <string>

#include "model/project.h"

namespace ormevak {

// The box whose value was refused.
enum class SoilBox { None, Depth, Sbc };

struct SoilValuesResult {
    bool accepted = false;
    std::string reason; // why a value was refused; empty when accepted
    SoilBox refused = SoilBox::None;
};

// Depth first: a numeric depth within 0..6 sets EarthPressure even when the SBC is then refused.
// An SBC within 50..1000 (as a 16-bit integer, ties to even) sets AllowableBearing.
SoilValuesResult applySoilValues(Project& p, const std::string& depthText,
                                 const std::string& sbcText);

// The line the startup dialog shows beside a refused box: what that box accepts. Empty for None.
std::string soilRefusalNotice(SoilBox box);

} // namespace ormevak
