// Combined footings: sizing under two columns, the Combine command and deletion.
//
// The sizing holds its working reals in Single (float) between steps; each step is evaluated in
// double and stored back, so every width is the one the stored values give when worked by hand.
#include "combined/combined_footing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/load_factors.h"
#include "model/marks.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

constexpr char kTitle[] = "ORMEVAK";
// The width loop ends because the pressure falls as the width grows; this bound only stops a
// loop that cannot end on broken data (no bearing value, or loads that are not numbers).
constexpr int kMaxWidthSteps = 100000;

// The two member footings of combined footing k, or false when the record is not usable.
bool memberPair(const Project& p, int k, int& m1, int& m2) {
    if (!p.hasCombined(k)) return false;
    m1 = p.combinedFootings[k].members[1];
    m2 = p.combinedFootings[k].members[2];
    return p.hasFootingLoads(m1) && p.hasFootingLoads(m2);
}

// The outline of a sized combined footing: its width across the line, centred on the first
// column shifted by half the skew, and its cantilevers beyond the two columns along it.
void placeOutline(CombinedRecord& rec, const FootingRecord& f1, const FootingRecord& f2,
                  bool alongX) {
    const double width = rec.width, cant1 = rec.cant1, cant2 = rec.cant2;
    const double halfB = 500.0 * width;
    if (alongX) {
        rec.xMin = static_cast<float>(f1.x - 1000.0 * cant1);
        rec.xMax = static_cast<float>(f2.x + 1000.0 * cant2);
        rec.zMin = static_cast<float>(f1.z - halfB + rec.halfSkew);
        rec.zMax = static_cast<float>(f1.z + halfB + rec.halfSkew);
    } else {
        rec.xMin = static_cast<float>(f1.x - halfB + rec.halfSkew);
        rec.xMax = static_cast<float>(f1.x + halfB + rec.halfSkew);
        rec.zMin = static_cast<float>(f1.z - 1000.0 * cant1);
        rec.zMax = static_cast<float>(f2.z + 1000.0 * cant2);
    }
}

// The width across the line of a footing of length len on footings m1 and m2, s0 apart, with
// cantilever cant1 beyond the first: from 0.65 m in 50 mm steps until the first load case stays
// within the SBC, then widened for every further case against the raised allowable bearing.
float widthAcross(const Project& p, int m1, int m2, bool alongX, float s0, float len, float cant1) {
    const int ml = alongX ? reaction::MomZ : reaction::MomX; // lengthwise moment component
    const int mt = alongX ? reaction::MomX : reaction::MomZ; // crosswise moment component
    auto fy = [&](int m, int c) { return static_cast<double>(p.designFy(m, c)); };
    auto mom = [&](int m, int c, int comp) { return static_cast<double>(p.reaction(m, c, comp)); };
    float pLoad = static_cast<float>(fy(m1, 0) + fy(m2, 0));
    const double lenD = len;
    auto pressure = [&](double load, double mLong, double mCross, double b) {
        return static_cast<float>(kSoilLoadFactor * load / (lenD * b) +
                                  6 * mLong / (b * lenD * lenD) + 6 * mCross / (b * b * lenD));
    };

    // The moments of the two columns add with their signs (opposite moments cancel); what
    // bears on the soil is the size of each sum, whichever way it turns.
    auto sumOf = [&](int c, int comp) { return std::fabs(mom(m1, c, comp) + mom(m2, c, comp)); };

    // Width for the first load case, from 0.65 m in 50 mm steps.
    float width = 0.6f;
    float q = 0;
    int guard = 0;
    do {
        width = static_cast<float>(width + 0.05);
        q = pressure(pLoad, sumOf(0, ml), sumOf(0, mt), width);
    } while (!(q <= p.allowableBearing[0]) && ++guard < kMaxWidthSteps);

    // Every further case, with the width carried on, against the raised allowable bearing.
    const int lastCase = std::min(p.loadCaseCount, cap::casesPerSupport - 1);
    for (int u = 1; u <= lastCase; ++u) {
        pLoad = static_cast<float>(fy(m1, u) + fy(m2, u));
        const float xbar = pLoad != 0 ? static_cast<float>(fy(m2, u) / pLoad * s0) : 0.0f;
        const float e = static_cast<float>((lenD / 2 - cant1) - xbar);
        const float me =
            static_cast<float>(std::fabs(static_cast<double>(e) * pLoad) + sumOf(u, ml));
        const double mCross = sumOf(u, mt);
        q = pressure(pLoad, me, mCross, width);
        guard = 0;
        while (q > p.allowableBearing[1] && ++guard < kMaxWidthSteps) {
            width = static_cast<float>(width + 0.05);
            q = pressure(pLoad, me, mCross, width);
        }
    }
    return width;
}

// Sizes combined footing k along its line: s0 is the column distance (m); alongX picks which
// moments bend the footing lengthwise (MZ along X, MX along Z).
std::optional<std::string> sizeAlongLine(Project& p, int k, int step, float s0, bool alongX) {
    int m1 = 0, m2 = 0;
    if (!memberPair(p, k, m1, m2)) return std::nullopt;
    CombinedRecord& rec = p.combinedFootings[k];
    auto fy = [&](int m, int c) { return static_cast<double>(p.designFy(m, c)); };

    // Starting length: the stored one, or the column distance plus 1 m for a new footing.
    float lStart = rec.length;
    if (lStart == 0) lStart = static_cast<float>(roundTo(static_cast<double>(s0) + 1.0, 1));
    if (step < 0) lStart = static_cast<float>(lStart - 0.1);
    if (step > 0) lStart = static_cast<float>(lStart + 0.1);

    // Centre on the resultant of the first load case, at least 0.5 m beyond each column.
    const float pLoad = static_cast<float>(fy(m1, 0) + fy(m2, 0));
    const float xbar = pLoad != 0 ? static_cast<float>(fy(m2, 0) / pLoad * s0) : 0.0f;
    float cant1 = static_cast<float>(lStart / 2.0 - xbar);
    if (cant1 < 0.5) cant1 = 0.5f;
    float cant2 = static_cast<float>(static_cast<double>(lStart) - cant1 - s0);
    if (cant2 < 0.5) cant2 = 0.5f;
    float len = static_cast<float>(roundTo(static_cast<double>(cant1) + s0 + cant2, 1));
    if (!(len > 0)) return std::nullopt;

    float width = widthAcross(p, m1, m2, alongX, s0, len, cant1);
    width = static_cast<float>(roundTo(width, 2));
    len = static_cast<float>(roundTo(len, 2));
    rec.length = len;
    rec.width = width;
    rec.cant1 = cant1;
    rec.cant2 = cant2;
    for (int m : {m1, m2}) {
        p.footings[m].lenL = width;
        p.footings[m].widB = len;
    }

    placeOutline(rec, p.footings[m1], p.footings[m2], alongX);

    // The rounded sides multiply as the decimals they show (double), not as their Single
    // images: 0.65 x 2.3 is the tie 1.495 and reads 1.5, where the Singles would give 1.49.
    const double rl = roundTo(len, 2);
    const double rb = roundTo(width, 2);
    return sizeAreaCaption(rl, rb);
}

} // namespace

std::optional<std::string> sizeCombined(Project& p, int k, int step) {
    int m1 = 0, m2 = 0;
    if (!memberPair(p, k, m1, m2)) return std::nullopt;
    const float s = static_cast<float>((p.footings[m2].z - p.footings[m1].z) / 1000.0);
    // A pair the Combine command accepted along X stays along X even when its sideways offset
    // rounds to a metre.
    if (p.combinedFootings[k].orientation == 1 || roundTo(s, 0) < 0.5)
        return sizeCombinedX(p, k, step);
    return sizeAlongLine(p, k, step, s, false);
}

std::optional<std::string> sizeCombinedX(Project& p, int k, int step) {
    int m1 = 0, m2 = 0;
    if (!memberPair(p, k, m1, m2)) return std::nullopt;
    const float s0 = static_cast<float>((p.footings[m2].x - p.footings[m1].x) / 1000.0);
    return sizeAlongLine(p, k, step, s0, true);
}

namespace {

using BandMembers = std::array<int32_t, cap::combinedMembers + 1>;

// The footings whose centres lie strictly inside the band: all are counted, the first ten
// (the room of a record) are kept in found[1..].
int footingsInBand(const Project& p, const PlanState& s, BandMembers& found) {
    const double xlo = std::min(s.bandX1, s.bandX2), xhi = std::max(s.bandX1, s.bandX2);
    const double zlo = std::min(s.bandY1, s.bandY2), zhi = std::max(s.bandY1, s.bandY2);
    int n = 0;
    const int last = p.lastFooting();
    for (int i = 1; i <= last; ++i) {
        const FootingRecord& f = p.footings[i];
        if (xlo < f.x && f.x < xhi && zlo < f.z && f.z < zhi) {
            ++n;
            if (n <= cap::combinedMembers) found[n] = i;
        }
    }
    return n;
}

// Two footings into the tentative record k: they must stand in line along Z or X (off by
// 600 mm at most, more than 1 m apart), and a skew over 10 mm must be confirmed. True when the
// pair is accepted; result.outcome says otherwise why not.
bool acceptPair(Project& p, Prompts& prompts, int k, int m1, int m2, CombineResult& result) {
    CombinedRecord& rec = p.combinedFootings[k];
    const FootingRecord& f1 = p.footings[m1];
    const FootingRecord& f2 = p.footings[m2];
    const long long dx = static_cast<long long>(f2.x) - f1.x;
    const long long dz = static_cast<long long>(f2.z) - f1.z;
    long long skew = 0;
    if (std::llabs(dx) <= 600 && dz > 1000) {
        rec.orientation = 0;
        rec.span = static_cast<float>(dz);
        skew = dx;
        rec.halfSkew = static_cast<float>(static_cast<double>(dx) / 2);
    } else if (std::llabs(dz) <= 600 && dx > 1000) {
        rec.orientation = 1;
        rec.span = static_cast<float>(dx);
        skew = dz;
        rec.halfSkew = static_cast<float>(static_cast<double>(dz) / 2);
    } else {
        prompts.inform(" Deviation Exceeds : ( > 600 mm)", kTitle, MessageIcon::Exclamation);
        result.outcome = CombineOutcome::Deviation;
        return false;
    }
    if (std::llabs(skew) > 10 && !prompts.confirm(" Skew : " + formatInt(skew) + " mm ", kTitle)) {
        result.outcome = CombineOutcome::SkewCanceled;
        return false;
    }
    return true;
}

} // namespace

CombineResult combineBand(Project& p, Prompts& prompts, PlanState& s) {
    CombineResult result;
    BandMembers found{};
    const int n = footingsInBand(p, s, found);
    result.counted = n;

    const bool tableFull = p.combinedCount >= cap::combined;
    const int k = p.combinedCount + 1; // the tentative record
    if (!tableFull && n > 0) {
        if (static_cast<int>(p.combinedFootings.size()) <= k)
            p.combinedFootings.resize(static_cast<size_t>(k) + 1);
        for (int j = 1; j <= std::min(n, cap::combinedMembers); ++j)
            p.combinedFootings[k].members[j] = found[j];
    }

    bool accepted = false;
    if (n == 2 && tableFull) {
        prompts.inform("Combined footings are limited to " + formatInt(cap::combined) +
                           ": nothing combined",
                       kTitle, MessageIcon::Exclamation);
        result.outcome = CombineOutcome::TableFull;
    } else if (n == 2) {
        accepted = acceptPair(p, prompts, k, found[1], found[2], result);
        if (accepted) {
            p.combinedFootings[k].memberCount = 2;
            p.footings[found[1]].state = k;
            p.footings[found[2]].state = k;
            p.combinedCount = k;
            result.outcome = CombineOutcome::Combined;
            result.index = k;
        }
    } else {
        prompts.inform("Combine takes exactly two columns; the band holds " + formatInt(n) + ".",
                       kTitle, MessageIcon::Exclamation);
    }

    // The band is erased and collapses to its second corner.
    s.bandX1 = s.bandX2;
    s.bandY1 = s.bandY2;

    if (accepted) {
        if (std::optional<std::string> caption = sizeCombined(p, k, 0))
            p.sizeLabelCaption = std::move(*caption);
    }
    return result;
}

void deleteCombined(Project& p, Prompts& prompts, int k) {
    if (!p.hasCombined(k)) return;
    prompts.inform(formatInt(k) + " Is Deleting");
    auto forMembers = [&](const CombinedRecord& rec, auto&& fn) {
        const int count = std::clamp(rec.memberCount, 0, cap::combinedMembers);
        for (int j = 1; j <= count; ++j)
            if (p.hasFootingLoads(rec.members[j])) fn(p.footings[rec.members[j]]);
    };
    forMembers(p.combinedFootings[k], [](FootingRecord& f) {
        f.state = kStateGrouped;
        f.lenL = f.reqSide;
        f.widB = f.reqSide;
    });
    const int count = p.lastCombined();
    for (int e = k + 1; e <= count; ++e) {
        p.combinedFootings[e - 1] = p.combinedFootings[e];
        forMembers(p.combinedFootings[e - 1], [e](FootingRecord& f) { f.state = e - 1; });
    }
    // The freed record starts blank, so a later Combine does not inherit its length.
    p.combinedFootings[count] = CombinedRecord{};
    p.combinedCount = count - 1;
}

} // namespace ormevak
