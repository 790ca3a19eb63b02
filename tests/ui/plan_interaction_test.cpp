// What the user does on the plan of the example project: selecting a footing, the wheel over the
// size box, Escape and Shift + Delete, the group side nudge and member list, the rubber band,
// Combine and the detail windows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/plan_view.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

class Plan : public ::testing::Test {
  protected:
    void SetUp() override {
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        w = run->main();
        plan = w->plan();
        QTest::mouseClick(child<QCheckBox>(w, "ChkGrpNos"), Qt::LeftButton);
    }
    Project& p() { return run->project(); }
    QLabel* label(int i) const { return plan->footingLabel(i); }
    QPoint at(double x, double z) const { return plan->viewport().toPixels(x, z).toPoint(); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(plan, to);
        QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, to);
    }
    // One plan millimetre per pixel is far too fine: a pixel covers this many millimetres.
    double mmPerPixel() const { return plan->viewport().lengthToPlan(1); }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    FrmFoot* w = nullptr;
    PlanView* plan = nullptr;
};

// Footing 2 stands under joint 2 at (4200, 0) in the 2.2 m group.
TEST_F(Plan, leftPressPutsTheSizeBoxOverTheLabel) {
    QTest::mousePress(label(2), Qt::LeftButton);
    EXPECT_EQ(p().currentFooting, 2);
    QLineEdit* box = plan->sizeBox();
    EXPECT_FALSE(box->isHidden());
    EXPECT_EQ(box->pos(), label(2)->pos());
    EXPECT_EQ(box->text(), QStringLiteral("2"));
    QLabel* size = plan->sizeLabel();
    EXPECT_FALSE(size->isHidden());
    EXPECT_EQ(size->text(), QStringLiteral("2.2 X 2.2"));
    EXPECT_NEAR(size->x(), at(p().footings[2].drawX1, 0).x(), 1);
    // Its label is near the top of the plan (z < 600): the size label goes 600 mm below it.
    EXPECT_NEAR(size->y() - label(2)->y(), 600 / mmPerPixel(), 1.5);
}

TEST_F(Plan, theSizeLabelStandsAboveALabelLowerDown) {
    QTest::mousePress(label(8), Qt::LeftButton); // z = 5000
    EXPECT_NEAR(label(8)->y() - plan->sizeLabel()->y(), 600 / mmPerPixel(), 1.5);
}

TEST_F(Plan, theSizeLabelStaysInsideThePlanAtItsTopEdge) {
    // Footing 2 stands on the plan's top row (z = 0); its size label goes on the rectangle's
    // top edge, which near the plan's edge would put it above the drawing area.
    // In the smallest window a label's height in pixels spans more of the plan than the
    // 2 m margin above the top row.
    w->resize(w->minimumSize());
    QCoreApplication::processEvents();
    QTest::mousePress(label(2), Qt::LeftButton);
    for (int n = 0; n < 3; ++n) wheelOver(plan->sizeBox(), -120); // shorter, so wider along z
    const FootingRecord& f = p().footings[2];
    ASSERT_LT(at(f.drawX1, f.drawZ1).y() - plan->sizeLabel()->height(), 0);
    const double wanted = at(f.drawX1, f.drawZ1).y() - plan->sizeLabel()->height();
    ASSERT_TRUE(plan->sizeLabel()->isVisible());
    EXPECT_TRUE(plan->rect().contains(plan->sizeLabel()->geometry()))
        << "label at y " << plan->sizeLabel()->y() << ", its place at y " << wanted;
}

TEST_F(Plan, theSizeBoxCannotBeTypedInto) {
    QTest::mousePress(label(2), Qt::LeftButton);
    QLineEdit* box = plan->sizeBox();
    const QString before = box->text();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("12x"));
    EXPECT_EQ(box->text(), before);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_FALSE(box->accessibleName().isEmpty());
}

TEST_F(Plan, oneWheelNotchResizesTheFootingIntoR1) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan->sizeBox(), 120);
    const FootingRecord& f = p().footings[2];
    EXPECT_EQ(f.state, kStateResized);
    EXPECT_FLOAT_EQ(f.lenL, 2.25f);
    EXPECT_FLOAT_EQ(f.widB, 2.0f);
    EXPECT_EQ(label(2)->text(), QStringLiteral("R1"));
    EXPECT_EQ(plan->sizeLabel()->text(), QStringLiteral("2.25 X 2 = 4.5"));
    // The size label now stands on the new rectangle's top edge.
    EXPECT_NEAR(plan->sizeLabel()->x(), at(f.drawX1, f.drawZ1).x(), 1);
    EXPECT_NEAR(plan->sizeLabel()->y() + plan->sizeLabel()->fontMetrics().height(),
                at(f.drawX1, f.drawZ1).y(), 2);
    EXPECT_FLOAT_EQ(f.drawX1, 4200 - 1125);
}

TEST_F(Plan, everyWheelEventIsOneStepWhateverItsSize) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan->sizeBox(), 360);
    EXPECT_FLOAT_EQ(p().footings[2].lenL, 2.25f);
    wheelOver(plan->sizeBox(), 120);
    wheelOver(plan->sizeBox(), 120);
    EXPECT_FLOAT_EQ(p().footings[2].lenL, 2.35f);
    wheelOver(plan->sizeBox(), -15);
    EXPECT_FLOAT_EQ(p().footings[2].lenL, 2.3f);
}

TEST_F(Plan, aWheelAwayFromTheSizeBoxResizesNothing) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan, 120);
    wheelOver(label(2), 120);
    EXPECT_EQ(p().footings[2].state, kStateGrouped);
    EXPECT_FLOAT_EQ(p().footings[2].lenL, 2.2f);
}

TEST_F(Plan, shiftDeletePutsTheResizedFootingBack) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan->sizeBox(), 120);
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    const FootingRecord& f = p().footings[2];
    EXPECT_EQ(f.state, kStateGrouped);
    // Back in its group at once: the group's side and mark.
    ASSERT_GE(f.groupIndex, 1);
    EXPECT_FLOAT_EQ(f.lenL, p().groups[f.groupIndex].size);
    EXPECT_FLOAT_EQ(f.widB, p().groups[f.groupIndex].size);
    EXPECT_EQ(f.markNo, p().groups[f.groupIndex].groupNo);
    EXPECT_TRUE(plan->sizeBox()->isHidden());
    EXPECT_TRUE(plan->sizeLabel()->isHidden());
}

TEST_F(Plan, deleteWithoutShiftDoesNothing) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan->sizeBox(), 120);
    QTest::keyClick(plan, Qt::Key_Delete);
    EXPECT_EQ(p().footings[2].state, kStateResized);
    EXPECT_FALSE(plan->sizeBox()->isHidden());
}

TEST_F(Plan, shiftDeleteDuringABandDragDoesNothing) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan->sizeBox(), 120);
    QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, at(9000, 9000));
    ASSERT_TRUE(w->planState().dragging);
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(p().footings[2].state, kStateResized);
    QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, at(9500, 9500));
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(p().footings[2].state, kStateGrouped);
}

TEST_F(Plan, keysTypedIntoTheSizeBoxActOnThePlan) {
    QTest::mousePress(label(2), Qt::LeftButton);
    wheelOver(plan->sizeBox(), 120);
    QTest::keyClick(plan->sizeBox(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(p().footings[2].state, kStateGrouped);
}

TEST_F(Plan, escapeHidesTheBoxButKeepsTheFooting) {
    QTest::mousePress(label(2), Qt::LeftButton);
    QTest::keyClick(plan, Qt::Key_Escape);
    EXPECT_TRUE(plan->sizeBox()->isHidden());
    EXPECT_TRUE(plan->sizeLabel()->isHidden());
    EXPECT_EQ(p().currentFooting, 2);
    wheelOver(plan->sizeBox(), 120); // the hidden box takes no wheel
    EXPECT_EQ(p().footings[2].state, kStateGrouped);
}

TEST_F(Plan, theSizeBoxLosingTheFocusEndsTheSelection) {
    QTest::mousePress(label(2), Qt::LeftButton);
    QFocusEvent toFront(QEvent::FocusOut, Qt::ActiveWindowFocusReason); // a message box
    QCoreApplication::sendEvent(plan->sizeBox(), &toFront);
    EXPECT_EQ(p().currentFooting, 2);
    EXPECT_FALSE(plan->sizeBox()->isHidden());
    QFocusEvent away(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(plan->sizeBox(), &away);
    EXPECT_EQ(p().currentFooting, 0);
    EXPECT_TRUE(plan->sizeBox()->isHidden());
    EXPECT_TRUE(plan->sizeLabel()->isHidden());
}

TEST_F(Plan, shiftPressOnASideLabelCyclesTheSide) {
    QLabel* side = child<QLabel>(w, "LabW_4"); // the 1.8 m group
    QTest::mousePress(side, Qt::LeftButton);   // without Shift: nothing
    EXPECT_EQ(side->text(), QStringLiteral("1.8"));
    const char* cycle[] = {"1.75", "1.85", "1.8", "1.75"};
    for (const char* expected : cycle) {
        QTest::mousePress(side, Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_EQ(side->text(), QLatin1String(expected));
    }
    EXPECT_FLOAT_EQ(p().groups[4].size, 1.75f);
    // Footing 4 needs 1.755 m: it no longer fits and moves to the next group.
    EXPECT_EQ(p().footings[4].groupIndex, 5);
    EXPECT_FLOAT_EQ(p().footings[4].lenL, 1.9f);
}

TEST_F(Plan, aClickOnACountListsTheGroupWithOnlyItsLabelsShown) {
    std::vector<int> visibleWhileOpen;
    run->prompts.whileOpen = [&](const std::string&) {
        for (int i = 1; i <= p().footingCount; ++i)
            if (!label(i)->isHidden()) visibleWhileOpen.push_back(i);
    };
    QTest::mouseClick(child<QLabel>(w, "LabNo_4"), Qt::LeftButton);
    ASSERT_EQ(run->prompts.messages.size(), 1u);
    EXPECT_EQ(run->prompts.messages[0], "F4    1.8 X 1.8 M\r\r4   5   ");
    EXPECT_EQ(visibleWhileOpen, (std::vector<int>{4, 5}));
    for (int i = 1; i <= p().footingCount; ++i) EXPECT_FALSE(label(i)->isHidden());
    // The labels show footing numbers now.
    EXPECT_TRUE(child<QCheckBox>(w, "ChkFNos")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(w, "ChkGrpNos")->isChecked());
    EXPECT_EQ(label(4)->text(), QStringLiteral("4"));
}

TEST_F(Plan, aDragLeavesABandWithItsCornersInPlanMillimetres) {
    const QPoint from = at(3000, -1000);
    const QPoint to = at(6000, 7000);
    QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_TRUE(w->planState().dragging);
    QTest::mouseMove(plan, at(5000, 5000));
    EXPECT_NEAR(w->planState().bandX2, 5000, mmPerPixel());
    QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, to);
    const PlanState& s = w->planState();
    EXPECT_FALSE(s.dragging);
    EXPECT_NEAR(s.bandX1, 3000, mmPerPixel());
    EXPECT_NEAR(s.bandY1, -1000, mmPerPixel());
    EXPECT_NEAR(s.bandX2, 6000, mmPerPixel());
    EXPECT_NEAR(s.bandY2, 7000, mmPerPixel());
    // The band stays on the plan for the Combine command.
    const QImage image = plan->grab().toImage();
    const QPoint edge = at(4500, 7000); // on the band's bottom edge, away from any footing
    int dark = 0;
    // The edge is dashed: a few pixels along it hold a dash wherever the scale puts them.
    for (int dx = -4; dx <= 4; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            dark += qGray(image.pixel(edge.x() + dx, edge.y() + dy)) < 128;
    EXPECT_GE(dark, 1);
    EXPECT_GT(qGray(image.pixel(edge.x(), edge.y() - 6)), 128);
}

TEST_F(Plan, combineJoinsTheTwoColumnsInsideTheBand) {
    drag(at(20000, 13500), at(22500, 21000)); // joints 24 and 30, 5 m apart along Z
    QTest::mouseClick(child<QPushButton>(w, "CmdCombine"), Qt::LeftButton);
    EXPECT_EQ(p().combinedCount, 1);
    EXPECT_EQ(label(24)->text(), QStringLiteral("C1"));
    EXPECT_EQ(label(30)->text(), QStringLiteral("C1"));
    EXPECT_EQ(w->planState().bandX1, w->planState().bandX2); // the band collapsed
    EXPECT_TRUE(run->prompts.messages.empty());
    // A wheel notch over the size box lengthens the combined footing.
    QTest::mousePress(label(24), Qt::LeftButton);
    const float length = p().combinedFootings[1].length;
    wheelOver(plan->sizeBox(), 120);
    EXPECT_GT(p().combinedFootings[1].length, length);
    EXPECT_EQ(plan->sizeLabel()->text(), QString::fromStdString(p().sizeLabelCaption));
    // Shift + Delete removes it again.
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(p().combinedCount, 0);
    ASSERT_EQ(run->prompts.messages.size(), 1u);
    EXPECT_EQ(run->prompts.messages[0], "1 Is Deleting");
}

TEST_F(Plan, aBandRoundOneColumnCombinesNothingAndSaysSo) {
    drag(at(3000, -1000), at(5000, 1000));
    QTest::mouseClick(child<QPushButton>(w, "CmdCombine"), Qt::LeftButton);
    EXPECT_EQ(p().combinedCount, 0);
    EXPECT_EQ(run->prompts.messages,
              std::vector<std::string>{"Combine takes exactly two columns; the band holds 1."});
}

TEST_F(Plan, rightPressShowsTheDetailWindows) {
    QTest::mousePress(label(2), Qt::RightButton);
    auto* details = child<QWidget>(w, "Disply");
    ASSERT_NE(details, nullptr);
    EXPECT_TRUE(details->isVisible());
    ASSERT_NE(child<QLabel>(details, "LabN0"), nullptr);
    EXPECT_EQ(child<QLabel>(details, "LabN0")->text(), QStringLiteral("F 2"));
    EXPECT_TRUE(plan->sizeBox()->isHidden()); // a right press selects nothing

    drag(at(20000, 13500), at(22500, 21000));
    QTest::mouseClick(child<QPushButton>(w, "CmdCombine"), Qt::LeftButton);
    QTest::mousePress(label(30), Qt::RightButton);
    auto* combined = child<QWidget>(w, "Disply2");
    ASSERT_NE(combined, nullptr);
    EXPECT_TRUE(combined->isVisible());
    ASSERT_NE(child<QLabel>(combined, "LabCf1f2"), nullptr);
    EXPECT_EQ(child<QLabel>(combined, "LabCf1f2")->text(), QStringLiteral("24 X 30"));
}

} // namespace
} // namespace ormevak::testing
