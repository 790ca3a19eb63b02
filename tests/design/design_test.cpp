// The Design command: governing pressure, the depth loop, bars and the schedule row texts.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "design/design.h"
#include "design/schedule.h"
#include "design/section.h"
#include "design/shear_table.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using testing::RecordingPrompts;

// A project built by hand: footings, their reactions and the size groups.
class Frame {
  public:
    explicit Frame(int footings, int cases = 1) {
        p.footingCount = footings;
        p.footings.resize(static_cast<std::size_t>(footings) + 1);
        p.supportReaction.resize(static_cast<std::size_t>(footings) + 1);
        p.reaction(0, 0, reaction::SupportCount) = static_cast<float>(footings);
        p.loadCaseCount = cases - 1;
        p.concreteGrade = 20;
        p.steelGrade = 415;
    }
    int group(float size, float pedestal, std::initializer_list<int> members, bool ticked = true,
              int dia = 10) {
        GroupRecord g;
        g.baseSize = size;
        g.size = size;
        g.pedestal = pedestal;
        g.barDia = dia;
        for (int f : members) {
            g.footingNos.push_back(f);
            ++g.nosCount;
        }
        p.groups.push_back(g);
        p.groupEnabled.push_back(ticked ? 1 : 0);
        const int index = ++p.groupCount;
        for (int f : members) p.footings[static_cast<std::size_t>(f)].groupIndex = index;
        return index;
    }
    void load(int f, int c, float fy, float mx = 0, float mz = 0) {
        p.reaction(f, c, reaction::CaseNo) = static_cast<float>(c + 1);
        p.reaction(f, c, reaction::ForceY) = fy;
        p.reaction(f, c, reaction::MomX) = mx;
        p.reaction(f, c, reaction::MomZ) = mz;
    }
    void state(int f, int s) { p.footings[static_cast<std::size_t>(f)].state = s; }
    const RowTexts& texts(int n) const { return p.designRowTexts[static_cast<std::size_t>(n)]; }
    const GroupRecord& row(int n) const { return p.designRows[static_cast<std::size_t>(n)]; }

    Project p;
    RecordingPrompts prompts;
};

RowTexts rowOf(std::initializer_list<const char*> cells) {
    RowTexts t;
    std::size_t i = 0;
    for (const char* c : cells) t[i++] = c;
    return t;
}

// L 1.2, a 0.3 and FY 144 give qmax 100 over the 1.44 m2 base.
Frame workedExample() {
    Frame f(1);
    f.group(1.2f, 0.3f, {1});
    f.load(1, 0, 144.0f);
    return f;
}

TEST(DesignCommand, workedExampleGivesTheRowTexts) {
    Frame f = workedExample();
    EXPECT_TRUE(runDesign(f.p, f.prompts));
    EXPECT_TRUE(f.prompts.messages.empty());
    ASSERT_EQ(f.p.designRowCount, 1);
    EXPECT_EQ(f.texts(1),
              rowOf({"F1",  "1",  "1.2", "0.25", "0.3", "100",  "0.45", "18.22", "0.42", "0.2",
                     "456", "10", "6",   "216",  "47",  "0.21", "0.32", "180",   "0.48", "1.12"}));
    EXPECT_EQ(f.row(1).depth, 0.25f);
    EXPECT_EQ(f.row(1).netPressure, 100.0f);
    EXPECT_EQ(f.row(1).barDia, 10);
    EXPECT_EQ(f.row(1).govFooting, 1);
    EXPECT_EQ(f.row(1).govCase, 0);
}

TEST(DesignCommand, shearDeepensTheFootingInStepsOf25mm) {
    // L 2.0, a 0.4, q 300: d starts at 0.24 and needs nine steps until one-way shear just
    // passes (tv1 = tc1 = 0.32 is not a failure).
    Frame f(1);
    f.group(2.0f, 0.4f, {1}, true, 12);
    f.load(1, 0, 1200.0f);
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.texts(1),
              rowOf({"F1",   "1",  "2",  "0.525", "0.4", "300",  "0.8",  "288",  "0.67", "0.2",
                     "1860", "12", "16", "125",   "301", "0.32", "0.32", "1464", "0.91", "1.12"}));
    EXPECT_EQ(f.row(1).depth, 0.525f);
}

TEST(DesignCommand, netPressureIsRaisedToTheWholeAboveOneHundredth) {
    Frame exact(1);
    exact.group(1.0f, 0.4f, {1});
    exact.load(1, 0, 120.0f);
    runDesign(exact.p, exact.prompts);
    EXPECT_EQ(exact.texts(1)[col::LabNetP], "120");

    Frame above(1);
    above.group(1.0f, 0.4f, {1});
    above.load(1, 0, 120.02f);
    runDesign(above.p, above.prompts);
    EXPECT_EQ(above.texts(1)[col::LabNetP], "121");
    EXPECT_EQ(above.row(1).netPressure, 121.0f);
}

TEST(DesignCommand, governingPressureAddsBothAbsoluteMomentsOverTheWholeCaseRange) {
    Frame f(2, 3);
    f.group(1.0f, 0.4f, {1, 2});
    f.load(1, 0, 100.0f);
    f.load(1, 1, 50.0f, -5.0f, 5.0f); // 50 + 10 x 6 = 110
    f.load(2, 2, 90.0f, 3.0f);        // 90 + 18 = 108
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.texts(1)[col::LabNetP], "110");
    EXPECT_EQ(f.row(1).govFooting, 1);
    EXPECT_EQ(f.row(1).govCase, 1);
}

TEST(DesignCommand, onATieTheFirstFootingAndCaseStay) {
    Frame f(2, 2);
    f.group(1.0f, 0.4f, {1, 2});
    f.load(1, 1, 80.0f);
    f.load(2, 0, 80.0f);
    f.load(2, 1, 80.0f);
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.row(1).govFooting, 1);
    EXPECT_EQ(f.row(1).govCase, 1);
}

TEST(DesignCommand, onlyGroupedFootingsOfTheGroupGovern) {
    Frame f(5);
    const int g = f.group(1.5f, 0.45f, {1, 2, 3, 4});
    f.group(2.0f, 0.6f, {5});
    for (int i = 1; i <= 5; ++i) f.load(i, 0, i == 1 ? 90.0f : 500.0f);
    f.state(2, -1);   // resized individually
    f.state(3, -100); // disabled
    f.state(4, 2);    // member of combined footing 2
    ASSERT_EQ(g, 1);
    runDesign(f.p, f.prompts);
    // 90 / 2.25 = 40
    EXPECT_EQ(f.texts(1)[col::LabNetP], "40");
    EXPECT_EQ(f.texts(1)[col::LabNos], "4");
    EXPECT_EQ(f.row(1).govFooting, 1);
    EXPECT_EQ(f.row(2).govFooting, 5);
}

TEST(DesignCommand, emptyAndUntickedGroupsGetNoRowAndRowsHaveNoGaps) {
    Frame f(3);
    f.group(1.0f, 0.4f, {});         // empty
    f.group(1.2f, 0.4f, {1}, false); // unticked
    f.group(1.5f, 0.45f, {2});
    f.group(1.8f, 0.53f, {3});
    for (int i = 1; i <= 3; ++i) f.load(i, 0, 100.0f);
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 2);
    EXPECT_EQ(f.p.designRows.size(), 3u);
    EXPECT_EQ(f.p.designRowTexts.size(), 3u);
    EXPECT_EQ(f.texts(1)[col::LabF1], "F1");
    EXPECT_EQ(f.texts(1)[col::LabSize], "1.5");
    EXPECT_EQ(f.texts(2)[col::LabF1], "F2");
    EXPECT_EQ(f.texts(2)[col::LabSize], "1.8");
    EXPECT_EQ(f.texts(2)[col::TxtPeda], "0.53");
    EXPECT_EQ(f.row(2).footingNos, (std::vector<int32_t>{0, 3}));
}

TEST(DesignCommand, eachRunRebuildsTheRowsFromRowOne) {
    Frame f(2);
    f.group(1.2f, 0.4f, {1});
    f.group(1.5f, 0.45f, {2});
    f.load(1, 0, 100.0f);
    f.load(2, 0, 100.0f);
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 2);
    f.p.groupEnabled[1] = 0;
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 1);
    EXPECT_EQ(f.texts(1)[col::LabSize], "1.5");
    EXPECT_EQ(scheduleTable(f.p).find("1.2"), std::string::npos);
}

TEST(DesignCommand, aRowNoFootingGovernsKeepsWhatItHeldFromAnEarlierLongerRun) {
    Frame f(2, 2);
    f.group(1.2f, 0.4f, {1});
    f.group(1.5f, 0.45f, {2});
    f.load(1, 0, 100.0f);
    f.load(2, 0, 50.0f);
    f.load(2, 1, 100.0f);
    runDesign(f.p, f.prompts); // row 2: footing 2, case 1
    f.p.groupEnabled[1] = 0;
    runDesign(f.p, f.prompts); // one row only
    ASSERT_EQ(f.p.designRowCount, 1);
    f.p.groupEnabled[1] = 1;
    f.state(2, -1); // resized: group 2 has no isolated footing any more
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 1);
    EXPECT_EQ(f.texts(1)[col::LabSize], "1.2");
}

TEST(DesignCommand, aGroupEmptiedByCombineOrDisableGetsNoRowAndLaterRowsMoveUp) {
    Frame f(4);
    f.group(1.2f, 0.4f, {1});
    f.group(1.5f, 0.45f, {2, 3});
    f.group(1.8f, 0.53f, {4});
    for (int i = 1; i <= 4; ++i) f.load(i, 0, 100.0f);
    f.state(2, 1);    // member of combined footing 1
    f.state(3, -100); // disabled
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 2);
    EXPECT_EQ(f.texts(1)[col::LabSize], "1.2");
    EXPECT_EQ(f.texts(2)[col::LabF1], "F2");
    EXPECT_EQ(f.texts(2)[col::LabSize], "1.8");
    EXPECT_TRUE(f.prompts.messages.empty());
}

TEST(DesignCommand, governingPressureScansTheFootingsUpToTheSupportCount) {
    Frame f(2);
    f.group(1.0f, 0.4f, {1, 2});
    f.load(1, 0, 100.0f);
    f.load(2, 0, 300.0f);
    f.p.reaction(0, 0, reaction::SupportCount) = 1; // the reaction table names one support
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.texts(1)[col::LabNetP], "100");
    EXPECT_EQ(f.row(1).govFooting, 1);
}

TEST(DesignCommand, aLightlyLoadedGroupGetsTheLeastDepthAndSteel) {
    // FY 1 kN on 1.2 x 1.2: qmax = 1 / 1.44 = 0.69, q = Round(0.69 + 0.49) = 1.
    Frame f(1);
    f.group(1.2f, 0.4f, {1});
    f.load(1, 0, 1.0f);
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.texts(1)[col::LabNetP], "1");
    EXPECT_EQ(f.texts(1)[col::TxtDepth], "0.25");
    EXPECT_EQ(f.texts(1)[col::LabPt], "0.2");
    EXPECT_EQ(f.row(1).govFooting, 1);
}

// A column that only pulls: sizing reports it and takes 1 kN, so its group (0.1 m, pedestal
// 0.4 m from the default rule) has a side below its pedestal. The row stays with its mark,
// count, size and pedestal, no computed text, and a message; the next group is designed.
TEST(DesignCommand, aTensionOnlyColumnsRowIsRefusedWithoutNegativeTexts) {
    Frame f(2);
    f.group(0.1f, 0.4f, {1});
    f.group(1.2f, 0.3f, {2});
    f.load(1, 0, -79.41f);
    f.p.sizedAsOneKn.assign(3, 0);
    f.p.sizedAsOneKn[1] = 1; // case 0 of support 1, as sizing marks it
    f.load(2, 0, 144.0f);
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 2);
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0], "Schedule row F1: the footing side 0.1 m is not larger than "
                                     "the pedestal 0.4 m: not designed");
    EXPECT_EQ(f.texts(1), rowOf({"F1", "1", "0.1", "", "0.4"}));
    EXPECT_EQ(f.texts(2)[col::LabF1], "F2");
    EXPECT_EQ(f.texts(2)[col::TxtDepth], "0.25");
    for (int n = 1; n <= 2; ++n)
        for (const std::string& text : f.texts(n))
            EXPECT_TRUE(text.empty() || text[0] != '-') << n << " " << text;
}

TEST(DesignCommand, fewerThanTwoBarsAreRaisedToTwo) {
    // Ast 380 of 20 mm bars would be one bar: spacing then divides by zero.
    Frame f(1);
    f.group(1.0f, 0.4f, {1}, true, 20);
    f.load(1, 0, 50.0f);
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.texts(1)[col::LabAst], "380");
    EXPECT_EQ(f.texts(1)[col::LabRods], "2");
    EXPECT_EQ(f.texts(1)[col::LabSpace], "880");
}

TEST(DesignCommand, aGradeBetweenColumnsIsDesignedWithTheLowerOne) {
    // M22 takes the M20 column: the worked example's row (tc1 0.32 at pt 0.2, one pass,
    // D 0.25, 6 bars). Only the punching strength tc2 = sqrt(22) / 4 = 1.17 uses the grade.
    Frame f = workedExample();
    f.p.concreteGrade = 22;
    runDesign(f.p, f.prompts);
    EXPECT_EQ(gradeColumnFor(f.p.concreteGrade), 2);
    EXPECT_EQ(f.texts(1)[col::LabPS1], "0.32");
    EXPECT_EQ(f.texts(1)[col::LabSF1], "47");
    EXPECT_EQ(f.texts(1)[col::LabSS1], "0.21");
    EXPECT_EQ(f.texts(1)[col::TxtDepth], "0.25");
    EXPECT_EQ(f.texts(1)[col::LabRods], "6");
    EXPECT_EQ(f.texts(1)[col::LabPS2], "1.17");
    EXPECT_TRUE(f.prompts.messages.empty());
}

TEST(DesignCommand, aGradeAboveM40IsDesignedWithTheM40Column) {
    // Before, M45 found no column and every one-way check failed against 0 (a 525 mm footing
    // where M40 gives 300 mm). Now both designs are the same but for tc2 (sqrt(45) / 4 = 1.68).
    Frame m40 = workedExample();
    m40.p.concreteGrade = 40;
    runDesign(m40.p, m40.prompts);
    Frame m45 = workedExample();
    m45.p.concreteGrade = 45;
    runDesign(m45.p, m45.prompts);
    EXPECT_EQ(gradeColumnFor(m45.p.concreteGrade), 6);
    EXPECT_EQ(m45.texts(1)[col::TxtDepth], m40.texts(1)[col::TxtDepth]);
    EXPECT_EQ(m45.texts(1)[col::LabPS1], m40.texts(1)[col::LabPS1]);
    EXPECT_EQ(m45.texts(1)[col::LabPS2], "1.68");
}

TEST(DesignCommand, aGradeBelowM15DesignsNothing) {
    Frame f = workedExample();
    f.p.concreteGrade = 10;
    EXPECT_FALSE(runDesign(f.p, f.prompts));
    EXPECT_EQ(f.p.designRowCount, 0);
    EXPECT_EQ(f.prompts.messages,
              std::vector<std::string>{"Concrete grade M10 is below M15: nothing designed"});
}

TEST(DesignCommand, missingConcreteGradeDesignsNothing) {
    Frame f = workedExample();
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    ASSERT_EQ(f.p.designRowCount, 1);
    f.p.concreteGrade = 0;
    EXPECT_FALSE(runDesign(f.p, f.prompts));
    EXPECT_EQ(f.p.designRowCount, 0);
    EXPECT_EQ(scheduleTable(f.p), scheduleTable(Project{}));
    EXPECT_EQ(f.prompts.messages,
              std::vector<std::string>{
                  "Concrete grade (FC) missing in the analysis file: nothing designed"});
}

TEST(DesignCommand, missingSteelGradeDesignsNothing) {
    Frame f = workedExample();
    f.p.steelGrade = 0;
    EXPECT_FALSE(runDesign(f.p, f.prompts));
    EXPECT_EQ(f.p.designRowCount, 0);
    EXPECT_EQ(f.prompts.messages,
              std::vector<std::string>{
                  "Steel grade (FYMAIN) missing in the analysis file: nothing designed"});
}

TEST(DesignCommand, bothGradesMissingAreNamedInOneMessage) {
    Frame f = workedExample();
    f.p.steelGrade = 0;
    f.p.concreteGrade = 0;
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.prompts.messages,
              std::vector<std::string>{"Concrete grade (FC) and steel grade (FYMAIN) missing in "
                                       "the analysis file: nothing designed"});
}

TEST(DesignCommand, aDepthSearchThatCannotEndStopsPastTheFootingSide) {
    // No shear strength (a grade below the table's columns) and a negative pedestal keep both
    // checks failing: the guard stops the loop just past the footing side instead of running on.
    Frame f(1);
    f.p.concreteGrade = 10;
    const section::Checks k =
        section::depthLoop(f.p, 1.2f, -1.0f, 1000.0f, 1.1f, 100.0f, 0.19f, section::Rules::Design);
    EXPECT_TRUE(k.gaveUp);
    EXPECT_LE(k.d, 1.2f + 0.05f + 0.001f);
    EXPECT_EQ(section::gaveUpMessage(2, 1.3f),
              "Schedule row F2: shear still fails at a depth of 1.3 m; the depth search stopped "
              "there");
}

TEST(DesignCommand, theBarCountIsASingleNotASixteenBitInteger) {
    // A reaction of 1e11 kN asks for a footing some kilometres deep and far more bars than a
    // 16-bit integer holds; the Design command shows the count and a spacing of 0.
    Frame f(1);
    f.group(1.2f, 0.3f, {1});
    f.load(1, 0, 1e11f);
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.designRowCount, 1);
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_EQ(f.texts(1)[col::LabAst], "22285180");
    EXPECT_EQ(f.texts(1)[col::LabRods], "283630");
    EXPECT_EQ(f.texts(1)[col::LabSpace], "0");
}

TEST(DesignCommand, aGroupWithoutSizeIsRefusedAndTheRowsAfterItAreDesigned) {
    // A side of 0 would divide by zero everywhere: the row is refused, the next one designed.
    Frame f(3);
    f.group(1.2f, 0.3f, {1});
    f.group(0.0f, 0.3f, {2});
    f.group(1.5f, 0.45f, {3});
    f.load(1, 0, 144.0f);
    f.load(2, 0, 144.0f);
    f.load(3, 0, 144.0f);
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.p.designRowCount, 3);
    EXPECT_EQ(f.texts(1)[col::LabRods], "6");
    EXPECT_EQ(f.texts(2)[col::LabRods], "");
    EXPECT_FALSE(f.texts(3)[col::LabRods].empty());
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0], "Schedule row F2: the footing side 0 m is not larger than "
                                     "the pedestal 0.3 m: not designed");
}

TEST(DesignCommand, holdsOneMinusFourPointSixMuBd2OverFckAsASingle) {
    // fck 20, fy 400, Mu/bd2 1.77: (1 - sqrt(R)) / fy x fck x 50 lies just below 0.575 with R
    // in double and rounds up to 0.58 with R held as a Single, as the Design command holds it.
    Frame f(1);
    f.p.steelGrade = 400;
    f.group(3.3f, 0.9f, {1});
    f.load(1, 0, 640.0f); // q 59
    runDesign(f.p, f.prompts);
    EXPECT_EQ(f.texts(1)[col::LabNetP], "59");
    EXPECT_EQ(f.texts(1)[col::LabMuBdd], "1.77");
    EXPECT_EQ(f.texts(1)[col::LabPt], "0.58");
    EXPECT_EQ(f.texts(1)[col::LabPS1], "0.5056");
}

} // namespace
} // namespace ormevak
