// Quantities of the designed footings. Each kind of schedule row adds its own rows; the square
// group rows are read from the design rows and the texts the schedule shows for them, the R and
// C rows from the bars their design recorded.
#include "drawing/quantities.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "design/design.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

double round3(double v) {
    return roundTo(v, 3);
}
double round1(double v) {
    return roundTo(v, 1);
}

QuantityValues times(const QuantityValues& each, int count) {
    QuantityValues t;
    t.footingConcrete = round3(each.footingConcrete * count);
    t.pedestalConcrete = round3(each.pedestalConcrete * count);
    t.concrete = round3(each.concrete * count);
    t.steel = round1(each.steel * count);
    t.excavation = round3(each.excavation * count);
    t.levelling = round3(each.levelling * count);
    return t;
}

void add(QuantityValues& sum, const QuantityValues& v) {
    sum.footingConcrete += v.footingConcrete;
    sum.pedestalConcrete += v.pedestalConcrete;
    sum.concrete += v.concrete;
    sum.steel += v.steel;
    sum.excavation += v.excavation;
    sum.levelling += v.levelling;
}

// A schedule text as a whole number; 0 when the row shows none (a row not designed).
int textInt(const std::string& text) {
    if (text.empty() || !isNumericText(text)) return 0;
    const double v = readNumber(text);
    return v > 0 && v < 1e6 ? static_cast<int>(std::lround(v)) : 0;
}

// The square group rows: every footing of the row that stands on the plan as a grouped footing.
void squareRows(const Project& p, std::vector<RowQuantities>& out) {
    for (int n = 1; n <= p.lastDesignRow(); ++n) {
        const GroupRecord& g = p.designRows[static_cast<size_t>(n)];
        RowQuantities r;
        r.row = "F" + formatInt(n);
        for (int j = 1; j <= g.lastMember(); ++j) {
            const int f = g.footingNos[static_cast<size_t>(j)];
            if (f >= 1 && f <= p.footingCount && p.footings[static_cast<size_t>(f)].isGrouped())
                ++r.count;
        }
        r.lenL = r.widB = g.size;
        r.depth = g.depth;
        r.pedestal = g.pedestal;
        r.pedestalHeight = pedestalHeight(p, g.depth);
        if (n < static_cast<int>(p.designRowTexts.size())) {
            const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
            r.barDia = textInt(t[col::LabGdia]);
            r.barsEachWay = textInt(t[col::LabRods]);
            r.spacing = textInt(t[col::LabSpace]);
        }
        if (r.barDia == 0) r.barDia = g.barDia;
        r.designed = r.barsEachWay > 0;
        r.barsAlongL = r.barsAlongB = r.barsEachWay;
        r.each = footingQuantities(p, g.size, g.size, g.depth, g.pedestal, r.barsEachWay,
                                   r.barsEachWay, r.barDia);
        r.total = times(r.each, r.count);
        out.push_back(r);
    }
}

int barsOf(float bars) {
    return bars > 0 && bars < 1e6f ? static_cast<int>(std::lround(bars)) : 0;
}

// The R rows: one footing each while it stands on the plan resized.
void rectRows(const Project& p, std::vector<RowQuantities>& out) {
    for (size_t i = 0; i < p.rectRows.size(); ++i) {
        const RectRow& x = p.rectRows[i];
        RowQuantities r;
        r.kind = RowKind::Rect;
        r.row = !x.texts.empty() && !x.texts[0].empty()
                    ? x.texts[0]
                    : "R" + formatInt(static_cast<long long>(i) + 1);
        r.count = x.footing >= 1 && x.footing <= p.footingCount &&
                          x.footing < static_cast<int>(p.footings.size()) &&
                          p.footings[static_cast<size_t>(x.footing)].isResized()
                      ? 1
                      : 0;
        r.lenL = x.lenL;
        r.widB = x.widB;
        r.depth = x.depth;
        r.pedestal = x.pedestal;
        r.pedestalHeight = pedestalHeight(p, x.depth);
        r.barDia = x.barDia;
        if (x.designed) {
            r.barsAlongL = barsOf(x.alongL.bars);
            r.barsAlongB = barsOf(x.alongB.bars);
            r.spacing = x.alongL.spacing;
            r.spacingB = x.alongB.spacing;
            r.designed = r.barsAlongL > 0 && r.barsAlongB > 0;
        }
        r.each = footingQuantities(p, x.lenL, x.widB, x.depth, x.pedestal, 1, r.barsAlongL,
                                   r.barsAlongB, r.barDia);
        r.total = times(r.each, r.count);
        out.push_back(r);
    }
}

// The C rows: one combined footing each while both its columns still belong to it; a pedestal
// under each column.
void combinedRows(const Project& p, std::vector<RowQuantities>& out) {
    for (const CombinedRow& x : p.combinedRows) {
        RowQuantities r;
        r.kind = RowKind::Combined;
        r.row = "C" + formatInt(x.combined);
        const int k = x.combined;
        if (k >= 1 && k <= p.combinedCount && k < static_cast<int>(p.combinedFootings.size())) {
            const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(k)];
            bool whole = rec.memberCount >= 2;
            for (int j = 1; j <= 2 && whole; ++j) {
                const int f = rec.members[static_cast<size_t>(j)];
                whole = f >= 1 && f <= p.footingCount && f < static_cast<int>(p.footings.size()) &&
                        p.footings[static_cast<size_t>(f)].state == k;
            }
            r.count = whole ? 1 : 0;
        }
        r.lenL = x.length;
        r.widB = x.width;
        r.depth = x.depth;
        r.pedestal = x.pedestal;
        r.pedestals = 2;
        r.pedestalHeight = pedestalHeight(p, x.depth);
        r.barDia = x.barDia;
        if (x.designed) {
            r.topBars = barsOf(x.top.bars);
            r.topSpacing = x.top.spacing;
            r.bottomBars = barsOf(x.bottom.bars);
            r.bottomSpacing = x.bottom.spacing;
            r.bandBars = barsOf(x.bands[0].bars) + barsOf(x.bands[1].bars);
            r.distSpacing = x.distSpacing;
            r.distBars =
                distributionBars(x.length, x.bands[0].band, x.bands[1].band, x.distSpacing);
            r.barsAlongL = r.topBars + r.bottomBars;
            r.barsAlongB = r.bandBars + r.distBars;
            r.spacing = r.bottomSpacing;
            r.designed = r.barsAlongL > 0;
        }
        r.each = footingQuantities(p, x.length, x.width, x.depth, x.pedestal, 2, r.barsAlongL,
                                   r.barsAlongB, r.barDia);
        r.total = times(r.each, r.count);
        out.push_back(r);
    }
}

} // namespace

double foundationDepth(const Project& p) {
    return p.earthPressure / 20.0;
}

double pedestalHeight(const Project& p, double depth) {
    const double h = foundationDepth(p) - depth;
    return h > 1e-9 ? h : qty::defaultPedestalHeight;
}

QuantityValues footingQuantities(const Project& p, double L, double B, double D, double a,
                                 int barsAlongL, int barsAlongB, int dia) {
    return footingQuantities(p, L, B, D, a, 1, barsAlongL, barsAlongB, dia);
}

QuantityValues footingQuantities(const Project& p, double L, double B, double D, double a,
                                 int pedestals, int barsAlongL, int barsAlongB, int dia) {
    QuantityValues v;
    if (L <= 0 || B <= 0) return v;
    v.footingConcrete = L * B * std::max(D, 0.0);
    v.pedestalConcrete = a > 0 ? std::max(pedestals, 0) * a * a * pedestalHeight(p, D) : 0.0;
    v.concrete = v.footingConcrete + v.pedestalConcrete;
    const double barArea = std::numbers::pi * dia * dia / 4.0 * 1e-6; // m2
    const double barLength = std::max(L - 2 * qty::cover, 0.0) * std::max(barsAlongL, 0) +
                             std::max(B - 2 * qty::cover, 0.0) * std::max(barsAlongB, 0);
    v.steel = barLength * barArea * qty::steelDensity;
    // Down to the depth of foundation, or to the underside of a footing deeper than it.
    const double digDepth = std::max(foundationDepth(p), std::max(D, 0.0));
    v.excavation = (L + 2 * qty::workingSpace) * (B + 2 * qty::workingSpace) * digDepth;
    v.levelling = L * B * qty::levellingCourse;
    return v;
}

int distributionBars(double L, double band1, double band2, int spacing) {
    const double rest = L - std::max(band1, 0.0) - std::max(band2, 0.0);
    if (spacing <= 0 || !(rest > 1e-9)) return 0;
    // No more than `spacing` apart: the count rounds up (a hair over a whole number stays).
    return static_cast<int>(std::ceil(rest * 1000 / spacing - 1e-6));
}

std::string barsText(const RowQuantities& r) {
    if (!r.designed) return "not designed";
    const std::string dia = " - " + formatInt(r.barDia) + " dia";
    switch (r.kind) {
    case RowKind::Rect:
        return "L" + formatInt(r.barsAlongL) + " B" + formatInt(r.barsAlongB) + dia;
    case RowKind::Combined:
        return "T" + formatInt(r.topBars) + " B" + formatInt(r.bottomBars) + dia;
    case RowKind::Square:
        break;
    }
    return formatInt(r.barsEachWay) + dia + " @ " + formatInt(r.spacing);
}

Quantities computeQuantities(const Project& p) {
    Quantities q;
    squareRows(p, q.rows);
    rectRows(p, q.rows);
    combinedRows(p, q.rows);
    for (const RowQuantities& r : q.rows) add(q.total, r.total);
    q.total.footingConcrete = round3(q.total.footingConcrete);
    q.total.pedestalConcrete = round3(q.total.pedestalConcrete);
    q.total.concrete = round3(q.total.concrete);
    q.total.steel = round1(q.total.steel);
    q.total.excavation = round3(q.total.excavation);
    q.total.levelling = round3(q.total.levelling);
    return q;
}

} // namespace ormevak
