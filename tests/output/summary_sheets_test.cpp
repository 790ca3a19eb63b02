// The workbook's first sheets: their cells from the model and the quantities, and what a reader
// of the file sees (headings in bold, frozen heading rows, column widths).
#include "output/summary_sheets.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "output/example_project.h"
#include "output/xlsx_writer.h"

namespace ormevak {
namespace {

namespace fs = std::filesystem;

// The example project with its two groups designed as rows F1 (2.0 m, footings 1 and 2) and
// F2 (2.4 m, footing 3).
Project designedExample() {
    Project p = testing::exampleProject();
    p.concreteGrade = 20;
    p.steelGrade = 415;
    p.designRows.resize(3);
    p.designRowTexts.resize(3);
    const float sides[3] = {0, 2.0f, 2.4f};
    for (int n = 1; n <= 2; ++n) {
        GroupRecord& g = p.designRows[static_cast<size_t>(n)];
        g.size = sides[n];
        g.depth = 0.4f;
        g.pedestal = 0.5f;
        g.barDia = 12;
        g.nosCount = n == 1 ? 2 : 1;
        g.footingNos = n == 1 ? std::vector<int32_t>{0, 1, 2} : std::vector<int32_t>{0, 3};
        p.designRowTexts[static_cast<size_t>(n)][11] = "12";  // LabGdia
        p.designRowTexts[static_cast<size_t>(n)][12] = "10";  // LabRods
        p.designRowTexts[static_cast<size_t>(n)][13] = "200"; // LabSpace
    }
    return p;
}

TEST(SummarySheets, scheduleSheetHasHeadingsUnitsRowsAndTotal) {
    const Sheet s = scheduleSheet(designedExample());
    EXPECT_EQ(s.name, "Schedule");
    EXPECT_EQ(s.headingRows, 2);
    EXPECT_EQ(s.cell(1, 1), "Row");
    EXPECT_EQ(s.cell(1, 13), "Concrete");
    EXPECT_EQ(s.cell(2, 13), "m3");
    EXPECT_EQ(s.cell(2, 14), "kg");
    EXPECT_EQ(s.cell(3, 1), "F1");
    EXPECT_EQ(s.cell(3, 2), "2");
    // F1: 2.0 x 2.0 x 0.4 = 1.6 m3; pedestal 0.5 x 0.5 x (1.5 - 0.4) = 0.275 m3; each 1.875,
    // two footings 3.75 m3.
    EXPECT_EQ(s.cell(3, 11), "1.875");
    EXPECT_EQ(s.cell(3, 13), "3.75");
    // Steel each: 2 x 10 bars x 1.9 m = 38 m of 12 mm (113.097 mm2): 4.29770e-3 m3 x 7850 =
    // 33.737 kg -> 33.7; two footings 67.474 -> 67.5.
    EXPECT_EQ(s.cell(3, 12), "33.7");
    EXPECT_EQ(s.cell(3, 14), "67.5");
    // F2: 2.4 x 2.4 x 0.4 = 2.304 + 0.275 = 2.579 m3; excavation (3.0)^2 x 1.5 = 13.5 m3.
    EXPECT_EQ(s.cell(4, 13), "2.579");
    EXPECT_EQ(s.cell(4, 15), "13.5");
    EXPECT_EQ(s.cell(5, 1), "Total");
    EXPECT_EQ(s.cell(5, 13), "6.329"); // 3.75 + 2.579
}

TEST(SummarySheets, footingsSheetListsEveryFootingWithItsStateMarkAndWorstPressure) {
    const Sheet s = footingsSheet(designedExample());
    EXPECT_EQ(s.cell(1, 9), "Worst pressure");
    EXPECT_EQ(s.cell(2, 9), "kN/m2");
    // Footing 1 (joint 101, 2 m): case 1 (number 3): 1.1 x 700 / 4 + 6 x 40 / 8 + 6 x 20 / 8 =
    // 192.5 + 30 + 15 = 237.5 kN/m2, worse than case 0 (165 + 15 + 7.5 = 187.5).
    EXPECT_EQ(s.cell(3, 1), "1");
    EXPECT_EQ(s.cell(3, 2), "101");
    EXPECT_EQ(s.cell(3, 5), "grouped");
    EXPECT_EQ(s.cell(3, 6), "F1");
    EXPECT_EQ(s.cell(3, 9), "237.5");
    EXPECT_EQ(s.cell(3, 10), "3");
    EXPECT_EQ(s.cell(6, 5), "resized");
    EXPECT_EQ(s.cell(6, 6), "R1");
    EXPECT_EQ(s.cell(7, 5), "combined");
    EXPECT_EQ(s.cell(7, 6), "C1");
    EXPECT_EQ(s.cell(7, 7), "4.1");
    // The disabled footing 7: no mark, no size, no pressure.
    EXPECT_EQ(s.cell(9, 5), "disabled");
    EXPECT_EQ(s.cell(9, 6), "");
    EXPECT_EQ(s.cell(9, 7), "");
    EXPECT_EQ(s.cell(9, 9), "");
}

TEST(SummarySheets, summaryCountsFootingsAndTotals) {
    const Sheet s = summarySheet(designedExample());
    std::map<std::string, std::string> items;
    for (int r = 2; !s.cell(r, 1).empty(); ++r) items[s.cell(r, 1)] = s.cell(r, 2);
    EXPECT_EQ(items["Supports"], "9");
    EXPECT_EQ(items["Footings built"], "8");
    EXPECT_EQ(items["Disabled footings (not built)"], "1");
    EXPECT_EQ(items["Combined footings"], "2");
    EXPECT_EQ(items["Depth of foundation"], "1.5");
    EXPECT_EQ(items["Concrete, total"], "6.329");
}

TEST(SummarySheets, readBackWithBoldFrozenHeadingsAndWidthsAndTheOldSheetsUnchanged) {
    const fs::path dir = testing::freshFolder("summary-sheets");
    const fs::path target = dir / "book.xlsx";
    writeWorkbook(designedExample(), target.string());
    const fs::path dump = dir / "layout.txt";
    const std::string cmd = testing::python3() + " '" + ORMEVAK_SOURCE_DIR +
                            "/tests/output/read_xlsx_layout.py' '" + target.string() + "' > '" +
                            dump.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(
        testing::readAll(dump),
        "Summary\tA2\t1\t34\t22\t10\n"
        "Schedule\tA3\t1\t8\t8\t9\t9\t9\t10\t10\t9\t9\t9\t12\t12\t12\t12\t12\t12\t10\t10\t10\n"
        "Footings\tA3\t1\t9\t8\t10\t10\t10\t8\t8\t8\t15\t14\n"
        "Grouped footings\t-\t0\n"
        "Resized footings\t-\t0\n"
        "Sheet3\t-\t0\n"
        "CF1 5  6\t-\t0\n"
        "CF2 8  9\t-\t0\n"
        "Checks\t-\t0\n");
    testing::removeUnlessKept(dir);
}

} // namespace
} // namespace ormevak
