// Overlapping footing outlines on the plan: touching is allowed, a millimetre more is not; a
// wheel-grown footing meets its neighbour; Combine makes the overlap go away.
#include <gtest/gtest.h>

#include "checks/check_frames.h"
#include "combined/combined_footing.h"
#include "plan/interaction.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::load;
using testing::only;
using testing::place;

// Two footings 2000 mm apart along X: sides of 2.0 m touch (edges at x = 1000), 2.002 m
// overlap by 2 mm (edges at 1001 and 999).
TEST(OverlapCheck, touchingFootingsDoNotOverlap) {
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 2.0f, 2.0f);
    place(p, 2, 2000, 0, 2.0f, 2.0f);
    for (int f : {1, 2}) load(p, f, 0, 300);
    EXPECT_TRUE(only(runChecks(p), "overlap").empty());
}

TEST(OverlapCheck, footingsOverlappingByTwoMillimetresAreAnError) {
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 2.002f, 2.0f);
    place(p, 2, 2000, 0, 2.002f, 2.0f);
    for (int f : {1, 2}) load(p, f, 0, 300);
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].severity, Severity::Error);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].other, 2);
    EXPECT_EQ(c[0].value, 2.0f);
    // In one line along X, 2000 mm apart (more than 1000): the Combine command would take them.
    EXPECT_EQ(c[0].text, "F1 at joint 101 and F1 at joint 102 overlap by 2 mm along X and "
                         "2000 mm along Z; combine them (the two columns are within the Combine "
                         "command's limits) or move them apart.");
}

TEST(OverlapCheck, pairOutsideTheCombineLimitsIsNotOfferedForCombining) {
    // 900 mm apart along X: not more than 1000 mm, so the Combine command refuses them.
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 1.5f, 1.5f);
    place(p, 2, 900, 0, 1.5f, 1.5f);
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_NE(c[0].text.find("move them apart or make them smaller."), std::string::npos);

    // 2000 mm apart but a third centre between them: no band holds exactly two.
    Project q = checkFrame(3, 1);
    place(q, 1, 0, 0, 2.5f, 2.5f);
    place(q, 2, 2000, 0, 2.5f, 2.5f);
    place(q, 3, 1000, 0, 0.2f, 0.2f);
    const auto d = only(runChecks(q), "overlap");
    ASSERT_EQ(d.size(), 3u);
    for (const Check& e : d) EXPECT_EQ(e.text.find("combine them"), std::string::npos) << e.text;
}

TEST(OverlapCheck, eachPairIsListedOnceInFootingOrder) {
    // Three footings in a row along Z, each overlapping the next: pairs (1, 2) and (2, 3).
    Project p = checkFrame(3, 1);
    place(p, 3, 0, 0, 2.2f, 2.2f);
    place(p, 1, 0, 2000, 2.2f, 2.2f);
    place(p, 2, 0, 4000, 2.2f, 2.2f);
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].other, 2);
    EXPECT_EQ(c[1].footing, 1);
    EXPECT_EQ(c[1].other, 3);
    EXPECT_EQ(c[0].value, 200.0f); // 2200 - 2000 along Z
}

TEST(OverlapCheck, disabledFootingsAreNotBuilt) {
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 3.0f, 3.0f);
    place(p, 2, 2000, 0, 3.0f, 3.0f);
    p.footings[2].state = kStateDisabled;
    EXPECT_TRUE(only(runChecks(p), "overlap").empty());
}

// Two footings of the 1.9 m group, centres 2000 mm apart along X (a 100 mm gap). Each wheel
// notch lengthens footing 1 along X by 50 mm: at 2.10 m its edge reaches x = 1050 against the
// neighbour's 1050 (touching), at 2.15 m it passes by 25 mm.
Project wheelFrame() {
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 1.9f, 1.9f);
    place(p, 2, 2000, 0, 1.9f, 1.9f);
    for (int f : {1, 2}) {
        load(p, f, 0, 300);
        p.footings[static_cast<size_t>(f)].reqSide = 1.8f;
    }
    p.groupCount = 1;
    p.groups.resize(2);
    p.groups[1].baseSize = p.groups[1].size = 1.9f;
    p.groups[1].pedestal = 0.53f;
    p.groups[1].barDia = 10;
    p.groupEnabled = {0, 1};
    p.groupCaptions.resize(2);
    return p;
}

TEST(OverlapCheck, wheelGrownFootingOverlapsItsNeighbour) {
    Project p = wheelFrame();
    testing::RecordingPrompts prompts;
    p.currentFooting = 1;
    for (int notch = 0; notch < 4; ++notch) ASSERT_TRUE(wheelStep(p, prompts, +1));
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 2.1f);
    EXPECT_TRUE(only(runChecks(p), "overlap").empty());
    ASSERT_TRUE(wheelStep(p, prompts, +1));
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].row, "R1");
    EXPECT_EQ(c[0].other, 2);
    EXPECT_EQ(c[0].value, 25.0f);
}

TEST(OverlapCheck, combiningTheOverlappingPairMakesTheOverlapGoAway) {
    Project p = wheelFrame();
    testing::RecordingPrompts prompts;
    p.currentFooting = 1;
    for (int notch = 0; notch < 5; ++notch) ASSERT_TRUE(wheelStep(p, prompts, +1));
    ASSERT_EQ(only(runChecks(p), "overlap").size(), 1u);

    PlanState s;
    s.bandX1 = -100;
    s.bandY1 = -100;
    s.bandX2 = 2100;
    s.bandY2 = 100;
    ASSERT_EQ(combineBand(p, prompts, s).outcome, CombineOutcome::Combined);
    const auto all = runChecks(p);
    EXPECT_TRUE(only(all, "overlap").empty());
    // The combined footing has no design yet.
    const auto nd = only(all, "not-designed");
    ASSERT_EQ(nd.size(), 1u);
    EXPECT_EQ(nd[0].row, "C1");
}

TEST(OverlapCheck, combinedOutlineOverlapsAnIsolatedNeighbour) {
    Project p = checkFrame(3, 1);
    place(p, 1, 0, 0, 1.0f, 1.0f);
    place(p, 2, 3000, 0, 1.0f, 1.0f);
    place(p, 3, 4000, 0, 1.5f, 1.5f);
    for (int f : {1, 2, 3}) load(p, f, 0, 100);
    testing::RecordingPrompts prompts;
    PlanState s;
    s.bandX1 = -100;
    s.bandY1 = -100;
    s.bandX2 = 3100;
    s.bandY2 = 100;
    ASSERT_EQ(combineBand(p, prompts, s).outcome, CombineOutcome::Combined);
    // Equal loads: 4.0 m long, 0.5 m beyond each column, so the outline ends at x = 3500;
    // footing 3 starts at 4000 - 750 = 3250: 250 mm along X.
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].other, 3);
    EXPECT_EQ(c[0].value, 250.0f);
    EXPECT_EQ(c[0].text.substr(0, 58),
              "C1 (joints 101 and 102) and F1 at joint 103 overlap by 250");
}

} // namespace
} // namespace ormevak
