// The cell grids of the spreadsheet export.
#include "output/workbook_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "output/example_project.h"

namespace ormevak {
namespace {

using testing::exampleProject;

// The texts of one row, columns 1..n ("" for empty cells).
std::vector<std::string> rowOf(const Sheet& sheet, int row, int columns) {
    std::vector<std::string> out;
    for (int c = 1; c <= columns; ++c) out.push_back(sheet.cell(row, c));
    return out;
}

bool rowEmpty(const Sheet& sheet, int row) {
    for (const auto& [pos, text] : sheet.cells)
        if (pos.first == row) return false;
    return true;
}

using Row = std::vector<std::string>;

TEST(PasteText, splitsRowsAtCarriageReturnsAndColumnsAtTabs) {
    Sheet s;
    pasteText(s, "\ra\t\tb\r\rc\r", 5, 2);
    EXPECT_EQ(s.cells.size(), 3u);
    EXPECT_EQ(s.cell(6, 2), "a");
    EXPECT_EQ(s.cell(6, 4), "b");
    EXPECT_EQ(s.cell(8, 2), "c");
}

TEST(WorstPressure, takesTheLargerMomentAloneNotTheSum) {
    const Project p = exampleProject();
    // Case 1 of footing 1: 1.1 x 700 / 4 + 6 x 40 / 8 = 222.5 (the sum of moments would give
    // 237.5).
    EXPECT_FLOAT_EQ(worstPressure(p, 1), 222.5f);
    EXPECT_FLOAT_EQ(worstPressure(p, 2), 166.0f);
}

// A case that pulls (FY -50 in case 1 of footing 1, 2 m square): the line shows the real pull
// and its pressures, 1.1 x -50 / 4 - 6 x 40 / 8 = -43.75 at the lightest corner; the order of
// the footings stays the sizing's, with the case taken as 1 kN: 1.1 x 1 / 4 + 6 x 40 / 8 =
// 30.275, below case 0's pressure, so the worst stays case 0's.
TEST(WorstPressure, aPullingCaseShowsItsRealForceAndSortsAsOneKilonewton) {
    Project p = exampleProject();
    const float fy0 = p.reaction(1, 0, reaction::ForceY);
    p.reaction(1, 1, reaction::ForceY) = -50;
    p.sizedAsOneKn.assign(p.supportReaction.size(), 0);
    p.sizedAsOneKn[1] = 2; // case 1
    const double mx0 = std::fabs(p.reaction(1, 0, reaction::MomX)),
                 mz0 = std::fabs(p.reaction(1, 0, reaction::MomZ));
    const double case0 = 1.1 * fy0 / 4 + 6 * std::max(mx0, mz0) / 8;
    EXPECT_FLOAT_EQ(worstPressure(p, 1), static_cast<float>(std::max(case0, 30.275)));
    std::string text;
    pressureLinesSquare(p, 1, text);
    EXPECT_NE(text.find("\t-50\t"), std::string::npos) << text;
    EXPECT_EQ(text.find("\t1\t40"), std::string::npos) << text;
}

TEST(GroupedFootingText, startsEachLineWithACarriageReturnAndEndsEachFootingWithOne) {
    const Project p = exampleProject();
    const std::string text = groupedFootingText(p);
    const std::string footing2 = "\r102\t1\t500\t0\t8\tF1\t2\t131.5\t143.5\t200"
                                 "\r102\t3\t560\t-16\t0\tF1\t2\t142\t166\t250\r";
    EXPECT_EQ(text.substr(0, footing2.size()), footing2);
}

TEST(GroupedFootingSheet, ordersFootingsOfAMarkByWorstPressureAndMarksFailures) {
    const std::vector<Sheet> book = buildWorkbook(exampleProject());
    const Sheet& s = sheetNamed(book, "Grouped footings");
    EXPECT_EQ(s.name, "Grouped footings");
    EXPECT_TRUE(rowEmpty(s, 1));
    // Footing 2 (worst 166) before footing 1 (worst 222.5) although it comes later.
    EXPECT_EQ(rowOf(s, 2, 11),
              (Row{"102", "1", "500", "0", "8", "F1", "2", "131.5", "143.5", "200", ""}));
    EXPECT_EQ(rowOf(s, 3, 11),
              (Row{"102", "3", "560", "-16", "0", "F1", "2", "142", "166", "250", ""}));
    EXPECT_TRUE(rowEmpty(s, 4));
    EXPECT_EQ(rowOf(s, 5, 11),
              (Row{"101", "1", "600", "20", "-10", "F1", "2", "142.5", "187.5", "200", ""}));
    EXPECT_EQ(rowOf(s, 6, 11),
              (Row{"101", "3", "700", "40", "20", "F1", "2", "147.5", "237.5", "250", ""}));
    EXPECT_TRUE(rowEmpty(s, 7));
    // pmin -67.71 is below -30: FAIL; case 1 pmax 264 is above 250: FAIL.
    EXPECT_EQ(rowOf(s, 8, 11),
              (Row{"103", "1", "100", "200", "0", "F2", "2.4", "-67.71", "105.9", "200", "FAIL"}));
    EXPECT_EQ(rowOf(s, 9, 11),
              (Row{"103", "3", "1382.4", "0", "0", "F2", "2.4", "264", "264", "250", "FAIL"}));
    EXPECT_EQ(s.cells.rbegin()->first.first, 9);
}

TEST(GroupedFootingSheet, keepsFootingOrderForEqualWorstPressures) {
    Project p = exampleProject();
    p.supportReaction[1] = p.supportReaction[2];
    p.supportReaction[1][0][0] = 101;
    const Sheet s = sheetNamed(buildWorkbook(p), "Grouped footings");
    EXPECT_EQ(s.cell(2, 1), "101");
    EXPECT_EQ(s.cell(5, 1), "102");
}

TEST(GroupedFootingSheet, leavesOutDisabledResizedCombinedAndUndesignedFootings) {
    Project p = exampleProject();
    p.designRowCount = 1; // group F2 not designed
    const Sheet s = sheetNamed(buildWorkbook(p), "Grouped footings");
    for (const auto& [pos, text] : s.cells) {
        if (pos.second == 1) {
            EXPECT_TRUE(text == "101" || text == "102") << text;
        }
    }
}

TEST(ResizedFootingSheet, writesFailAndTheUpliftNoteInTheirColumns) {
    const std::vector<Sheet> book = buildWorkbook(exampleProject());
    const Sheet& s = sheetNamed(book, "Resized footings");
    EXPECT_EQ(s.name, "Resized footings");
    EXPECT_TRUE(rowEmpty(s, 1));
    // pmin -19.97 is below 0 but above -30: the note stands in column 12, no FAIL.
    EXPECT_EQ(rowOf(s, 2, 13), (Row{"104", "1", "300", "150", "0", "RF1", "1.8", "2.2", "-19.97",
                                    "186.64", "200", " < 30", ""}));
    EXPECT_EQ(rowOf(s, 3, 13), (Row{"104", "3", "300", "0", "200", "RF1", "1.8", "2.2", "-85.02",
                                    "251.68", "250", "FAIL", " < 30"}));
    EXPECT_EQ(s.cells.rbegin()->first.first, 3);
}

TEST(ResizedFootingText, isTheLinesOfEachResizedFootingWithAClosingReturn) {
    const std::string text = resizedFootingText(exampleProject());
    EXPECT_EQ(text, "\r104\t1\t300\t150\t0\tRF1\t1.8\t2.2\t-19.97\t186.64\t200\t < 30"
                    "\r104\t3\t300\t0\t200\tRF1\t1.8\t2.2\t-85.02\t251.68\t250\tFAIL\t < 30\r");
}

TEST(CombinedFootingSheets, leaveSheetThreeEmptyAndAddOneSheetPerCombinedFooting) {
    const std::vector<Sheet> book = buildWorkbook(exampleProject());
    // The sheets with headings come first; the export's sheets follow in their own order.
    ASSERT_EQ(book.size(), 9u);
    EXPECT_EQ(book[0].name, "Summary");
    EXPECT_EQ(book[1].name, "Schedule");
    EXPECT_EQ(book[2].name, "Footings");
    EXPECT_EQ(book[3].name, "Grouped footings");
    EXPECT_EQ(book[4].name, "Resized footings");
    EXPECT_EQ(book[5].name, "Sheet3");
    EXPECT_TRUE(book[5].cells.empty());
    EXPECT_EQ(book[6].name, "CF1 5  6");
    EXPECT_EQ(book[7].name, "CF2 8  9");
    EXPECT_EQ(book[8].name, "Checks"); // the design checks come last
}

TEST(CombinedFootingSheets, putTheBlockAtRowFiveAndTheSingleCellsInTheirPlaces) {
    const std::vector<Sheet> book = buildWorkbook(exampleProject());
    const Sheet& along = sheetNamed(book, "CF1 5  6"); // along X: MOM-Z before MOM-X
    EXPECT_EQ(rowOf(along, 5, 10), (Row{"1", "", "400", "-12", "5", "", "", "410", "9", "7"}));
    EXPECT_EQ(rowOf(along, 6, 10), (Row{"3", "", "450", "14", "-6", "", "", "430", "-3", "8"}));
    EXPECT_EQ(along.cell(3, 4), "105");
    EXPECT_EQ(along.cell(3, 9), "106");
    EXPECT_EQ(along.cell(2, 8), "200");
    EXPECT_EQ(along.cell(23, 8), "3.05");
    EXPECT_EQ(along.cell(30, 8), "4.1");
    EXPECT_EQ(along.cell(31, 8), "1.35");
    EXPECT_EQ(along.cells.size(), 2u * 7u + 6u);

    const Sheet& acrossZ = sheetNamed(book, "CF2 8  9"); // along Z: MOM-X before MOM-Z
    EXPECT_EQ(rowOf(acrossZ, 5, 10), (Row{"1", "", "300", "2", "3", "", "", "310", "-2", "-3"}));
    EXPECT_EQ(acrossZ.cell(23, 8), "2.5");
    EXPECT_EQ(acrossZ.cell(30, 8), "3.5");
    EXPECT_EQ(acrossZ.cell(31, 8), "1.2");
}

TEST(CombinedFootingText, endsEveryLineWithACarriageReturn) {
    EXPECT_EQ(combinedFootingText(exampleProject(), 2),
              "1\t\t300\t2\t3\t\t\t310\t-2\t-3\r3\t\t320\t4\t5\t\t\t330\t1\t0\r");
}

TEST(CombinedFootingSheets, roundTheSpanInMetresToTwoDecimals) {
    Project p = exampleProject();
    p.combinedFootings[1].span = -3046; // second column before the first
    p.combinedFootings[1].length = 4.125f;
    EXPECT_EQ(sheetNamed(buildWorkbook(p), "CF1 5  6").cell(23, 8), "-3.05");
    EXPECT_EQ(sheetNamed(buildWorkbook(p), "CF1 5  6").cell(30, 8),
              "4.12"); // a tie goes to the even digit
}

TEST(BuildWorkbook, givesTheSameSheetsOnASecondBuild) {
    const Project p = exampleProject();
    EXPECT_EQ(buildWorkbook(p), buildWorkbook(p));
}

TEST(BuildWorkbook, withoutCombinedFootingsHasThreeSheetsAndTheChecks) {
    Project p = exampleProject();
    p.combinedCount = 0;
    const std::vector<Sheet> book = buildWorkbook(p);
    ASSERT_EQ(book.size(), 7u);
    EXPECT_EQ(book[6].name, "Checks");
}

TEST(BuildWorkbook, refusesAGroupedFootingWithoutSize) {
    Project p = exampleProject();
    p.footings[3].lenL = 0;
    try {
        buildWorkbook(p);
        FAIL() << "no error";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "Footing at joint 103 has no size: workbook not written");
    }
}

TEST(BuildWorkbook, refusesAResizedFootingWithoutWidth) {
    Project p = exampleProject();
    p.footings[4].widB = 0;
    EXPECT_THROW(buildWorkbook(p), OutputError);
}

TEST(BuildWorkbook, refusesACombinedFootingWithoutItsSecondColumn) {
    Project p = exampleProject();
    p.combinedFootings[2].members[2] = 0;
    try {
        buildWorkbook(p);
        FAIL() << "no error";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "Combined footing 2 has no column 2: workbook not written");
    }
}

} // namespace
} // namespace ormevak
