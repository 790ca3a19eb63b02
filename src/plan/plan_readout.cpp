// Footing readouts, arrow-key neighbours and the footing a message names.
#include "plan/plan_readout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "model/marks.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

int footingOfJoint(const Project& p, long long joint) {
    for (int i = 1; p.hasFooting(i); ++i)
        if (p.footings[static_cast<size_t>(i)].jointNo == joint) return i;
    return 0;
}

// The whole number that starts at `at` (after blanks), or -1.
long long numberAt(const std::string& text, size_t at) {
    while (at < text.size() && text[at] == ' ') ++at;
    size_t end = at;
    while (end < text.size() && end - at < 9 && std::isdigit(static_cast<unsigned char>(text[end])))
        ++end;
    return end == at ? -1 : std::stoll(text.substr(at, end - at));
}

} // namespace

FootingReadout footingReadout(const Project& p, int f) {
    FootingReadout r;
    if (!p.hasFooting(f)) return r;
    const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
    r.footing = f;
    r.jointNo = ft.jointNo;
    r.mark = footingMark(ft);
    r.lenL = ft.lenL;
    r.widB = ft.widB;
    if (ft.isCombined() && ft.combinedIndex() < static_cast<int>(p.combinedFootings.size())) {
        const CombinedRecord& c = p.combinedFootings[static_cast<size_t>(ft.combinedIndex())];
        r.lenL = c.length;
        r.widB = c.width;
        return r;
    }
    if (ft.isDisabled()) return r;
    const double area = static_cast<double>(ft.lenL) * ft.widB;
    if (!(area > 0) || f >= static_cast<int>(p.supportReaction.size())) return r;
    const int last = std::clamp(p.loadCaseCount, 0, cap::casesPerSupport - 1);
    double worstRatio = -std::numeric_limits<double>::infinity();
    for (int c = 1; c <= last; ++c) {
        // The largest corner pressure of the case, as the detail window works it out.
        const double fy = p.designFy(f, c);
        const double mx = std::fabs(p.reaction(f, c, reaction::MomX));
        const double mz = std::fabs(p.reaction(f, c, reaction::MomZ));
        const double q = fy / area + 6 * mx / area / ft.widB + 6 * mz / area / ft.lenL;
        const double allowable = p.allowableBearing[static_cast<size_t>(c)];
        const double ratio = allowable > 0 ? q / allowable : q;
        if (ratio > worstRatio) {
            worstRatio = ratio;
            r.worstPressure = static_cast<float>(q);
            r.allowable = static_cast<float>(allowable);
            r.governingCase = static_cast<int>(p.reaction(f, c, reaction::CaseNo));
        }
    }
    return r;
}

std::string readoutLine(const FootingReadout& r) {
    if (r.footing == 0) return {};
    std::string line = "Footing " + formatInt(r.jointNo) + "  " + r.mark + "  " +
                       formatNumber(r.lenL) + " x " + formatNumber(r.widB) + " m";
    if (r.governingCase != 0)
        line += "  " + formatNumber(static_cast<float>(roundTo(r.worstPressure, 1))) + " / " +
                formatNumber(r.allowable) + " kN/m2 (case " + formatInt(r.governingCase) + ")";
    return line;
}

int neighbourFooting(const Project& p, int from, int dx, int dz) {
    if (!p.hasFooting(from)) return p.hasFooting(1) ? 1 : 0;
    const FootingRecord& a = p.footings[static_cast<size_t>(from)];
    int best = 0;
    double bestCost = std::numeric_limits<double>::infinity();
    for (int i = 1; p.hasFooting(i); ++i) {
        if (i == from) continue;
        const FootingRecord& b = p.footings[static_cast<size_t>(i)];
        const double ahead =
            (static_cast<double>(b.x) - a.x) * dx + (static_cast<double>(b.z) - a.z) * dz;
        if (ahead <= 0) continue;
        const double aside = std::fabs((static_cast<double>(b.x) - a.x) * dz) +
                             std::fabs((static_cast<double>(b.z) - a.z) * dx);
        const double cost = ahead + 2 * aside;
        if (cost < bestCost) {
            bestCost = cost;
            best = i;
        }
    }
    return best;
}

int footingAt(const Project& p, double x, double z) {
    for (int i = 1; p.hasFooting(i); ++i) {
        const FootingRecord& f = p.footings[static_cast<size_t>(i)];
        if (f.isCombined() || f.isDisabled()) continue;
        if (x >= f.drawX1 && x <= f.drawX2 && z >= f.drawZ1 && z <= f.drawZ2) return i;
    }
    const int n = p.lastCombined();
    for (int k = 1; k <= n; ++k) {
        const CombinedRecord& c = p.combinedFootings[static_cast<size_t>(k)];
        if (x >= c.xMin && x <= c.xMax && z >= c.zMin && z <= c.zMax && c.memberCount >= 1)
            return c.members[1];
    }
    return 0;
}

int footingOfMessage(const Project& p, const std::string& text) {
    for (const char* marker : {"Check JOINT :", " Fy = 0 @ :"}) {
        const size_t at = text.find(marker);
        if (at != std::string::npos) {
            const long long joint = numberAt(text, at + std::string(marker).size());
            return joint < 0 ? 0 : footingOfJoint(p, joint);
        }
    }
    const size_t missed = text.find(" Missed");
    if (missed != std::string::npos) {
        const long long joint = numberAt(text, 0);
        return joint < 0 ? 0 : footingOfJoint(p, joint);
    }
    return 0;
}

} // namespace ormevak
