// The plan-to-pixel mapping, the twips of the window layouts, the group column step and the
// painting of the plan, each on its own.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QPainter>

#include "plan/plan_labels.h"
#include "ui/group_controls.h"
#include "ui/plan_view.h"

namespace ormevak {
namespace {

TEST(Twips, fifteenMakeAPixelAt96Dpi) {
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(4320, 96), 288);   // CmdDesign's left edge
    EXPECT_EQ(twipsToPixels(22320, 96), 1488); // the Exit button's
    EXPECT_EQ(twipsToPixels(1440, 144), 144);  // one inch at any dpi
    EXPECT_DOUBLE_EQ(pixelsToTwips(1180, 96), 17700);
}

// Every window places its controls with one rounding: half a pixel away from zero, as Qt rounds
// geometry (to the even pixel, 2.5 would give 2).
TEST(Twips, halfAPixelRoundsAwayFromZeroAtAnyDpi) {
    EXPECT_EQ(twipsToPixels(30, 120), 3);   // 2.5
    EXPECT_EQ(twipsToPixels(90, 120), 8);   // 7.5
    EXPECT_EQ(twipsToPixels(-30, 120), -3); // -2.5
    EXPECT_EQ(twipsToPixels(29, 120), 2);   // 2.4166...
}

TEST(PlanViewport, windowFillsAnAreaOfItsOwnShape) {
    // Joints over 20 m x 10 m with 2 m margins in an area twice as wide as high: the X range is
    // widened by 2 m on each side, so the window is 28 m x 14 m.
    const PlanWindow w = fitPlanWindow(-2000, 22000, -2000, 12000, 0.5);
    const PlanViewport v(w, QSizeF(560, 280));
    EXPECT_DOUBLE_EQ(v.pixelsPerMm(), 0.02);
    EXPECT_EQ(v.toPixels(-4000, -2000), QPointF(0, 0));
    EXPECT_EQ(v.toPixels(24000, 12000), QPointF(560, 280));
    EXPECT_EQ(v.toPixels(5000, 3000), QPointF(180, 100));
}

TEST(PlanViewport, zGrowsDownwardsAndPixelsMapBack) {
    const PlanViewport v(PlanWindow{0, 0, 10000, 5000}, QSizeF(200, 100));
    EXPECT_LT(v.toPixels(0, 1000).y(), v.toPixels(0, 4000).y());
    const QPointF plan = v.toPlan(QPointF(50, 25));
    EXPECT_DOUBLE_EQ(plan.x(), 2500);
    EXPECT_DOUBLE_EQ(plan.y(), 1250);
    EXPECT_DOUBLE_EQ(v.lengthToPlan(10), 500);
}

TEST(PlanViewport, aWiderAreaKeepsEqualScalesAndCentresTheWindow) {
    const PlanViewport v(PlanWindow{0, 0, 10000, 5000}, QSizeF(400, 100));
    EXPECT_DOUBLE_EQ(v.pixelsPerMm(), 0.02); // height decides
    EXPECT_EQ(v.toPixels(0, 0), QPointF(100, 0));
    EXPECT_EQ(v.toPixels(10000, 5000), QPointF(300, 100));
    EXPECT_EQ(v.toPlan(QPointF(100, 0)), QPointF(0, 0));
}

TEST(PlanViewport, anAreaWithoutSizeMapsEverythingToTheWindowCorner) {
    const PlanViewport v(PlanWindow{100, 200, 300, 400}, QSizeF(0, 0));
    EXPECT_EQ(v.toPlan(QPointF(10, 10)), QPointF(100, 200));
    EXPECT_DOUBLE_EQ(v.lengthToPlan(5), 0);
}

TEST(GroupStep, nineGroupsOnA17700TwipAreaStand1730Apart) {
    EXPECT_EQ(groupStep(17700, 9), 1730);
    EXPECT_EQ(groupStep(12000, 10), 1055); // 1054.55 rounds up
    EXPECT_EQ(groupStep(1500, 1), 550);
}

Project groupsProject(int n) {
    Project p;
    p.groupCount = n;
    p.groups.resize(static_cast<size_t>(n) + 1);
    p.groupEnabled.assign(static_cast<size_t>(n) + 1, 1);
    p.groupCaptions.resize(static_cast<size_t>(n) + 1);
    for (int i = 1; i <= n; ++i)
        p.groupCaptions[i] = {"F" + std::to_string(i), "1." + std::to_string(i), "2"};
    p.groupCaptions[4] = {"", "1.4", ""}; // an empty group
    return p;
}

struct NoPrompts : Prompts {
    void inform(const std::string&, const std::string&, MessageIcon) override {}
    bool confirm(const std::string&, const std::string&) override { return true; }
};

TEST(GroupControls, nineColumnsStandAtTheStepRulePlaces) {
    Project p = groupsProject(9);
    NoPrompts prompts;
    QWidget form;
    ASSERT_EQ(form.logicalDpiX(), 96);
    GroupControls controls(p, prompts, &form);
    controls.create(17700);
    controls.placeRows(600);
    const int lefts[] = {115, 231, 346, 461, 577, 692, 807, 923, 1038}; // i x 1730 twips
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        auto* check = form.findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(i));
        auto* side = form.findChild<QLabel*>(QStringLiteral("LabW_%1").arg(i));
        auto* count = form.findChild<QLabel*>(QStringLiteral("LabNo_%1").arg(i));
        ASSERT_TRUE(check && side && count);
        EXPECT_EQ(check->x(), lefts[i - 1]);
        EXPECT_EQ(side->x(), lefts[i - 1]);
        EXPECT_EQ(count->x(), lefts[i - 1]);
        EXPECT_EQ(side->y(), 600 - 80);  // 1200 twips up
        EXPECT_EQ(check->y(), 600 - 53); // 800
        EXPECT_EQ(count->y(), 600 - 27); // 400
        EXPECT_TRUE(check->isChecked());
        EXPECT_EQ(check->isEnabled(), i != 9);
    }
    EXPECT_EQ(form.findChild<QCheckBox*>(QStringLiteral("Check1_3"))->text(), QStringLiteral("F3"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("LabW_3"))->text(), QStringLiteral("1.3"));
    EXPECT_EQ(form.findChild<QCheckBox*>(QStringLiteral("Check1_4"))->text(), QString());
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("LabNo_4"))->text(), QString());
}

// A 100 x 50 px area over 10 m x 5 m: 0.01 px per mm.
QImage paint(const Project& p, const PlanState& s, bool grid) {
    QImage image(100, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    paintPlan(painter, p, s, PlanViewport(PlanWindow{0, 0, 10000, 5000}, QSizeF(100, 50)), grid);
    return image;
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

Project twoFootings() {
    Project p;
    p.footingCount = 2;
    p.footings.resize(3);
    FootingRecord& f = p.footings[1];
    f.x = 5000;
    f.z = 3000;
    f.lenL = f.widB = 1.8f;
    f.drawX1 = 4100, f.drawX2 = 5900, f.drawZ1 = 2100, f.drawZ2 = 3900;
    FootingRecord& member = p.footings[2]; // member of combined footing 1: no outline
    member.state = 1;
    member.drawX1 = 1000, member.drawX2 = 2000, member.drawZ1 = 1000, member.drawZ2 = 2000;
    return p;
}

TEST(PaintPlan, drawsTheStoredRectangleOfAnIsolatedFooting) {
    const QImage image = paint(twoFootings(), PlanState{}, false);
    EXPECT_TRUE(dark(image, 41, 30));  // left edge at x 4100
    EXPECT_TRUE(dark(image, 50, 21));  // top edge at z 2100
    EXPECT_FALSE(dark(image, 50, 30)); // no fill
    EXPECT_FALSE(dark(image, 10, 10)); // the combined member has no outline of its own
}

TEST(PaintPlan, drawsCombinedOutlinesGridLinesAndTheBand) {
    Project p = twoFootings();
    p.combinedCount = 1;
    p.combinedFootings.resize(2);
    p.combinedFootings[1].xMin = 1000, p.combinedFootings[1].zMin = 500;
    p.combinedFootings[1].xMax = 2000, p.combinedFootings[1].zMax = 4500;
    p.gridX = {1, 8000};
    p.gridZ = {0};
    PlanState s;
    s.bandX1 = 7000, s.bandY1 = 500, s.bandX2 = 9500, s.bandY2 = 1500;
    const QImage withGrid = paint(p, s, true);
    EXPECT_TRUE(dark(withGrid, 10, 25)); // combined outline, left edge
    // The band's bottom edge (z 1500, x 7000 to 9500): dashed, in the selection colour, so it
    // does not read as a footing's solid black outline.
    int inColour = 0, blank = 0;
    for (int x = 72; x <= 93; ++x) {
        const QRgb px = withGrid.pixel(x, 15);
        inColour += px == bandColour().rgb();
        blank += px == qRgb(255, 255, 255);
    }
    EXPECT_GE(inColour, 8);
    EXPECT_GE(blank, 3);
    // The grid line at x 8000 runs 500 mm short of the window's edges (z 500 to 4500).
    auto marked = [](const QImage& image, int x, int y0, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) n += image.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    };
    EXPECT_GT(marked(withGrid, 80, 20, 44), 10);
    EXPECT_EQ(marked(withGrid, 80, 46, 49), 0);
    const QImage withoutGrid = paint(p, PlanState{}, false);
    EXPECT_EQ(marked(withoutGrid, 80, 20, 44), 0);
    EXPECT_FALSE(dark(withoutGrid, 85, 15)); // no band once it collapsed
}

} // namespace
} // namespace ormevak
