// The sheets with headings that open the workbook.
#include "output/summary_sheets.h"

#include <cmath>
#include <string>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "drawing/quantities.h"
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
    const int state = p.footings[static_cast<size_t>(f)].state;
    if (state == 0) return "grouped";
    if (state == -1) return "resized";
    if (state == -100) return "disabled";
    if (state > 0) return "combined";
    return formatInt(state);
}

} // namespace

bool worstCornerPressure(const Project& project, int f, double& pressure, int& caseNumber) {
    const FootingRecord& r = project.footings.at(static_cast<size_t>(f));
    const double L = r.lenL, W = r.widB;
    if (L <= 0 || W <= 0) return false;
    bool first = true;
    for (int c = 0; c <= project.loadCaseCount; ++c) {
        const double P = project.reaction(f, c, 2);
        const double mx = std::abs(static_cast<double>(project.reaction(f, c, 3)));
        const double mz = std::abs(static_cast<double>(project.reaction(f, c, 4)));
        const double q = 1.1 * P / (L * W) + 6 * mx / (L * W * W) + 6 * mz / (L * L * W);
        if (first || q > pressure) {
            pressure = q;
            caseNumber = static_cast<int>(project.reaction(f, c, 1));
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
        const int state = p.footings[static_cast<size_t>(f)].state;
        if (state == -100) {
            ++disabled;
            continue;
        }
        ++built;
        if (state == 0) ++grouped;
        if (state == -1) ++resized;
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

Sheet scheduleSheet(const Project& p) {
    Sheet s;
    s.name = "Schedule";
    s.headingRows = 2;
    s.columnWidths = {8, 8, 9, 9, 9, 10, 10, 9, 9, 9, 12, 12, 12, 12, 12, 12};
    row(s, 1,
        {"Row", "Count", "L", "B", "D", "Pedestal", "Pedestal height", "Bar dia", "Bars each way",
         "Spacing", "Concrete each", "Steel each", "Concrete", "Steel", "Excavation", "Levelling"});
    row(s, 2,
        {"", "", "m", "m", "m", "m", "m", "mm", "", "mm", "m3", "kg", "m3", "kg", "m3", "m3"});
    const Quantities q = computeQuantities(p);
    int r = 3;
    for (const RowQuantities& x : q.rows) {
        row(s, r++,
            {x.row, formatInt(x.count), num(x.lenL, 3), num(x.widB, 3), num(x.depth, 3),
             num(x.pedestal, 3), num(x.pedestalHeight, 3), formatInt(x.barDia),
             x.barsEachWay > 0 ? formatInt(x.barsEachWay) : "",
             x.spacing > 0 ? formatInt(x.spacing) : "", num(x.each.concrete, 3),
             num(x.each.steel, 1), num(x.total.concrete, 3), num(x.total.steel, 1),
             num(x.total.excavation, 3), num(x.total.levelling, 3)});
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
        if (r.state == -100) {
            row(s, f + 2, cells); // not built: no size and no pressure
            continue;
        }
        if (r.state > 0 && r.state <= p.combinedCount) {
            // The combined footing's outline, its length along the line of the columns.
            const CombinedRecord& c = p.combinedFootings.at(static_cast<size_t>(r.state));
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
