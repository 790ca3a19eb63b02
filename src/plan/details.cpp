// Values of the footing detail windows.
//
// Working reals are held in Single between steps, as in the group design.
#include "plan/details.h"

#include <algorithm>
#include <cmath>

#include "design/shear_table.h"
#include "model/load_factors.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

constexpr float kPedestal = 0.6f;
// The depth search always ends (shear forces fall to zero as d reaches the cantilever); the
// bound only stops it on broken data.
constexpr int kMaxDepthSteps = 100000;

int lastCase(const Project& p) {
    return std::clamp(p.loadCaseCount, 0, cap::casesPerSupport - 1);
}

std::string num(float v) {
    return formatNumber(v);
}

// Effective depth for one side s of the footing under pressure q.
float depthForSide(const Project& p, float s, float q) {
    const double fck = p.concreteGrade;
    const double fy = p.steelGrade;
    const float a = kPedestal;
    const float c = static_cast<float>((static_cast<double>(s) - a) / 2);
    const float mu = static_cast<float>(static_cast<double>(c) * (q * kLoadFactor * s * c) / 2);
    float d = static_cast<float>(std::sqrt(mu / 0.138 / fck / s / 1000));
    if (d < 0.19) d = 0.19f;
    for (int pass = 0; pass < kMaxDepthSteps; ++pass) {
        const double dd = d;
        const float muBd2 = static_cast<float>(mu / s / dd / dd / 1000);
        float r = static_cast<float>(1 - muBd2 * 4.6 / fck);
        if (r < 0) r = 0;
        float pt = static_cast<float>((1 - std::sqrt(static_cast<double>(r))) / fy * fck * 50);
        if (pt < 0.2) pt = 0.2f;
        const float v1 = static_cast<float>((static_cast<double>(c) - dd) * kLoadFactor * q * s);
        const float tauV = static_cast<float>(v1 / s / dd * 1000 / 1000000);
        const float tauC = shearStrength(p, pt);
        if (tauC >= tauV) {
            const double ad = static_cast<double>(a) + dd;
            const float v2 =
                static_cast<float>((static_cast<double>(s) * s - ad * ad) * kLoadFactor * q);
            const float tauP = static_cast<float>(v2 * 1000.0 / (dd * 4 * ad) / 1000000);
            if (std::sqrt(fck) / 4 >= tauP) break;
        }
        d = static_cast<float>(d + 0.025);
    }
    return d;
}

} // namespace

float detailPressure(const Project& p, int f) {
    if (!p.hasFootingLoads(f)) return 0;
    const FootingRecord& ft = p.footings[f];
    const float area = static_cast<float>(static_cast<double>(ft.lenL) * ft.widB);
    if (area == 0) return 0; // no size yet: nothing to divide by
    float best = 0;
    for (int c = 1; c <= lastCase(p); ++c) {
        const double fy = p.designFy(f, c);
        const double mx = std::fabs(p.reaction(f, c, reaction::MomX));
        const double mz = std::fabs(p.reaction(f, c, reaction::MomZ));
        const float pr =
            static_cast<float>(fy / area + 6 * mx / area / ft.widB + 6 * mz / area / ft.lenL);
        if (pr > best) best = pr;
    }
    return best;
}

float detailDepth(const Project& p, int f) {
    if (!p.hasFootingLoads(f)) return 0;
    const FootingRecord& ft = p.footings[f];
    if (static_cast<double>(ft.lenL) * ft.widB == 0) return 0;
    // No estimate where the Design command would design nothing (a missing grade, or one below
    // the shear table's lowest).
    if (p.concreteGrade < 15 || p.steelGrade <= 0) return 0;
    const float q = detailPressure(p, f);
    const float dW = depthForSide(p, ft.widB, q);
    const float dL = depthForSide(p, ft.lenL, q);
    return static_cast<float>(roundTo(std::max(dW, dL), 2));
}

FootingDetails showFootingDetails(const Project& p, int f) {
    FootingDetails out;
    out.footing = f;
    if (!p.hasFootingLoads(f)) return out;
    const FootingRecord& ft = p.footings[f];
    if (static_cast<double>(ft.lenL) * ft.widB == 0 || ft.isCombined()) return out;
    out.filled = true;

    out.labN0 = "F " + formatInt(ft.jointNo);
    out.labSize = num(ft.lenL) + " X " + num(ft.widB) + " X " + num(detailDepth(p, f));
    out.labOffcet = formatInt(ft.offX) + " X " + formatInt(ft.offZ);
    long long dim4 = 0, dim3 = 0;
    if (ft.colIndex >= 0 && ft.colIndex < static_cast<int>(p.columns.size())) {
        dim4 = p.columns[ft.colIndex][member_row::Dim4];
        dim3 = p.columns[ft.colIndex][member_row::Dim3];
    }
    out.labColSize = "ColSize " + formatInt(dim4) + " X " + formatInt(dim3);
    out.labXY = "off " + formatInt(ft.nodeX) + " - " + formatInt(ft.x) + " X " +
                formatInt(ft.nodeZ) + " - " + formatInt(ft.z);

    const float area = static_cast<float>(static_cast<double>(ft.lenL) * ft.widB);
    float minReserve = 1000;
    float minLow = 1000;
    for (int c = 0; c <= lastCase(p); ++c) {
        const int r = c + 1;
        const float fy = p.reaction(f, c, reaction::ForceY);
        const float mx = p.reaction(f, c, reaction::MomX);
        const float mz = p.reaction(f, c, reaction::MomZ);
        const float pa = static_cast<float>(roundTo(kSoilLoadFactor * fy / area, 2));
        const float mzt =
            static_cast<float>(6 * std::fabs(static_cast<double>(mz)) / area / ft.lenL +
                               6 * std::fabs(static_cast<double>(mx)) / area / ft.widB);
        DetailRow row;
        row.labCase = num(p.reaction(f, c, reaction::CaseNo));
        row.labPbyA = num(fy);
        row.labMbyZ = num(mx);
        row.labMbyZ2 = num(mz);
        row.labStress = num(static_cast<float>(roundTo(static_cast<double>(pa) + mzt, 2)));
        row.labStress_ = num(static_cast<float>(roundTo(static_cast<double>(pa) - mzt, 2)));
        row.labAllowble = num(p.allowableBearing[c]);
        out.rows.push_back(row);

        const float reserve =
            static_cast<float>(static_cast<double>(p.allowableBearing[c]) - pa - mzt);
        if (reserve < minReserve) {
            minReserve = reserve;
            out.boldStress = r;
        }
        const float low = static_cast<float>(static_cast<double>(pa) - mzt);
        if (low < minLow) {
            minLow = low;
            out.boldStressMin = r;
        }
    }
    out.borderStress = minReserve < 1000;
    out.borderStressMin = minLow < 1000;
    return out;
}

CombinedDetails combinedDetails(const Project& p, int k) {
    CombinedDetails out;
    out.combined = k;
    if (!p.hasCombined(k)) return out;
    const CombinedRecord& rec = p.combinedFootings[k];
    auto joint = [&](int m) {
        return m >= 1 && m < static_cast<int>(p.footings.size()) ? p.footings[m].jointNo : 0;
    };
    out.filled = true;
    out.labCf1f2 = formatInt(joint(rec.members[1])) + " X " + formatInt(joint(rec.members[2]));
    out.labCfSize = num(rec.length) + " X " + num(rec.width);
    out.labCnt1 = "Cant1 " + num(rec.cant1);
    out.labCnt2 = "Cant2 " + num(rec.cant2);
    out.labDisf_f = "F1-F2 " + num(rec.span) + "  ( " + num(rec.halfSkew) + " )";
    return out;
}

} // namespace ormevak
