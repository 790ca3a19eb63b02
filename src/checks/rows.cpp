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
    b = p.columns[static_cast<size_t>(ci)][4];
    h = p.columns[static_cast<size_t>(ci)][3];
    return b > 0 && h > 0;
}

std::string columnName(const Project& p, int f, double b, double h) {
    return "the " + num(b, 0) + " x " + num(h, 0) + " mm column at joint " +
           formatInt(p.footings[static_cast<size_t>(f)].jointNo);
}

Check rowCheck(const char* id, Severity s, int n, float value, float limit, std::string text) {
    Check c;
    c.id = id;
    c.severity = s;
    c.row = "F" + formatInt(n);
    c.value = value;
    c.limit = limit;
    c.text = std::move(text);
    return c;
}

// The footings of row n that stand in it now (grouped footings only).
std::vector<int> rowFootings(const Project& p, const GroupRecord& row) {
    std::vector<int> out;
    for (int j = 1; j <= row.nosCount && j < static_cast<int>(row.footingNos.size()); ++j) {
        const int f = row.footingNos[static_cast<size_t>(j)];
        if (usableFooting(p, f) && p.footings[static_cast<size_t>(f)].state == 0) out.push_back(f);
    }
    return out;
}

void pedestalCheck(const Project& p, int n, double a, const std::vector<int>& fs, RowChecks& out) {
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
    const std::string head =
        "Schedule row F" + formatInt(n) + ": the pedestal of " + num(a, 0) + " mm ";
    const std::string ask =
        "; make the pedestal at least " + num(side + 2 * kPedestalMargin, 0) + " mm.";
    Check c;
    if (a < side) {
        c = rowCheck("pedestal-column", Severity::Error, n, static_cast<float>(a),
                     static_cast<float>(side),
                     head + "is smaller than " + columnName(p, worst, wb, wh) + ask);
    } else if (a - side < 2 * kPedestalMargin) {
        c = rowCheck("pedestal-column", Severity::Warning, n, static_cast<float>(a),
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
            const int number = static_cast<int>(p.reaction(f, c, 1));
            const double FY = p.reaction(f, c, 2);
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
        rowCheck("column-bearing", Severity::Warning, n, static_cast<float>(worstStress),
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

void barChecks(const Project& p, int n, const GroupRecord& row, const RowTexts& t, RowChecks& out) {
    const int dia = row.barDia;
    const double spacing = readNumber(t[col::LabSpace]);
    const double bars = readNumber(t[col::LabRods]);
    const double ast = readNumber(t[col::LabAst]);
    const double L = row.size, a = row.pedestal;
    const std::string head = "Schedule row F" + formatInt(n) + ": ";
    const std::string barText = formatInt(dia) + " mm bars";

    // 26.3.3(b)(1): at most 3 d or 300 mm, whichever is less; d = D - 60 mm.
    const double d = roundTo((row.depth - kCoverAllowance) * 1000, 0);
    const double maxSpacing = std::min(kMaxSpacingDepths * d, kMaxSpacing);
    if (spacing > maxSpacing)
        out.spacingMax.push_back(rowCheck(
            "spacing-max", Severity::Error, n, static_cast<float>(spacing),
            static_cast<float>(maxSpacing),
            head + "the " + barText + " at " + num(spacing, 0) +
                " mm centres are further apart than min(3 d, 300 mm) = " + num(maxSpacing, 0) +
                " mm; choose a smaller bar diameter so that more bars are placed."));

    // 26.3.2: clear distance at least the bar diameter and the aggregate size + 5 mm.
    const double clear = spacing - dia;
    const double minClear = std::max(static_cast<double>(dia), kAggregate + kAggregateMargin);
    if (clear < minClear)
        out.spacingMin.push_back(rowCheck("spacing-min", Severity::Error, n,
                                          static_cast<float>(clear), static_cast<float>(minClear),
                                          head + "the clear gap between the " + barText + " is " +
                                              num(clear, 0) + " mm, less than " + num(minClear, 0) +
                                              " mm; choose a larger bar diameter."));
    else if (spacing < kCongestedSpacing)
        out.spacingMin.push_back(rowCheck(
            "spacing-min", Severity::Warning, n, static_cast<float>(spacing),
            static_cast<float>(kCongestedSpacing),
            head + "the " + barText + " at " + num(spacing, 0) +
                " mm centres are congested (less than 100 mm); choose a larger bar diameter."));

    // 26.2.1: straight length beyond the pedestal face, less the end cover, against Ld.
    if (p.steelGrade > 0 && p.concreteGrade > 0) {
        const double available = (L - a) / 2 * 1000 - kEndCover;
        const double Ld = developmentLength(dia, p.steelGrade, p.concreteGrade);
        if (available < Ld)
            out.development.push_back(rowCheck(
                "development", Severity::Error, n, static_cast<float>(available),
                static_cast<float>(Ld),
                head + "the " + barText + " have " + num(available, 0) +
                    " mm of straight length beyond the pedestal face, less than their "
                    "development length of " +
                    num(Ld, 0) + " mm; choose a smaller bar diameter or bend the bar ends up."));
    }

    // The bars shown must give the steel area shown.
    const double barArea = std::numbers::pi * dia * dia / 4;
    const double provided = bars * barArea;
    if (provided < ast) {
        const double need = std::ceil(ast / barArea);
        out.steel.push_back(rowCheck("steel-provided", Severity::Warning, n,
                                     static_cast<float>(provided), static_cast<float>(ast),
                                     head + num(bars, 0) + " bars of " + formatInt(dia) +
                                         " mm give " + num(provided, 0) + " mm2, less than the " +
                                         num(ast, 0) + " mm2 the row needs; place " + num(need, 0) +
                                         " bars."));
    }
}

} // namespace

void rowChecks(const Project& p, RowChecks& out) {
    const int last = std::min({p.designRowCount, static_cast<int>(p.designRows.size()) - 1,
                               static_cast<int>(p.designRowTexts.size()) - 1});
    for (int n = 1; n <= last; ++n) {
        const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
        const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
        const std::vector<int> fs = rowFootings(p, row);
        const double a = roundTo(static_cast<double>(row.pedestal) * 1000, 0); // mm
        pedestalCheck(p, n, a, fs, out);
        // A row the design refused keeps its mark, size and pedestal but no results.
        if (t[col::LabAst].empty() || t[col::LabSpace].empty() || t[col::LabRods].empty()) {
            out.notDesigned.push_back(
                rowCheck("not-designed", Severity::Warning, n, 0, 0,
                         "Schedule row F" + formatInt(n) +
                             " has no design; make the pedestal smaller than the footing side and "
                             "design the row again."));
            continue;
        }
        bearingCheck(p, n, a, fs, out);
        barChecks(p, n, row, t, out);
    }
}

namespace {

// Whether the Design command gave footing f a row of its own: an R row, or the C row of its
// combined footing.
bool hasOwnDesign(const Project& p, int f) {
    const int state = p.footings[static_cast<size_t>(f)].state;
    if (state == -1)
        return std::any_of(p.rectRows.begin(), p.rectRows.end(),
                           [f](const RectRow& r) { return r.footing == f && r.designed; });
    if (state >= 1)
        return std::any_of(
            p.combinedRows.begin(), p.combinedRows.end(),
            [state](const CombinedRow& r) { return r.combined == state && r.designed; });
    return false;
}

} // namespace

void notDesignedFootings(const Project& p, std::vector<Check>& out) {
    // Grouped footings count as designed when a schedule row names them; before the first
    // Design command nothing is designed yet and nothing is said about them.
    std::vector<char> inRow(static_cast<size_t>(std::max(p.footingCount, 0)) + 1, 0);
    const int lastRow = std::min(p.designRowCount, static_cast<int>(p.designRows.size()) - 1);
    for (int n = 1; n <= lastRow; ++n) {
        const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
        for (int j = 1; j <= row.nosCount && j < static_cast<int>(row.footingNos.size()); ++j) {
            const int f = row.footingNos[static_cast<size_t>(j)];
            if (f >= 1 && f < static_cast<int>(inRow.size())) inRow[static_cast<size_t>(f)] = 1;
        }
    }
    for (int f = 1; f <= p.footingCount && f < static_cast<int>(p.footings.size()); ++f) {
        const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
        Check c;
        c.id = "not-designed";
        c.severity = Severity::Warning;
        c.footing = f;
        c.row = markOf(p, f);
        if (hasOwnDesign(p, f)) continue;
        if (ft.state == -1) {
            c.text = footingName(p, f) +
                     " is resized by hand and the schedule has no design for it; design it "
                     "before it is built.";
        } else if (ft.state >= 1 && completeCombined(p, ft.state) &&
                   p.combinedFootings[static_cast<size_t>(ft.state)].members[1] == f) {
            c.text = combinedName(p, ft.state) +
                     " is a combined footing and the schedule has no design for it; design it "
                     "before it is built.";
        } else if (ft.state == 0 && lastRow >= 1 && !inRow[static_cast<size_t>(f)]) {
            c.text = footingName(p, f) + " is in no schedule row; run Design again.";
        } else {
            continue;
        }
        out.push_back(std::move(c));
    }
}

} // namespace ormevak::checks
