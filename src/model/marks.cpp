#include "model/marks.h"

#include "model/numbers.h"

namespace ormevak {

std::string footingMark(const FootingRecord& f) {
    if (f.isGrouped()) return "F" + formatInt(f.markNo);
    if (f.isResized()) return "R" + formatInt(f.markNo);
    if (f.isCombined()) return "C" + formatInt(f.combinedIndex());
    return "D";
}

std::string sizeCaption(double len, double wid) {
    return formatNumber(static_cast<float>(len)) + " X " + formatNumber(static_cast<float>(wid));
}

std::string sizeAreaCaption(double len, double wid) {
    return sizeCaption(len, wid) + " = " + formatNumber(static_cast<float>(roundTo(len * wid, 2)));
}

} // namespace ormevak
