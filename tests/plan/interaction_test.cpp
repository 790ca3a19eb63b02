// Plan interaction: wheel resize, selection, Shift + Delete, group controls, disable mode and
// the press on a footing label.
#include <gtest/gtest.h>

#include "combined/combined_footing.h"
#include "design/design.h"
#include "model/numbers.h"
#include "plan/interaction.h"
#include "sizing/sizing.h"
#include "support/recording_prompts.h"
#include "support/test_projects.h"

namespace ormevak {
namespace {

using testing::placeFooting;
using testing::projectWithSupports;
using testing::RecordingPrompts;
using testing::setLoad;

// Footings 1 and 2 need 1.659 m (group 1.7 m), footing 3 needs 1.787 m (group 1.8 m).
Project grouped(RecordingPrompts& prompts) {
    Project p = projectWithSupports(3, 1);
    placeFooting(p, 1, 0, 0);
    placeFooting(p, 2, 0, 3000);
    placeFooting(p, 3, 5000, 0);
    setLoad(p, 1, 0, 500);
    setLoad(p, 2, 0, 500);
    setLoad(p, 3, 0, 580);
    sizeFootings(p, prompts);
    formGroups(p);
    assignGroups(p, prompts);
    return p;
}

TEST(WheelResize, oneStepUpMakesTheFirstResizedFootingR1) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    ASSERT_FLOAT_EQ(p.footings[1].lenL, 1.7f);
    PlanState s;
    selectFooting(p, s, 1);
    EXPECT_TRUE(wheelStep(p, prompts, +120));
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.75f);
    EXPECT_FLOAT_EQ(p.footings[1].widB, 1.57f); // 550 / (200 x 1.75), to 2 decimals
    EXPECT_EQ(p.footings[1].state, kStateResized);
    EXPECT_EQ(p.footings[1].markNo, 1);
    EXPECT_EQ(p.sizeLabelCaption, "1.75 X 1.57 = 2.75");
    EXPECT_EQ(p.groups[1].nosCount, 1); // no longer counted in its group
}

TEST(WheelResize, sizeLabelReadsSidesAndAreaOfTheRectangle) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    setLoad(p, 1, 0, 500, 30, 20);
    p.footings[1].state = kStateResized;
    p.footings[1].lenL = 1.7f;
    p.currentFooting = 1;
    // The second side for 1.75 m is 2.0217 m, to 2 decimals 2.02; 1.75 x 2.02 = 3.535.
    EXPECT_EQ(RfootMwheel(p, prompts, +1), "1.75 X 2.02 = 3.54");
    EXPECT_FLOAT_EQ(p.footings[1].widB, 2.02f);
}

TEST(WheelResize, tenStepsDownFromOneSeventyGiveOneTwenty) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    selectFooting(p, s, 1);
    wheelStep(p, prompts, -1);
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.65f);
    for (int i = 0; i < 9; ++i) wheelStep(p, prompts, -1);
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.2f);
    EXPECT_FLOAT_EQ(p.footings[1].widB, 2.29f); // 550 / 240
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(WheelResize, aStepToAZeroSideIsRefused) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    p.currentFooting = 1;
    p.footings[1].state = kStateResized;
    p.footings[1].lenL = 0.05f;
    p.footings[1].widB = 9.0f;
    EXPECT_FALSE(wheelStep(p, prompts, -1));
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 0.05f);
    EXPECT_FLOAT_EQ(p.footings[1].widB, 9.0f);
}

TEST(WheelResize, aSecondSideThatIsNotFiniteIsRefused) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    p.allowableBearing.fill(0); // no bearing: the second side has no finite value
    p.currentFooting = 1;
    EXPECT_FALSE(RfootMwheel(p, prompts, +1));
    EXPECT_EQ(p.footings[1].state, kStateGrouped);
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.7f);
}

TEST(WheelResize, theWheelOnACombinedMemberLengthensTheCombinedFooting) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    s.bandX1 = -1000;
    s.bandY1 = -500;
    s.bandX2 = 1000;
    s.bandY2 = 3500;
    ASSERT_EQ(combineBand(p, prompts, s).outcome, CombineOutcome::Combined);
    selectFooting(p, s, 2);
    EXPECT_TRUE(wheelStep(p, prompts, +1));
    EXPECT_FLOAT_EQ(p.combinedFootings[1].length, 4.1f);
    EXPECT_TRUE(wheelStep(p, prompts, -7));
    EXPECT_FLOAT_EQ(p.combinedFootings[1].length, 4.0f);
}

TEST(Selection, leftPressShowsTheSizeBoxAndThePlanSize) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    PressResult r = pressLabel(p, prompts, s, 3, Button::Left, true);
    EXPECT_EQ(r.kind, PressResult::Kind::Selected);
    EXPECT_EQ(p.currentFooting, 3);
    EXPECT_TRUE(s.sizeBoxVisible);
    EXPECT_EQ(p.sizeLabelCaption, "1.8 X 1.8");
    hideSizeBox(s);
    EXPECT_FALSE(s.sizeBoxVisible);
    EXPECT_EQ(p.currentFooting, 3);
}

TEST(Selection, rightPressFillsTheDetailWindowOfTheFootingKind) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    PressResult r = pressLabel(p, prompts, s, 1, Button::Right, false);
    EXPECT_EQ(r.kind, PressResult::Kind::Details);
    EXPECT_TRUE(r.details.filled);
    EXPECT_EQ(r.details.labN0, "F 101");
    EXPECT_FALSE(s.sizeBoxVisible);

    s.bandX1 = -1000;
    s.bandY1 = -500;
    s.bandX2 = 1000;
    s.bandY2 = 3500;
    combineBand(p, prompts, s);
    r = pressLabel(p, prompts, s, 2, Button::Right, false);
    EXPECT_EQ(r.kind, PressResult::Kind::CombinedDetails);
    EXPECT_EQ(r.combined.labCf1f2, "101 X 102");
}

TEST(ShiftDelete, putsAResizedFootingBackAtItsRequiredSide) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    selectFooting(p, s, 1);
    wheelStep(p, prompts, 1);
    shiftDelete(p, prompts, s);
    EXPECT_EQ(p.footings[1].state, kStateGrouped);
    // Back in the smallest ticked group that fits its 1.659 m: the 1.7 m type, mark F1.
    EXPECT_EQ(p.footings[1].groupIndex, 1);
    EXPECT_EQ(p.footings[1].markNo, 1);
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.7f);
    EXPECT_FLOAT_EQ(p.footings[1].widB, 1.7f);
    EXPECT_EQ(p.groups[1].nosCount, 2);
    EXPECT_FALSE(s.sizeBoxVisible);
}

// A right press picks the footing too: Shift + Delete then acts on it, not on the one selected
// before (here a plain footing, so nothing changes and footing 1 stays resized).
TEST(ShiftDelete, actsOnTheFootingPressedLast) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    selectFooting(p, s, 1);
    wheelStep(p, prompts, 1);
    ASSERT_EQ(p.footings[1].state, kStateResized);
    pressLabel(p, prompts, s, 2, Button::Right, false);
    EXPECT_EQ(p.currentFooting, 2);
    shiftDelete(p, prompts, s);
    EXPECT_EQ(p.footings[1].state, kStateResized);
    toggleDisableMode(s);
    pressLabel(p, prompts, s, 3, Button::Left, false);
    EXPECT_EQ(p.currentFooting, 3);
}

// Wheel, Shift + Delete, Design: the footing is in its group's schedule row at once.
TEST(ShiftDelete, theReturnedFootingIsDesignedInItsGroupsRow) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    selectFooting(p, s, 1);
    wheelStep(p, prompts, 1);
    shiftDelete(p, prompts, s);
    ASSERT_TRUE(runDesign(p, prompts));
    ASSERT_GE(p.designRowCount, 1);
    const GroupRecord& row = p.designRows[1];
    EXPECT_EQ(row.nosCount, 2);
    EXPECT_EQ(row.footingNos, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(p.footings[1].markNo, 1); // "F1", the row's mark
}

// Deleting a combined footing puts both columns back in their groups with their marks.
TEST(ShiftDelete, deletingACombinedFootingRegroupsItsColumns) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    s.bandX1 = -1000;
    s.bandY1 = -500;
    s.bandX2 = 1000;
    s.bandY2 = 3500;
    ASSERT_EQ(combineBand(p, prompts, s).outcome, CombineOutcome::Combined);
    ASSERT_EQ(p.footings[1].state, 1);
    p.currentFooting = 1;
    shiftDelete(p, prompts, s);
    for (int i : {1, 2}) {
        EXPECT_EQ(p.footings[i].state, kStateGrouped);
        EXPECT_EQ(p.footings[i].groupIndex, 1) << i;
        EXPECT_EQ(p.footings[i].markNo, 1) << i;
        EXPECT_FLOAT_EQ(p.footings[i].lenL, 1.7f) << i;
    }
    EXPECT_EQ(p.groups[1].nosCount, 2);
}

TEST(ShiftDelete, doesNothingDuringARubberBandDrag) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    selectFooting(p, s, 1);
    wheelStep(p, prompts, 1);
    s.dragging = true;
    shiftDelete(p, prompts, s);
    EXPECT_EQ(p.footings[1].state, kStateResized);
    EXPECT_TRUE(s.sizeBoxVisible);
}

TEST(ShiftDelete, onAGroupedOrDisabledFootingOnlyHidesTheSizeBox) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    selectFooting(p, s, 1);
    shiftDelete(p, prompts, s);
    EXPECT_EQ(p.footings[1].state, kStateGrouped);
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.7f);
    EXPECT_FALSE(s.sizeBoxVisible);
    p.footings[2].state = kStateDisabled;
    selectFooting(p, s, 2);
    shiftDelete(p, prompts, s);
    EXPECT_EQ(p.footings[2].state, kStateDisabled);
    EXPECT_FLOAT_EQ(p.footings[2].lenL, 1.7f);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(GroupControls, nudgesCycleBelowAndAboveTheFormedSide) {
    RecordingPrompts prompts;
    Project p = projectWithSupports(1, 1);
    p.footings[1].reqSide = 1.701f;
    formGroups(p);
    assignGroups(p, prompts);
    ASSERT_FLOAT_EQ(p.groups[1].size, 1.8f);
    const char* sides[] = {"1.75", "1.85", "1.8", "1.75"};
    for (const char* side : sides) {
        EXPECT_TRUE(nudgeGroup(p, prompts, 1));
        EXPECT_EQ(p.groupCaptions[1].side, side);
        EXPECT_EQ(formatNumber(p.footings[1].lenL), side);
    }
    EXPECT_FLOAT_EQ(p.groups[1].baseSize, 1.8f);
    EXPECT_FALSE(nudgeGroup(p, prompts, 2));
}

TEST(GroupControls, memberListNamesTheGroupedFootingsOnly) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    GroupMemberList list = groupMemberList(p, 1);
    EXPECT_EQ(list.text, "F1    1.7 X 1.7 M\r\r101   102   ");
    EXPECT_EQ(list.visible, (std::vector<char>{0, 1, 1, 0}));

    PlanState s;
    selectFooting(p, s, 2);
    wheelStep(p, prompts, 1); // footing 2 keeps its group index but leaves the group
    list = groupMemberList(p, 1);
    EXPECT_EQ(list.text, "F1    1.7 X 1.7 M\r\r101   ");
    EXPECT_EQ(list.visible, (std::vector<char>{0, 1, 0, 0}));
}

TEST(GroupControls, uncheckingAGroupMovesItsFootingsIntoTheNextEnabledOne) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    EXPECT_TRUE(toggleGroup(p, prompts, 1));
    EXPECT_EQ(p.groupEnabled[1], 0);
    EXPECT_EQ(p.groupCaptions[1].check, "");
    EXPECT_EQ(p.groupCaptions[1].count, "");
    EXPECT_EQ(p.groupCaptions[2].check, "F1");
    EXPECT_EQ(p.groupCaptions[2].count, "3");
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.8f);
    EXPECT_TRUE(toggleGroup(p, prompts, 1));
    EXPECT_EQ(p.groupCaptions[1].check, "F1");
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.7f);
    EXPECT_FALSE(toggleGroup(p, prompts, 2)); // the largest group's box is disabled
    EXPECT_EQ(p.groupEnabled[2], 1);
}

TEST(GroupControls, refreshRecomputesRequiredSidesButKeepsTheAssignment) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    setLoad(p, 1, 0, 700);
    refresh(p, prompts);
    EXPECT_FLOAT_EQ(p.footings[1].reqSide, 1.963f); // sqrt(770 / 200), next millimetre up
    EXPECT_EQ(p.footings[1].groupIndex, 1);
    EXPECT_FLOAT_EQ(p.footings[1].lenL, 1.7f);
}

TEST(DisableMode, pressesToggleBetweenDisabledAndGrouped) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    s.labels = {"", "101", "102", "103"};
    EXPECT_TRUE(toggleDisableMode(s));
    PressResult r = pressLabel(p, prompts, s, 1, Button::Left, false);
    EXPECT_EQ(r.kind, PressResult::Kind::DisableToggled);
    EXPECT_EQ(p.footings[1].state, kStateDisabled);
    EXPECT_EQ(s.labels[1], "101"); // a disabled footing keeps its joint number
    EXPECT_EQ(p.groups[1].nosCount, 1);
    EXPECT_FALSE(s.sizeBoxVisible);

    pressLabel(p, prompts, s, 1, Button::Right, false);
    EXPECT_EQ(p.footings[1].state, kStateGrouped);
    EXPECT_EQ(s.labels[1], "101");
    EXPECT_EQ(p.groups[1].nosCount, 2);
    EXPECT_FALSE(toggleDisableMode(s));
}

TEST(DisableMode, resizedAndCombinedFootingsBecomeOrdinaryAgain) {
    RecordingPrompts prompts;
    Project p = grouped(prompts);
    PlanState s;
    s.bandX1 = -1000;
    s.bandY1 = -500;
    s.bandX2 = 1000;
    s.bandY2 = 3500;
    combineBand(p, prompts, s);
    selectFooting(p, s, 3);
    wheelStep(p, prompts, 1);
    ASSERT_EQ(p.footings[3].state, kStateResized);

    toggleDisableMode(s);
    pressLabel(p, prompts, s, 3, Button::Left, false);
    EXPECT_EQ(p.footings[3].state, kStateGrouped);
    EXPECT_FLOAT_EQ(p.footings[3].lenL, 1.8f);
    pressLabel(p, prompts, s, 2, Button::Left, false);
    EXPECT_EQ(p.footings[2].state, kStateGrouped);
    EXPECT_FLOAT_EQ(p.footings[2].lenL, 1.7f);
    EXPECT_EQ(p.combinedCount, 1);
    EXPECT_EQ(p.combinedFootings[1].members[2], 2); // the record still lists it
}

} // namespace
} // namespace ormevak
