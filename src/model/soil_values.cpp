// Depth of foundation and safe bearing capacity into the earth pressure and allowable bearing.
#include "model/soil_values.h"

#include "model/numbers.h"

namespace ormevak {

SoilValuesResult applySoilValues(Project& p, const std::string& depthText,
                                 const std::string& sbcText) {
    if (!isNumericText(depthText))
        return {false, "the depth \"" + depthText + "\" is not a number"};
    const float depth = static_cast<float>(readNumber(depthText));
    if (!(depth >= 0 && depth <= 6)) return {false, "the depth must lie between 0 and 6 m"};
    p.earthPressure = depth * 20;

    if (!isNumericText(sbcText)) return {false, "the SBC \"" + sbcText + "\" is not a number"};
    int16_t sbc = 0;
    try {
        sbc = toInt16(readNumber(sbcText), "The SBC");
    } catch (const RangeError&) {
        return {false, "the SBC \"" + sbcText + "\" is too large"};
    }
    if (sbc < 50 || sbc > 1000) return {false, "the SBC must lie between 50 and 1000 kN/m2"};
    p.allowableBearing[0] = sbc;
    for (size_t c = 1; c < p.allowableBearing.size(); ++c) p.allowableBearing[c] = 1.25f * sbc;
    return {true, {}};
}

} // namespace ormevak
