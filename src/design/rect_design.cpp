// Rectangular isolated footings: the square rows' arithmetic about both faces of the pedestal.
#include "design/rect_design.h"

#include <algorithm>
#include <cmath>

#include "design/section.h"
#include "design/shear_table.h"
#include "model/marks.h"
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

// Bar diameter of a new R row whose footing belongs to no group: the groups' default.
constexpr int kDefaultDia = 10;

// Moment and cantilever about one face: the bars run along `side`, the section is `width` wide.
void faceMoment(RectDirection& dir, float side, float width, float a, float q) {
    dir.cant = rounded((double(side) - double(a)) / 2, 2);
    // IS 456 34.2.3.1: moment of the pressure beyond the face, over the full width.
    dir.mu = rounded(
        double(dir.cant) * (double(q) * kLoadFactor * double(width) * double(dir.cant)) / 2, 2);
}

// One pass at depth d in one direction: Mu/bd2, pt, and the one-way shear at d from the face
// (IS 456 34.2.4.1(a), tau-c from Table 19). True when the shear passes.
bool directionPass(const Project& p, RectDirection& dir, float width, float q, float d) {
    dir.muBd2 = rounded(double(dir.mu) / double(width) / double(d) / double(d) / 1000, 2);
    dir.pt = slab::steelPercent(dir.muBd2, p.concreteGrade, p.steelGrade);
    dir.V1 = rounded((double(dir.cant) - double(d)) * (double(q) * kLoadFactor) * double(width), 0);
    if (!(dir.V1 > 0)) dir.V1 = 0; // the section lies beyond the edge
    dir.tauV = rounded(double(dir.V1) / double(width) / double(d) * 1000 / 1000000, 2);
    dir.tauC = shearStrength(p, dir.pt);
    return !(dir.tauC < dir.tauV);
}

// Steel and bars of one direction: `across` is the side the bars are spread over.
void directionSteel(RectDirection& dir, float width, float d, int dia, float across) {
    dir.ast = section::steelArea(dir.pt, width, d);
    const section::Bars b = section::bars(dir.ast, dia, across, section::Rules::Design);
    dir.bars = b.nb;
    dir.spacing = b.spacing;
    dir.bandAst = dir.ast;
    dir.bandBars = static_cast<int32_t>(b.nb);
    dir.endBars = 0;
    dir.bandSpacing = b.spacing;
    dir.endSpacing = 0;
}

// The short direction's steel split into the central band (width = short side) and the two end
// strips of the long side (IS 456 34.3.1(b)). A square footing keeps every bar in the band.
void centralBand(RectDirection& dir, int dia, float longSide, float shortSide) {
    if (!(longSide > shortSide)) return;
    // End strips within the 60 mm cover have no room for a bar of their own (a footing a few
    // millimetres off square): the bars stay spread evenly, as in a square footing.
    if (!((double(longSide) - double(shortSide)) / 2 > section::kCoverToBarCentre)) return;
    const double share = centralBandShare(longSide, shortSide);
    dir.bandAst = rounded(double(dir.ast) * share, 0);
    float band = slab::barCount(dir.bandAst, dia);
    if (band < 2) band = 2;
    float ends = slab::barCount(double(dir.ast) - double(dir.bandAst), dia);
    // Both end strips carry the same bars, at least one each.
    if (ends < 2) ends = 2;
    if (static_cast<long long>(ends) % 2 != 0) ends += 1;
    dir.bandBars = static_cast<int32_t>(band);
    dir.endBars = static_cast<int32_t>(ends);
    dir.bars = band + ends;
    // Band bars stand in the middle of equal cells of the band; each end strip has its outer bar
    // 60 mm in from the edge and one spacing between its inner bar and the band.
    dir.bandSpacing = toInt16(double(shortSide) / double(band) * 1000, "band spacing");
    const double strip = (double(longSide) - double(shortSide)) / 2;
    dir.endSpacing = toInt16((strip - section::kCoverToBarCentre) / (double(ends) / 2) * 1000,
                             "end strip spacing");
    dir.spacing = dir.bandSpacing;
}

void writeDirection(std::vector<std::string>& t, std::size_t at, const RectDirection& d) {
    t[at + 0] = formatNumber(d.cant);
    t[at + 1] = formatNumber(d.mu);
    t[at + 2] = formatNumber(d.muBd2);
    t[at + 3] = formatNumber(d.pt);
    t[at + 4] = formatNumber(d.ast);
}

std::string bandText(const RectDirection& d) {
    return formatInt(d.bandBars) + " @ " + formatInt(d.bandSpacing);
}
std::string endText(const RectDirection& d) {
    if (d.endBars == 0) return "-";
    return formatInt(d.endBars / 2) + "+" + formatInt(d.endBars / 2) + " @ " +
           formatInt(d.endSpacing);
}

} // namespace

namespace slab {

int nextDiameter(int dia) {
    switch (dia) {
    case 10:
        return 12;
    case 12:
        return 16;
    case 16:
        return 20;
    case 20:
        return 10;
    default:
        return dia;
    }
}

float steelPercent(float MuBd2, int fck, int fy) {
    // Annex G-1.1(b): pt = 50 fck/fy (1 - sqrt(1 - 4.6 Mu/(fck b d2))).
    double R = single(1 - double(MuBd2) * 4.6 / fck);
    if (R < 0) R = 0;
    float pt = rounded((1 - std::sqrt(R)) / fy * fck * 50, 2);
    // The least steel of the square rows (0.2 %), above the 0.12 % of IS 456 26.5.2.1.
    if (pt < 0.2f) pt = 0.2f;
    return pt;
}

float balancedDepth(float Mu, float width, int fck) {
    // Annex G-1.1(c): Mu,lim = 0.138 fck b d2 for Fe 415.
    const float d0 = rounded(std::sqrt(double(Mu) / 0.138 / fck / double(width) / 1000), 2);
    const float m = rounded((double(d0) * 1000 + 60) / 50 + 0.49, 0);
    float d = rounded((double(m) * 50 - 60) / 1000, 2);
    if (d < 0.19f) d = 0.19f;
    return d;
}

bool typedValue(const std::string& text, float& value) {
    if (!isNumericText(text)) return false;
    value = static_cast<float>(readNumber(text));
    return std::isfinite(value);
}

std::string rowMessage(const std::string& name, const std::string& what) {
    return "Schedule row " + name + ": " + what;
}

std::string gaveUpMessage(const std::string& name, float depth) {
    return rowMessage(name, "shear still fails at a depth of " + formatNumber(depth) +
                                " m; the depth search stopped there");
}

float barCount(double ast, int dia) {
    // The bar area as the square rows take it: 22/28 dia2.
    return single(intFloor(ast / dia / dia * 28 / 22 + 0.49));
}

float punchingStrength(int fck) {
    return rounded(std::sqrt(double(fck)) / 4, 2);
}

float userDepth(float depth, float d) {
    if (depth > 0 && !(single(double(depth) - 0.06) < d)) return single(double(depth) - 0.06);
    return d;
}

} // namespace slab

const std::vector<const char*>& rectControlNames() {
    static const std::vector<const char*> names = {
        "LabF1",  "LabNos",    "LabSize", "TxtDepth", "TxtPeda",  "LabNetP",   "LabCant",
        "LabMu",  "LabMuBdd",  "LabPt",   "LabAst",   "LabGdia",  "LabRods",   "LabSpace",
        "LabSF1", "LabSS1",    "LabPS1",  "LabSF2",   "LabSS2",   "LabPS2",    "LabCantB",
        "LabMuB", "LabMuBddB", "LabPtB",  "LabAstB",  "LabRodsB", "LabSpaceB", "LabBand",
        "LabEnd", "LabSF1B",   "LabSS1B", "LabPS1B"};
    return names;
}

const std::vector<const char*>& rectHeadings() {
    static const std::vector<const char*> headings = {
        "GRP",    "NO's",  "Size",   "Depth", "Peda",  "NetP",  "CantL",   "Mu",
        "Mu/Bdd", "Pt",    "Ast",    "Dia",   "Rods",  "Space", "1-SF",    "1-SS",
        "1-PS",   "2-SF",  "2-SS",   "2-PS",  "CantB", "MuB",   "Mu/BddB", "PtB",
        "AstB",   "RodsB", "SpaceB", "Band",  "End",   "1-SFB", "1-SSB",   "1-PSB"};
    return headings;
}

double centralBandShare(double longSide, double shortSide) {
    const double beta = longSide / shortSide;
    return 2 / (beta + 1);
}

float rectCornerPressure(const Project& p, int f, float L, float B, int& caseOut) {
    float qmax = 0;
    if (f < 1 || f >= static_cast<int>(p.supportReaction.size())) return qmax;
    const int lastCase = std::min(p.loadCaseCount, cap::casesPerSupport - 1);
    for (int k = 0; k <= lastCase; ++k) {
        const double FY = p.designFy(f, k);
        const double MX = p.reaction(f, k, reaction::MomX);
        const double MZ = p.reaction(f, k, reaction::MomZ);
        // IS 456 34.1.3 with the largest corner: P/A + M/Z about both axes.
        const auto pressure = single(FY / (double(L) * B) + 6 * std::abs(MZ) / (double(B) * L * L) +
                                     6 * std::abs(MX) / (double(L) * B * B));
        if (qmax < pressure) {
            qmax = pressure;
            caseOut = k;
        }
    }
    return qmax;
}

namespace {

// The texts a row shows before its design: name, count, size, pedestal and net pressure.
void writeInputTexts(RectRow& row, const std::string& name) {
    row.texts.assign(rectControlNames().size(), std::string());
    auto& t = row.texts;
    t[0] = name;
    t[1] = "1";
    t[2] = sizeCaption(row.lenL, row.widB);
    t[4] = formatNumber(row.pedestal);
    t[5] = formatNumber(row.netPressure);
}

// Why the row's sides cannot be designed about its pedestal ("" when they can).
std::string rectSideProblem(const RectRow& row, const std::string& name) {
    const float shorter = std::min(row.lenL, row.widB);
    if (!(shorter > row.pedestal))
        return slab::rowMessage(name, "the footing side " + formatNumber(shorter) +
                                          " m is not larger than the pedestal " +
                                          formatNumber(row.pedestal) + " m: not designed");
    if (!(double(shorter) > 2 * section::kCoverToBarCentre))
        return slab::rowMessage(name,
                                "the footing side " + formatNumber(shorter) +
                                    " m leaves no room for bars within the covers: not designed");
    return {};
}

// IS 456 31.6.1: punching on the perimeter d/2 from the pedestal faces. True when it passes.
bool punchingPasses(RectRow& row, int fck, float d) {
    const float L = row.lenL, B = row.widB, a = row.pedestal, q = row.netPressure;
    const double side = double(a) + double(d);
    row.V2 = rounded((double(L) * double(B) - side * side) * (double(q) * kLoadFactor) + 0.49, 0);
    if (!(row.V2 > 0)) row.V2 = 0;
    row.tauVp =
        rounded(double(row.V2) * 1000 / (4 * (double(a) + double(d)) * double(d)) / 1000000, 2);
    row.tauCp = slab::punchingStrength(fck);
    return !(row.tauCp < row.tauVp);
}

// The steel of both directions at effective depth d, the short one split by the band rule.
void rectSteel(RectRow& row, float d) {
    const float L = row.lenL, B = row.widB;
    const int dia = row.barDia;
    directionSteel(row.alongL, B, d, dia, B);
    directionSteel(row.alongB, L, d, dia, L);
    if (L > B)
        centralBand(row.alongB, dia, L, B);
    else if (B > L)
        centralBand(row.alongL, dia, B, L);
}

// The texts of the designed row, in the order of rectControlNames().
void writeResultTexts(RectRow& row) {
    auto& t = row.texts;
    const RectDirection& shortDir = row.lenL > row.widB ? row.alongB : row.alongL;
    t[3] = formatNumber(row.depth);
    writeDirection(t, 6, row.alongL);
    t[11] = formatInt(row.barDia);
    t[12] = formatNumber(row.alongL.bars);
    t[13] = formatInt(row.alongL.spacing);
    t[14] = formatNumber(row.alongL.V1);
    t[15] = formatNumber(row.alongL.tauV);
    t[16] = formatNumber(row.alongL.tauC);
    t[17] = formatNumber(row.V2);
    t[18] = formatNumber(row.tauVp);
    t[19] = formatNumber(row.tauCp);
    writeDirection(t, 20, row.alongB);
    t[25] = formatNumber(row.alongB.bars);
    t[26] = formatInt(row.alongB.spacing);
    t[27] = bandText(shortDir);
    t[28] = endText(shortDir);
    t[29] = formatNumber(row.alongB.V1);
    t[30] = formatNumber(row.alongB.tauV);
    t[31] = formatNumber(row.alongB.tauC);
}

} // namespace

std::string designRectRow(const Project& p, RectRow& row, const std::string& name) {
    row.designed = false;
    writeInputTexts(row, name);
    if (std::string problem = rectSideProblem(row, name); !problem.empty()) return problem;

    const float L = row.lenL, B = row.widB, a = row.pedestal, q = row.netPressure;
    const int fck = p.concreteGrade;
    // Bars along L resist the moment about the face across L, over the width B; and so on.
    faceMoment(row.alongL, L, B, a, q);
    faceMoment(row.alongB, B, L, a, q);
    float d = slab::userDepth(row.depth, std::max(slab::balancedDepth(row.alongL.mu, B, fck),
                                                  slab::balancedDepth(row.alongB.mu, L, fck)));
    const double limit = std::max({double(d), double(L), double(B)}) + slab::kBeyondSide;
    const bool gaveUp = slab::deepenUntilPassing(d, limit, [&](float dd) {
        const bool passL = directionPass(p, row.alongL, B, q, dd);
        const bool passB = directionPass(p, row.alongB, L, q, dd);
        return passL && passB && punchingPasses(row, fck, dd);
    });

    rectSteel(row, d);
    row.depth = section::overallDepth(d);
    row.designed = true;
    writeResultTexts(row);
    return gaveUp ? slab::gaveUpMessage(name, row.depth) : std::string();
}

void designRectRows(Project& p, std::vector<std::string>& notes) {
    std::vector<RectRow> before = std::move(p.rectRows);
    p.rectRows.clear();
    for (int f = 1; p.hasFootingLoads(f); ++f) {
        const FootingRecord& fr = p.footings[static_cast<std::size_t>(f)];
        if (!fr.isResized()) continue;
        RectRow row;
        row.footing = f;
        row.lenL = fr.lenL;
        row.widB = fr.widB;
        row.pedestal = pedestalForSize(std::min(fr.lenL, fr.widB));
        const bool grouped =
            fr.groupIndex >= 1 && fr.groupIndex < static_cast<int>(p.groups.size());
        row.barDia =
            grouped ? p.groups[static_cast<std::size_t>(fr.groupIndex)].barDia : kDefaultDia;
        if (row.barDia <= 0) row.barDia = kDefaultDia;
        slab::keepEdits(before, row, [f](const RectRow& old) { return old.footing == f; });
        row.netPressure =
            rounded(double(rectCornerPressure(p, f, row.lenL, row.widB, row.govCase)) + 0.49, 0);
        const std::string name = "R" + formatInt(static_cast<long long>(p.rectRows.size()) + 1);
        slab::designNew(
            row, name, [&p](RectRow& r, const std::string& n) { return designRectRow(p, r, n); },
            notes);
        p.rectRows.push_back(std::move(row));
    }
}

namespace {

constexpr slab::EditedRows<RectRow> kRectRows{
    &Project::rectRows,
    [](const RectRow&, int n) { return "R" + formatInt(n); },
    designRectRow,
    rectControlNames,
    [](const RectRow& row) { return std::min(row.lenL, row.widB); },
};

} // namespace

std::vector<std::string> editRectDepth(Project& p, int n, const std::string& text,
                                       Prompts* prompts) {
    return slab::editDepth(p, kRectRows, n, text, prompts);
}

std::vector<std::string> editRectPedestal(Project& p, int n, const std::string& text,
                                          Prompts* prompts) {
    return slab::editPedestal(p, kRectRows, n, text, prompts);
}

std::vector<std::string> clickRectDiameter(Project& p, int n, Prompts* prompts) {
    return slab::clickDiameter(p, kRectRows, n, prompts);
}

} // namespace ormevak
