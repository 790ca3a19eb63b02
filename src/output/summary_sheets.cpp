// The sheets with headings that open the workbook.
#include "output/summary_sheets.h"

#include <cmath>
#include <string>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "drawing/quantities.h"
#include "model/load_factors.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

std::string num(double v, int decimals) {
    return formatNumber(static_cast<float>(roundTo(v, decimals)));
}

void row(Sheet& s, int r, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c)
        if (!cells[c].empty()) s.cells[{r, static_cast<int>(c) + 1}] = cells[c];
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string stateName(const Project& p, int f) {
    const FootingRecord& r = p.footings[static_cast<size_t>(f)];
    if (r.isGrouped()) return "grouped";
    if (r.isResized()) return "resized";
    if (r.isDisabled()) return "disabled";
    if (r.isCombined()) return "combined";
    return formatInt(r.state);
}

} // namespace

bool worstCornerPressure(const Project& project, int f, double& pressure, int& caseNumber) {
    const FootingRecord& r = project.footings.at(static_cast<size_t>(f));
    const double L = r.lenL, W = r.widB;
    if (L <= 0 || W <= 0) return false;
    bool first = true;
    for (int c = 0; c <= project.loadCaseCount; ++c) {
        const double P = project.reaction(f, c, reaction::ForceY);
        const double mx = std::abs(static_cast<double>(project.reaction(f, c, reaction::MomX)));
        const double mz = std::abs(static_cast<double>(project.reaction(f, c, reaction::MomZ)));
        const double q =
            kSoilLoadFactor * P / (L * W) + 6 * mx / (L * W * W) + 6 * mz / (L * L * W);
        if (first || q > pressure) {
            pressure = q;
            caseNumber = static_cast<int>(project.reaction(f, c, reaction::CaseNo));
            first = false;
        }
    }
    return !first;
}

Sheet summarySheet(const Project& p) {
    Sheet s;
    s.name = "Summary";
    s.headingRows = 1;
    s.columnWidths = {34, 22, 10};
    row(s, 1, {"Item", "Value", "Unit"});
    int built = 0, disabled = 0, grouped = 0, resized = 0;
    for (int f = 1; f <= p.footingCount; ++f) {
        const FootingRecord& r = p.footings[static_cast<size_t>(f)];
        if (r.isDisabled()) {
            ++disabled;
            continue;
        }
        ++built;
        if (r.isGrouped()) ++grouped;
        if (r.isResized()) ++resized;
    }
    int combined = 0;
    for (int k = 1; k <= p.combinedCount; ++k)
        if (!drawing::footingMark(p, p.combinedFootings[static_cast<size_t>(k)].members[1]).empty())
            ++combined;
    const Quantities q = computeQuantities(p);
    const CheckCounts checks = countChecks(runChecks(p));
    int r = 2;
    auto item = [&](const std::string& what, const std::string& value, const std::string& unit) {
        row(s, r++, {what, value, unit});
    };
    item("Project", baseName(p.analysisFilePath), "");
    item("Analysis file", p.analysisFilePath, "");
    item("Safe bearing capacity (first case)", formatNumber(p.allowableBearing[0]), "kN/m2");
    item("Allowable bearing (later cases)", formatNumber(p.allowableBearing[1]), "kN/m2");
    item("Depth of foundation", num(foundationDepth(p), 3), "m");
    item("Earth pressure", formatNumber(p.earthPressure), "kN/m2");
    item("Concrete grade fck", formatInt(p.concreteGrade), "N/mm2");
    item("Steel grade fy", formatInt(p.steelGrade), "N/mm2");
    item("Load cases", formatInt(p.loadCaseCount + 1), "");
    item("Supports", formatInt(p.footingCount), "");
    item("Footings built", formatInt(built), "");
    item("Grouped footings", formatInt(grouped), "");
    item("Resized footings", formatInt(resized), "");
    item("Combined footings", formatInt(combined), "");
    item("Disabled footings (not built)", formatInt(disabled), "");
    item("Schedule rows", formatInt(static_cast<long long>(q.rows.size())), "");
    item("Design check errors", formatInt(checks.errors), "");
    item("Design check warnings", formatInt(checks.warnings), "");
    item("Concrete of footings", num(q.total.footingConcrete, 3), "m3");
    item("Concrete of pedestals", num(q.total.pedestalConcrete, 3), "m3");
    item("Concrete, total", num(q.total.concrete, 3), "m3");
    item("Reinforcement", num(q.total.steel, 1), "kg");
    item("Excavation", num(q.total.excavation, 3), "m3");
    item("Levelling course", num(q.total.levelling, 3), "m3");
    return s;
}

namespace {

// The steel of an R row beside the square rows' columns: each direction, and the short
// direction's central band and end strips as the schedule shows them.
void rectSteel(std::vector<std::string>& cells, const RowQuantities& x, const RectRow& r) {
    if (!x.designed) return;
    const auto text = [&r](size_t i) { return i < r.texts.size() ? r.texts[i] : std::string(); };
    cells[16] = formatInt(x.barsAlongL);
    cells[17] = formatInt(x.spacing);
    cells[18] = formatInt(x.barsAlongB);
    cells[19] = formatInt(x.spacingB);
    cells[20] = text(27); // central band
    cells[21] = text(28); // end strips
}

// The steel of a C row: longitudinal top and bottom bars, the transverse band under each
// column, the distribution bars between the bands.
void combinedSteel(std::vector<std::string>& cells, const RowQuantities& x, const CombinedRow& c) {
    cells[22] = formatInt(x.pedestals);
    if (!x.designed) return;
    cells[23] = formatInt(x.topBars);
    cells[24] = formatInt(x.topSpacing);
    cells[25] = formatInt(x.bottomBars);
    cells[26] = formatInt(x.bottomSpacing);
    for (size_t i = 0; i < 2; ++i) {
        const CombinedBand& b = c.bands[i];
        cells[27 + 3 * i] = formatNumber(b.bars);
        cells[28 + 3 * i] = num(b.band, 3);
        cells[29 + 3 * i] = formatInt(b.spacing);
    }
    cells[33] = formatInt(x.distBars);
    cells[34] = formatInt(x.distSpacing);
}

} // namespace

Sheet scheduleSheet(const Project& p) {
    Sheet s;
    s.name = "Schedule";
    s.headingRows = 2;
    s.columnWidths = {8,  8,  9,  9,  9,  10, 10, 9, 9, 9,  12, 12, 12, 12, 12, 12, 10, 10,
                      10, 10, 14, 14, 10, 9,  9,  9, 9, 11, 11, 11, 11, 11, 11, 12, 12};
    // Columns 1-16 hold every row; an R row's bars go in 17-22 (they differ by direction), a
    // C row's in 23-35 (longitudinal and transverse).
    row(s, 1,
        {"Row",
         "Count",
         "L",
         "B",
         "D",
         "Pedestal",
         "Pedestal height",
         "Bar dia",
         "Bars each way",
         "Spacing",
         "Concrete each",
         "Steel each",
         "Concrete",
         "Steel",
         "Excavation",
         "Levelling",
         "Bars along L",
         "Spacing along L",
         "Bars along B",
         "Spacing along B",
         "Central band (short side)",
         "End strips (short side)",
         "Pedestals",
         "Top bars",
         "Top spacing",
         "Bottom bars",
         "Bottom spacing",
         "Column 1 band bars",
         "Column 1 band",
         "Column 1 band spacing",
         "Column 2 band bars",
         "Column 2 band",
         "Column 2 band spacing",
         "Distribution bars",
         "Distribution spacing"});
    row(s, 2, {"",   "",   "m",  "m",  "m", "m",  "m", "mm", "",          "mm",        "m3", "kg",
               "m3", "kg", "m3", "m3", "",  "mm", "",  "mm", "bars @ mm", "bars @ mm", "",   "",
               "mm", "",   "mm", "",   "m", "mm", "",  "m",  "mm",        "",          "mm"});
    const Quantities q = computeQuantities(p);
    int r = 3;
    size_t rect = 0, combined = 0;
    for (const RowQuantities& x : q.rows) {
        std::vector<std::string> cells = {
            x.row,
            formatInt(x.count),
            num(x.lenL, 3),
            num(x.widB, 3),
            num(x.depth, 3),
            num(x.pedestal, 3),
            num(x.pedestalHeight, 3),
            formatInt(x.barDia),
            x.barsEachWay > 0 ? formatInt(x.barsEachWay) : "",
            x.kind == RowKind::Square && x.spacing > 0 ? formatInt(x.spacing) : "",
            num(x.each.concrete, 3),
            num(x.each.steel, 1),
            num(x.total.concrete, 3),
            num(x.total.steel, 1),
            num(x.total.excavation, 3),
            num(x.total.levelling, 3)};
        cells.resize(35);
        if (x.kind == RowKind::Rect && rect < p.rectRows.size())
            rectSteel(cells, x, p.rectRows[rect++]);
        else if (x.kind == RowKind::Combined && combined < p.combinedRows.size())
            combinedSteel(cells, x, p.combinedRows[combined++]);
        row(s, r++, cells);
    }
    row(s, r,
        {"Total", "", "", "", "", "", "", "", "", "", "", "", num(q.total.concrete, 3),
         num(q.total.steel, 1), num(q.total.excavation, 3), num(q.total.levelling, 3)});
    return s;
}

Sheet footingsSheet(const Project& p) {
    Sheet s;
    s.name = "Footings";
    s.headingRows = 2;
    s.columnWidths = {9, 8, 10, 10, 10, 8, 8, 8, 15, 14};
    row(s, 1,
        {"Footing", "Joint", "X", "Z", "State", "Mark", "L", "B", "Worst pressure",
         "Governing case"});
    row(s, 2, {"", "", "mm", "mm", "", "", "m", "m", "kN/m2", ""});
    for (int f = 1; f <= p.footingCount; ++f) {
        const FootingRecord& r = p.footings[static_cast<size_t>(f)];
        std::vector<std::string> cells = {formatInt(f),    formatInt(r.jointNo),
                                          formatInt(r.x),  formatInt(r.z),
                                          stateName(p, f), drawing::footingMark(p, f)};
        if (r.isDisabled()) {
            row(s, f + 2, cells); // not built: no size and no pressure
            continue;
        }
        if (r.isCombined() && r.combinedIndex() <= p.combinedCount) {
            // The combined footing's outline, its length along the line of the columns.
            const CombinedRecord& c = p.combinedFootings.at(static_cast<size_t>(r.combinedIndex()));
            cells.push_back(num(c.length, 2));
            cells.push_back(num(c.width, 2));
            row(s, f + 2, cells);
            continue;
        }
        cells.push_back(formatNumber(r.lenL));
        cells.push_back(formatNumber(r.widB));
        double q = 0;
        int governing = 0;
        if (worstCornerPressure(p, f, q, governing)) {
            cells.push_back(num(q, 2));
            cells.push_back(formatInt(governing));
        }
        row(s, f + 2, cells);
    }
    return s;
}

std::vector<Sheet> summarySheets(const Project& project) {
    return {summarySheet(project), scheduleSheet(project), footingsSheet(project)};
}

} // namespace ormevak
