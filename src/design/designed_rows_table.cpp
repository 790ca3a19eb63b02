// Plain-text tables of the resized and combined schedule rows.
#include "design/designed_rows_table.h"

#include <algorithm>
#include <vector>

#include "design/combined_design.h"
#include "design/rect_design.h"
#include "design/schedule.h"

namespace ormevak {

namespace {

using Line = std::vector<std::string>;

template <typename Row>
std::string table(const std::vector<const char*>& headings, const std::vector<Row>& rows) {
    if (rows.empty()) return {};
    std::vector<Line> lines;
    lines.emplace_back(headings.begin(), headings.end());
    for (const Row& r : rows) {
        Line line = r.texts;
        line.resize(headings.size());
        lines.push_back(std::move(line));
    }
    return "\n" + alignedTable(lines);
}

} // namespace

std::string designedRowsTable(const Project& p) {
    return table(rectHeadings(), p.rectRows) + table(combinedHeadings(), p.combinedRows);
}

} // namespace ormevak
