// Footing label texts, the plan window and the drawn rectangles.
#include "plan/plan_labels.h"

#include <algorithm>
#include <cmath>

#include "model/marks.h"
#include "model/numbers.h"

namespace ormevak {

std::string labelText(const Project& p, int i, const PlanSwitches& switches,
                      const std::string& current) {
    if (i < 1 || i >= static_cast<int>(p.footings.size())) return current;
    const FootingRecord& f = p.footings[i];
    if (switches.size) {
        if (f.isGrouped()) return formatNumber(f.lenL);
        return formatNumber(f.lenL) + "\r" + formatNumber(f.widB);
    }
    if (switches.footingNos) return formatInt(f.jointNo);
    if (switches.groupNos) {
        // A disabled footing is not built: it carries no type mark, only its joint.
        return f.isDisabled() ? formatInt(f.jointNo) : footingMark(f);
    }
    return current;
}

PlanWindow fitPlanWindow(double xLo, double xHi, double zLo, double zHi, double aspect) {
    PlanWindow w{xLo, zLo, xHi, zHi};
    const double width = xHi - xLo;
    const double height = zHi - zLo;
    // A drawing area without a usable size shows the range as it is.
    if (!(aspect > 0) || !std::isfinite(aspect) || !(width > 0)) return w;
    if (height / width < aspect) {
        const double pad = (width * aspect - height) / 2;
        w.top = zLo - pad;
        w.bottom = zHi + pad;
    } else {
        const double pad = (height / aspect - width) / 2;
        w.left = xLo - pad;
        w.right = xHi + pad;
    }
    return w;
}

namespace {

// First and last value of a level list (element 0 = count); 0 for an empty list.
double firstLevel(const std::vector<float>& levels) {
    return levels.size() > 1 && levels[0] >= 1 ? static_cast<double>(levels[1]) : 0.0;
}
double lastLevel(const std::vector<float>& levels) {
    if (levels.empty()) return 0.0;
    const auto n = static_cast<size_t>(std::lround(levels[0]));
    if (n < 1 || n >= levels.size()) return firstLevel(levels);
    return static_cast<double>(levels[n]);
}

} // namespace

PlanWindow planWindow(const Project& p, double aspect) {
    return fitPlanWindow(firstLevel(p.levelsX) - 2000, lastLevel(p.levelsX) + 2000,
                         firstLevel(p.levelsZ) - 2000, lastLevel(p.levelsZ) + 2000, aspect);
}

ColumnOutline columnOutline(const Project& p, int i) {
    ColumnOutline out;
    if (i < 1 || i >= static_cast<int>(p.footings.size())) return out;
    const int c = p.footings[i].colIndex;
    if (c < 1 || c >= static_cast<int>(p.columns.size())) return out;
    const double alongX = p.columns[c][member_row::Dim4], alongZ = p.columns[c][member_row::Dim3];
    if (alongX > 0 && alongZ > 0) {
        out.halfX = alongX / 2;
        out.halfZ = alongZ / 2;
    }
    return out;
}

void storeDrawnRects(Project& p) {
    const int n = p.lastFooting();
    for (int i = 1; i <= n; ++i) {
        FootingRecord& f = p.footings[i];
        if (f.isCombined()) continue; // drawn as part of its combined footing
        const double hL = static_cast<double>(f.lenL) * 1000 / 2;
        const double hW = static_cast<double>(f.widB) * 1000 / 2;
        f.drawX1 = static_cast<float>(f.x - hL);
        f.drawX2 = static_cast<float>(f.x + hL);
        f.drawZ1 = static_cast<float>(f.z - hW);
        f.drawZ2 = static_cast<float>(f.z + hW);
    }
}

void updatePlan(Project& p, PlanState& s) {
    const int n = p.lastFooting();
    if (static_cast<int>(s.labels.size()) < n + 1) s.labels.resize(static_cast<size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) s.labels[i] = labelText(p, i, s.switches, s.labels[i]);
    storeDrawnRects(p);
}

} // namespace ormevak
