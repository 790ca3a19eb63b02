// The Checks panel of the main window on the example project: it follows the Design command and
// the plan, a click picks the footing, the schedule marks its rows.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "checks/checks.h"
#include "ui/checks_panel.h"
#include "ui/plan_view.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

std::vector<Check> only(const std::vector<Check>& all, const char* id) {
    std::vector<Check> out;
    for (const Check& c : all)
        if (c.id == id) out.push_back(c);
    return out;
}

class ChecksWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        w = run->main();
        panel = w->checksPanel();
        ASSERT_NE(panel, nullptr);
    }
    Project& p() { return run->project(); }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    FrmFoot* w = nullptr;
    ChecksPanel* panel = nullptr;
};

TEST_F(ChecksWindow, everyControlHasAnAccessibleName) {
    EXPECT_FALSE(panel->accessibleName().isEmpty());
    EXPECT_FALSE(panel->list()->accessibleName().isEmpty());
    EXPECT_FALSE(panel->counts()->accessibleName().isEmpty());
}

TEST_F(ChecksWindow, designFillsThePanelAndMarksTheScheduleRows) {
    QTest::mouseClick(child<QPushButton>(w, "CmdDesign"), Qt::LeftButton);
    const std::vector<Check> expected = runChecks(p());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(panel->checks(), expected);
    EXPECT_EQ(panel->list()->topLevelItemCount(), static_cast<int>(expected.size()));
    const CheckCounts n = countChecks(expected);
    EXPECT_EQ(panel->counts()->text(),
              QStringLiteral("%1 errors, %2 warnings").arg(n.errors).arg(n.warnings));
    // Row F1's pedestal (400 mm) is smaller than its 450 mm column.
    auto* mark = w->findChild<QLabel*>(QStringLiteral("LabF1_1"));
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->toolTip().contains(QStringLiteral("Schedule row F1: the pedestal of 400 mm")))
        << mark->toolTip().toStdString();
}

TEST_F(ChecksWindow, panelFollowsTheWheelAndAClickSelectsTheFooting) {
    // Footing 1 at (0, 0) grows along X towards footing 2 at 4200 (2.2 m): after enough notches
    // the two outlines overlap.
    PlanView* plan = w->plan();
    QTest::mousePress(plan->footingLabel(1), Qt::LeftButton);
    for (int notch = 0; notch < 150 && only(runChecks(p()), "overlap").empty(); ++notch)
        wheelOver(plan->sizeBox(), 120);
    const auto overlaps = only(panel->checks(), "overlap");
    ASSERT_FALSE(overlaps.empty());
    EXPECT_EQ(overlaps[0].footing, 1);
    EXPECT_TRUE(panel->counts()->text().startsWith(QStringLiteral("1 error")))
        << panel->counts()->text().toStdString();
    EXPECT_TRUE(panel->isVisible());

    // Both footings of the overlap are outlined red on the plan: the left edge of footing 2.
    const QImage shot = plan->grab().toImage();
    const FootingRecord& f2 = p().footings[2];
    const QPoint edge =
        plan->viewport().toPixels(f2.drawX1, (double(f2.drawZ1) + f2.drawZ2) / 2).toPoint();
    bool red = false;
    for (int dx = -2; dx <= 2; ++dx)
        red = red || shot.pixelColor(edge + QPoint(dx, 0)) == QColor(220, 0, 0);
    EXPECT_TRUE(red);

    // A click on the entry selects its footing as a left press on its label does.
    QTest::mousePress(plan->footingLabel(3), Qt::LeftButton);
    ASSERT_EQ(p().currentFooting, 3);
    QTreeWidget* list = panel->list();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == QStringLiteral("overlap")) {
            emit list->itemClicked(list->topLevelItem(i), 0);
            break;
        }
    EXPECT_EQ(p().currentFooting, 1);
}

} // namespace
} // namespace ormevak::testing
