// The "Checks" sheet of the workbook, from the same list the windows and the batch tool show.
#include "output/checks_sheet.h"

#include <array>
#include <cmath>

#include "checks/checks.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

std::string jointOf(const Project& p, int f) {
    if (f < 1 || f >= static_cast<int>(p.footings.size())) return {};
    return formatInt(p.footings[static_cast<size_t>(f)].jointNo);
}

std::string indexText(int i) {
    return i == 0 ? std::string{} : formatInt(i);
}

std::string valueText(float v) {
    const double r = roundTo(v, 2);
    return formatNumber(static_cast<float>(r == 0 ? 0.0 : r));
}

} // namespace

Sheet checksSheet(const Project& project) {
    Sheet sheet;
    sheet.name = "Checks";
    static constexpr std::array<const char*, 12> headings{
        "Check", "Severity",  "Footing", "Joint", "Mark / row", "Other footing",
        "Joint", "Load case", "Value",   "Limit", "Unit",       "What is wrong and what to do"};
    for (size_t c = 0; c < headings.size(); ++c)
        sheet.cells[{1, static_cast<int>(c) + 1}] = headings[c];
    int row = 1;
    for (const Check& c : runChecks(project)) {
        ++row;
        const std::string unit = checkUnit(c.id);
        const std::array<std::string, 12> line{c.id,
                                               severityName(c.severity),
                                               indexText(c.footing),
                                               c.footing ? jointOf(project, c.footing) : "",
                                               c.row,
                                               indexText(c.other),
                                               c.other ? jointOf(project, c.other) : "",
                                               indexText(c.loadCase),
                                               unit.empty() ? "" : valueText(c.value),
                                               unit.empty() ? "" : valueText(c.limit),
                                               unit,
                                               c.text};
        for (size_t k = 0; k < line.size(); ++k)
            if (!line[k].empty()) sheet.cells[{row, static_cast<int>(k) + 1}] = line[k];
    }
    return sheet;
}

} // namespace ormevak
