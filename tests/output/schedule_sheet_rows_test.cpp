// The workbook's Schedule sheet with the R and C rows after the square rows: their own columns
// for the steel that differs by direction (R) or by face (C), read from the model and back from
// the written file.
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "design/combined_design.h"
#include "design/rect_design.h"
#include "design/shear_table.h"
#include "drawing/quantities.h"
#include "model/numbers.h"
#include "output/example_project.h"
#include "output/summary_sheets.h"
#include "output/xlsx_writer.h"

namespace ormevak {
namespace {

namespace fs = std::filesystem;

// The example project (no square rows) with its resized footing R1 and its two combined
// footings C1 and C2 designed by the Design command's own parts.
Project designedRows() {
    Project p = testing::exampleProject();
    p.concreteGrade = 20;
    p.steelGrade = 415;
    p.designRowCount = 0;
    std::vector<std::string> notes;
    designRectRows(p, notes);
    designCombinedRows(p, notes);
    return p;
}

TEST(ScheduleSheetRows, rAndCRowsFollowTheSquareRowsWithTheirOwnSteel) {
    const Project p = designedRows();
    ASSERT_EQ(p.rectRows.size(), 1u);
    ASSERT_EQ(p.combinedRows.size(), 2u);
    ASSERT_TRUE(p.rectRows[0].designed);
    ASSERT_TRUE(p.combinedRows[0].designed);
    const Sheet s = scheduleSheet(p);
    EXPECT_EQ(s.cell(1, 17), "Bars along L");
    EXPECT_EQ(s.cell(1, 19), "Bars along B");
    EXPECT_EQ(s.cell(2, 18), "mm");
    EXPECT_EQ(s.cell(1, 24), "Top bars");
    EXPECT_EQ(s.cell(1, 26), "Bottom bars");
    EXPECT_EQ(s.cell(1, 28), "Column 1 band bars");
    EXPECT_EQ(s.cell(2, 29), "m");
    EXPECT_EQ(s.cell(1, 34), "Distribution bars");

    // R1 first, then C1 and C2, then the total.
    EXPECT_EQ(s.cell(3, 1), "R1");
    EXPECT_EQ(s.cell(4, 1), "C1");
    EXPECT_EQ(s.cell(5, 1), "C2");
    EXPECT_EQ(s.cell(6, 1), "Total");

    const RectRow& r = p.rectRows[0];
    EXPECT_EQ(s.cell(3, 3), "1.8");
    EXPECT_EQ(s.cell(3, 4), "2.2");
    EXPECT_EQ(s.cell(3, 5), formatNumber(r.depth));
    EXPECT_EQ(s.cell(3, 9), ""); // no "each way": the two directions differ
    EXPECT_EQ(s.cell(3, 17), formatNumber(r.alongL.bars));
    EXPECT_EQ(s.cell(3, 18), formatInt(r.alongL.spacing));
    EXPECT_EQ(s.cell(3, 19), formatNumber(r.alongB.bars));
    EXPECT_EQ(s.cell(3, 20), formatInt(r.alongB.spacing));
    // L < B: the bars along L are the short direction's, split into band and end strips.
    EXPECT_EQ(s.cell(3, 21), r.texts.at(27));
    EXPECT_EQ(s.cell(3, 22), r.texts.at(28));
    EXPECT_NE(s.cell(3, 22), "-");
    EXPECT_EQ(s.cell(3, 24), ""); // no C columns

    const CombinedRow& c = p.combinedRows[0];
    EXPECT_EQ(s.cell(4, 3), "4.1");
    EXPECT_EQ(s.cell(4, 4), "1.35");
    EXPECT_EQ(s.cell(4, 17), ""); // no R columns
    EXPECT_EQ(s.cell(4, 23), "2");
    EXPECT_EQ(s.cell(4, 24), formatNumber(c.top.bars));
    EXPECT_EQ(s.cell(4, 25), formatInt(c.top.spacing));
    EXPECT_EQ(s.cell(4, 26), formatNumber(c.bottom.bars));
    EXPECT_EQ(s.cell(4, 27), formatInt(c.bottom.spacing));
    EXPECT_EQ(s.cell(4, 28), formatNumber(c.bands[0].bars));
    EXPECT_EQ(s.cell(4, 30), formatInt(c.bands[0].spacing));
    EXPECT_EQ(s.cell(4, 31), formatNumber(c.bands[1].bars));
    EXPECT_EQ(s.cell(4, 35), formatInt(c.distSpacing));

    // The sheet's quantities are computeQuantities' own.
    const Quantities q = computeQuantities(p);
    ASSERT_EQ(q.rows.size(), 3u);
    EXPECT_EQ(s.cell(4, 12), formatNumber(static_cast<float>(roundTo(q.rows[1].each.steel, 1))));
    EXPECT_GT(q.rows[1].each.steel, 0);
    EXPECT_EQ(s.cell(6, 13), formatNumber(static_cast<float>(q.total.concrete)));
}

TEST(ScheduleSheetRows, readBackFromTheWrittenWorkbook) {
    const Project p = designedRows();
    const fs::path dir = testing::freshFolder("schedule-rows");
    const fs::path target = dir / "book.xlsx";
    writeWorkbook(p, target.string());
    const fs::path dump = dir / "cells.txt";
    const std::string cmd = testing::python3() + " '" + ORMEVAK_SOURCE_DIR +
                            "/tests/output/read_xlsx.py' '" + target.string() + "' > '" +
                            dump.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string cells = testing::readAll(dump);
    // Sheet 2, row 3: R1; row 4: C1 with its top bars in column 24.
    EXPECT_NE(cells.find("2\tSchedule\t3\t1\ts\tR1\n"), std::string::npos);
    EXPECT_NE(cells.find("2\tSchedule\t1\t17\ts\tBars along L\n"), std::string::npos);
    EXPECT_NE(cells.find("2\tSchedule\t4\t1\ts\tC1\n"), std::string::npos);
    EXPECT_NE(cells.find("2\tSchedule\t4\t24\tn\t" +
                         std::to_string(static_cast<int>(p.combinedRows[0].top.bars)) + "\n"),
              std::string::npos)
        << cells.substr(0, 4000);
    testing::removeUnlessKept(dir);
}

} // namespace
} // namespace ormevak
