// The schedule after the Design command: row redesign, the edits and clicks, the table.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "design/design.h"
#include "design/schedule.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using testing::RecordingPrompts;

RowTexts rowOf(std::initializer_list<const char*> cells) {
    RowTexts t;
    std::size_t i = 0;
    for (const char* c : cells) t[i++] = c;
    return t;
}

const RowTexts kWorkedRow =
    rowOf({"F1",  "2",  "1.2", "0.25", "0.3", "100",  "0.45", "18.22", "0.42", "0.2",
           "456", "10", "6",   "216",  "47",  "0.21", "0.32", "180",   "0.48", "1.12"});

// One designed row: L 1.2, a 0.3, q 100, fck 20, fy 415, 10 mm bars; footings 1 and 2 of
// which footing 2 governs in case 1.
class Schedule : public ::testing::Test {
  protected:
    void SetUp() override {
        p.footingCount = 2;
        p.footings.resize(3);
        p.supportReaction.resize(3);
        p.reaction(0, 0, reaction::SupportCount) = 2;
        p.loadCaseCount = 1;
        p.concreteGrade = 20;
        p.steelGrade = 415;
        GroupRecord g;
        g.size = g.baseSize = 1.2f;
        g.pedestal = 0.3f;
        g.barDia = 10;
        g.nosCount = 2;
        g.footingNos = {0, 1, 2};
        p.groups.push_back(g);
        p.groupEnabled.push_back(1);
        p.groupCount = 1;
        p.footings[1].groupIndex = p.footings[2].groupIndex = 1;
        p.reaction(1, 0, reaction::ForceY) = 100.0f;
        p.reaction(2, 1, reaction::ForceY) = 144.0f;
        ASSERT_TRUE(runDesign(p, prompts));
        ASSERT_EQ(texts(), kWorkedRow);
    }
    const RowTexts& texts() const { return p.designRowTexts[1]; }
    GroupRecord& row() { return p.designRows[1]; }

    Project p;
    RecordingPrompts prompts;
};

TEST_F(Schedule, redesigningAFreshRowKeepsItsTexts) {
    EXPECT_EQ(redesignRow(p, 1), "");
    EXPECT_EQ(texts(), kWorkedRow);
    EXPECT_EQ(row().depth, 0.25f);
}

// At d = 0.54 the one-way section (c - d = 0.45 - 0.54) lies beyond the footing's edge: it
// carries no shear, shown as 0 rather than a negative force and stress.
TEST_F(Schedule, aUserDepthDeepEnoughSurvivesTheRedesign) {
    const RowTexts t = editDepth(p, 1, "0.6");
    EXPECT_EQ(t,
              rowOf({"F1",   "2",  "1.2", "0.6", "0.3", "100", "0.45", "18.22", "0.05", "0.2",
                     "1296", "10", "16",  "72",  "0",   "0",   "0.32", "111",   "0.06", "1.12"}));
    EXPECT_EQ(row().depth, 0.6f);
    EXPECT_EQ(t, texts());
}

TEST_F(Schedule, aUserDepthTooShallowIsReplacedByTheRequiredDepth) {
    EXPECT_EQ(editDepth(p, 1, " 0.1 "), kWorkedRow);
    EXPECT_EQ(row().depth, 0.25f);
}

TEST_F(Schedule, aUserDepthIsKeptRoundedToTheMillimetre) {
    EXPECT_EQ(editDepth(p, 1, "0.4567")[col::TxtDepth], "0.457");
    EXPECT_EQ(row().depth, 0.457f);
}

TEST_F(Schedule, aDepthTextThatIsNotANumberIsReplacedByTheStoredDepth) {
    editDepth(p, 1, "0.6");
    for (const char* typed : {"abc", "0.5x", "", "0. 5"}) {
        const RowTexts t = editDepth(p, 1, typed);
        EXPECT_EQ(t[col::TxtDepth], "0.6") << typed;
        EXPECT_EQ(row().depth, 0.6f) << typed;
    }
}

TEST_F(Schedule, escapeRestoresTheStoredValues) {
    p.designRowTexts[1][col::TxtDepth] = "0.9"; // what the user typed so far
    p.designRowTexts[1][col::TxtPeda] = "0.7";
    EXPECT_EQ(escapeDepth(p, 1)[col::TxtDepth], "0.25");
    EXPECT_EQ(escapePedestal(p, 1)[col::TxtPeda], "0.3");
    EXPECT_EQ(row().depth, 0.25f);
    EXPECT_EQ(row().pedestal, 0.3f);
}

TEST_F(Schedule, aNewPedestalDesignsTheDepthAfresh) {
    editDepth(p, 1, "0.6");
    const RowTexts t = editPedestal(p, 1, "0.5");
    EXPECT_EQ(t,
              rowOf({"F1",  "2",  "1.2", "0.25", "0.5", "100",  "0.35", "11.03", "0.25", "0.2",
                     "456", "10", "6",   "216",  "29",  "0.13", "0.32", "145",   "0.28", "1.12"}));
    EXPECT_EQ(row().pedestal, 0.5f);
    EXPECT_EQ(row().depth, 0.25f);
}

TEST_F(Schedule, aPedestalAsWideAsTheFootingIsRefused) {
    editDepth(p, 1, "0.6");
    const RowTexts t = editPedestal(p, 1, "1.2");
    EXPECT_EQ(t[col::TxtPeda], "0.3");
    EXPECT_EQ(row().pedestal, 0.3f);
    EXPECT_EQ(row().depth, 0.6f);
    EXPECT_EQ(t[col::TxtDepth], "0.6");
}

TEST_F(Schedule, aPedestalTextThatIsNotANumberOrNegativeIsRefused) {
    for (const char* typed : {"wide", "-0.3"}) {
        EXPECT_EQ(editPedestal(p, 1, typed), kWorkedRow) << typed;
        EXPECT_EQ(row().pedestal, 0.3f) << typed;
        EXPECT_EQ(row().depth, 0.25f) << typed;
    }
}

TEST_F(Schedule, fourDiameterClicksReturnToTheStartAndEachRedesigns) {
    RowTexts t = clickDiameter(p, 1);
    EXPECT_EQ(row().barDia, 12);
    EXPECT_EQ(t[col::LabGdia], "12");
    EXPECT_EQ(t[col::LabRods], "4");
    EXPECT_EQ(t[col::LabSpace], "360");
    t = clickDiameter(p, 1);
    EXPECT_EQ(t[col::LabGdia], "16");
    EXPECT_EQ(t[col::LabRods], "2");
    EXPECT_EQ(t[col::LabSpace], "1080");
    // 456 mm2 of 20 mm bars is one bar: two are the least, so the spacing stays defined.
    t = clickDiameter(p, 1);
    EXPECT_EQ(t[col::LabGdia], "20");
    EXPECT_EQ(t[col::LabRods], "2");
    EXPECT_EQ(t[col::LabSpace], "1080");
    t = clickDiameter(p, 1);
    EXPECT_EQ(row().barDia, 10);
    EXPECT_EQ(t, kWorkedRow);
}

TEST_F(Schedule, anUnlistedDiameterStaysButTheRowIsRedesigned) {
    row().barDia = 25;
    const RowTexts t = clickDiameter(p, 1);
    EXPECT_EQ(row().barDia, 25);
    EXPECT_EQ(t[col::LabGdia], "25");
    EXPECT_EQ(t[col::LabRods], "2");
}

TEST_F(Schedule, redesignReDerivesTheEffectiveDepthFromTheOverallDepth) {
    // L 2.0, a 0.4, q 300: the design's d 0.465 was reached in 25 mm steps; the redesign takes
    // it back from D 0.525, which puts V1 exactly on 301.5 and so rounds it to 302.
    GroupRecord& r = row();
    r.size = 2.0f;
    r.pedestal = 0.4f;
    r.netPressure = 300;
    r.barDia = 12;
    r.depth = 0.525f;
    ASSERT_EQ(redesignRow(p, 1), "");
    EXPECT_EQ(texts()[col::LabSF1], "302");
    EXPECT_EQ(texts()[col::TxtDepth], "0.525");
    EXPECT_EQ(texts()[col::LabAst], "1860");
    EXPECT_EQ(texts()[col::LabSpace], "125");
    // The texts the Design command alone writes stay.
    EXPECT_EQ(texts()[col::LabSize], "1.2");
    EXPECT_EQ(texts()[col::LabNetP], "100");
    EXPECT_EQ(texts()[col::LabNos], "2");
}

TEST_F(Schedule, redesignTakesThePunchingSquaresSideInDouble) {
    // B 1, a 0.4, q 186, d 0.5: (1 - 0.9000000060^2) x 279 + 0.49 = 53.49999 gives 53; the side
    // held as a Single (0.8999999762) would give 53.50001 and so 54.
    GroupRecord& r = row();
    r.size = 1.0f;
    r.pedestal = 0.4f;
    r.netPressure = 186;
    const RowTexts t = editDepth(p, 1, "0.56");
    EXPECT_EQ(t[col::TxtDepth], "0.56");
    EXPECT_EQ(t[col::LabSF2], "53");
    EXPECT_EQ(t[col::LabSS2], "0.03");
}

TEST_F(Schedule, redesignTakesOneMinusFourPointSixMuBd2OverFckInDouble) {
    // fck 20, fy 400, Mu/bd2 1.77: (1 - sqrt(t)) / fy x fck x 50 = 0.57499999 with t in double
    // gives pt 0.57, where the Design command, holding t as a Single, shows 0.58.
    p.steelGrade = 400;
    GroupRecord& r = row();
    r.size = 3.3f;
    r.pedestal = 0.9f;
    r.netPressure = 59;
    r.depth = 0;
    ASSERT_EQ(redesignRow(p, 1), "");
    EXPECT_EQ(texts()[col::TxtDepth], "0.25");
    EXPECT_EQ(texts()[col::LabMuBdd], "1.77");
    EXPECT_EQ(texts()[col::LabPt], "0.57");
    EXPECT_EQ(texts()[col::LabPS1], "0.5024");
}

TEST_F(Schedule, aRowLeftFromAnEarlierLongerRunIsNotOnTheSchedule) {
    GroupRecord g = p.groups[1];
    p.groups.push_back(g);
    p.groupEnabled.push_back(1);
    p.groupCount = 2;
    p.footings[2].groupIndex = 2; // each group has an isolated footing of its own
    ASSERT_TRUE(runDesign(p, prompts));
    ASSERT_EQ(p.designRowCount, 2);
    p.groupEnabled[2] = 0;
    ASSERT_TRUE(runDesign(p, prompts));
    ASSERT_EQ(p.designRowCount, 1);
    EXPECT_EQ(redesignRow(p, 2), "There is no schedule row 2");
    EXPECT_EQ(editDepth(p, 2, "0.6"), RowTexts{});
    EXPECT_EQ(p.designRows[2].depth, 0.25f);
}

TEST_F(Schedule, missingConcreteGradeRefusesTheRedesign) {
    p.concreteGrade = 0;
    EXPECT_EQ(redesignRow(p, 1),
              "Concrete grade (FC) missing in the analysis file: Schedule row F1 not redesigned");
    EXPECT_EQ(texts(), kWorkedRow);
    RecordingPrompts seen;
    const RowTexts t = editDepth(p, 1, "0.6", &seen);
    EXPECT_EQ(t, kWorkedRow);
    EXPECT_EQ(row().depth, 0.25f);
    EXPECT_EQ(seen.messages.size(), 1u);
    editPedestal(p, 1, "0.5", &seen);
    EXPECT_EQ(row().pedestal, 0.3f);
    EXPECT_EQ(row().depth, 0.25f);
    clickDiameter(p, 1, &seen);
    EXPECT_EQ(row().barDia, 10);
    EXPECT_EQ(seen.messages.size(), 3u);
}

TEST_F(Schedule, aDepthTooLargeForTheBarCountIsRefusedWithAMessage) {
    RecordingPrompts seen;
    const RowTexts t = editDepth(p, 1, "99999", &seen);
    EXPECT_EQ(t, kWorkedRow);
    EXPECT_EQ(row().depth, 0.25f);
    ASSERT_EQ(seen.messages.size(), 1u);
    EXPECT_EQ(seen.messages[0].rfind("Schedule row F1: number of bars", 0), 0u);
}

TEST_F(Schedule, governingFootingAndCaseMessage) {
    EXPECT_EQ(govMessage(p, 1), "2   1");
}

TEST_F(Schedule, memberCountClickListsEachFooting) {
    EXPECT_EQ(memberMessages(p, 1), (std::vector<std::string>{"1", "2"}));
}

TEST_F(Schedule, rowsOutsideTheScheduleAreLeftAlone) {
    EXPECT_NE(redesignRow(p, 2), "");
    EXPECT_EQ(editDepth(p, 0, "0.5"), RowTexts{});
    EXPECT_EQ(clickDiameter(p, 7), RowTexts{});
    EXPECT_EQ(govMessage(p, 3), "");
    EXPECT_TRUE(memberMessages(p, -1).empty());
}

TEST_F(Schedule, tableAlignsEveryColumnToItsWidestCell) {
    const std::string expected =
        "GRP  NO's  Size  Depth  Peda  NetP  CantL  Mu     Mu/Bdd  Pt   Ast  Dia  Rods  Space  "
        "1-SF  1-SS  1-PS  2-SF  2-SS  2-PS\n"
        "F1   2     1.2   0.25   0.3   100   0.45   18.22  0.42    0.2  456  10   6     216    "
        "47    0.21  0.32  180   0.48  1.12\n";
    EXPECT_EQ(scheduleTable(p), expected);
}

TEST(ScheduleRow, aRowBuiltByHandIsRedesignedWithTheShearTableLoaded) {
    Project p;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    GroupRecord r;
    r.size = 1.2f;
    r.pedestal = 0.3f;
    r.netPressure = 100;
    r.barDia = 10;
    p.designRows.push_back(r);
    p.designRowCount = 1;
    EXPECT_EQ(redesignRow(p, 1), "");
    EXPECT_EQ(p.designRowTexts.at(1)[col::LabPS1], "0.32");
    EXPECT_EQ(p.designRowTexts.at(1)[col::TxtDepth], "0.25");
    // A row without a net pressure text (as one the Design command refused) gets it now.
    EXPECT_EQ(p.designRowTexts.at(1)[col::LabNetP], "100");
}

// Side 0.4 m on a 0.45 m pedestal: the Design command refuses the row; a pedestal edit below
// the side designs it. Worked: L 0.4, a 0.3, q 100 (FY 16 kN / 0.16 m2 = 100, +0.49 rounds to
// 100), c = Round((0.4 - 0.3) / 2, 2) = 0.05, d = 0.19 (the least), D = 0.25; the one-way
// section at d from the face lies beyond the edge (c - d = -0.14): V1 = 0, never negative.
TEST(ScheduleRow, aSideNotLargerThanThePedestalIsRefusedUntilThePedestalIsEdited) {
    Project p;
    p.footingCount = 1;
    p.footings.resize(2);
    p.supportReaction.resize(2);
    p.reaction(0, 0, reaction::SupportCount) = 1;
    p.reaction(1, 0, reaction::CaseNo) = 1;
    p.reaction(1, 0, reaction::ForceY) = 16.0f;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    GroupRecord g;
    g.size = g.baseSize = 0.4f;
    g.pedestal = 0.45f;
    g.barDia = 10;
    g.nosCount = 1;
    g.footingNos = {0, 1};
    p.groups.push_back(g);
    p.groupEnabled.push_back(1);
    p.groupCount = 1;
    p.footings[1].groupIndex = 1;
    RecordingPrompts prompts;
    runDesign(p, prompts);
    ASSERT_EQ(p.designRowCount, 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "Schedule row F1: the footing side 0.4 m is not larger than "
                                   "the pedestal 0.45 m: not designed");
    EXPECT_EQ(p.designRowTexts[1], rowOf({"F1", "1", "0.4", "", "0.45"}));
    // A depth or a diameter cannot design it; the depth box stays empty.
    EXPECT_EQ(editDepth(p, 1, "0.5", &prompts)[col::TxtDepth], "");
    EXPECT_EQ(prompts.messages.size(), 2u);
    const RowTexts t = editPedestal(p, 1, "0.3", &prompts);
    EXPECT_EQ(t[col::LabNetP], "100");
    EXPECT_EQ(t[col::LabCant], "0.05");
    EXPECT_EQ(t[col::TxtDepth], "0.25");
    EXPECT_EQ(t[col::LabSF1], "0");
    EXPECT_EQ(t[col::LabSS1], "0");
    for (const std::string& text : t) EXPECT_TRUE(text.empty() || text[0] != '-') << text;
}

} // namespace
} // namespace ormevak
