// The checks of a footing on the soil: full contact, overturning and uplift, for isolated and
// resized footings and for each combined footing as a whole.
#include <cmath>

#include "checks/rules.h"
#include "model/numbers.h"

namespace ormevak::checks {

namespace {

// One footing on the soil as the checks see it: its plan sides and the loads of each case at
// its centre.
struct Base {
    int footing = 0;   // the footing a check names (the first column of a combined footing)
    std::string row;   // its mark
    std::string name;  // how a text names it
    double L = 0;      // side along X, m
    double B = 0;      // side along Z, m
    bool pair = false; // a combined footing: its two columns act together
};

struct CaseLoad {
    int number = 0; // load case number
    double fy = 0;  // kN, as read
    double mx = 0;  // kN m, bends the base along Z (pairs with B)
    double mz = 0;  // kN m, bends the base along X (pairs with L)
};

// Rounds a side up to the next 10 mm.
double sideUp(double s) {
    return std::ceil(s * 100 - 1e-9) / 100;
}

void checkBase(const Project& p, const Base& b, const std::vector<CaseLoad>& loads,
               std::vector<Check>& contact, std::vector<Check>& overturning,
               std::vector<Check>& uplift) {
    const double area = b.L * b.B;
    // Contact and overturning: cases that press on the soil.
    double worstQ = 0, worstGrow = 1, worstRatio = 0;
    const CaseLoad* qCase = nullptr;
    const CaseLoad* oCase = nullptr;
    bool oAlongX = true;
    // Uplift: cases that pull.
    const CaseLoad* uCase = nullptr;
    for (const CaseLoad& c : loads) {
        if (c.fy <= 0) {
            if (uCase == nullptr || c.fy < uCase->fy) uCase = &c;
            continue;
        }
        const double P = kSoilLoadFactor * c.fy;
        // Least corner pressure: P/A - 6|MX|/(A B) - 6|MZ|/(A L).
        const double q =
            P / area - 6 * std::fabs(c.mx) / (area * b.B) - 6 * std::fabs(c.mz) / (area * b.L);
        // The base keeps full contact when 6 ex / L + 6 ez / B <= 1 (middle third); scaling
        // both sides by that sum brings it back to 1.
        const double ex = std::fabs(c.mz) / P, ez = std::fabs(c.mx) / P;
        const double grow = 6 * ex / b.L + 6 * ez / b.B;
        if (q < 0) {
            if (qCase == nullptr || q < worstQ) {
                worstQ = q;
                qCase = &c;
            }
            worstGrow = std::max(worstGrow, grow);
        }
        // The resultant leaves the base: |MZ| / P >= L / 2 or |MX| / P >= B / 2.
        const double rx = ex / (b.L / 2), rz = ez / (b.B / 2);
        const double ratio = std::max(rx, rz);
        if (ratio >= 1 && (oCase == nullptr || ratio > worstRatio)) {
            worstRatio = ratio;
            oCase = &c;
            oAlongX = rx >= rz;
        }
    }
    const std::string fullContact =
        num(sideUp(b.L * worstGrow), 2) + " x " + num(sideUp(b.B * worstGrow), 2) + " m";
    if (qCase != nullptr) {
        Check c;
        c.id = "contact";
        c.severity = Severity::Warning;
        c.footing = b.footing;
        c.row = b.row;
        c.loadCase = qCase->number;
        c.value = static_cast<float>(worstQ);
        c.limit = 0;
        c.text = b.name + ": in load case " + formatInt(qCase->number) +
                 " the least corner pressure is " + num(worstQ, 2) +
                 " kN/m2, so the resultant leaves the middle third and part of the base lifts; "
                 "a footing of " +
                 fullContact + " keeps full contact.";
        contact.push_back(std::move(c));
    }
    if (oCase != nullptr) {
        const double P = kSoilLoadFactor * oCase->fy;
        const double e = oAlongX ? std::fabs(oCase->mz) / P : std::fabs(oCase->mx) / P;
        const double half = (oAlongX ? b.L : b.B) / 2;
        Check c;
        c.id = "overturning";
        c.severity = Severity::Error;
        c.footing = b.footing;
        c.row = b.row;
        c.loadCase = oCase->number;
        c.value = static_cast<float>(e);
        c.limit = static_cast<float>(half);
        c.text = b.name + ": in load case " + formatInt(oCase->number) + " the resultant lies " +
                 num(e, 2) + " m from the centre along " + (oAlongX ? "X" : "Z") +
                 ", not within the base (half the side is " + num(half, 2) +
                 " m), so the footing would overturn; enlarge it (" + fullContact +
                 " keeps full contact) or tie it down.";
        overturning.push_back(std::move(c));
    }
    if (uCase != nullptr) {
        const double pull = -uCase->fy;
        // Resisting weight: the footing and the soil above it, W = L B Df 20 kN/m3.
        const double depth = p.earthPressure / kUnitWeight;
        const double W = area * depth * kUnitWeight;
        const double needed = kUpliftFactor * pull;
        Check c;
        c.id = "uplift";
        c.footing = b.footing;
        c.row = b.row;
        c.loadCase = uCase->number;
        c.value = static_cast<float>(W);
        c.limit = static_cast<float>(needed);
        const std::string inCase = b.name + ": in load case " + formatInt(uCase->number);
        const std::string pulls = b.pair ? " the two columns pull up " : " the column pulls up ";
        if (W < needed) {
            c.severity = Severity::Error;
            c.text = inCase + pulls + num(pull, 1) +
                     " kN and the footing with the soil above it weighs only " + num(W, 1) +
                     " kN, less than 1.5 x " + num(pull, 1) + " = " + num(needed, 1) +
                     " kN; make the footing larger or deeper, or anchor it to the ground.";
        } else if (pull > 0) {
            c.severity = Severity::Warning;
            c.text = inCase + pulls + num(pull, 1) +
                     " kN, held down by the footing and the soil above it (" + num(W, 1) +
                     " kN); anchor the column bars in the footing for this tension.";
        } else {
            c.severity = Severity::Warning;
            c.text = inCase +
                     " the column carries no vertical load; check the analysis and anchor the "
                     "column bars in the footing for any tension.";
        }
        uplift.push_back(std::move(c));
    }
}

} // namespace

void soilChecks(const Project& p, std::vector<Check>& contact, std::vector<Check>& overturning,
                std::vector<Check>& uplift) {
    const int last = lastCaseIndex(p);
    std::vector<CaseLoad> loads;
    loads.reserve(static_cast<size_t>(last) + 1);

    // Isolated and resized footings, in footing order; each combined footing where its first
    // column stands.
    for (int f = 1; f <= p.footingCount; ++f) {
        if (!p.hasFootingLoads(f)) continue;
        const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
        loads.clear();
        Base b;
        b.footing = f;
        b.row = markOf(p, f);
        if (ft.isGrouped() || ft.isResized()) {
            if (!(ft.lenL > 0) || !(ft.widB > 0)) continue;
            b.name = footingName(p, f);
            b.L = ft.lenL;
            b.B = ft.widB;
            for (int c = 0; c <= last; ++c) {
                const int number = static_cast<int>(p.reaction(f, c, reaction::CaseNo));
                if (number == 0) continue; // no such line
                loads.push_back({number, p.reaction(f, c, reaction::ForceY),
                                 p.reaction(f, c, reaction::MomX),
                                 p.reaction(f, c, reaction::MomZ)});
            }
        } else if (ft.isCombined() && completeCombined(p, ft.combinedIndex())) {
            const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(ft.combinedIndex())];
            if (rec.members[1] != f) continue;
            const int m2 = rec.members[2];
            const FootingRecord& f2 = p.footings[static_cast<size_t>(m2)];
            b.name = combinedName(p, ft.combinedIndex());
            b.pair = true;
            b.L = (static_cast<double>(rec.xMax) - rec.xMin) / 1000;
            b.B = (static_cast<double>(rec.zMax) - rec.zMin) / 1000;
            if (!(b.L > 0) || !(b.B > 0)) continue;
            const double cx = (static_cast<double>(rec.xMax) + rec.xMin) / 2;
            const double cz = (static_cast<double>(rec.zMax) + rec.zMin) / 2;
            for (int c = 0; c <= last; ++c) {
                const int number = static_cast<int>(p.reaction(f, c, reaction::CaseNo));
                if (number == 0) continue;
                const double fy1 = p.reaction(f, c, reaction::ForceY),
                             fy2 = p.reaction(m2, c, reaction::ForceY);
                // The whole footing's resultant: the columns' loads off the centre add a moment;
                // as in the sizing, the lever moment and the columns' own moments (summed with
                // their signs) each count with their absolute value.
                const double leverZ = (fy1 * (ft.z - cz) + fy2 * (f2.z - cz)) / 1000;
                const double leverX = (fy1 * (ft.x - cx) + fy2 * (f2.x - cx)) / 1000;
                const double mx =
                    std::fabs(leverZ) + std::fabs(double(p.reaction(f, c, reaction::MomX)) +
                                                  p.reaction(m2, c, reaction::MomX));
                const double mz =
                    std::fabs(leverX) + std::fabs(double(p.reaction(f, c, reaction::MomZ)) +
                                                  p.reaction(m2, c, reaction::MomZ));
                loads.push_back({number, fy1 + fy2, mx, mz});
            }
        } else {
            continue; // disabled, or a member of an unfinished combined footing
        }
        checkBase(p, b, loads, contact, overturning, uplift);
    }
}

} // namespace ormevak::checks
