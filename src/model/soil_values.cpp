// Depth of foundation and safe bearing capacity into the earth pressure and allowable bearing.
#include "model/soil_values.h"

#include "model/numbers.h"

namespace ormevak {

SoilValuesResult applySoilValues(Project& p, const std::string& depthText,
                                 const std::string& sbcText) {
    if (!isNumericText(depthText))
        return {false, "the depth \"" + depthText + "\" is not a number", SoilBox::Depth};
    const float depth = static_cast<float>(readNumber(depthText));
    if (!(depth >= 0 && depth <= 6))
        return {false, "the depth must lie between 0 and 6 m", SoilBox::Depth};
    p.earthPressure = depth * 20;

    if (!isNumericText(sbcText))
        return {false, "the SBC \"" + sbcText + "\" is not a number", SoilBox::Sbc};
    int16_t sbc = 0;
    try {
        sbc = toInt16(readNumber(sbcText), "The SBC");
    } catch (const RangeError&) {
        return {false, "the SBC \"" + sbcText + "\" is too large", SoilBox::Sbc};
    }
    if (sbc < 50 || sbc > 1000)
        return {false, "the SBC must lie between 50 and 1000 kN/m2", SoilBox::Sbc};
    p.allowableBearing[0] = sbc;
    for (size_t c = 1; c < p.allowableBearing.size(); ++c) p.allowableBearing[c] = 1.25f * sbc;
    return {true, {}};
}

std::string soilRefusalNotice(SoilBox box) {
    switch (box) {
    case SoilBox::Depth:
        return "Depth must be a number from 0 to 6 m";
    case SoilBox::Sbc:
        return "SBC must be a number from 50 to 1000 kN/m2";
    case SoilBox::None:
        break;
    }
    return {};
}

} // namespace ormevak
