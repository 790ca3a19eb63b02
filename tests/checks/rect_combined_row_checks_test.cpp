// The row checks of the R and C rows (resized and combined footings): pedestal against column,
// bar spacing, development length and steel shown, each direction and each face, at the
// boundary where the check just passes and just fails.
#include <gtest/gtest.h>

#include "checks/check_frames.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::column;
using testing::load;
using testing::only;
using testing::place;
using testing::scheduleRow;

// Footing 1 resized to 2.4 x 1.8 m under a 300 x 450 mm column: row R1, depth 0.36 m
// (d = 300 mm), pedestal 0.55 m, 10 mm bars: 10 along L at 300 mm (785 mm2 shown), 13 along B
// at 180 mm. Footing 2 is grouped in a square row F1 of its own.
Project rectFrame() {
    Project p = checkFrame(2, 1);
    load(p, 1, 0, 300);
    load(p, 2, 0, 300);
    column(p, 1, 300, 450);
    place(p, 2, 6000, 0, 2.0f, 2.0f);
    p.footings[1].state = kStateResized;
    p.footings[1].lenL = 2.4f;
    p.footings[1].widB = 1.8f;
    scheduleRow(p, 1, 2.0f, 0.36f, 0.6f, 10, {2}, "1000", "13", "150");
    RectRow r;
    r.footing = 1;
    r.lenL = 2.4f;
    r.widB = 1.8f;
    r.depth = 0.36f;
    r.pedestal = 0.55f;
    r.barDia = 10;
    r.designed = true;
    r.alongL.bars = 10;
    r.alongL.spacing = 300;
    r.alongL.ast = 785;
    r.alongB.bars = 13;
    r.alongB.spacing = 180;
    r.alongB.bandSpacing = 180;
    r.alongB.ast = 1000;
    r.texts = {"R1"};
    p.rectRows.push_back(r);
    return p;
}

std::vector<Check> ofRow(const std::vector<Check>& all, const std::string& row) {
    std::vector<Check> out;
    for (const Check& c : all)
        if (c.row == row && c.id != "contact" && c.id != "overlap") out.push_back(c);
    return out;
}

TEST(RectRowChecks, cleanRowPassesEveryRowCheck) {
    // Spacing 300 = min(3 x 300, 300); 10 x 78.54 = 785.4 mm2 >= 785; development along L
    // (2400 - 550) / 2 - 50 = 875 mm and along B (1800 - 550) / 2 - 50 = 575 mm, both above
    // Ld = 10 x 0.87 x 415 / (4 x 1.2 x 1.6) = 470 mm; pedestal 550 = 450 + 2 x 50.
    EXPECT_TRUE(ofRow(runChecks(rectFrame()), "R1").empty());
}

TEST(RectRowChecks, eachDirectionAtItsBoundary) {
    Project p = rectFrame();
    p.rectRows[0].alongL.spacing = 301;             // above 300
    p.rectRows[0].alongL.ast = 786;                 // above 785.4
    p.rectRows[0].pedestal = 0.54f;                 // 45 mm each side of 450
    p.rectRows[0].widB = p.footings[1].widB = 1.4f; // (1400 - 540) / 2 - 50 = 380 < 470
    const std::vector<Check> all = runChecks(p);

    const auto spacing = only(all, "spacing-max");
    ASSERT_EQ(spacing.size(), 1u);
    EXPECT_EQ(spacing[0].row, "R1");
    EXPECT_EQ(spacing[0].footing, 1);
    EXPECT_EQ(spacing[0].value, 301.0f);
    EXPECT_EQ(spacing[0].limit, 300.0f);
    EXPECT_NE(spacing[0].text.find("10 mm bars along L at 301 mm"), std::string::npos);

    const auto steel = only(all, "steel-provided");
    ASSERT_EQ(steel.size(), 1u);
    EXPECT_EQ(steel[0].row, "R1");
    EXPECT_EQ(steel[0].limit, 786.0f);

    const auto pedestal = only(all, "pedestal-column");
    ASSERT_EQ(pedestal.size(), 1u);
    EXPECT_EQ(pedestal[0].severity, Severity::Warning);
    EXPECT_EQ(pedestal[0].row, "R1");
    EXPECT_EQ(pedestal[0].limit, 550.0f);

    // Along L: (2400 - 540) / 2 - 50 = 880 mm passes; along B only.
    const auto dev = only(all, "development");
    ASSERT_EQ(dev.size(), 1u);
    EXPECT_EQ(dev[0].row, "R1");
    EXPECT_NEAR(dev[0].value, 380.0f, 1e-3);
    EXPECT_NEAR(dev[0].limit, 470.1f, 0.1);
    EXPECT_NE(dev[0].text.find("bars along B"), std::string::npos);

    // An R row's check names its footing, never the square row of the same number.
    EXPECT_EQ(checkScheduleRow(p, spacing[0]), 0);
    EXPECT_EQ(checkRows(p, spacing[0]), std::vector<int>{});
    EXPECT_EQ(checkFootings(p, spacing[0]), std::vector<int>{1});
}

TEST(RectRowChecks, endStripsAreCheckedForSpacing) {
    Project p = rectFrame();
    RectDirection& b = p.rectRows[0].alongB;
    b.bandBars = 9;
    b.endBars = 4;
    b.bandSpacing = 180;
    b.endSpacing = 300; // passes at min(900, 300)
    EXPECT_TRUE(only(runChecks(p), "spacing-max").empty());
    b.endSpacing = 301;
    const auto c = only(runChecks(p), "spacing-max");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_NE(c[0].text.find("bars along B in the end strips"), std::string::npos);
}

TEST(RectRowChecks, aFootingNoLongerResizedIsNotCheckedAsItsRow) {
    Project p = rectFrame();
    p.rectRows[0].alongL.spacing = 400;
    p.footings[1].state = kStateDisabled; // disabled since the design
    EXPECT_TRUE(ofRow(runChecks(p), "R1").empty());
}

// Combined footing C1 on footings 1 (300 x 300 column) and 2 (600 x 300): 5.0 x 2.0 m, the
// columns 3.0 m apart with 1.0 m beyond each; depth 0.56 m (d = 500 mm), pedestal 0.7 m, 12 mm
// bars (Ld = 12 x 0.87 x 415 / 7.68 = 564 mm).
Project combinedFrame() {
    Project p = checkFrame(2, 1);
    load(p, 1, 0, 400);
    load(p, 2, 0, 500);
    column(p, 1, 300, 300);
    column(p, 2, 600, 300);
    place(p, 2, 3000, 0, 2.0f, 2.0f);
    p.footings[1].state = p.footings[2].state = 1;
    p.combinedCount = 1;
    CombinedRecord rec;
    rec.memberCount = 2;
    rec.members[1] = 1;
    rec.members[2] = 2;
    rec.xMin = -1000;
    rec.xMax = 4000;
    rec.zMin = -1000;
    rec.zMax = 1000;
    rec.length = 5.0f;
    rec.width = 2.0f;
    rec.cant1 = rec.cant2 = 1.0f;
    rec.orientation = 1;
    rec.span = 3000;
    p.combinedFootings.push_back(rec);
    CombinedRow c;
    c.combined = 1;
    c.length = 5.0f;
    c.width = 2.0f;
    c.span = 3.0f;
    c.cant1 = c.cant2 = 1.0f;
    c.depth = 0.56f;
    c.pedestal = 0.7f;
    c.barDia = 12;
    c.designed = true;
    c.zeroShear = 2.0f;
    c.top = {0, 0, 0, 900, 8, 264};
    c.bottom = {0, 0, 0, 1000, 9, 235};
    for (int i = 0; i < 2; ++i) {
        CombinedBand& b = c.bands[static_cast<size_t>(i)];
        b.footing = i + 1;
        b.band = 1.7f;
        b.ast = 1100;
        b.bars = 10;
        b.spacing = 188;
    }
    p.combinedRows.push_back(c);
    return p;
}

TEST(CombinedRowChecks, cleanRowPassesEveryRowCheck) {
    // Pedestal 700 = 600 + 2 x 50. Top bars from the zero-shear point 2.0 m: 2000 - 50 =
    // 1950 mm; bottom bars beyond the face 1000 - 350 - 50 = 600 mm; transverse bars
    // (2000 - 700) / 2 - 50 = 600 mm; all above 564 mm. 8 x 113.1 = 905 >= 900 mm2.
    EXPECT_TRUE(ofRow(runChecks(combinedFrame()), "C1").empty());
}

TEST(CombinedRowChecks, pedestalAgainstEachColumnAndEachFaceAtItsBoundary) {
    Project p = combinedFrame();
    CombinedRow& c = p.combinedRows[0];
    c.pedestal = 0.69f;  // 45 mm each side of the 600 mm column; the 300 mm column is clear
    c.top.spacing = 301; // above min(3 x 500, 300)
    c.bottom.ast = 1018; // 9 x 113.1 = 1017.9 mm2 shown
    c.width = 1.7f;      // transverse: (1700 - 690) / 2 - 50 = 455 mm < 564 under both columns
    const std::vector<Check> all = runChecks(p);

    const auto pedestal = only(all, "pedestal-column");
    ASSERT_EQ(pedestal.size(), 1u);
    EXPECT_EQ(pedestal[0].row, "C1");
    EXPECT_EQ(pedestal[0].footing, 2);
    EXPECT_EQ(pedestal[0].value, 690.0f);
    EXPECT_EQ(pedestal[0].limit, 700.0f);

    const auto spacing = only(all, "spacing-max");
    ASSERT_EQ(spacing.size(), 1u);
    EXPECT_NE(spacing[0].text.find("12 mm top bars at 301 mm"), std::string::npos);

    const auto steel = only(all, "steel-provided");
    ASSERT_EQ(steel.size(), 1u);
    EXPECT_NE(steel[0].text.find("9 bars of 12 mm"), std::string::npos);

    // Bottom bars: 1000 - 345 - 50 = 605 mm still pass; the two bands fail.
    const auto dev = only(all, "development");
    ASSERT_EQ(dev.size(), 2u);
    EXPECT_EQ(dev[0].footing, 1);
    EXPECT_EQ(dev[1].footing, 2);
    EXPECT_NEAR(dev[0].value, 455.0f, 1e-3);
    EXPECT_NE(dev[1].text.find("transverse bars under the column at joint 102"), std::string::npos);
}

TEST(CombinedRowChecks, bottomBarsShortOfTheirLengthBeyondTheFace) {
    Project p = combinedFrame();
    // Projections of 0.96 m: 960 - 350 - 50 = 560 mm < 564; at 0.965 m, 565 mm passes.
    p.combinedRows[0].cant1 = 0.96f;
    p.combinedRows[0].span = 3.08f; // far projection 5.0 - 4.04 = 0.96 m
    auto dev = only(runChecks(p), "development");
    ASSERT_EQ(dev.size(), 1u);
    EXPECT_NE(dev[0].text.find("bottom bars"), std::string::npos);
    EXPECT_NEAR(dev[0].value, 560.0f, 0.01);
    p.combinedRows[0].cant1 = 0.965f;
    p.combinedRows[0].span = 3.07f;
    EXPECT_TRUE(only(runChecks(p), "development").empty());
}

} // namespace
} // namespace ormevak
