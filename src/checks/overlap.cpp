// Footing outlines that overlap on the plan, found by a sort and sweep along X.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "checks/rules.h"
#include "model/numbers.h"

namespace ormevak::checks {

namespace {

// One outline as the plan draws it: an isolated or resized footing, or a whole combined footing.
struct Outline {
    double x1 = 0, x2 = 0, z1 = 0, z2 = 0; // mm
    int footing = 0;                       // the footing (first column of a combined footing)
    bool isolated = false;
};

// The Combine command's limits (its band, its line and distance rules, its table): the two
// isolated footings a < b could be combined by one band around their two centres.
bool combinable(const Project& p, int a, int b) {
    if (p.combinedCount >= cap::combined) return false;
    const FootingRecord& f1 = p.footings[static_cast<size_t>(a)];
    const FootingRecord& f2 = p.footings[static_cast<size_t>(b)];
    const long long dx = static_cast<long long>(f2.x) - f1.x;
    const long long dz = static_cast<long long>(f2.z) - f1.z;
    const bool alongZ = std::llabs(dx) <= 600 && dz > 1000;
    const bool alongX = std::llabs(dz) <= 600 && dx > 1000;
    if (!alongZ && !alongX) return false;
    // Any band that holds both centres strictly also holds every centre of their closed box.
    const int xlo = std::min(f1.x, f2.x), xhi = std::max(f1.x, f2.x);
    const int zlo = std::min(f1.z, f2.z), zhi = std::max(f1.z, f2.z);
    for (int i = 1; i <= p.lastFooting(); ++i) {
        if (i == a || i == b) continue;
        const FootingRecord& f = p.footings[static_cast<size_t>(i)];
        if (xlo <= f.x && f.x <= xhi && zlo <= f.z && f.z <= zhi) return false;
    }
    return true;
}

std::string outlineName(const Project& p, const Outline& o) {
    const int k = p.footings[static_cast<size_t>(o.footing)].combinedIndex();
    return o.isolated ? footingName(p, o.footing) : combinedName(p, k);
}

} // namespace

void overlapChecks(const Project& p, std::vector<Check>& out) {
    std::vector<Outline> outlines;
    outlines.reserve(static_cast<size_t>(std::max(p.footingCount, 0)));
    for (int f = 1; f <= p.lastFooting(); ++f) {
        const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
        if (ft.isGrouped() || ft.isResized()) {
            if (!(ft.lenL > 0) || !(ft.widB > 0)) continue;
            const double hx = 500.0 * ft.lenL, hz = 500.0 * ft.widB;
            outlines.push_back({ft.x - hx, ft.x + hx, ft.z - hz, ft.z + hz, f, true});
        } else if (ft.isCombined() && completeCombined(p, ft.combinedIndex())) {
            const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(ft.combinedIndex())];
            if (rec.members[1] != f) continue;
            outlines.push_back({rec.xMin, rec.xMax, rec.zMin, rec.zMax, f, false});
        }
    }
    std::vector<size_t> order(outlines.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return outlines[a].x1 < outlines[b].x1 ||
               (outlines[a].x1 == outlines[b].x1 && outlines[a].footing < outlines[b].footing);
    });

    struct Pair {
        size_t a, b; // a names the lower footing
        double ox, oz;
    };
    std::vector<Pair> pairs;
    std::vector<size_t> active;
    for (size_t idx : order) {
        const Outline& o = outlines[idx];
        // Outlines that end before this one starts cannot overlap it or any later one.
        std::erase_if(active, [&](size_t j) { return outlines[j].x2 <= o.x1; });
        for (size_t j : active) {
            const Outline& q = outlines[j];
            const double ox = std::min(o.x2, q.x2) - std::max(o.x1, q.x1);
            const double oz = std::min(o.z2, q.z2) - std::max(o.z1, q.z1);
            // Outlines that only touch, or meet within the rounding of a Single, do not overlap.
            if (roundTo(ox, 0) >= 1 && roundTo(oz, 0) >= 1) {
                if (q.footing < o.footing)
                    pairs.push_back({j, idx, ox, oz});
                else
                    pairs.push_back({idx, j, ox, oz});
            }
        }
        active.push_back(idx);
    }
    std::sort(pairs.begin(), pairs.end(), [&](const Pair& u, const Pair& v) {
        const int ua = outlines[u.a].footing, va = outlines[v.a].footing;
        return ua != va ? ua < va : outlines[u.b].footing < outlines[v.b].footing;
    });

    for (const Pair& pr : pairs) {
        const Outline& a = outlines[pr.a];
        const Outline& b = outlines[pr.b];
        Check c;
        c.id = "overlap";
        c.severity = Severity::Error;
        c.footing = a.footing;
        c.other = b.footing;
        c.row = markOf(p, a.footing);
        c.value = static_cast<float>(roundTo(std::min(pr.ox, pr.oz), 0));
        c.limit = 0;
        const bool pair = a.isolated && b.isolated && combinable(p, a.footing, b.footing);
        c.text = outlineName(p, a) + " and " + outlineName(p, b) + " overlap by " + num(pr.ox, 0) +
                 " mm along X and " + num(pr.oz, 0) + " mm along Z; " +
                 (pair ? "combine them (the two columns are within the Combine command's "
                         "limits) or move them apart."
                       : "move them apart or make them smaller.");
        out.push_back(std::move(c));
    }
}

} // namespace ormevak::checks
