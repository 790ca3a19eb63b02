// The checks of the schedule rows (pedestal, bars, bond, bearing at the column base) and of the
// footings on the plan that have no design.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "checks/rules.h"
#include "design/design.h"
#include "model/numbers.h"

namespace ormevak::checks {

namespace {

// The column standing on footing f: sides along X (b) and along Z (h), mm; false when the
// column table has no row for it.
bool columnOf(const Project& p, int f, double& b, double& h) {
    const int ci = p.footings[static_cast<size_t>(f)].colIndex;
    if (ci < 1 || ci >= static_cast<int>(p.columns.size())) return false;
    b = p.columns[static_cast<size_t>(ci)][member_row::Dim4];
    h = p.columns[static_cast<size_t>(ci)][member_row::Dim3];
    return b > 0 && h > 0;
}

std::string columnName(const Project& p, int f, double b, double h) {
    return "the " + num(b, 0) + " x " + num(h, 0) + " mm column at joint " +
           formatInt(p.footings[static_cast<size_t>(f)].jointNo);
}

// The schedule row a check is on: "F2", "R1", "C3", and the footing an R or C row stands for
// (0 for the square rows, whose checks name the row).
struct RowRef {
    std::string name;
    int footing = 0;
};

RowRef squareRow(int n) {
    return {"F" + formatInt(n), 0};
}

Check rowCheck(const char* id, Severity s, const RowRef& r, float value, float limit,
               std::string text) {
    Check c;
    c.id = id;
    c.severity = s;
    c.row = r.name;
    c.footing = r.footing;
    c.value = value;
    c.limit = limit;
    c.text = std::move(text);
    return c;
}

// The footings of row n that stand in it now (grouped footings only).
std::vector<int> rowFootings(const Project& p, const GroupRecord& row) {
    std::vector<int> out;
    for (int j = 1; j <= row.lastMember(); ++j) {
        const int f = row.footingNos[static_cast<size_t>(j)];
        if (p.hasFootingLoads(f) && p.footings[static_cast<size_t>(f)].isGrouped())
            out.push_back(f);
    }
    return out;
}

void pedestalCheck(const Project& p, const RowRef& r, double a, const std::vector<int>& fs,
                   RowChecks& out) {
    int worst = 0;
    double side = 0, wb = 0, wh = 0;
    for (int f : fs) {
        double b = 0, h = 0;
        if (columnOf(p, f, b, h) && std::max(b, h) > side) {
            side = std::max(b, h);
            worst = f;
            wb = b;
            wh = h;
        }
    }
    if (worst == 0) return;
    const std::string head = "Schedule row " + r.name + ": the pedestal of " + num(a, 0) + " mm ";
    const std::string ask =
        "; make the pedestal at least " + num(side + 2 * kPedestalMargin, 0) + " mm.";
    Check c;
    if (a < side) {
        c = rowCheck("pedestal-column", Severity::Error, r, static_cast<float>(a),
                     static_cast<float>(side),
                     head + "is smaller than " + columnName(p, worst, wb, wh) + ask);
    } else if (a - side < 2 * kPedestalMargin) {
        c = rowCheck("pedestal-column", Severity::Warning, r, static_cast<float>(a),
                     static_cast<float>(side + 2 * kPedestalMargin),
                     head + "leaves less than 50 mm each side of " + columnName(p, worst, wb, wh) +
                         ask);
    } else {
        return;
    }
    c.footing = worst;
    out.pedestal.push_back(std::move(c));
}

void bearingCheck(const Project& p, int n, double a, const std::vector<int>& fs, RowChecks& out) {
    const int fck = p.concreteGrade, fy = p.steelGrade;
    if (fck <= 0 || fy <= 0) return;
    const int last = lastCaseIndex(p);
    double worstRatio = 1;
    int worstF = 0, worstCase = 0;
    double worstStress = 0, worstPerm = 0, worstB = 0, worstH = 0, worstFy = 0;
    for (int f : fs) {
        double b = 0, h = 0;
        if (!columnOf(p, f, b, h)) continue;
        // 34.4: the pedestal (A1) supports the column (A2).
        const double A2 = b * h, A1 = a * a;
        const double root = std::clamp(std::sqrt(A1 / A2), 1.0, kBearingRatioMax);
        const double perm = kBearingStress * fck * root;
        for (int c = 0; c <= last; ++c) {
            const int number = static_cast<int>(p.reaction(f, c, reaction::CaseNo));
            const double FY = p.reaction(f, c, reaction::ForceY);
            if (number == 0 || FY <= 0) continue;
            const double stress = kLoadFactor * FY * 1000 / A2;
            if (stress / perm > worstRatio) {
                worstRatio = stress / perm;
                worstF = f;
                worstCase = number;
                worstStress = stress;
                worstPerm = perm;
                worstB = b;
                worstH = h;
                worstFy = FY;
            }
        }
    }
    if (worstF == 0) return;
    // 34.4.1: dowels carry the force beyond the permissible bearing; 34.4.3: at least 0.5 %.
    const double A2 = worstB * worstH;
    const double excess = kLoadFactor * worstFy * 1000 - worstPerm * A2;
    const double dowels = std::max(excess / (kSteelCompression * fy), kMinDowelRatio * A2);
    Check c =
        rowCheck("column-bearing", Severity::Warning, squareRow(n), static_cast<float>(worstStress),
                 static_cast<float>(worstPerm),
                 "Schedule row F" + formatInt(n) + ": in load case " + formatInt(worstCase) + " " +
                     columnName(p, worstF, worstB, worstH) + " bears " + num(worstStress, 2) +
                     " N/mm2 on the pedestal, above 0.45 fck sqrt(A1/A2) = " + num(worstPerm, 2) +
                     " N/mm2; provide dowels of at least " + num(std::ceil(dowels - 1e-6), 0) +
                     " mm2 across the column base.");
    c.footing = worstF;
    c.loadCase = worstCase;
    out.bearing.push_back(std::move(c));
}

// One set of bars of a row: `what` names them in the texts ("10 mm bars", "10 mm bars along
// L"); d the effective depth (mm); available the straight length beyond the face (mm) that
// develops them, or a negative value when there is none to check.
struct BarSet {
    std::string what;
    int dia = 0;
    double spacing = 0; // mm, centre to centre
    double bars = 0;
    double ast = 0; // mm2 the row shows for them
    double d = 0;   // mm
    double available = -1;
    std::string from = "the pedestal face"; // where the available length starts
};

void spacingChecks(const RowRef& r, const BarSet& b, RowChecks& out) {
    const std::string head = "Schedule row " + r.name + ": ";
    // 26.3.3(b)(1): at most 3 d or 300 mm, whichever is less.
    const double maxSpacing = std::min(kMaxSpacingDepths * b.d, kMaxSpacing);
    if (b.spacing > maxSpacing)
        out.spacingMax.push_back(rowCheck(
            "spacing-max", Severity::Error, r, static_cast<float>(b.spacing),
            static_cast<float>(maxSpacing),
            head + "the " + b.what + " at " + num(b.spacing, 0) +
                " mm centres are further apart than min(3 d, 300 mm) = " + num(maxSpacing, 0) +
                " mm; choose a smaller bar diameter so that more bars are placed."));

    // 26.3.2: clear distance at least the bar diameter and the aggregate size + 5 mm.
    const double clear = b.spacing - b.dia;
    const double minClear = std::max(static_cast<double>(b.dia), kAggregate + kAggregateMargin);
    if (clear < minClear)
        out.spacingMin.push_back(rowCheck("spacing-min", Severity::Error, r,
                                          static_cast<float>(clear), static_cast<float>(minClear),
                                          head + "the clear gap between the " + b.what + " is " +
                                              num(clear, 0) + " mm, less than " + num(minClear, 0) +
                                              " mm; choose a larger bar diameter."));
    else if (b.spacing < kCongestedSpacing)
        out.spacingMin.push_back(rowCheck(
            "spacing-min", Severity::Warning, r, static_cast<float>(b.spacing),
            static_cast<float>(kCongestedSpacing),
            head + "the " + b.what + " at " + num(b.spacing, 0) +
                " mm centres are congested (less than 100 mm); choose a larger bar diameter."));
}

void developmentCheck(const Project& p, const RowRef& r, const BarSet& b, RowChecks& out) {
    // 26.2.1: straight length beyond the face, less the end cover, against Ld.
    if (p.steelGrade <= 0 || p.concreteGrade <= 0 || b.available < 0) return;
    const double Ld = developmentLength(b.dia, p.steelGrade, p.concreteGrade);
    if (b.available < Ld)
        out.development.push_back(rowCheck(
            "development", Severity::Error, r, static_cast<float>(b.available),
            static_cast<float>(Ld),
            "Schedule row " + r.name + ": the " + b.what + " have " + num(b.available, 0) +
                " mm of straight length beyond " + b.from +
                ", less than their "
                "development length of " +
                num(Ld, 0) + " mm; choose a smaller bar diameter or bend the bar ends up."));
}

void steelCheck(const RowRef& r, const BarSet& b, RowChecks& out) {
    // The bars shown must give the steel area shown.
    const double barArea = std::numbers::pi * b.dia * b.dia / 4;
    const double provided = b.bars * barArea;
    if (provided < b.ast) {
        const double need = std::ceil(b.ast / barArea);
        out.steel.push_back(rowCheck("steel-provided", Severity::Warning, r,
                                     static_cast<float>(provided), static_cast<float>(b.ast),
                                     "Schedule row " + r.name + ": " + num(b.bars, 0) +
                                         " bars of " + formatInt(b.dia) + " mm give " +
                                         num(provided, 0) + " mm2, less than the " + num(b.ast, 0) +
                                         " mm2 the row needs; place " + num(need, 0) + " bars."));
    }
}

void barChecks(const Project& p, int n, const GroupRecord& row, const RowTexts& t, RowChecks& out) {
    BarSet b;
    b.what = formatInt(row.barDia) + " mm bars";
    b.dia = row.barDia;
    b.spacing = readNumber(t[col::LabSpace]);
    b.bars = readNumber(t[col::LabRods]);
    b.ast = readNumber(t[col::LabAst]);
    // d = D - 60 mm.
    b.d = roundTo((row.depth - kCoverAllowance) * 1000, 0);
    b.available = (static_cast<double>(row.size) - row.pedestal) / 2 * 1000 - kEndCover;
    const RowRef r = squareRow(n);
    spacingChecks(r, b, out);
    developmentCheck(p, r, b, out);
    steelCheck(r, b, out);
}

// d = D - 60 mm, in mm.
double effectiveDepth(float depth) {
    return roundTo((depth - kCoverAllowance) * 1000, 0);
}

// The bars of one direction of an R row, running along `side` (m); the short direction's bars
// are checked in its central band and in its end strips.
void rectDirectionChecks(const Project& p, const RowRef& r, const RectRow& x,
                         const RectDirection& dir, const char* along, float side, RowChecks& out) {
    BarSet b;
    b.what = formatInt(x.barDia) + " mm bars along " + along;
    b.dia = x.barDia;
    b.spacing = dir.spacing;
    b.bars = dir.bars;
    b.ast = dir.ast;
    b.d = effectiveDepth(x.depth);
    b.available = (static_cast<double>(side) - x.pedestal) / 2 * 1000 - kEndCover;
    if (dir.endBars > 0) {
        BarSet band = b, ends = b;
        band.what += " in the central band";
        band.spacing = dir.bandSpacing;
        ends.what += " in the end strips";
        ends.spacing = dir.endSpacing;
        spacingChecks(r, band, out);
        spacingChecks(r, ends, out);
    } else {
        spacingChecks(r, b, out);
    }
    developmentCheck(p, r, b, out);
    steelCheck(r, b, out);
}

// The R rows: one resized footing each, while it stands on the plan resized.
void rectRowChecks(const Project& p, RowChecks& out) {
    for (size_t i = 0; i < p.rectRows.size(); ++i) {
        const RectRow& x = p.rectRows[i];
        if (!p.hasFootingLoads(x.footing) ||
            !p.footings[static_cast<size_t>(x.footing)].isResized())
            continue;
        const RowRef r{!x.texts.empty() && !x.texts[0].empty()
                           ? x.texts[0]
                           : "R" + formatInt(static_cast<long long>(i) + 1),
                       x.footing};
        pedestalCheck(p, r, roundTo(static_cast<double>(x.pedestal) * 1000, 0), {x.footing}, out);
        if (!x.designed) continue; // the not-designed check names the footing
        rectDirectionChecks(p, r, x, x.alongL, "L", x.lenL, out);
        rectDirectionChecks(p, r, x, x.alongB, "B", x.widB, out);
    }
}

// The C rows: the pedestal against each of the two columns; the longitudinal top and bottom
// bars and the transverse bars of each column's band.
void combinedRowChecks(const Project& p, RowChecks& out) {
    for (const CombinedRow& x : p.combinedRows) {
        if (!completeCombined(p, x.combined)) continue;
        const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(x.combined)];
        const std::string name = "C" + formatInt(x.combined);
        const double a = roundTo(static_cast<double>(x.pedestal) * 1000, 0);
        for (int j = 1; j <= 2; ++j) {
            const int f = rec.members[static_cast<size_t>(j)];
            pedestalCheck(p, {name, f}, a, {f}, out);
        }
        if (!x.designed) continue;
        const RowRef r{name, rec.members[1]};
        const double L = x.length, x1 = x.cant1, x2 = x1 + static_cast<double>(x.span);
        const double ped = x.pedestal;
        BarSet b;
        b.dia = x.barDia;
        b.d = effectiveDepth(x.depth);
        // Top bars: developed each way from the point of largest hogging (zero shear).
        b.what = formatInt(x.barDia) + " mm top bars";
        b.spacing = x.top.spacing;
        b.bars = x.top.bars;
        b.ast = x.top.ast;
        b.available = std::min(x.zeroShear, x.length - x.zeroShear) * 1000.0 - kEndCover;
        b.from = "the point of largest hogging moment";
        spacingChecks(r, b, out);
        developmentCheck(p, r, b, out);
        steelCheck(r, b, out);
        // Bottom bars: beyond the pedestal face of the longer projection, where the sagging
        // moment was taken.
        b.what = formatInt(x.barDia) + " mm bottom bars";
        b.spacing = x.bottom.spacing;
        b.bars = x.bottom.bars;
        b.ast = x.bottom.ast;
        b.available = std::max(x1 - ped / 2, L - x2 - ped / 2) * 1000 - kEndCover;
        b.from = "the pedestal face";
        spacingChecks(r, b, out);
        developmentCheck(p, r, b, out);
        steelCheck(r, b, out);
        // Transverse bars of each band: the width's cantilever beyond the pedestal face.
        for (const CombinedBand& band : x.bands) {
            const RowRef rb{name, band.footing};
            b.what = formatInt(x.barDia) + " mm transverse bars under the column at joint " +
                     (p.hasFootingLoads(band.footing)
                          ? formatInt(p.footings[static_cast<size_t>(band.footing)].jointNo)
                          : std::string("?"));
            b.spacing = band.spacing;
            b.bars = band.bars;
            b.ast = band.ast;
            b.available = (static_cast<double>(x.width) - ped) / 2 * 1000 - kEndCover;
            spacingChecks(rb, b, out);
            developmentCheck(p, rb, b, out);
            steelCheck(rb, b, out);
        }
    }
}

} // namespace

void rowChecks(const Project& p, RowChecks& out) {
    const int last = std::min(p.lastDesignRow(), p.lastDesignRowTexts());
    for (int n = 1; n <= last; ++n) {
        const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
        const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
        const std::vector<int> fs = rowFootings(p, row);
        const double a = roundTo(static_cast<double>(row.pedestal) * 1000, 0); // mm
        pedestalCheck(p, squareRow(n), a, fs, out);
        // A row the design refused keeps its mark, size and pedestal but no results.
        if (t[col::LabAst].empty() || t[col::LabSpace].empty() || t[col::LabRods].empty()) {
            out.notDesigned.push_back(
                rowCheck("not-designed", Severity::Warning, squareRow(n), 0, 0,
                         "Schedule row F" + formatInt(n) +
                             " has no design; make the pedestal smaller than the footing side and "
                             "design the row again."));
            continue;
        }
        bearingCheck(p, n, a, fs, out);
        barChecks(p, n, row, t, out);
    }
    rectRowChecks(p, out);
    combinedRowChecks(p, out);
}

namespace {

// Whether the Design command gave footing f a row of its own: an R row, or the C row of its
// combined footing.
bool hasOwnDesign(const Project& p, int f) {
    const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
    if (ft.isResized())
        return std::any_of(p.rectRows.begin(), p.rectRows.end(),
                           [f](const RectRow& r) { return r.footing == f && r.designed; });
    if (const int k = ft.combinedIndex(); k >= 1)
        return std::any_of(p.combinedRows.begin(), p.combinedRows.end(),
                           [k](const CombinedRow& r) { return r.combined == k && r.designed; });
    return false;
}

} // namespace

void notDesignedFootings(const Project& p, std::vector<Check>& out) {
    // Grouped footings count as designed when a schedule row names them; before the first
    // Design command nothing is designed yet and nothing is said about them.
    std::vector<char> inRow(static_cast<size_t>(std::max(p.footingCount, 0)) + 1, 0);
    const int lastRow = p.lastDesignRow();
    for (int n = 1; n <= lastRow; ++n) {
        const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
        for (int j = 1; j <= row.lastMember(); ++j) {
            const int f = row.footingNos[static_cast<size_t>(j)];
            if (f >= 1 && f < static_cast<int>(inRow.size())) inRow[static_cast<size_t>(f)] = 1;
        }
    }
    for (int f = 1; f <= p.lastFooting(); ++f) {
        const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
        Check c;
        c.id = "not-designed";
        c.severity = Severity::Warning;
        c.footing = f;
        c.row = markOf(p, f);
        if (hasOwnDesign(p, f)) continue;
        if (ft.isResized()) {
            c.text = footingName(p, f) +
                     " is resized by hand and the schedule has no design for it; design it "
                     "before it is built.";
        } else if (ft.isCombined() && completeCombined(p, ft.combinedIndex()) &&
                   p.combinedFootings[static_cast<size_t>(ft.combinedIndex())].members[1] == f) {
            c.text = combinedName(p, ft.combinedIndex()) +
                     " is a combined footing and the schedule has no design for it; design it "
                     "before it is built.";
        } else if (ft.isGrouped() && lastRow >= 1 && !inRow[static_cast<size_t>(f)]) {
            c.text = footingName(p, f) + " is in no schedule row; run Design again.";
        } else {
            continue;
        }
        out.push_back(std::move(c));
    }
}

} // namespace ormevak::checks
