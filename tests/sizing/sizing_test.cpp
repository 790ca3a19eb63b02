// Required sides, rectangles, groups and their assignment, with the system's worked numbers.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/errors.h"
#include "model/numbers.h"
#include "sizing/sizing.h"
#include "support/recording_prompts.h"

using namespace ormevak;
using ormevak::testing::RecordingPrompts;

namespace {

struct Load {
    float fy, mx, mz;
};

// A project with one support per entry, each with its load cases, SBC 200 and depth 1.5.
Project project(const std::vector<std::vector<Load>>& supports) {
    Project p;
    p.supportReaction.assign(supports.size() + 1, SupportCases{});
    p.supportReaction[0][0][reaction::SupportCount] = static_cast<float>(supports.size());
    for (size_t s = 0; s < supports.size(); ++s) {
        const int si = static_cast<int>(s) + 1;
        p.reaction(si, 0, reaction::JointNo) = static_cast<float>(100 + si);
        for (size_t c = 0; c < supports[s].size(); ++c) {
            const int ci = static_cast<int>(c);
            p.reaction(si, ci, reaction::CaseNo) = static_cast<float>(c + 1);
            p.reaction(si, ci, reaction::ForceY) = supports[s][c].fy;
            p.reaction(si, ci, reaction::MomX) = supports[s][c].mx;
            p.reaction(si, ci, reaction::MomZ) = supports[s][c].mz;
        }
    }
    p.allowableBearing.fill(250);
    p.allowableBearing[0] = 200;
    p.earthPressure = 30;
    p.footingCount = static_cast<int>(supports.size());
    p.footings.resize(supports.size() + 1);
    return p;
}

// Footings with the given required sides, grouped.
Project grouped(const std::vector<float>& sides) {
    Project p = project(std::vector<std::vector<Load>>(sides.size(), {{100, 0, 0}}));
    for (size_t i = 0; i < sides.size(); ++i) {
        p.footings[i + 1].reqSide = sides[i];
        p.footings[i + 1].jointNo = static_cast<int>(101 + i);
    }
    formGroups(p);
    return p;
}

} // namespace

TEST(SquareSide, twentyNewtonStepsSolveTheCornerPressure) {
    Project p = project({{{500, 0, 0}}});
    EXPECT_NEAR(squareSide(p, 1, 0, 550), std::sqrt(550.0 / 200.0), 1e-9);
    Project q = project({{{500, 30, -20}}});
    const double b = squareSide(q, 1, 0, 550);
    EXPECT_NEAR(b, 1.8832, 5e-5);
    EXPECT_NEAR(550 / (b * b) + 6 * 50 / (b * b * b), 200, 1e-6);
}

TEST(SizeFootings, requiredSideIsTheNextMillimetreUp) {
    Project p = project({{{500, 0, 0}}, {{500, 30, -20}}});
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    EXPECT_FLOAT_EQ(p.footings[1].reqSide, 1.659f);
    EXPECT_FLOAT_EQ(p.footings[2].reqSide, 1.884f);
    EXPECT_EQ(p.footings[2].jointNo, 102);
    EXPECT_EQ(p.loadCaseCount, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(SizeFootings, exactSideStaysAndLoadCaseCountIsTheLastSlot) {
    // P = 1.1 x FY = 450 on 200 kN/m2 gives exactly 1.5 m; the worse later case decides.
    Project p = project({{{409.0909090909f, 0, 0}, {100, 0, 0}, {100, 0, 0}}});
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    EXPECT_EQ(p.loadCaseCount, 2);
    EXPECT_FLOAT_EQ(p.footings[1].reqSide, 1.5f);
}

TEST(SizeFootings, nonPositiveForceIsReportedOnceAndTakenAsOne) {
    Project p = project({{{0, 0, 0}, {300, 0, 0}}, {{200, 0, 0}, {-92.44f, 0, 0}}});
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    ASSERT_EQ(prompts.messages.size(), 2u);
    // The message names the support's joint number, the one the engineer finds in the model.
    EXPECT_EQ(prompts.messages[0], "Check JOINT : 101    LOAD : 1    FORCE-Y = 0");
    EXPECT_EQ(prompts.messages[1], "Check JOINT : 102    LOAD : 2    FORCE-Y = -92.44");
    // The table keeps the pull as read; sizing and design take the case as 1 kN.
    EXPECT_EQ(p.reaction(1, 0, reaction::ForceY), 0);
    EXPECT_EQ(p.reaction(2, 1, reaction::ForceY), -92.44f);
    EXPECT_EQ(p.designFy(1, 0), 1);
    EXPECT_EQ(p.designFy(2, 1), 1);
    EXPECT_EQ(p.designFy(2, 0), 200);
    // Sized from the other case; a second run finds nothing more to report.
    EXPECT_FLOAT_EQ(p.footings[1].reqSide,
                    static_cast<float>(roundTo(std::sqrt(330.0 / 250.0) + 0.00049, 3)));
    sizeFootings(p, prompts);
    EXPECT_EQ(prompts.messages.size(), 2u);
}

// A pulling case after a heavier one is sized with its own 1 kN, not the load before it:
// case 0, 500 kN: 1.659 m; case 1, P = 1 with MX 100 on 250: 250 B3 - B - 600 = 0 gives
// B = 1.34 m, so case 0 governs. With case 0's 550 kN it would be about 1.86 m.
TEST(SizeFootings, aPullingCaseAfterAHeavierOneIsSizedWithItsOwnKilonewton) {
    Project p = project({{{500, 0, 0}, {-10, 100, 0}}});
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    EXPECT_FLOAT_EQ(p.footings[1].reqSide, 1.659f);
}

// The same when the pulling case governs, so that its load shows in the side:
// case 0, 500 kN, no moment: sqrt(550 / 200) = 1.658 m;
// case 1, FY -10 kN taken as P = 1 kN, MX 400 on 250: 250 B3 - 1 B - 6 x 400 = 0 gives
// B = 2.12594 m (250 x 9.6085 - 2.126 = 2400), required side 2.126 m.
// Carrying case 0's P = 550 kN into case 1 would give 250 B3 - 550 B - 2400 = 0, B = 2.468 m.
TEST(SizeFootings, aGoverningPullingCaseIsSizedWithOneKilonewton) {
    Project p = project({{{500, 0, 0}, {-10, 400, 0}}});
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    EXPECT_FLOAT_EQ(p.footings[1].reqSide, 2.126f);
    EXPECT_NEAR(squareSide(p, 1, 1, factoredLoad(-10)), 2.12594, 5e-6);
    EXPECT_EQ(factoredLoad(-10), 1.0f);
    EXPECT_EQ(factoredLoad(500), static_cast<float>(1.1 * 500.0f)); // 550 in single precision
}

TEST(SizeFootings, thirtySixCasesSetLoadCaseCount35AndCheckTheLast) {
    std::vector<Load> cases(36, Load{100, 0, 0});
    cases[35].fy = 0; // slot 35 is not sized, only checked
    Project p = project({cases});
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    EXPECT_EQ(p.loadCaseCount, 35);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], " Fy = 0 @ : 101 Case : 35");
}

// Supports are sized side by side in runs; what they say still comes in support order, the last
// support's case count stands, and every side is the one the support gets when sized alone.
// Forty supports of one to five cases, with a pull in the last case of every seventh.
TEST(SizeFootings, manySupportsSpeakInSupportOrderAndSizeAsAlone) {
    std::vector<std::vector<Load>> supports;
    std::vector<std::string> expected;
    for (int s = 0; s < 40; ++s) {
        std::vector<Load> cases(
            static_cast<size_t>(1 + s % 5),
            Load{100.0f + 10.0f * static_cast<float>(s), 5.0f * static_cast<float>(s), 2.0f});
        if (s % 7 == 3) {
            cases.back().fy = -static_cast<float>(s);
            expected.push_back("Check JOINT : " + std::to_string(101 + s) + "    LOAD : " +
                               std::to_string(1 + s % 5) + "    FORCE-Y = -" + std::to_string(s));
        }
        supports.push_back(cases);
    }
    Project p = project(supports);
    RecordingPrompts prompts;
    sizeFootings(p, prompts);
    EXPECT_EQ(prompts.messages, expected);
    EXPECT_EQ(p.loadCaseCount, 4); // support 40: five cases
    for (size_t s = 0; s < supports.size(); ++s) {
        Project alone = project({supports[s]});
        RecordingPrompts quiet;
        sizeFootings(alone, quiet);
        EXPECT_EQ(p.footings[s + 1].reqSide, alone.footings[1].reqSide) << "support " << s + 1;
        EXPECT_EQ(p.footings[s + 1].jointNo, static_cast<int>(101 + s));
    }
}

// Where a joint number is listed twice its first row places the footing, and a support whose
// joint is not listed keeps its footing as it was.
TEST(PlaceFootings, theFirstRowOfAJointPlacesItsFooting) {
    Project p = project({{{100, 0, 0}}, {{100, 0, 0}}}); // supports at joints 101 and 102
    p.joints = {{}, {101, 0, 0, 0}, {101, 9000, 0, 4000}, {103, 1, 2, 3}};
    p.jointCount = 3;
    p.footings[2].x = 77;
    placeFootings(p);
    EXPECT_EQ(p.footings[1].x, 0);
    EXPECT_EQ(p.footings[1].z, 0);
    EXPECT_EQ(p.footings[1].jointNo, 101);
    EXPECT_EQ(p.footings[2].x, 77);
    EXPECT_EQ(p.footingCount, 2);
}

TEST(RectSide, secondSideFromBothCornerConditions) {
    Project p = project({{{500, 30, 20}}});
    RecordingPrompts prompts;
    EXPECT_NEAR(rectSideForCase(p, prompts, 1, 0, 1.75, 550), 2.0217, 5e-5);
    EXPECT_FLOAT_EQ(static_cast<float>(rectSide(p, prompts, 1, 1.75)), 2.02f);
    // Zero moments: P / (qa L), rounded to 2 decimals.
    Project q = project({{{500, 0, 0}}});
    EXPECT_DOUBLE_EQ(rectSide(q, prompts, 1, 1.75), roundTo(550 / (200 * 1.75), 2));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(RectSide, withoutOverburdenTheUpliftConditionIsLinear) {
    Project p = project({{{50, 40, 0}}});
    p.earthPressure = 0;
    RecordingPrompts prompts;
    const double b = rectSideForCase(p, prompts, 1, 0, 1.0, 55);
    ASSERT_TRUE(std::isfinite(b));
    EXPECT_NEAR(b, 6 * 40 / 55.0, 1e-9); // the lightest corner just stays down
    // A moment about the other axis that no width can balance keeps the bearing width.
    Project q = project({{{50, 0, 40}}});
    q.earthPressure = 0;
    EXPECT_TRUE(std::isfinite(rectSideForCase(q, prompts, 1, 0, 1.0, 55)));
}

TEST(PedestalForSize, boundsAreInclusiveInSinglePrecision) {
    EXPECT_FLOAT_EQ(pedestalForSize(1.4f), 0.40f);
    EXPECT_FLOAT_EQ(pedestalForSize(1.5f), 0.45f);
    EXPECT_FLOAT_EQ(pedestalForSize(1.7f), 0.45f);
    EXPECT_FLOAT_EQ(pedestalForSize(1.8f), 0.53f);
    EXPECT_FLOAT_EQ(pedestalForSize(2.3f), 0.60f);
    EXPECT_FLOAT_EQ(pedestalForSize(2.8f), 0.75f);
    EXPECT_FLOAT_EQ(pedestalForSize(3.1f), 0.90f);
    EXPECT_FLOAT_EQ(pedestalForSize(3.2f), 1.20f);
}

TEST(Groups, sidesRoundUpToTheNextTenthIntoSortedGroups) {
    Project p = grouped({1.701f, 1.632f, 1.700f});
    ASSERT_EQ(p.groupCount, 2);
    EXPECT_FLOAT_EQ(p.groups[1].size, 1.7f);
    EXPECT_FLOAT_EQ(p.groups[1].pedestal, 0.45f);
    EXPECT_FLOAT_EQ(p.groups[2].size, 1.8f);
    EXPECT_FLOAT_EQ(p.groups[2].pedestal, 0.53f);
    EXPECT_EQ(p.groups[2].barDia, 10);
    RecordingPrompts prompts;
    assignGroups(p, prompts);
    EXPECT_EQ(p.groupCaptions[1].check, "F1");
    EXPECT_EQ(p.groupCaptions[1].count, "2");
    EXPECT_EQ(p.groupCaptions[1].side, "1.7");
    EXPECT_EQ(p.groupCaptions[2].check, "F2");
    EXPECT_EQ(p.groups[1].footingNos, (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(p.footings[1].markNo, 2);
    EXPECT_FLOAT_EQ(p.footings[2].lenL, 1.7f);
}

TEST(Groups, uncheckingAGroupMovesItsFootingsUp) {
    Project p = grouped({1.632f, 1.700f, 1.701f});
    RecordingPrompts prompts;
    p.groupEnabled[1] = 0;
    assignGroups(p, prompts);
    EXPECT_EQ(p.groupCaptions[1].check, "");
    EXPECT_EQ(p.groupCaptions[1].count, "");
    EXPECT_EQ(p.groups[1].groupNo, 0);
    EXPECT_EQ(p.groupCaptions[2].check, "F1");
    EXPECT_EQ(p.groupCaptions[2].count, "3");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(p.footings[static_cast<size_t>(i)].markNo, 1);
        EXPECT_FLOAT_EQ(p.footings[static_cast<size_t>(i)].widB, 1.8f);
    }
}

TEST(Groups, resizedFootingsAreNumberedAndNotCounted) {
    Project p = grouped({1.5f, 1.5f, 1.5f, 1.5f});
    p.footings[4].state = kStateResized;
    p.footings[2].state = kStateResized;
    p.footings[3].state = kStateDisabled;
    p.footings[3].markNo = 9;
    RecordingPrompts prompts;
    assignGroups(p, prompts);
    EXPECT_EQ(p.footings[2].markNo, 1);
    EXPECT_EQ(p.footings[4].markNo, 2);
    EXPECT_EQ(p.footings[3].markNo, 9);
    EXPECT_EQ(p.groups[1].nosCount, 1);
}

TEST(Groups, aFootingThatFitsNoGroupIsReported) {
    Project p = grouped({2.6f, 1.5f});
    p.footings[1].jointNo = 105;
    p.groups[2].size = 2.5f; // nudged below the required side
    RecordingPrompts prompts;
    assignGroups(p, prompts);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "105 Missed   Size = 3 M");
    EXPECT_EQ(p.footings[1].markNo, 0);
    EXPECT_EQ(p.footings[1].groupIndex, 0);
}

TEST(Groups, moreThanSixtySidesAreRefused) {
    std::vector<float> sides;
    for (int i = 0; i < 61; ++i) sides.push_back(1.0f + 0.1f * static_cast<float>(i));
    Project p = project(std::vector<std::vector<Load>>(sides.size(), {{100, 0, 0}}));
    for (size_t i = 0; i < sides.size(); ++i) p.footings[i + 1].reqSide = sides[i];
    EXPECT_THROW(formGroups(p), CapacityError);
    sides.pop_back();
    p.footings[61].reqSide = sides[0];
    EXPECT_NO_THROW(formGroups(p));
    EXPECT_EQ(p.groupCount, 60);
}

TEST(GridLists, distinctSupportCoordinatesAscending) {
    Project p = project({{{1, 0, 0}}, {{1, 0, 0}}, {{1, 0, 0}}});
    p.footings[1].x = 8400;
    p.footings[2].x = 0;
    p.footings[3].x = 8400;
    p.footings[3].z = 5000;
    buildGrid(p);
    EXPECT_EQ(p.gridX, (std::vector<int32_t>{2, 0, 8400}));
    EXPECT_EQ(p.gridZ, (std::vector<int32_t>{2, 0, 5000}));
}

TEST(MainCaption, readsGradesAndSoilValues) {
    Project p;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    p.allowableBearing[0] = 200;
    p.earthPressure = 30;
    EXPECT_EQ(mainCaption(p), "Fck  20 Fy  415   SBC  200 Earth Pressure : 30");
}

TEST(Groups, missedMessageWritesAnySideItIsGiven) {
    Project p = grouped({1.5f});
    p.footings[1].jointNo = 7;
    p.footings[1].reqSide = 3e30f; // from a reaction no footing could carry
    RecordingPrompts prompts;
    assignGroups(p, prompts);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "7 Missed   Size = 3000000000000000000000000000000 M");
}
