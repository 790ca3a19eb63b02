// Section arithmetic shared by the Design command and the schedule row redesign.
#include "design/section.h"

#include <algorithm>
#include <cmath>

#include "design/shear_table.h"
#include "model/load_factors.h"
#include "model/numbers.h"

namespace ormevak::section {

namespace {

float single(double x) {
    return static_cast<float>(x);
}
float rounded(double x, int decimals) {
    return static_cast<float>(roundTo(x, decimals));
}

// Shear cannot govern once d passes the cantilever and the punching square covers the
// footing, so a loop still deepening well past the footing side has lost its way.
constexpr int kMaxPasses = 2000;
constexpr double kBeyondSide = 0.05; // m

} // namespace

Bending bending(float L, float a, float q, int fck, Trace* trace) {
    Bending b;
    b.c = rounded((double(L) - double(a)) / 2, 2);
    b.Mu = rounded(double(b.c) * (double(q) * kLoadFactor * double(L) * double(b.c)) / 2, 2);
    const float d0 = rounded(std::sqrt(double(b.Mu) / 0.138 / fck / double(L) / 1000), 2);
    const float m = rounded((double(d0) * 1000 + 60) / 50 + 0.49, 0);
    b.d = rounded((double(m) * 50 - 60) / 1000, 2);
    if (b.d < 0.19f) b.d = 0.19f;
    if (trace != nullptr) {
        trace->d0 = d0;
        trace->m = m;
    }
    return b;
}

Checks depthLoop(const Project& p, float L, float a, float q, float c, float Mu, float d,
                 Rules rules, Trace* trace) {
    const int fck = p.concreteGrade;
    const int fy = p.steelGrade;
    const double limit = std::max(double(d), double(L)) + kBeyondSide;
    Checks k;
    for (int pass = 1;; ++pass) {
        k.d = d;
        k.MuBd2 = rounded(double(Mu) / double(L) / double(d) / double(d) / 1000, 2);
        double R = 1 - double(k.MuBd2) * 4.6 / fck;
        if (rules == Rules::Design) R = double(single(R));
        if (R < 0) R = 0;
        k.pt = rounded((1 - std::sqrt(R)) / fy * fck * 50, 2);
        const float ptCalc = k.pt;
        if (k.pt < 0.2f) k.pt = 0.2f;
        k.V1 = rounded((double(c) - double(d)) * (double(q) * kLoadFactor) * double(L), 0);
        // A critical section beyond the footing's edge carries no shear (never a negative one).
        if (!(k.V1 > 0)) k.V1 = 0;
        k.tv1 = rounded(double(k.V1) / double(L) / double(d) * 1000 / 1000000, 2);
        k.tc1 = shearStrength(p, k.pt);
        bool deeper = k.tc1 < k.tv1;
        Trace::Pass* step = nullptr;
        if (trace != nullptr) {
            step = &trace->passes.emplace_back();
            *step = {d, k.MuBd2, single(R), ptCalc, k.pt, k.V1, k.tv1, k.tc1, false, 0, 0, 0};
        }
        if (!deeper) {
            const double side = double(a) + double(d);
            k.V2 = rounded((double(L) * double(L) - side * side) * (double(q) * kLoadFactor) + 0.49,
                           0);
            if (!(k.V2 > 0)) k.V2 = 0; // the punching perimeter lies outside the footing
            if (rules == Rules::Design)
                k.tv2 = rounded(
                    double(k.V2) * 1000 / (4 * (double(a) + double(d)) * double(d)) / 1000000, 2);
            else
                k.tv2 = rounded(
                    double(k.V2) * 1000 / (double(d) * 4 * (double(a) + double(d))) / 1000000, 2);
            k.tc2 = rounded(std::sqrt(double(fck)) / 4, 2);
            deeper = k.tc2 < k.tv2;
            if (step != nullptr) {
                step->punching = true;
                step->V2 = k.V2;
                step->tv2 = k.tv2;
                step->tc2 = k.tc2;
            }
        }
        if (!deeper) return k;
        const float next = single(double(d) + 0.025);
        if (pass >= kMaxPasses || double(next) > limit) {
            k.gaveUp = true;
            return k;
        }
        d = next;
    }
}

float steelArea(float pt, float L, float d) {
    return rounded(double(pt) * double(L) * double(d) * 10000, 0);
}

float overallDepth(float d) {
    return rounded(double(d) + 0.06, 3);
}

Bars bars(float Ast, int dia, float L, Rules rules) {
    Bars b;
    const double count = intFloor(double(Ast) / dia / dia * 28 / 22 + 0.49);
    b.nb = rules == Rules::Design ? single(count) : float(toInt16(count, "number of bars"));
    // One bar leaves no spacing (and none would divide by zero): two is the least count.
    if (b.nb < 2) b.nb = 2;
    b.spacing = toInt16((double(L) - 0.12) / (double(b.nb) - 1) * 1000, "bar spacing");
    return b;
}

std::string gradeProblem(const Project& p, const std::string& consequence) {
    const bool noConcrete = p.concreteGrade <= 0;
    const bool noSteel = p.steelGrade <= 0;
    if (noConcrete && noSteel)
        return "Concrete grade (FC) and steel grade (FYMAIN) missing in the analysis file: " +
               consequence;
    if (noConcrete) return "Concrete grade (FC) missing in the analysis file: " + consequence;
    if (noSteel) return "Steel grade (FYMAIN) missing in the analysis file: " + consequence;
    // The shear strengths of the standard start at M15; below it there is nothing to look up.
    if (p.concreteGrade < kLowestTabulatedGrade)
        return "Concrete grade M" + formatInt(p.concreteGrade) + " is below M" +
               formatInt(kLowestTabulatedGrade) + ": " + consequence;
    return {};
}

std::string sideProblem(int n, float L, float a) {
    // The cantilever from the pedestal face would be nil or negative, and with it every moment,
    // shear and spacing of the row.
    if (!(L > a))
        return "Schedule row F" + formatInt(n) + ": the footing side " + formatNumber(L) +
               " m is not larger than the pedestal " + formatNumber(a) + " m: not designed";
    // The bars stand 60 mm in from each edge: a side within both covers has no room for them.
    if (!(double(L) > 2 * kCoverToBarCentre))
        return "Schedule row F" + formatInt(n) + ": the footing side " + formatNumber(L) +
               " m leaves no room for bars within the covers: not designed";
    return {};
}

std::string gaveUpMessage(int n, float depth) {
    return "Schedule row F" + formatInt(n) + ": shear still fails at a depth of " +
           formatNumber(depth) + " m; the depth search stopped there";
}

void writeRefusedTexts(RowTexts& t, int n, const GroupRecord& row) {
    t = RowTexts{};
    t[col::LabF1] = "F" + formatInt(n);
    t[col::LabNos] = formatInt(row.nosCount);
    t[col::LabSize] = formatNumber(row.size);
    t[col::TxtPeda] = formatNumber(row.pedestal);
}

void writeResultTexts(RowTexts& t, int n, float depth, float a, const Bending& b, const Checks& k,
                      float Ast, int dia, const Bars& bars, Rules rules) {
    t[col::LabF1] = "F" + formatInt(n);
    t[col::TxtDepth] = formatNumber(depth);
    t[col::TxtPeda] = formatNumber(a);
    t[col::LabCant] = formatNumber(b.c);
    t[col::LabMu] = formatNumber(b.Mu);
    t[col::LabMuBdd] = formatNumber(k.MuBd2);
    t[col::LabPt] = formatNumber(k.pt);
    t[col::LabAst] = formatNumber(Ast);
    t[col::LabGdia] = formatInt(dia);
    // The Design command holds the bar count as a Single, the row redesign as an integer.
    t[col::LabRods] =
        rules == Rules::Design ? formatNumber(bars.nb) : formatInt(static_cast<long long>(bars.nb));
    t[col::LabSpace] = formatInt(bars.spacing);
    t[col::LabSF1] = formatNumber(k.V1);
    t[col::LabSS1] = formatNumber(k.tv1);
    t[col::LabPS1] = formatNumber(k.tc1);
    t[col::LabSF2] = formatNumber(k.V2);
    t[col::LabSS2] = formatNumber(k.tv2);
    t[col::LabPS2] = formatNumber(k.tc2);
}

} // namespace ormevak::section
