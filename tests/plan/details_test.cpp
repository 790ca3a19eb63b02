// The footing detail windows: corner pressures per case, the depth estimate, combined values.
#include <gtest/gtest.h>

#include "combined/combined_footing.h"
#include "plan/details.h"
#include "support/recording_prompts.h"
#include "support/test_projects.h"

namespace ormevak {
namespace {

using testing::placeFooting;
using testing::projectWithSupports;
using testing::RecordingPrompts;
using testing::setLoad;

// A 2 m square footing on a 300 x 450 column, offset one step along +z.
Project squareFooting() {
    Project p = projectWithSupports(1, 2);
    FootingRecord& f = p.footings[1];
    f.lenL = 2;
    f.widB = 2;
    f.nodeX = f.x = 1000;
    f.nodeZ = 2000;
    f.z = 2110;
    f.offZ = 1;
    f.colIndex = 1;
    p.columns = {{0, 0, 0, 0, 0}, {0, 7, 3000, 300, 450}};
    p.columnCount = 1;
    setLoad(p, 1, 0, 400, 20, 10);
    setLoad(p, 1, 1, 650, 40, 0);
    return p;
}

TEST(FootingDetails, captionsNameTheFootingItsColumnAndOffsets) {
    Project p = squareFooting();
    FootingDetails d = showFootingDetails(p, 1);
    ASSERT_TRUE(d.filled);
    EXPECT_EQ(d.labN0, "F 101");
    EXPECT_EQ(d.labSize, "2 X 2 X 0.34");
    EXPECT_EQ(d.labOffcet, "0 X 1");
    EXPECT_EQ(d.labColSize, "ColSize 450 X 300");
    EXPECT_EQ(d.labXY, "off 1000 - 1000 X 2000 - 2110");
}

// A column that pulls in case 1 (FY -79.41 kN): the row shows the pull as read and its
// pressures, 1.1 x -79.41 / 4 = -21.84 on the 2 m square, 6 x 40 / 8 = 30 from MOM-X:
// -21.84 + 30 = 8.16 and -21.84 - 30 = -51.84, which becomes the lightest row. The depth
// estimate takes the case as 1 kN, as the sizing does, so it is the same as with FY 1.
TEST(FootingDetails, aPullingCaseShowsTheRealForceAndItsPressures) {
    Project p = squareFooting();
    setLoad(p, 1, 1, 1, 40, 0);
    const std::string depthAsOne = showFootingDetails(p, 1).labSize;
    setLoad(p, 1, 1, -79.41f, 40, 0);
    p.sizedAsOneKn.assign(2, 0);
    p.sizedAsOneKn[1] = 2; // case 1, as sizing marks it
    FootingDetails d = showFootingDetails(p, 1);
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[1].labPbyA, "-79.41");
    EXPECT_EQ(d.rows[1].labStress, "8.16");
    EXPECT_EQ(d.rows[1].labStress_, "-51.84");
    EXPECT_EQ(d.boldStressMin, 2);
    EXPECT_EQ(d.labSize, depthAsOne);
}

TEST(FootingDetails, rowsShowCornerPressuresAndMarkTheCriticalCases) {
    Project p = squareFooting();
    FootingDetails d = showFootingDetails(p, 1);
    ASSERT_EQ(d.rows.size(), 2u);
    // Case 0: 1.1 x 400 / 4 = 110, moments 6 x 10 / 4 / 2 + 6 x 20 / 4 / 2 = 22.5.
    EXPECT_EQ(d.rows[0].labCase, "1");
    EXPECT_EQ(d.rows[0].labPbyA, "400");
    EXPECT_EQ(d.rows[0].labMbyZ, "20");
    EXPECT_EQ(d.rows[0].labMbyZ2, "10");
    EXPECT_EQ(d.rows[0].labStress, "132.5");
    EXPECT_EQ(d.rows[0].labStress_, "87.5");
    EXPECT_EQ(d.rows[0].labAllowble, "200");
    // Case 1: 178.75 + 30 against 250 leaves the smaller reserve.
    EXPECT_EQ(d.rows[1].labCase, "2");
    EXPECT_EQ(d.rows[1].labStress, "208.75");
    EXPECT_EQ(d.rows[1].labStress_, "148.75");
    EXPECT_EQ(d.rows[1].labAllowble, "250");
    EXPECT_EQ(d.boldStress, 2);
    EXPECT_EQ(d.boldStressMin, 1);
    EXPECT_TRUE(d.borderStress);
    EXPECT_TRUE(d.borderStressMin);
}

TEST(FootingDetails, aFootingWithoutAreaLeavesTheWindowUnfilled) {
    Project p = squareFooting();
    p.footings[1].lenL = 0;
    FootingDetails d = showFootingDetails(p, 1);
    EXPECT_FALSE(d.filled);
    EXPECT_TRUE(d.rows.empty());
    EXPECT_EQ(detailPressure(p, 1), 0.0f);
    EXPECT_EQ(detailDepth(p, 1), 0.0f);
}

TEST(DetailPressure, leavesOutTheFirstCase) {
    Project p = squareFooting();
    // 650 / 4 + 6 x 40 / 4 / 2, without the load factor.
    EXPECT_FLOAT_EQ(detailPressure(p, 1), 192.5f);
    p.loadCaseCount = 0;
    EXPECT_EQ(detailPressure(p, 1), 0.0f);
}

TEST(DetailDepth, aSingleLoadCaseGivesTheLeastDepthWithoutADesignRun) {
    Project p = squareFooting();
    p.loadCaseCount = 0;
    EXPECT_FLOAT_EQ(detailDepth(p, 1), 0.19f);
}

TEST(DetailDepth, theLongerSideOfARectangleGoverns) {
    Project p = squareFooting();
    p.footings[1].lenL = 2.4f;
    p.footings[1].widB = 1.8f;
    setLoad(p, 1, 1, 600, 30, 20);
    // q = 173.6: the 2.4 m side needs 0.42 m, the 1.8 m side 0.29 m.
    EXPECT_FLOAT_EQ(detailDepth(p, 1), 0.42f);
}

TEST(CombinedDetails, showMembersSizeProjectionsAndColumnDistance) {
    Project p = projectWithSupports(2, 1);
    placeFooting(p, 1, 0, 0);
    placeFooting(p, 2, 300, 3000);
    setLoad(p, 1, 0, 500);
    setLoad(p, 2, 0, 500);
    RecordingPrompts prompts;
    PlanState s;
    s.bandX1 = -1000;
    s.bandY1 = -500;
    s.bandX2 = 1000;
    s.bandY2 = 3500;
    ASSERT_EQ(combineBand(p, prompts, s).outcome, CombineOutcome::Combined);
    CombinedDetails d = combinedDetails(p, 1);
    ASSERT_TRUE(d.filled);
    EXPECT_EQ(d.labCf1f2, "101 X 102");
    EXPECT_EQ(d.labCfSize, "4 X 1.4");
    EXPECT_EQ(d.labCnt1, "Cant1 0.5");
    EXPECT_EQ(d.labCnt2, "Cant2 0.5");
    EXPECT_EQ(d.labDisf_f, "F1-F2 3000  ( 150 )");
    EXPECT_FALSE(combinedDetails(p, 2).filled);
}

} // namespace
} // namespace ormevak
