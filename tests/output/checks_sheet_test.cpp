// The workbook's "Checks" sheet: headings with units, one failing check a row.
#include <gtest/gtest.h>

#include "checks/check_frames.h"
#include "output/checks_sheet.h"
#include "output/example_project.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::load;
using testing::place;

TEST(ChecksSheet, headingsThenOneRowPerCheck) {
    // Two 2.002 m footings 2000 mm apart (a 2 mm overlap), one with a pull of 81 kN against
    // the 120.12 kN it weighs with its soil (1.5 x 81 = 121.5): two errors.
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 2.002f, 2.0f);
    place(p, 2, 2000, 0, 2.002f, 2.0f);
    load(p, 1, 0, 300);
    load(p, 2, 0, -81);
    const Sheet s = checksSheet(p);
    EXPECT_EQ(s.name, "Checks");
    const std::vector<std::string> headings{
        "Check", "Severity",  "Footing", "Joint", "Mark / row", "Other footing",
        "Joint", "Load case", "Value",   "Limit", "Unit",       "What is wrong and what to do"};
    for (size_t c = 0; c < headings.size(); ++c)
        EXPECT_EQ(s.cell(1, static_cast<int>(c) + 1), headings[c]);
    // uplift before overlap, in the order of the ids.
    EXPECT_EQ(s.cell(2, 1), "uplift");
    EXPECT_EQ(s.cell(2, 2), "error");
    EXPECT_EQ(s.cell(2, 3), "2");
    EXPECT_EQ(s.cell(2, 4), "102");
    EXPECT_EQ(s.cell(2, 5), "F1");
    EXPECT_EQ(s.cell(2, 6), ""); // no other footing
    EXPECT_EQ(s.cell(2, 8), "1");
    EXPECT_EQ(s.cell(2, 9), "120.12"); // 2.002 x 2 x 1.5 x 20
    EXPECT_EQ(s.cell(2, 10), "121.5");
    EXPECT_EQ(s.cell(2, 11), "kN");
    EXPECT_EQ(s.cell(3, 1), "overlap");
    EXPECT_EQ(s.cell(3, 6), "2");
    EXPECT_EQ(s.cell(3, 7), "102");
    EXPECT_EQ(s.cell(3, 8), ""); // no load case
    EXPECT_EQ(s.cell(3, 9), "2");
    EXPECT_EQ(s.cell(3, 11), "mm");
    EXPECT_EQ(s.cell(3, 12).substr(0, 35), "F1 at joint 101 and F1 at joint 102");
    EXPECT_EQ(s.cells.rbegin()->first.first, 3);
}

TEST(ChecksSheet, isTheLastSheetAndFollowsTheList) {
    const Project p = testing::exampleProject();
    const std::vector<Sheet> book = buildWorkbook(p);
    ASSERT_FALSE(book.empty());
    EXPECT_EQ(book.back(), checksSheet(p));
    const auto checks = runChecks(p);
    ASSERT_FALSE(checks.empty());
    for (size_t i = 0; i < checks.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        EXPECT_EQ(book.back().cell(row, 1), checks[i].id);
        EXPECT_EQ(book.back().cell(row, 12), checks[i].text);
    }
}

} // namespace
} // namespace ormevak
