// Isolated footing design of the ticked size groups into the schedule rows.
#include "design/design.h"

#include <algorithm>
#include <cmath>

#include "design/combined_design.h"
#include "design/rect_design.h"
#include "design/section.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

float rounded(double x, int decimals) {
    return static_cast<float>(roundTo(x, decimals));
}

// Governing net upward pressure of group g over its grouped footings and every load case;
// sets govFooting and govCase of `row` only when some footing gives a pressure above 0.
float governingPressure(const Project& p, int g, GroupRecord& row) {
    const float L = row.size;
    float qmax = 0;
    // Footings 1 up to the support count that the reaction table holds in (0, 0, 0); every
    // support has its footing and its row of reactions.
    const int last =
        p.supportReaction.empty()
            ? 0
            : lastRow(p.supportCount(), std::min(p.footings.size(), p.supportReaction.size()));
    const int lastCase = std::min(p.loadCaseCount, cap::casesPerSupport - 1);
    for (int f = 1; f <= last; ++f) {
        const FootingRecord& fr = p.footings[static_cast<std::size_t>(f)];
        if (fr.groupIndex != g || !fr.isGrouped()) continue;
        for (int k = 0; k <= lastCase; ++k) {
            const double FY = p.designFy(f, k);
            const double MX = p.reaction(f, k, reaction::MomX);
            const double MZ = p.reaction(f, k, reaction::MomZ);
            const auto pressure =
                static_cast<float>((std::abs(MX) + std::abs(MZ)) * 6 / L / L / L + FY / L / L);
            if (qmax < pressure) {
                qmax = pressure;
                row.govFooting = f;
                row.govCase = k;
            }
        }
    }
    return qmax;
}

// Whether group g still has an isolated footing of its own: footings later combined or
// disabled leave their group's member list as it was until the next assignment.
bool hasIsolatedMember(const Project& p, int g) {
    const int last = p.lastFooting();
    for (int f = 1; f <= last; ++f) {
        const FootingRecord& fr = p.footings[static_cast<std::size_t>(f)];
        if (fr.groupIndex == g && fr.isGrouped()) return true;
    }
    return false;
}

} // namespace

const std::array<const char*, 20>& scheduleControlNames() {
    static const std::array<const char*, 20> names = {
        "LabF1",  "LabNos",   "LabSize", "TxtDepth", "TxtPeda", "LabNetP", "LabCant",
        "LabMu",  "LabMuBdd", "LabPt",   "LabAst",   "LabGdia", "LabRods", "LabSpace",
        "LabSF1", "LabSS1",   "LabPS1",  "LabSF2",   "LabSS2",  "LabPS2"};
    return names;
}

const std::array<const char*, 20>& scheduleHeadings() {
    static const std::array<const char*, 20> headings = {
        "GRP", "NO's", "Size", "Depth", "Peda", "NetP", "CantL", "Mu",   "Mu/Bdd", "Pt",
        "Ast", "Dia",  "Rods", "Space", "1-SF", "1-SS", "1-PS",  "2-SF", "2-SS",   "2-PS"};
    return headings;
}

namespace {

// Schedule row n from size group g: the group's members and side, its governing pressure, and
// the depth, steel and texts of the design, or the refused texts when the side cannot take the
// pedestal. A RangeError leaves the row half filled for the caller to drop.
void designSquareRow(Project& p, int g, int n, std::vector<std::string>& notes) {
    const GroupRecord& group = p.groups[static_cast<std::size_t>(g)];
    const auto slot = static_cast<std::size_t>(n);
    if (p.designRows.size() <= slot) p.designRows.resize(slot + 1);
    if (p.designRowTexts.size() <= slot) p.designRowTexts.resize(slot + 1);
    p.designRowTexts[slot] = RowTexts{};

    // The row keeps its earlier govFooting and govCase when no footing governs.
    GroupRecord& row = p.designRows[slot];
    row.size = group.size;
    row.nosCount = group.nosCount;
    row.footingNos.assign(group.footingNos.begin(),
                          group.footingNos.begin() + group.lastMember() + 1);
    row.pedestal = group.pedestal;
    const float L = row.size;
    const float a = row.pedestal;

    const float qmax = governingPressure(p, g, row);
    const float q = rounded(double(qmax) + 0.49, 0);
    row.netPressure = q;

    RowTexts& t = p.designRowTexts[slot];
    if (std::string problem = section::sideProblem(n, L, a); !problem.empty()) {
        // The row stays, so that its pedestal can be edited; nothing computed is shown.
        notes.push_back(problem);
        row.depth = 0;
        row.barDia = group.barDia;
        section::writeRefusedTexts(t, n, row);
        return;
    }

    const section::Bending b = section::bending(L, a, q, p.concreteGrade);
    const section::Checks k =
        section::depthLoop(p, L, a, q, b.c, b.Mu, b.d, section::Rules::Design);
    const float Ast = section::steelArea(k.pt, L, k.d);
    const float D = section::overallDepth(k.d);
    row.depth = D;
    const int dia = group.barDia;
    row.barDia = dia;
    const section::Bars bars = section::bars(Ast, dia, L, section::Rules::Design);
    if (k.gaveUp) notes.push_back(section::gaveUpMessage(n, D));

    t[col::LabNos] = formatInt(row.nosCount);
    t[col::LabSize] = formatNumber(L);
    t[col::LabNetP] = formatNumber(q);
    section::writeResultTexts(t, n, D, a, b, k, Ast, dia, bars, section::Rules::Design);
}

} // namespace

std::vector<std::string> designFootings(Project& p) {
    std::vector<std::string> notes;
    p.designRowCount = 0;
    // Rows beyond the new count are kept, not dropped: a row that no footing governs keeps the
    // govFooting and govCase it held from an earlier run.
    const auto finish = [&p] {
        const auto rows = static_cast<std::size_t>(p.designRowCount) + 1;
        if (p.designRows.size() < rows) p.designRows.resize(rows);
        if (p.designRowTexts.size() < p.designRows.size())
            p.designRowTexts.resize(p.designRows.size());
    };
    if (std::string problem = section::gradeProblem(p, "nothing designed"); !problem.empty()) {
        notes.push_back(problem);
        finish();
        return notes;
    }
    const int lastGroup = p.lastGroup();
    for (int g = 1; g <= lastGroup; ++g) {
        const GroupRecord& group = p.groups[static_cast<std::size_t>(g)];
        const bool ticked = g < static_cast<int>(p.groupEnabled.size()) &&
                            p.groupEnabled[static_cast<std::size_t>(g)] != 0;
        if (group.nosCount < 1 || !ticked || !hasIsolatedMember(p, g)) continue;

        const int n = ++p.designRowCount;
        try {
            designSquareRow(p, g, n, notes);
        } catch (const RangeError& e) {
            // An overflow ends the design as it stands: the rows already written stay, the
            // row that overflowed is dropped rather than shown half filled.
            notes.push_back("Schedule row F" + formatInt(n) + ": " + e.what() +
                            "; the design stopped there");
            --p.designRowCount;
            break;
        }
    }
    finish();
    return notes;
}

void designOtherFootings(Project& p, std::vector<std::string>& notes) {
    // A missing grade was told once by the square rows' design.
    if (!section::gradeProblem(p, {}).empty()) {
        p.rectRows.clear();
        p.combinedRows.clear();
        return;
    }
    designRectRows(p, notes);
    designCombinedRows(p, notes);
}

bool runDesign(Project& p, Prompts& prompts) {
    std::vector<std::string> notes = designFootings(p);
    designOtherFootings(p, notes);
    for (const std::string& note : notes) prompts.inform(note);
    return section::gradeProblem(p, {}).empty();
}

} // namespace ormevak
