// Full contact, overturning and uplift on hand-made frames, with the numbers worked by hand.
#include <gtest/gtest.h>

#include "checks/check_frames.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::load;
using testing::only;
using testing::place;

// One 2 x 2 m footing: A = 4 m2, FY = 100 kN, P = 1.1 FY = 110 kN, P/A = 27.5 kN/m2.
// Least corner pressure with MZ alone: 27.5 - 6 MZ / (A L) = 27.5 - 0.75 MZ, zero at
// MZ = 36.67 kN m.
TEST(ContactCheck, cornerPressureJustAboveZeroPasses) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 100, 0, 36); // 27.5 - 27 = 0.5 kN/m2
    EXPECT_TRUE(only(runChecks(p), "contact").empty());
}

TEST(ContactCheck, cornerPressureJustBelowZeroWarnsWithTheSideForFullContact) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 100, 0, 37); // 27.5 - 27.75 = -0.25 kN/m2
    const auto c = only(runChecks(p), "contact");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].row, "F1");
    EXPECT_EQ(c[0].loadCase, 1);
    EXPECT_NEAR(c[0].value, -0.25, 1e-4);
    EXPECT_EQ(c[0].limit, 0);
    // ex = 37 / 110 = 0.3364 m; 6 ex / L = 1.009: both sides x 1.009 = 2.018, up to 2.02 m.
    EXPECT_EQ(c[0].text, "F1 at joint 101: in load case 1 the least corner pressure is -0.25 "
                         "kN/m2, so the resultant leaves the middle third and part of the base "
                         "lifts; a footing of 2.02 x 2.02 m keeps full contact.");
}

// A resized footing 3 m along X (L) by 1.5 m along Z (B): A = 4.5, P/A = 24.44. MX bends it
// along Z: 6 MX / (A B) = MX / 1.125; MZ along X: 6 MZ / (A L) = MZ / 2.25.
// MX = 28: 24.44 - 24.89 = -0.44 (fails); MZ = 28: 24.44 - 12.44 = 12.0 (passes).
TEST(ContactCheck, momentAboutXPairsWithTheSideAlongZ) {
    Project p = checkFrame(2, 1);
    for (int f : {1, 2}) p.footings[static_cast<size_t>(f)].state = kStateResized;
    place(p, 1, 0, 0, 3.0f, 1.5f);
    place(p, 2, 10000, 0, 3.0f, 1.5f);
    load(p, 1, 0, 100, 28, 0);
    load(p, 2, 0, 100, 0, 28);
    const auto c = only(runChecks(p), "contact");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].row, "R1");
    EXPECT_NEAR(c[0].value, 24.444 - 24.889, 1e-3);
}

TEST(ContactCheck, worstCaseIsNamed) {
    Project p = checkFrame(1, 3);
    load(p, 1, 0, 100, 0, 37); // -0.25
    load(p, 1, 1, 100, 0, 40); // 27.5 - 30 = -2.5
    load(p, 1, 2, 100, 0, 10); // positive
    const auto c = only(runChecks(p), "contact");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].loadCase, 2);
    EXPECT_NEAR(c[0].value, -2.5, 1e-4);
}

// Overturning: the resultant leaves the base when |MZ| / P >= L / 2 (1 m on a 2 m footing):
// MZ >= 110 kN m with P = 110 kN.
TEST(OverturningCheck, resultantJustInsideTheBasePasses) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 100, 0, 109); // e = 0.991 m < 1 m
    EXPECT_TRUE(only(runChecks(p), "overturning").empty());
    EXPECT_EQ(only(runChecks(p), "contact").size(), 1u); // it does lift
}

TEST(OverturningCheck, resultantJustOutsideTheBaseIsAnError) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 100, 0, 111); // e = 111 / 110 = 1.009 m >= 1 m
    const auto c = only(runChecks(p), "overturning");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_NEAR(c[0].value, 111.0 / 110.0, 1e-5);
    EXPECT_EQ(c[0].limit, 1.0f);
    // Full contact: 6 e / L = 3.027; 2 x 3.027 = 6.055, up to 6.06 m.
    EXPECT_EQ(c[0].text, "F1 at joint 101: in load case 1 the resultant lies 1.01 m from the "
                         "centre along X, not within the base (half the side is 1 m), so the "
                         "footing would overturn; enlarge it (6.06 x 6.06 m keeps full contact) "
                         "or tie it down.");
}

// On a footing 3 m along X and 1 m along Z, MX acts on the 1 m side: the limit is 0.5 m.
// MX = 56: 56 / 110 = 0.509 m (fails); MX = 54: 0.491 m (passes). Against L / 2 = 1.5 m both
// would pass.
TEST(OverturningCheck, momentAboutXActsOnTheSideAlongZ) {
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 3.0f, 1.0f);
    place(p, 2, 10000, 0, 3.0f, 1.0f);
    load(p, 1, 0, 100, 56, 0);
    load(p, 2, 0, 100, 54, 0);
    const auto c = only(runChecks(p), "overturning");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].limit, 0.5f);
    EXPECT_NE(c[0].text.find("along Z"), std::string::npos);
}

TEST(OverturningCheck, pullingCasesBelongToTheUpliftCheck) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, -10, 0, 500);
    const auto all = runChecks(p);
    EXPECT_TRUE(only(all, "overturning").empty());
    EXPECT_TRUE(only(all, "contact").empty());
    EXPECT_EQ(only(all, "uplift").size(), 1u);
}

// Uplift: W = L B Df 20 = 2 x 2 x 1.5 x 20 = 120 kN (Df = 30 / 20 = 1.5 m); an error when
// W < 1.5 |FY|, that is |FY| > 80 kN.
TEST(UpliftCheck, pullHeldWithTheFactorIsAWarningToAnchorTheBars) {
    Project p = checkFrame(1, 2);
    load(p, 1, 0, 300);
    load(p, 1, 1, -80); // 1.5 x 80 = 120 = W: just held
    const auto c = only(runChecks(p), "uplift");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_EQ(c[0].loadCase, 2);
    EXPECT_EQ(c[0].value, 120.0f);
    EXPECT_EQ(c[0].limit, 120.0f);
    EXPECT_EQ(c[0].text, "F1 at joint 101: in load case 2 the column pulls up 80 kN, held down "
                         "by the footing and the soil above it (120 kN); anchor the column bars "
                         "in the footing for this tension.");
}

TEST(UpliftCheck, pullBeyondTheWeightIsAnError) {
    Project p = checkFrame(1, 2);
    load(p, 1, 0, 300);
    load(p, 1, 1, -81); // 1.5 x 81 = 121.5 > 120
    const auto c = only(runChecks(p), "uplift");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_FLOAT_EQ(c[0].limit, 121.5f);
    EXPECT_EQ(c[0].text, "F1 at joint 101: in load case 2 the column pulls up 81 kN and the "
                         "footing with the soil above it weighs only 120 kN, less than 1.5 x 81 "
                         "= 121.5 kN; make the footing larger or deeper, or anchor it to the "
                         "ground.");
}

TEST(UpliftCheck, noOverburdenMeansNoResistingWeight) {
    Project p = checkFrame(1, 1);
    p.earthPressure = 0; // depth 0: W = 0 < 1.5 x 5
    load(p, 1, 0, -5);
    const auto c = only(runChecks(p), "uplift");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_EQ(c[0].value, 0.0f);
}

TEST(UpliftCheck, zeroReactionIsAWarning) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 0);
    const auto c = only(runChecks(p), "uplift");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
    EXPECT_NE(c[0].text.find("carries no vertical load"), std::string::npos);
}

// Combined footing C1 under footings 1 (0, 0) and 2 (0, 3000): outline x -500..500,
// z -500..3500, so L = 1 m along X, B = 4 m along Z; W = 1 x 4 x 1.5 x 20 = 120 kN.
Project combinedFrame(float fy1, float fy2) {
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 1.0f, 4.0f);
    place(p, 2, 0, 3000, 1.0f, 4.0f);
    p.combinedCount = 1;
    p.combinedFootings.resize(2);
    CombinedRecord& rec = p.combinedFootings[1];
    rec.memberCount = 2;
    rec.members[1] = 1;
    rec.members[2] = 2;
    rec.xMin = -500;
    rec.xMax = 500;
    rec.zMin = -500;
    rec.zMax = 3500;
    rec.length = 4;
    rec.width = 1;
    rec.cant1 = rec.cant2 = 0.5f;
    for (int f : {1, 2}) p.footings[static_cast<size_t>(f)].state = 1;
    load(p, 1, 0, fy1);
    load(p, 2, 0, fy2);
    return p;
}

TEST(UpliftCheck, combinedFootingSumsItsColumnsAgainstTheWholeWeight) {
    // -50 - 40 = -90: 1.5 x 90 = 135 > 120, although each column alone would be held.
    Project p = combinedFrame(-50, -40);
    auto c = only(runChecks(p), "uplift");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].row, "C1");
    EXPECT_EQ(c[0].value, 120.0f);
    EXPECT_EQ(c[0].limit, 135.0f);
    EXPECT_EQ(c[0].text.substr(0, 70),
              "C1 (joints 101 and 102): in load case 1 the two columns pull up 90 kN ");

    // -100 + 30 = -70: 105 <= 120, held.
    p = combinedFrame(-100, 30);
    c = only(runChecks(p), "uplift");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Warning);
}

// The whole combined footing's resultant: loads 300 and 100 kN at z = 0 and 3000 about the
// centre z = 1500: lever moment (300 x -1.5 + 100 x 1.5) = -300 kN m, |.| = 300; P = 1.1 x 400
// = 440 kN; ez = 300 / 440 = 0.682 m < B / 2 = 2 m; 6 ez / B = 1.023 > 1: the base lifts.
TEST(ContactCheck, combinedFootingUsesTheResultantOfBothColumns) {
    Project p = combinedFrame(300, 100);
    const auto all = runChecks(p);
    const auto c = only(all, "contact");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].row, "C1");
    // P / A - 6 M / (A B) = 440 / 4 - 6 x 300 / 16 = 110 - 112.5 = -2.5 kN/m2.
    EXPECT_NEAR(c[0].value, -2.5, 1e-3);
    EXPECT_TRUE(only(all, "overturning").empty());
    // Equal loads leave no lever moment and full contact.
    EXPECT_TRUE(only(runChecks(combinedFrame(200, 200)), "contact").empty());
}

TEST(SoilChecks, disabledFootingsAreNotChecked) {
    Project p = checkFrame(1, 1);
    load(p, 1, 0, -500, 0, 0);
    p.footings[1].state = kStateDisabled;
    EXPECT_TRUE(runChecks(p).empty());
}

} // namespace
} // namespace ormevak
