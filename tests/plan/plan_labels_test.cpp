// Footing label texts, the plan window and the drawn rectangles.
#include <gtest/gtest.h>

#include "plan/plan_labels.h"
#include "support/test_projects.h"

namespace ormevak {
namespace {

using testing::placeFooting;
using testing::projectWithSupports;

Project fourStates() {
    Project p = projectWithSupports(4, 1);
    const int states[] = {0, -1, -100, 2};
    for (int i = 1; i <= 4; ++i) {
        p.footings[i].state = states[i - 1];
        p.footings[i].markNo = 3;
        p.footings[i].lenL = 1.75f;
        p.footings[i].widB = 1.57f;
    }
    return p;
}

TEST(LabelText, groupNumbersNameTheState) {
    Project p = fourStates();
    PlanSwitches sw{false, false, true};
    EXPECT_EQ(labelText(p, 1, sw, "x"), "F3");
    EXPECT_EQ(labelText(p, 2, sw, "x"), "R3");
    EXPECT_EQ(labelText(p, 3, sw, "x"), "103"); // not built: its joint, no type mark
    EXPECT_EQ(labelText(p, 4, sw, "x"), "C2");
}

TEST(LabelText, footingNumbersShowDisabledFootingsToo) {
    Project p = fourStates();
    PlanSwitches sw{false, true, true}; // footing numbers come before group numbers
    EXPECT_EQ(labelText(p, 1, sw, "x"), "101");
    EXPECT_EQ(labelText(p, 3, sw, "x"), "103");
}

TEST(LabelText, sizeShowsTwoLinesUnlessGrouped) {
    Project p = fourStates();
    PlanSwitches sw{true, true, false};
    EXPECT_EQ(labelText(p, 1, sw, "x"), "1.75");
    EXPECT_EQ(labelText(p, 2, sw, "x"), "1.75\r1.57");
    EXPECT_EQ(labelText(p, 4, sw, "x"), "1.75\r1.57");
}

TEST(PlanWindow, widerAreaWidensTheXRange) {
    Project p;
    p.levelsX = {3, 0, 8000, 20000};
    p.levelsZ = {2, 0, 10000};
    PlanWindow w = planWindow(p, 0.5);
    EXPECT_DOUBLE_EQ(w.left, -4000);
    EXPECT_DOUBLE_EQ(w.right, 24000);
    EXPECT_DOUBLE_EQ(w.top, -2000);
    EXPECT_DOUBLE_EQ(w.bottom, 12000);
}

TEST(DrawnRects, storeTheOutlineOfEveryFootingDrawnByItself) {
    Project p = projectWithSupports(2, 1);
    placeFooting(p, 1, 5000, 3000);
    p.footings[1].lenL = p.footings[1].widB = 1.8f;
    placeFooting(p, 2, 0, 0);
    p.footings[2].state = 1;
    p.footings[2].lenL = 1.4f;
    p.footings[2].widB = 4.0f;
    PlanState s;
    updatePlan(p, s);
    EXPECT_FLOAT_EQ(p.footings[1].drawX1, 4100);
    EXPECT_FLOAT_EQ(p.footings[1].drawX2, 5900);
    EXPECT_FLOAT_EQ(p.footings[1].drawZ1, 2100);
    EXPECT_FLOAT_EQ(p.footings[1].drawZ2, 3900);
    EXPECT_FLOAT_EQ(p.footings[2].drawX1, 0); // drawn with its combined footing
    ASSERT_EQ(s.labels.size(), 3u);
    EXPECT_EQ(s.labels[1], "101");
}

} // namespace
} // namespace ormevak
