// Two-column combined footings designed as a slab on two columns.
#include "design/combined_design.h"

#include <algorithm>
#include <cmath>

#include "design/rect_design.h"
#include "design/section.h"
#include "design/shear_table.h"
#include "model/numbers.h"
#include "sizing/sizing.h"

namespace ormevak {

namespace {

float single(double x) {
    return static_cast<float>(x);
}
float rounded(double x, int decimals) {
    return static_cast<float>(roundTo(x, decimals));
}

// Mu,lim / (b d2) = 0.138 fck (IS 456 Annex G-1.1(c), Fe 415).
constexpr double kMuLimFactor = 0.138;
// Distribution steel: 0.12 % of the gross section for high-strength deformed bars
// (IS 456 26.5.2.1), at most 5 d or 450 mm apart (26.3.3(b)(2)).
constexpr double kDistributionShare = 0.0012;
constexpr double kDistributionMaxSpacing = 450; // mm
// Bar diameter of a new C row: the slab spans between columns, so one step above the groups'.
constexpr int kDefaultDia = 12;

// Whether combined footing k has two usable members that both still belong to it.
bool complete(const Project& p, int k, int& m1, int& m2) {
    if (!p.hasCombined(k)) return false;
    const CombinedRecord& rec = p.combinedFootings[static_cast<std::size_t>(k)];
    if (rec.memberCount < 2) return false;
    m1 = rec.members[1];
    m2 = rec.members[2];
    for (int m : {m1, m2})
        if (!p.hasFootingLoads(m) || p.footings[static_cast<std::size_t>(m)].combinedIndex() != k)
            return false;
    return true;
}

// Largest corner pressure of combined footing k over its cases (FY unfactored): the resultant's
// eccentricity from the centre plus the lengthwise moments, and the crosswise moments
// (IS 456 34.1.3). Fills netPressure, govCase, pu1 and pu2 of row.
void governing(const Project& p, int k, int m1, int m2, CombinedRow& row) {
    const CombinedRecord& rec = p.combinedFootings[static_cast<std::size_t>(k)];
    const FootingRecord& f1 = p.footings[static_cast<std::size_t>(m1)];
    const FootingRecord& f2 = p.footings[static_cast<std::size_t>(m2)];
    // The sizing's own choice of line: along X when so accepted or when the Z offset is small.
    const bool alongX = rec.orientation == 1 || roundTo((f2.z - f1.z) / 1000.0, 0) < 0.5;
    const int ml = alongX ? reaction::MomZ : reaction::MomX;
    const int mt = alongX ? reaction::MomX : reaction::MomZ;
    const double L = row.length, B = row.width, s = row.span;
    float qmax = 0;
    const int lastCase = std::min(p.loadCaseCount, cap::casesPerSupport - 1);
    for (int c = 0; c <= lastCase; ++c) {
        const double P1 = p.designFy(m1, c), P2 = p.designFy(m2, c);
        const double P = P1 + P2;
        const double xbar = P != 0 ? P2 / P * s : 0;
        const double e = (L / 2 - double(row.cant1)) - xbar;
        const double Ml = std::abs(e * P) +
                          std::abs(double(p.reaction(m1, c, ml)) + double(p.reaction(m2, c, ml)));
        const double Mt = std::abs(double(p.reaction(m1, c, mt)) + double(p.reaction(m2, c, mt)));
        const float q = single(P / (L * B) + 6 * Ml / (B * L * L) + 6 * Mt / (L * B * B));
        if (qmax < q) {
            qmax = q;
            row.govCase = c;
        }
    }
    row.netPressure = rounded(double(qmax) + 0.49, 0);
    row.pu1 = rounded(kLoadFactor * p.designFy(m1, row.govCase), 2);
    row.pu2 = rounded(kLoadFactor * p.designFy(m2, row.govCase), 2);
}

std::string steelText(const CombinedSteel& s) {
    return formatNumber(s.ast);
}

std::string bandText(const CombinedBand& b) {
    return formatNumber(b.band) + ": " + formatNumber(b.bars) + " @ " + formatInt(b.spacing);
}

} // namespace

const std::vector<const char*>& combinedControlNames() {
    static const std::vector<const char*> names = {
        "LabC",      "LabLen",     "LabWid",      "TxtDepth",  "TxtPeda",    "LabNetP",
        "LabMuHog",  "LabMuSag",   "LabGdia",     "LabTopAst", "LabTopRods", "LabTopSpace",
        "LabBotAst", "LabBotRods", "LabBotSpace", "LabTr1",    "LabTr2",     "LabDist",
        "LabSS1",    "LabPS1",     "LabSS2",      "LabPS2"};
    return names;
}

const std::vector<const char*>& combinedHeadings() {
    static const std::vector<const char*> headings = {
        "CMB",       "Length", "Width",   "Depth", "Peda",   "NetP",    "MuHog", "MuSag",
        "Dia",       "TopAst", "TopRods", "TopSp", "BotAst", "BotRods", "BotSp", "Col1 band",
        "Col2 band", "Dist",   "1-SS",    "1-PS",  "2-SS",   "2-PS"};
    return headings;
}

double combinedMomentFromStart(double wu, double Pu1, double x1, double Pu2, double x2, double x) {
    return wu * x * x / 2 - Pu1 * std::max(0.0, x - x1) - Pu2 * std::max(0.0, x - x2);
}

double combinedHogging(double wu, double Pu1, double x1, double Pu2, double x2, double L,
                       double& zeroShear) {
    // From the start: V = wu x - Pu1 between the columns, nil at x = Pu1 / wu.
    const double xs = std::clamp(Pu1 / wu, x1, x2);
    const double fromStart = -combinedMomentFromStart(wu, Pu1, x1, Pu2, x2, xs);
    // From the far end, the same with the columns mirrored.
    const double ys = std::clamp(Pu2 / wu, L - x2, L - x1);
    const double fromEnd = -combinedMomentFromStart(wu, Pu2, L - x2, Pu1, L - x1, ys);
    if (fromEnd > fromStart) {
        zeroShear = L - ys;
        return std::max(0.0, fromEnd);
    }
    zeroShear = xs;
    return std::max(0.0, fromStart);
}

namespace {

// The texts a row shows before its design: name, length, width, pedestal and net pressure.
void writeInputTexts(CombinedRow& row, const std::string& name) {
    row.texts.assign(combinedControlNames().size(), std::string());
    auto& t = row.texts;
    t[0] = name;
    t[1] = formatNumber(row.length);
    t[2] = formatNumber(row.width);
    t[4] = formatNumber(row.pedestal);
    t[5] = formatNumber(row.netPressure);
}

// Distance of the second column from the end beyond the first, m.
double secondColumnAt(const CombinedRow& row) {
    return double(row.cant1) + double(row.span);
}

// Why the row's width and projections cannot be designed about its pedestals ("" when they
// can).
std::string combinedSideProblem(const CombinedRow& row, const std::string& name) {
    const double L = row.length, B = row.width, a = row.pedestal;
    const double x1 = row.cant1, x2 = secondColumnAt(row);
    if (!(B > a) || !(x1 > a / 2) || !(L - x2 > a / 2))
        return slab::rowMessage(name, "the footing width " + formatNumber(row.width) +
                                          " m or a projection is not larger than the pedestal " +
                                          formatNumber(row.pedestal) + " m: not designed");
    if (!(B > 2 * section::kCoverToBarCentre))
        return slab::rowMessage(name,
                                "the footing width " + formatNumber(row.width) +
                                    " m leaves no room for bars within the covers: not designed");
    return {};
}

// The factored pressure lines and the moments along the length and across the width (IS 456
// 34.2.3.2: hogging between the columns, sagging at the column faces). Returns the cantilever
// of the bands across the width, m.
float combinedMoments(CombinedRow& row) {
    const double L = row.length, B = row.width, a = row.pedestal, q = row.netPressure;
    const double x1 = row.cant1, x2 = secondColumnAt(row);
    const double Pu[2] = {row.pu1, row.pu2};
    // The net upward pressure, factored, as a line load along the length (kN/m).
    row.wu = rounded(kLoadFactor * q * B, 2);
    // Between the columns the diagram is drawn with the pressure that balances the two column
    // loads: the largest corner pressure taken all along would carry more than the columns put
    // on the footing, and its diagram would not close (shears and moments that no load makes).
    row.wBal = rounded((Pu[0] + Pu[1]) / L, 2);
    double x0 = 0;
    row.top.mu = rounded(combinedHogging(row.wBal, Pu[0], x1, Pu[1], x2, L, x0), 2);
    row.zeroShear = rounded(x0, 3);
    const double face = std::max({x1 - a / 2, L - x2 - a / 2, 0.0});
    row.bottom.mu = rounded(double(row.wu) * face * face / 2, 2);
    // Across the width each column's load spreads over the width: the band's cantilever moment.
    const float ct = rounded((B - a) / 2, 2);
    for (int i = 0; i < 2; ++i)
        row.bands[static_cast<std::size_t>(i)].mu =
            rounded(Pu[i] / B * double(ct) * double(ct) / 2, 2);
    return ct;
}

// Mu/bd2 and pt of both faces and both bands at depth dd; true when no band passes Mu,lim.
bool flexurePasses(const Project& p, CombinedRow& row, double dd, float ct) {
    const int fck = p.concreteGrade, fy = p.steelGrade;
    const double L = row.length, B = row.width, a = row.pedestal;
    const double xc[2] = {row.cant1, secondColumnAt(row)};
    for (CombinedSteel* s : {&row.top, &row.bottom}) {
        s->muBd2 = rounded(double(s->mu) / B / dd / dd / 1000, 2);
        s->pt = slab::steelPercent(s->muBd2, fck, fy);
    }
    bool passes = true;
    for (int i = 0; i < 2; ++i) {
        CombinedBand& b = row.bands[static_cast<std::size_t>(i)];
        // The band: the pedestal and d each side, as far as the footing reaches.
        b.band = rounded(std::min(xc[i], a / 2 + dd) + std::min(L - xc[i], a / 2 + dd), 3);
        b.cant = ct;
        b.muBd2 = rounded(double(b.mu) / double(b.band) / dd / dd / 1000, 2);
        if (double(b.muBd2) > kMuLimFactor * fck) passes = false;
        b.pt = slab::steelPercent(b.muBd2, fck, fy);
    }
    return passes;
}

// One-way shear at d from each column face (IS 456 34.2.4.1(a)): the cantilever sides from
// their free ends, the sides between the columns from both ends' diagrams. The worst section
// goes to the row; true when it passes.
bool oneWayShearPasses(const Project& p, CombinedRow& row, double dd) {
    const double L = row.length, B = row.width, a = row.pedestal;
    const double x1 = row.cant1, x2 = secondColumnAt(row);
    const double wu = row.wu, wBal = row.wBal;
    row.V1 = 0;
    row.tauV = 0;
    row.tauC = 0;
    double worst = -1e30;
    const auto section = [&](double V, float pt) {
        V = std::max(0.0, V);
        const float V1 = rounded(V, 0);
        const float tv = rounded(double(V1) / B / dd * 1000 / 1000000, 2);
        float ptUsed = pt;
        const float tc = shearStrength(p, ptUsed);
        if (double(tv) - double(tc) > worst) {
            worst = double(tv) - double(tc);
            row.V1 = V1;
            row.tauV = tv;
            row.tauC = tc;
        }
    };
    const double s1 = x1 - a / 2 - dd;
    if (s1 > 0) section(wu * s1, row.bottom.pt);
    const double s4 = x2 + a / 2 + dd;
    if (s4 < L) section(wu * (L - s4), row.bottom.pt);
    for (double s : {x1 + a / 2 + dd, x2 - a / 2 - dd}) {
        if (!(s > x1 && s < x2)) continue;
        const double fromStart = std::abs(wBal * s - double(row.pu1));
        const double fromEnd = std::abs(wBal * (L - s) - double(row.pu2));
        section(std::max(fromStart, fromEnd), row.top.pt);
    }
    return !(worst > 0);
}

// Punching on the perimeter d/2 from each pedestal's faces (IS 456 31.6.1): the column load
// less the upward pressure inside it. True when both pass.
bool punchingPasses(int fck, CombinedRow& row, double dd) {
    const double a = row.pedestal, q = row.netPressure;
    const double Pu[2] = {row.pu1, row.pu2};
    const double side = a + dd;
    bool passes = true;
    for (int i = 0; i < 2; ++i) {
        CombinedBand& b = row.bands[static_cast<std::size_t>(i)];
        b.Vp = rounded(std::max(0.0, Pu[i] - kLoadFactor * q * side * side), 0);
        b.tauVp = rounded(double(b.Vp) * 1000 / (4 * side * dd) / 1000000, 2);
        b.tauCp = slab::punchingStrength(fck);
        if (b.tauCp < b.tauVp) passes = false;
    }
    return passes;
}

// The bars of both faces and both bands and the distribution steel at effective depth d, with
// the row's overall depth.
void combinedSteel(CombinedRow& row, float d) {
    const int dia = row.barDia;
    for (CombinedSteel* s : {&row.top, &row.bottom}) {
        s->ast = section::steelArea(s->pt, row.width, d);
        const section::Bars bars = section::bars(s->ast, dia, row.width, section::Rules::Design);
        s->bars = bars.nb;
        s->spacing = bars.spacing;
    }
    for (CombinedBand& b : row.bands) {
        b.ast = section::steelArea(b.pt, b.band, d);
        b.bars = std::max(2.0f, slab::barCount(b.ast, dia));
        b.spacing = toInt16(double(b.band) / (double(b.bars) - 1) * 1000, "band spacing");
    }
    row.depth = section::overallDepth(d);
    row.distAst = rounded(kDistributionShare * double(row.depth) * 1000 * 1000, 0);
    const double barArea = double(dia) * dia * 22 / 28;
    const double maxSpacing = std::min(5 * double(d) * 1000, kDistributionMaxSpacing);
    row.distSpacing = toInt16(intFloor(std::min(barArea / double(row.distAst) * 1000, maxSpacing)),
                              "distribution spacing");
}

// The texts of the designed row, in the order of combinedControlNames().
void writeResultTexts(CombinedRow& row) {
    auto& t = row.texts;
    t[3] = formatNumber(row.depth);
    t[6] = formatNumber(row.top.mu);
    t[7] = formatNumber(row.bottom.mu);
    t[8] = formatInt(row.barDia);
    t[9] = steelText(row.top);
    t[10] = formatNumber(row.top.bars);
    t[11] = formatInt(row.top.spacing);
    t[12] = steelText(row.bottom);
    t[13] = formatNumber(row.bottom.bars);
    t[14] = formatInt(row.bottom.spacing);
    t[15] = bandText(row.bands[0]);
    t[16] = bandText(row.bands[1]);
    t[17] = formatInt(row.distSpacing);
    t[18] = formatNumber(row.tauV);
    t[19] = formatNumber(row.tauC);
    t[20] = formatNumber(row.bands[0].tauVp) + " / " + formatNumber(row.bands[1].tauVp);
    t[21] = formatNumber(row.bands[0].tauCp);
}

} // namespace

std::string designCombinedRow(const Project& p, CombinedRow& row, const std::string& name) {
    row.designed = false;
    writeInputTexts(row, name);
    if (std::string problem = combinedSideProblem(row, name); !problem.empty()) return problem;

    const float ct = combinedMoments(row);
    float d = slab::userDepth(row.depth, slab::balancedDepth(std::max(row.top.mu, row.bottom.mu),
                                                             row.width, p.concreteGrade));
    const double limit =
        std::max({double(d), double(row.length), double(row.width)}) + slab::kBeyondSide;
    const bool gaveUp = slab::deepenUntilPassing(d, limit, [&](float dd) {
        const bool flexure = flexurePasses(p, row, dd, ct);
        const bool shear = oneWayShearPasses(p, row, dd);
        const bool punching = punchingPasses(p.concreteGrade, row, dd);
        return flexure && shear && punching;
    });

    combinedSteel(row, d);
    row.designed = true;
    writeResultTexts(row);
    return gaveUp ? slab::gaveUpMessage(name, row.depth) : std::string();
}

void designCombinedRows(Project& p, std::vector<std::string>& notes) {
    std::vector<CombinedRow> before = std::move(p.combinedRows);
    p.combinedRows.clear();
    const int last = p.lastCombined();
    for (int k = 1; k <= last; ++k) {
        int m1 = 0, m2 = 0;
        if (!complete(p, k, m1, m2)) continue;
        const CombinedRecord& rec = p.combinedFootings[static_cast<std::size_t>(k)];
        CombinedRow row;
        row.combined = k;
        row.length = rec.length;
        row.width = rec.width;
        row.cant1 = rec.cant1;
        row.cant2 = rec.cant2;
        row.span = rounded(std::abs(double(rec.span)) / 1000, 3);
        row.pedestal = pedestalForSize(std::min(rec.length, rec.width));
        row.barDia = kDefaultDia;
        slab::keepEdits(before, row, [k](const CombinedRow& old) { return old.combined == k; });
        governing(p, k, m1, m2, row);
        row.bands[0].footing = m1;
        row.bands[1].footing = m2;
        const std::string name = "C" + formatInt(k);
        slab::designNew(
            row, name,
            [&p](CombinedRow& r, const std::string& n) { return designCombinedRow(p, r, n); },
            notes);
        p.combinedRows.push_back(std::move(row));
    }
}

int combinedRowOf(const Project& p, int k) {
    for (std::size_t i = 0; i < p.combinedRows.size(); ++i)
        if (p.combinedRows[i].combined == k) return static_cast<int>(i) + 1;
    return 0;
}

namespace {

constexpr slab::EditedRows<CombinedRow> kCombinedRows{
    &Project::combinedRows,
    [](const CombinedRow& row, int) { return "C" + formatInt(row.combined); },
    designCombinedRow,
    combinedControlNames,
    [](const CombinedRow& row) { return row.width; },
};

} // namespace

std::vector<std::string> editCombinedDepth(Project& p, int n, const std::string& text,
                                           Prompts* prompts) {
    return slab::editDepth(p, kCombinedRows, n, text, prompts);
}

std::vector<std::string> editCombinedPedestal(Project& p, int n, const std::string& text,
                                              Prompts* prompts) {
    return slab::editPedestal(p, kCombinedRows, n, text, prompts);
}

std::vector<std::string> clickCombinedDiameter(Project& p, int n, Prompts* prompts) {
    return slab::clickDiameter(p, kCombinedRows, n, prompts);
}

} // namespace ormevak
