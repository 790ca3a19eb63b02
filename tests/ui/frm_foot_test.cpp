// The main window on the example project: its load, its command row, its group controls and its
// display switches.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/plan_view.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        w = run->main();
    }
    QCheckBox* check(const QString& name) const { return child<QCheckBox>(w, name); }
    QPushButton* button(const QString& name) const { return child<QPushButton>(w, name); }
    QString label(int footing) const { return w->plan()->footingLabel(footing)->text(); }
    Project& p() { return run->project(); }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    FrmFoot* w = nullptr;
};

TEST_F(MainWindow, captionsTellTheFileAndTheSoilValues) {
    EXPECT_EQ(w->windowTitle(), example.path());
    EXPECT_EQ(child<QLabel>(w, "LabFckFySbc")->text(),
              QStringLiteral("Fck  20 Fy  415   SBC  200 Earth Pressure : 30"));
    EXPECT_TRUE(run->prompts.messages.empty());
}

TEST_F(MainWindow, commandRowStandsAsDesignedWhereTheWindowIsWideEnough) {
    ASSERT_EQ(w->logicalDpiX(), 96);
    w->resize(1560, 960); // the designed 23400 x 14400 twips
    struct Expect {
        const char* name;
        const char* caption;
        QRect geometry; // twips / 15
    };
    const Expect row[] = {
        {"CmdDesign", "Design", {288, 8, 65, 25}},
        {"CmdOff", "Col Offset", {464, 8, 73, 17}},
        {"CmdReset", "Refresh", {544, 0, 73, 25}},
        {"ChkGrid", "Grid Lines", {680, 8, 81, 17}},
        {"ChkSize", "Size", {792, 8, 41, 17}},
        {"ChkFNos", "Footing No's", {856, 8, 80, 17}},
        {"ChkGrpNos", "Group No's", {960, 8, 81, 17}},
        {"CmdDisable", "Disable", {1048, 8, 57, 25}},
        {"ChkGap", "Gap ", {1128, 8, 49, 17}},
        {"CmdCombine", "Combine", {1184, 8, 65, 25}},
    };
    // A caption wider than its designed box (the fonts differ from system to system) widens
    // it and moves the rest over; otherwise each control keeps its designed place.
    int pushed = child<QLabel>(w, "LabFckFySbc")->geometry().right() + 1 + 6;
    for (const Expect& e : row) {
        SCOPED_TRACE(e.name);
        auto* widget = child<QAbstractButton>(w, QLatin1String(e.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->text(), QLatin1String(e.caption));
        const QRect g = widget->geometry();
        EXPECT_EQ(g.top(), e.geometry.top());
        EXPECT_EQ(g.height(), e.geometry.height());
        EXPECT_EQ(g.width(), std::max(e.geometry.width(), widget->sizeHint().width()));
        EXPECT_EQ(g.left(), std::max(e.geometry.left(), pushed));
        pushed = g.right() + 1 + 6; // 90 twips apart at the least
    }
    // Exit at 1488, or as far left as a wider caption needs to stay 240 twips off the edge.
    QPushButton* exit = button("Command2");
    EXPECT_EQ(exit->text(), QStringLiteral("Exit"));
    EXPECT_EQ(exit->geometry().top(), 8);
    EXPECT_EQ(exit->width(), std::max(49, exit->sizeHint().width()));
    EXPECT_EQ(exit->x(), std::min(1488, 1560 - 16 - exit->width()));
    EXPECT_GT(exit->x(), pushed);
    EXPECT_EQ(child<QLabel>(w, "LabFckFySbc")->geometry().topLeft(), QPoint(16, 8));
    EXPECT_TRUE(check("ChkOsize")->isHidden());
    EXPECT_DOUBLE_EQ(button("CmdDesign")->font().pointSizeF(), 9.75);
}

TEST_F(MainWindow, switchesStartAsDesigned) {
    EXPECT_FALSE(check("ChkOsize")->isChecked());
    EXPECT_TRUE(check("ChkOsize")->isHidden());
    EXPECT_FALSE(check("ChkGrid")->isChecked());
    EXPECT_FALSE(check("ChkGrid")->isEnabled());
    EXPECT_FALSE(check("ChkSize")->isChecked());
    EXPECT_TRUE(check("ChkFNos")->isChecked());
    EXPECT_FALSE(check("ChkGrpNos")->isChecked());
    EXPECT_FALSE(check("ChkGap")->isChecked());
    EXPECT_FALSE(check("ChkGap")->isEnabled());
    EXPECT_TRUE(w->plan()->sizeBox()->isHidden());
    EXPECT_TRUE(w->plan()->sizeLabel()->isHidden());
    EXPECT_EQ(w->plan()->sizeBox()->objectName(), QStringLiteral("TxtWheel"));
    EXPECT_EQ(w->plan()->sizeLabel()->objectName(), QStringLiteral("LabLBD"));
}

TEST_F(MainWindow, planSpansTheWindowBetweenTheRows) {
    QWidget* pic = child<QWidget>(w, "PicFoot");
    ASSERT_EQ(pic, w->plan());
    EXPECT_EQ(pic->geometry(), QRect(0, 33, w->formArea()->width(), w->formArea()->height() - 120));
}

TEST_F(MainWindow, oneLabelPerFootingShowsItsJointNumber) {
    ASSERT_EQ(p().footingCount, 30);
    for (int i = 1; i <= 30; ++i) {
        SCOPED_TRACE(i);
        QLabel* l = child<QLabel>(w, QStringLiteral("LabDis_%1").arg(i));
        ASSERT_EQ(l, w->plan()->footingLabel(i));
        EXPECT_EQ(l->text(), QString::number(p().footings[i].jointNo));
        EXPECT_TRUE(l->isVisible());
        EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 8.25);
    }
}

TEST_F(MainWindow, aLabelsCornerSitsUpAndLeftOfItsSupport) {
    const PlanViewport& v = w->plan()->viewport();
    const QFontMetricsF fm(w->plan()->footingLabel(8)->font());
    const double nine = fm.horizontalAdvance(QLatin1Char('9')); // w in pixels
    const FootingRecord& f = p().footings[8];
    const QPointF support = v.toPixels(f.x, f.z);
    EXPECT_NEAR(w->plan()->footingLabel(8)->x(), support.x() - nine, 1.0);
    EXPECT_NEAR(w->plan()->footingLabel(8)->y(), support.y() - nine, 1.0);
}

TEST_F(MainWindow, groupControlsStandWhereTheStepRulePutsThem) {
    ASSERT_EQ(p().groupCount, 10);
    const int picTwips = w->plan()->width() * 15;
    const int step = (2 * (picTwips - 400) + 11) / 22; // (width - 400) / 11, to the nearest
    for (int i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const int left = (2 * i * step + 15) / 30; // i x step twips, to the nearest pixel
        QCheckBox* box = check(QStringLiteral("Check1_%1").arg(i));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->x(), left);
        EXPECT_EQ(child<QLabel>(w, QStringLiteral("LabW_%1").arg(i))->x(), left);
        EXPECT_EQ(child<QLabel>(w, QStringLiteral("LabNo_%1").arg(i))->x(), left);
        EXPECT_EQ(box->y(), w->formArea()->height() - 53);
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->isEnabled(), i != 10); // the largest group's box is fixed
        EXPECT_EQ(box->text(), QStringLiteral("F%1").arg(i));
    }
    EXPECT_EQ(child<QLabel>(w, "LabW_1")->text(), QStringLiteral("1.3"));
    EXPECT_EQ(child<QLabel>(w, "LabW_10")->text(), QStringLiteral("2.4"));
    EXPECT_EQ(child<QLabel>(w, "LabNo_7")->text(), QStringLiteral("7"));
}

TEST_F(MainWindow, footingAndGroupNumbersStayOpposite) {
    QTest::mouseClick(check("ChkGrpNos"), Qt::LeftButton);
    EXPECT_TRUE(check("ChkGrpNos")->isChecked());
    EXPECT_FALSE(check("ChkFNos")->isChecked());
    EXPECT_EQ(label(4), QStringLiteral("F4"));

    QTest::mouseClick(check("ChkGrpNos"), Qt::LeftButton);
    EXPECT_FALSE(check("ChkGrpNos")->isChecked());
    EXPECT_TRUE(check("ChkFNos")->isChecked());
    EXPECT_EQ(label(4), QStringLiteral("4"));

    QTest::mouseClick(check("ChkFNos"), Qt::LeftButton);
    EXPECT_FALSE(check("ChkFNos")->isChecked());
    EXPECT_TRUE(check("ChkGrpNos")->isChecked());
    EXPECT_EQ(label(4), QStringLiteral("F4"));

    QTest::mouseClick(check("ChkFNos"), Qt::LeftButton);
    EXPECT_TRUE(check("ChkFNos")->isChecked());
    EXPECT_FALSE(check("ChkGrpNos")->isChecked());
}

TEST_F(MainWindow, sizeSwitchShowsTheSides) {
    QTest::mouseClick(check("ChkSize"), Qt::LeftButton);
    EXPECT_EQ(label(1), QStringLiteral("1.3"));
    EXPECT_EQ(label(2), QStringLiteral("2.2"));
    QTest::mouseClick(check("ChkSize"), Qt::LeftButton);
    EXPECT_EQ(label(1), QStringLiteral("1"));
}

TEST_F(MainWindow, unTickingAGroupMovesItsFootingsToTheNextOne) {
    QTest::mouseClick(check("ChkGrpNos"), Qt::LeftButton);
    EXPECT_EQ(label(4), QStringLiteral("F4"));
    QTest::mouseClick(check("Check1_1"), Qt::LeftButton);
    EXPECT_FALSE(check("Check1_1")->isChecked());
    EXPECT_EQ(p().footings[1].groupIndex, 2);
    EXPECT_FLOAT_EQ(p().footings[1].lenL, 1.6f);
    // The groups are numbered again without the empty one.
    EXPECT_EQ(label(4), QStringLiteral("F3"));
    EXPECT_EQ(check("Check1_1")->text(), QString());
    EXPECT_EQ(child<QLabel>(w, "LabNo_1")->text(), QString());
    EXPECT_EQ(check("Check1_2")->text(), QStringLiteral("F1"));
    EXPECT_EQ(child<QLabel>(w, "LabNo_2")->text(), QStringLiteral("2"));

    QTest::mouseClick(check("ChkSize"), Qt::LeftButton);
    EXPECT_EQ(label(1), QStringLiteral("1.6"));
    // Ticking it again (on its box: an empty group's caption is empty) brings the footing back.
    QCheckBox* first = check("Check1_1");
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(7, first->height() / 2));
    EXPECT_TRUE(first->isChecked());
    EXPECT_EQ(label(1), QStringLiteral("1.3"));
}

TEST_F(MainWindow, refreshLeavesTheAssignmentAsItWas) {
    QTest::mouseClick(check("Check1_1"), Qt::LeftButton);
    QTest::mouseClick(button("CmdReset"), Qt::LeftButton);
    EXPECT_EQ(p().footings[1].groupIndex, 2);
    EXPECT_FLOAT_EQ(p().footings[1].lenL, 1.6f);
}

TEST_F(MainWindow, disableButtonBlinksInDisableMode) {
    QPushButton* disable = button("CmdDisable");
    QTest::mouseClick(disable, Qt::LeftButton);
    EXPECT_TRUE(w->planState().disableMode);
    EXPECT_TRUE(w->blinkTimer()->isActive());
    EXPECT_EQ(w->blinkTimer()->interval(), 500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return disable->text().isEmpty(); }, 2000));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return disable->text() == QStringLiteral("Disable"); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return disable->text().isEmpty(); }, 2000));
    QTest::mouseClick(disable, Qt::LeftButton);
    EXPECT_FALSE(w->planState().disableMode);
    EXPECT_FALSE(w->blinkTimer()->isActive());
    EXPECT_EQ(disable->text(), QStringLiteral("Disable"));
}

TEST_F(MainWindow, aPressInDisableModeDisablesAndEnablesAFooting) {
    QTest::mouseClick(check("ChkGrpNos"), Qt::LeftButton);
    QTest::mouseClick(button("CmdDisable"), Qt::LeftButton);
    QTest::mousePress(w->plan()->footingLabel(1), Qt::LeftButton);
    EXPECT_EQ(p().footings[1].state, kStateDisabled);
    // Not built: it shows its joint number, no type mark.
    EXPECT_EQ(label(1), QString::number(p().footings[1].jointNo));
    EXPECT_TRUE(w->plan()->sizeBox()->isHidden()); // no selection in this mode
    // Group 1 lost its only footing.
    EXPECT_EQ(check("Check1_1")->text(), QString());
    QTest::mousePress(w->plan()->footingLabel(1), Qt::LeftButton);
    EXPECT_EQ(p().footings[1].state, kStateGrouped);
    EXPECT_EQ(label(1), QStringLiteral("F1"));
}

TEST_F(MainWindow, gridLinesFollowTheirSwitch) {
    QImage without = w->plan()->grab().toImage();
    check("ChkGrid")->setChecked(true); // disabled for the user; the program may set it
    QImage with = w->plan()->grab().toImage();
    EXPECT_NE(without, with);
}

TEST_F(MainWindow, designShowsTheSchedule) {
    QWidget* schedule = child<QWidget>(w, "FrmShd");
    ASSERT_NE(schedule, nullptr);
    EXPECT_FALSE(schedule->isVisible()); // made at load, not shown
    QTest::mouseClick(button("CmdDesign"), Qt::LeftButton);
    EXPECT_TRUE(schedule->isVisible());
    EXPECT_EQ(p().designRowCount, 10);
}

TEST_F(MainWindow, closingTheColumnWindowRedrawsTheMovedOutlines) {
    QTest::mouseClick(button("CmdOff"), Qt::LeftButton);
    QWidget* columns = child<QWidget>(w, "FrmCol");
    ASSERT_NE(columns, nullptr);
    EXPECT_TRUE(columns->isVisible());
    QTest::mouseClick(button("CmdOff"), Qt::LeftButton); // one window at a time
    EXPECT_EQ(w->findChildren<QWidget*>(QStringLiteral("FrmCol")).size(), 1);

    p().footings[8].x += 100; // as the window's arrow keys move a centre
    const float before = p().footings[8].drawX1;
    columns->close();
    EXPECT_FLOAT_EQ(p().footings[8].drawX1, before + 100);
    EXPECT_EQ(p().currentFooting, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child<QWidget>(w, "FrmCol"), nullptr);
}

} // namespace
} // namespace ormevak::testing
