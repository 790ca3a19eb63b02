// The checks of the schedule rows on hand-made rows: pedestal against column, bar spacing,
// development length, bearing at the column base, steel shown, grade, designs missing.
#include <gtest/gtest.h>

#include "checks/check_frames.h"
#include "checks/rules.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::column;
using testing::load;
using testing::only;
using testing::place;
using testing::scheduleRow;

// One grouped footing of 2 m under a 300 x 450 mm column, designed into row F1 with a depth
// of 0.36 m (d = 300 mm), bars of 10 mm at 150 mm (13 bars, 1021 mm2 shown against 1000).
Project rowFrame(float pedestal) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 300);
    column(p, 1, 300, 450);
    scheduleRow(p, 1, 2.0f, 0.36f, pedestal, 10, {1}, "1000", "13", "150");
    return p;
}

// The pedestal must be no smaller than the column's larger side (450 mm) and should leave 50 mm
// each side (550 mm).
TEST(PedestalCheck, pedestalSmallerThanTheColumnIsAnError) {
    const auto c = only(runChecks(rowFrame(0.44f)), "pedestal-column");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].row, "F1");
    EXPECT_EQ(c[0].value, 440.0f);
    EXPECT_EQ(c[0].limit, 450.0f);
    EXPECT_EQ(c[0].text, "Schedule row F1: the pedestal of 440 mm is smaller than the 300 x 450 "
                         "mm column at joint 101; make the pedestal at least 550 mm.");
}

TEST(PedestalCheck, pedestalAsLargeAsTheColumnIsAWarning) {
    const auto c = only(runChecks(rowFrame(0.45f)), "pedestal-column");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].limit, 550.0f);
}

TEST(PedestalCheck, fiftyMillimetresEachSidePasses) {
    EXPECT_EQ(only(runChecks(rowFrame(0.54f)), "pedestal-column").size(), 1u); // 45 mm a side
    EXPECT_TRUE(only(runChecks(rowFrame(0.55f)), "pedestal-column").empty());  // 50 mm a side
}

TEST(PedestalCheck, largestColumnOfTheRowGoverns) {
    Project p = checkFrame(2, 1);
    place(p, 2, 5000, 0, 2.0f, 2.0f);
    column(p, 1, 300, 300);
    column(p, 2, 600, 300);
    scheduleRow(p, 1, 2.0f, 0.36f, 0.55f, 10, {1, 2}, "1000", "13", "150");
    const auto c = only(runChecks(p), "pedestal-column");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 2);
    EXPECT_EQ(c[0].limit, 600.0f);
}

// 26.3.3(b): at most min(3 d, 300 mm). d = D - 60 mm.
TEST(SpacingMaxCheck, spacingAboveThreeHundredIsAnError) {
    Project p = rowFrame(0.6f);
    p.designRowTexts[1][col::LabSpace] = "300"; // d = 300: min(900, 300) = 300
    EXPECT_TRUE(only(runChecks(p), "spacing-max").empty());
    p.designRowTexts[1][col::LabSpace] = "301";
    const auto c = only(runChecks(p), "spacing-max");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_EQ(c[0].footing, 0);
    EXPECT_EQ(c[0].limit, 300.0f);
}

TEST(SpacingMaxCheck, shallowFootingIsLimitedByThreeDepths) {
    Project p = rowFrame(0.6f);
    p.designRows[1].depth = 0.15f; // d = 90 mm: 3 d = 270 mm
    p.designRowTexts[1][col::LabSpace] = "270";
    EXPECT_TRUE(only(runChecks(p), "spacing-max").empty());
    p.designRowTexts[1][col::LabSpace] = "271";
    const auto c = only(runChecks(p), "spacing-max");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].limit, 270.0f);
}

// 26.3.2: clear gap at least max(bar diameter, 20 + 5 mm); below 100 mm centres: congested.
TEST(SpacingMinCheck, clearGapBelowTheAggregateRuleIsAnError) {
    Project p = rowFrame(0.6f);
    p.designRows[1].barDia = 20;
    p.designRowTexts[1][col::LabSpace] = "45"; // clear 25 = max(20, 25): passes, congested
    auto c = only(runChecks(p), "spacing-min");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    p.designRowTexts[1][col::LabSpace] = "44"; // clear 24 < 25
    c = only(runChecks(p), "spacing-min");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_EQ(c[0].value, 24.0f);
    EXPECT_EQ(c[0].limit, 25.0f);
}

TEST(SpacingMinCheck, largeBarsNeedTheirDiameterClear) {
    Project p = rowFrame(0.6f);
    p.designRows[1].barDia = 32;
    p.designRowTexts[1][col::LabSpace] = "63"; // clear 31 < 32
    const auto c = only(runChecks(p), "spacing-min");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].limit, 32.0f);
}

TEST(SpacingMinCheck, centresBelowOneHundredAreCongested) {
    Project p = rowFrame(0.6f);
    p.designRowTexts[1][col::LabSpace] = "100";
    EXPECT_TRUE(only(runChecks(p), "spacing-min").empty());
    p.designRowTexts[1][col::LabSpace] = "99";
    const auto c = only(runChecks(p), "spacing-min");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].text, "Schedule row F1: the 10 mm bars at 99 mm centres are congested (less "
                         "than 100 mm); choose a larger bar diameter.");
}

// 26.2.1.1: tau_bd by grade, the lower tabulated grade between two, 60 % more for deformed bars.
TEST(DevelopmentCheck, bondStressFollowsTheTable) {
    EXPECT_EQ(checks::bondStress(10), 1.0);
    EXPECT_EQ(checks::bondStress(15), 1.0);
    EXPECT_EQ(checks::bondStress(20), 1.2);
    EXPECT_EQ(checks::bondStress(22), 1.2);
    EXPECT_EQ(checks::bondStress(25), 1.4);
    EXPECT_EQ(checks::bondStress(30), 1.5);
    EXPECT_EQ(checks::bondStress(35), 1.7);
    EXPECT_EQ(checks::bondStress(40), 1.9);
    EXPECT_EQ(checks::bondStress(50), 1.9);
    // Ld = 10 x 0.87 x 415 / (4 x 1.2 x 1.6) = 3610.5 / 7.68 = 470.1 mm.
    EXPECT_NEAR(checks::developmentLength(10, 415, 20), 470.117, 1e-3);
    // Plain bars (fy 250): 10 x 0.87 x 250 / (4 x 1.2) = 453.1 mm.
    EXPECT_NEAR(checks::developmentLength(10, 250, 20), 453.125, 1e-3);
}

// Straight length beyond the pedestal face: (L - a) / 2 - 50 mm. With L = 1.45 and a = 0.4:
// 525 - 50 = 475 mm >= 470.1 (passes); with L = 1.4: 500 - 50 = 450 mm < 470.1 (fails).
TEST(DevelopmentCheck, straightLengthAgainstTheDevelopmentLength) {
    Project p = rowFrame(0.4f);
    p.designRows[1].size = 1.45f;
    EXPECT_TRUE(only(runChecks(p), "development").empty());
    p.designRows[1].size = 1.4f;
    const auto c = only(runChecks(p), "development");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_NEAR(c[0].value, 450, 1e-3);
    EXPECT_NEAR(c[0].limit, 470.117, 1e-3);
    EXPECT_EQ(c[0].text, "Schedule row F1: the 10 mm bars have 450 mm of straight length beyond "
                         "the pedestal face, less than their development length of 470 mm; "
                         "choose a smaller bar diameter or bend the bar ends up.");
    // M25: Ld = 3610.5 / (4 x 1.4 x 1.6) = 403 mm <= 450.
    p.concreteGrade = 25;
    EXPECT_TRUE(only(runChecks(p), "development").empty());
}

// 34.4: a 300 x 300 column (A2 = 90000 mm2) on a 600 mm pedestal (A1 = 360000):
// sqrt(A1/A2) = 2, permissible 0.45 x 20 x 2 = 18 N/mm2; bearing 1.5 FY 1000 / 90000 = FY / 60,
// above 18 when FY > 1080 kN.
Project bearingFrame(float pedestal, float fy) {
    Project p = checkFrame(1, 2);
    load(p, 1, 0, 500);
    load(p, 1, 1, fy);
    column(p, 1, 300, 300);
    scheduleRow(p, 1, 3.0f, 0.6f, pedestal, 12, {1}, "2000", "18", "169");
    return p;
}

TEST(ColumnBearingCheck, bearingAtThePermissibleStressPasses) {
    EXPECT_TRUE(only(runChecks(bearingFrame(0.6f, 1080)), "column-bearing").empty());
}

TEST(ColumnBearingCheck, bearingAboveThePermissibleStressAsksForDowels) {
    const auto c = only(runChecks(bearingFrame(0.6f, 1086)), "column-bearing");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].loadCase, 2);
    EXPECT_NEAR(c[0].value, 18.1, 1e-5);
    EXPECT_EQ(c[0].limit, 18.0f);
    // Excess 1.5 x 1086000 - 18 x 90000 = 9000 N / (0.67 x 415) = 32 mm2, below the least
    // 0.5 % of 90000 = 450 mm2.
    EXPECT_EQ(c[0].text, "Schedule row F1: in load case 2 the 300 x 300 mm column at joint 101 "
                         "bears 18.1 N/mm2 on the pedestal, above 0.45 fck sqrt(A1/A2) = 18 "
                         "N/mm2; provide dowels of at least 450 mm2 across the column base.");
}

TEST(ColumnBearingCheck, smallerPedestalSpreadsLessAndNeedsMoreDowels) {
    // a = 450: sqrt(202500 / 90000) = 1.5, permissible 13.5 N/mm2; excess 1629000 - 1215000 =
    // 414000 N / 278.05 = 1489 mm2.
    const auto c = only(runChecks(bearingFrame(0.45f, 1086)), "column-bearing");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_FLOAT_EQ(c[0].limit, 13.5f);
    EXPECT_NE(c[0].text.find("dowels of at least 1489 mm2"), std::string::npos) << c[0].text;
}

TEST(ColumnBearingCheck, spreadIsLimitedToTwice) {
    // a = 1000: sqrt(1000000 / 90000) = 3.33, taken as 2: still 18 N/mm2.
    const auto c = only(runChecks(bearingFrame(1.0f, 1086)), "column-bearing");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].limit, 18.0f);
}

// Bars x pi phi^2 / 4: 6 bars of 10 mm give 471.24 mm2.
TEST(SteelProvidedCheck, barsShortOfTheAreaShownWarn) {
    Project p = rowFrame(0.6f);
    p.designRowTexts[1][col::LabAst] = "471";
    p.designRowTexts[1][col::LabRods] = "6";
    EXPECT_TRUE(only(runChecks(p), "steel-provided").empty());
    p.designRowTexts[1][col::LabAst] = "472";
    const auto c = only(runChecks(p), "steel-provided");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].text, "Schedule row F1: 6 bars of 10 mm give 471 mm2, less than the 472 mm2 "
                         "the row needs; place 7 bars.");
}

// Table 5: M20 at least.
TEST(GradeCheck, gradeBelowM20Warns) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 300);
    p.concreteGrade = 15;
    auto c = only(runChecks(p), "grade");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].footing, 0);
    EXPECT_EQ(c[0].row, "");
    EXPECT_EQ(c[0].value, 15.0f);
    EXPECT_EQ(c[0].limit, 20.0f);
    p.concreteGrade = 20;
    EXPECT_TRUE(only(runChecks(p), "grade").empty());
    p.concreteGrade = 0; // missing: the Design command says so
    EXPECT_TRUE(only(runChecks(p), "grade").empty());
}

TEST(NotDesignedCheck, resizedAndCombinedFootingsHaveNoDesign) {
    Project p = checkFrame(4, 1);
    for (int f = 1; f <= 4; ++f) {
        place(p, f, 5000 * f, 0, 2.0f, 2.0f);
        load(p, f, 0, 300);
    }
    p.footings[2].state = kStateResized;
    p.footings[2].markNo = 1;
    place(p, 3, 20000, 0, 1.0f, 4.0f);
    place(p, 4, 20000, 3000, 1.0f, 4.0f);
    p.combinedCount = 1;
    p.combinedFootings.resize(2);
    p.combinedFootings[1].memberCount = 2;
    p.combinedFootings[1].members[1] = 3;
    p.combinedFootings[1].members[2] = 4;
    p.combinedFootings[1].xMin = 19500;
    p.combinedFootings[1].xMax = 20500;
    p.combinedFootings[1].zMin = -500;
    p.combinedFootings[1].zMax = 3500;
    p.footings[3].state = p.footings[4].state = 1;
    const auto c = only(runChecks(p), "not-designed");
    ASSERT_EQ(c.size(), 2u); // no Design yet: the grouped footing 1 is not named
    EXPECT_EQ(c[0].footing, 2);
    EXPECT_EQ(c[0].row, "R1");
    EXPECT_EQ(c[0].text, "R1 at joint 102 is resized by hand and the schedule has no design for "
                         "it; design it before it is built.");
    EXPECT_EQ(c[1].footing, 3);
    EXPECT_EQ(c[1].row, "C1");
}

// Once Design has given the resized footing an R row and the combined footing a C row, neither
// is reported; a footing resized after the Design is again.
TEST(NotDesignedCheck, resizedAndCombinedFootingsWithADesignAreNotReported) {
    Project p = checkFrame(4, 1);
    for (int f = 1; f <= 4; ++f) {
        place(p, f, 5000 * f, 0, 2.0f, 2.0f);
        load(p, f, 0, 300);
    }
    p.footings[2].state = kStateResized;
    p.footings[2].markNo = 1;
    place(p, 3, 20000, 0, 1.0f, 4.0f);
    place(p, 4, 20000, 3000, 1.0f, 4.0f);
    p.combinedCount = 1;
    p.combinedFootings.resize(2);
    CombinedRecord& rec = p.combinedFootings[1];
    rec.memberCount = 2;
    rec.members[1] = 3;
    rec.members[2] = 4;
    rec.length = 4.0f;
    rec.width = 1.6f;
    rec.cant1 = rec.cant2 = 0.5f;
    rec.span = 3000;
    p.footings[3].state = p.footings[4].state = 1;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    testing::RecordingPrompts prompts;
    ASSERT_TRUE(runDesign(p, prompts));
    ASSERT_EQ(p.rectRows.size(), 1u);
    ASSERT_EQ(p.combinedRows.size(), 1u);
    ASSERT_TRUE(p.rectRows[0].designed);
    ASSERT_TRUE(p.combinedRows[0].designed);
    for (const Check& c : only(runChecks(p), "not-designed")) EXPECT_NE(c.row[0], 'R') << c.text;
    for (const Check& c : only(runChecks(p), "not-designed")) EXPECT_NE(c.row[0], 'C') << c.text;
    p.footings[1].state = kStateResized; // resized after the Design: no row yet
    const auto c = only(runChecks(p), "not-designed");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 1);
}

TEST(NotDesignedCheck, groupedFootingInNoRowOnceDesigned) {
    Project p = checkFrame(2, 1);
    place(p, 2, 5000, 0, 2.0f, 2.0f);
    column(p, 1, 300, 300);
    scheduleRow(p, 1, 2.0f, 0.36f, 0.6f, 10, {1}, "1000", "13", "150");
    const auto c = only(runChecks(p), "not-designed");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 2);
    EXPECT_EQ(c[0].text, "F1 at joint 102 is in no schedule row; run Design again.");
}

TEST(NotDesignedCheck, rowTheDesignRefusedHasNoDesign) {
    Project p = rowFrame(0.6f);
    for (size_t i = col::LabNetP; i < p.designRowTexts[1].size(); ++i)
        p.designRowTexts[1][i].clear();
    const auto all = runChecks(p);
    const auto c = only(all, "not-designed");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 0);
    EXPECT_EQ(c[0].row, "F1");
    EXPECT_EQ(checkScheduleRow(p, c[0]), 1);
    EXPECT_EQ(checkFootings(p, c[0]), std::vector<int>{1});
    // Nothing is said about bars a refused row does not have.
    EXPECT_TRUE(only(all, "spacing-max").empty());
    EXPECT_TRUE(only(all, "steel-provided").empty());
}

} // namespace
} // namespace ormevak
