// The cells of the spreadsheet export: the soil-pressure check of every footing, case by case,
// laid out as the paste of the tab- and carriage-return-separated schedule text lays them out.
// Pure model logic; xlsx_writer.h puts the sheets into a file.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/project.h"
#include "output/output_error.h"

namespace ormevak {

// One sheet of the workbook: cells keyed by (row, column), both from 1; empty cells are absent.
struct Sheet {
    std::string name;
    std::map<std::pair<int, int>, std::string> cells;
    // Presentation, for the sheets that have headings: rows 1..headingRows in bold and kept in
    // view, column widths in characters from column 1. The export's pasted sheets have none.
    int headingRows = 0;
    std::vector<double> columnWidths;

    // The text of a cell, "" when it is empty.
    const std::string& cell(int row, int column) const;
    bool operator==(const Sheet&) const = default;
};

inline constexpr char cellSeparator = '\t';
inline constexpr char lineSeparator = '\r';

// First "Summary", "Schedule" and "Footings" (summary_sheets.h); then "Grouped footings",
// "Resized footings", "Sheet3" (empty), one sheet per combined footing, and last the "Checks"
// sheet (checks_sheet.h). Throws
// OutputError, naming the joint, for a footing whose pressures would need a division by a zero
// side.
std::vector<Sheet> buildWorkbook(const Project& project);

// The sort key of a grouped footing: the largest 1.1 P / B^2 + 6 max(|MX|, |MZ|) / B^3 over its
// load cases (the larger moment alone), not rounded.
float worstPressure(const Project& project, int footing);

// The sheet of that name in `book`; throws std::out_of_range when there is none.
const Sheet& sheetNamed(const std::vector<Sheet>& book, const std::string& name);

// The schedule texts, exactly as pasted: cells separated by tabs, lines by carriage returns.
void pressureLinesSquare(const Project& project, int footing, std::string& text);
void pressureLinesRect(const Project& project, int footing, std::string& text);
std::string groupedFootingText(const Project& project);
std::string resizedFootingText(const Project& project);
std::string combinedFootingText(const Project& project, int k);
std::string combinedSheetName(const Project& project, int k);

// Lays `text` into `sheet` with its first line in `row`, first item in `column`: a new row at
// every carriage return, a new column at every tab; empty items leave their cell empty.
void pasteText(Sheet& sheet, const std::string& text, int row, int column);

} // namespace ormevak
