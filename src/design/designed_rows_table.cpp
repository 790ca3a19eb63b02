// Plain-text tables of the resized and combined schedule rows.
#include "design/designed_rows_table.h"

#include <algorithm>
#include <vector>

#include "design/combined_design.h"
#include "design/rect_design.h"

namespace ormevak {

namespace {

using Line = std::vector<std::string>;

std::string aligned(const std::vector<Line>& lines) {
    std::vector<std::size_t> width;
    for (const Line& line : lines) {
        if (width.size() < line.size()) width.resize(line.size(), 0);
        for (std::size_t c = 0; c < line.size(); ++c) width[c] = std::max(width[c], line[c].size());
    }
    std::string out;
    for (const Line& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c > 0) text += "  ";
            text += line[c];
            text.append(width[c] - line[c].size(), ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text;
        out += '\n';
    }
    return out;
}

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
    return "\n" + aligned(lines);
}

} // namespace

std::string designedRowsTable(const Project& p) {
    return table(rectHeadings(), p.rectRows) + table(combinedHeadings(), p.combinedRows);
}

} // namespace ormevak
