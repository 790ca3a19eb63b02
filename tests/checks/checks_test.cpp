// The list as a whole: a clean frame, the order of the ids, counts, the footings a check marks
// on the plan, the text table.
#include <gtest/gtest.h>

#include "checks/check_frames.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::column;
using testing::load;
using testing::place;
using testing::scheduleRow;

// Four 2 m footings 4 m apart under 300 x 300 columns, 300 kN and small moments: the corner
// pressures stay positive (1.1 x 300 / 4 = 82.5 against 6 x 20 / 8 = 15), the 600 mm pedestal
// leaves 150 mm a side, 10 mm bars at 150 mm centres (d = 300: at most 300, clear 140), 650 mm
// of straight bar against Ld 470 mm, bearing 5 N/mm2 against 18, 1021 mm2 of bars against
// 1000 shown, M20.
Project cleanFrame() {
    Project p = checkFrame(4, 2);
    for (int f = 1; f <= 4; ++f) {
        place(p, f, 4000 * (f - 1), 0, 2.0f, 2.0f);
        load(p, f, 0, 300, 20, 0);
        load(p, f, 1, 250, 0, 20);
        column(p, f, 300, 300);
    }
    scheduleRow(p, 1, 2.0f, 0.36f, 0.6f, 10, {1, 2, 3, 4}, "1000", "13", "150");
    return p;
}

TEST(Checks, cleanFrameHasNoFailingCheck) {
    const auto all = runChecks(cleanFrame());
    EXPECT_TRUE(all.empty()) << checksTable(all);
}

TEST(Checks, listFollowsTheOrderOfTheIdsAndCounts) {
    Project p = cleanFrame();
    p.concreteGrade = 15;                       // grade (warning)
    load(p, 4, 1, 300, 0, 400);                 // overturning (error) and contact (warning)
    place(p, 2, 1800, 0, 2.0f, 2.0f);           // overlap with 1 (error)
    p.designRowTexts[1][col::LabSpace] = "310"; // spacing-max (error)
    const auto all = runChecks(p);
    std::vector<std::string> ids;
    for (const Check& c : all) ids.push_back(c.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"contact", "overturning", "overlap", "spacing-max",
                                             "grade"}))
        << checksTable(all);
    const CheckCounts n = countChecks(all);
    EXPECT_EQ(n.errors, 3);
    EXPECT_EQ(n.warnings, 2);
}

TEST(Checks, severityMarksTheFootingsEachCheckConcerns) {
    Project p = cleanFrame();
    place(p, 2, 1800, 0, 2.0f, 2.0f);          // overlap 1-2: both errors
    p.designRowTexts[1][col::LabSpace] = "99"; // congested: a warning on the row's footings
    const auto all = runChecks(p);
    const std::vector<char> marks = footingSeverity(p, all);
    ASSERT_EQ(marks.size(), 5u);
    EXPECT_EQ(marks[1], 2);
    EXPECT_EQ(marks[2], 2);
    EXPECT_EQ(marks[3], 1);
    EXPECT_EQ(marks[4], 1);
}

TEST(Checks, combinedFootingCheckMarksBothColumns) {
    Project p = checkFrame(3, 1);
    place(p, 1, 0, 0, 1.0f, 4.0f);
    place(p, 2, 0, 3000, 1.0f, 4.0f);
    place(p, 3, 9000, 0, 2.0f, 2.0f);
    for (int f : {1, 2, 3}) load(p, f, 0, 100);
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
    p.footings[1].state = p.footings[2].state = 1;
    const auto all = runChecks(p);
    ASSERT_EQ(all.size(), 1u) << checksTable(all); // not designed
    EXPECT_EQ(checkFootings(p, all[0]), (std::vector<int>{1, 2}));
    EXPECT_EQ(checkScheduleRow(p, all[0]), 0);
}

TEST(Checks, tableIsAlignedWithUnits) {
    Project p = cleanFrame();
    p.concreteGrade = 15;
    const std::string table = checksTable(runChecks(p));
    EXPECT_EQ(table,
              "Check  Severity  Footing  Row  Other  Case  Value     Limit     Text\n"
              "grade  warning   0             0      0     15 N/mm2  20 N/mm2  The concrete grade "
              "M15 is below M20, the least grade for reinforced concrete footings in moderate "
              "exposure: specify M20 or better.\n");
    EXPECT_EQ(checksTable({}), "Check  Severity  Footing  Row  Other  Case  Value  Limit  Text\n");
}

TEST(Checks, checksNeverChangeTheModel) {
    Project p = cleanFrame();
    load(p, 1, 0, -500);
    const Project before = p;
    (void)runChecks(p);
    EXPECT_EQ(p.reaction(1, 0, reaction::ForceY), before.reaction(1, 0, reaction::ForceY));
    EXPECT_EQ(p.footings[1].lenL, before.footings[1].lenL);
    EXPECT_EQ(p.designRowTexts, before.designRowTexts);
}

} // namespace
} // namespace ormevak

namespace ormevak {
namespace {

TEST(Checks, rowsOfACheckAreItsOwnOrThoseHoldingItsFootings) {
    Project p = testing::checkFrame(3, 1);
    for (int f = 1; f <= 3; ++f) {
        testing::place(p, f, 4000 * f, 0, 2.0f, 2.0f);
        testing::load(p, f, 0, 300);
    }
    testing::load(p, 3, 0, 100, 0, 40); // 27.5 - 30 < 0: contact on footing 3
    testing::scheduleRow(p, 1, 2.0f, 0.36f, 0.6f, 10, {1, 2}, "1000", "13", "99");
    testing::scheduleRow(p, 2, 2.0f, 0.36f, 0.6f, 10, {3}, "1000", "13", "150");
    const auto all = runChecks(p);
    ASSERT_EQ(all.size(), 2u) << checksTable(all);
    EXPECT_EQ(all[0].id, "contact");
    EXPECT_EQ(checkRows(p, all[0]), std::vector<int>{2});
    EXPECT_EQ(all[1].id, "spacing-min");
    EXPECT_EQ(checkRows(p, all[1]), std::vector<int>{1});
}

} // namespace
} // namespace ormevak
