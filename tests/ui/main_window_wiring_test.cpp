// The main window's wiring on the example project: each menu command presses its button, the
// edits of the column node window and of the schedule go through the Edit menu and come back
// into those windows on Undo, a Checks panel pick reaches the schedule, an edit marks the title.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "checks/checks.h"
#include "ui/checks_panel.h"
#include "ui/frm_col.h"
#include "ui/frm_shd.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

class MainWindowWiring : public ::testing::Test {
  protected:
    void SetUp() override {
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        w = run->main();
    }
    QPushButton* button(const QString& name) const { return child<QPushButton>(w, name); }
    QAction* action(const QString& name) const { return w->findChild<QAction*>(name); }
    Project& p() { return run->project(); }
    int footingOfJoint(int joint) {
        for (int i = 1; i <= p().footingCount; ++i)
            if (p().footings[i].jointNo == joint) return i;
        return 0;
    }
    FrmShd* designed() {
        QTest::mouseClick(button("CmdDesign"), Qt::LeftButton);
        return w->findChild<FrmShd*>();
    }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    FrmFoot* w = nullptr;
};

TEST_F(MainWindowWiring, eachPlanMenuCommandPressesItsOwnButton) {
    const std::pair<const char*, const char*> pairs[] = {{"ActionDesign", "CmdDesign"},
                                                         {"ActionCombine", "CmdCombine"},
                                                         {"ActionRefresh", "CmdReset"},
                                                         {"ActionColOffset", "CmdOff"},
                                                         {"ActionDisable", "CmdDisable"}};
    for (const auto& [actionName, buttonName] : pairs) {
        QAction* a = action(QLatin1String(actionName));
        QPushButton* b = button(QLatin1String(buttonName));
        ASSERT_NE(a, nullptr) << actionName;
        ASSERT_NE(b, nullptr) << buttonName;
        QSignalSpy clicked(b, &QPushButton::clicked);
        a->trigger();
        EXPECT_EQ(clicked.count(), 1) << actionName;
    }
}

TEST_F(MainWindowWiring, anOffsetInTheColumnWindowIsUndoneFromTheEditMenu) {
    const int f = footingOfJoint(8);
    ASSERT_GT(f, 0);
    QTest::mouseClick(button("CmdOff"), Qt::LeftButton);
    auto* columns = w->findChild<FrmCol*>();
    ASSERT_NE(columns, nullptr);
    QLabel* node = child<QLabel>(columns, QStringLiteral("LabNode_%1").arg(f));
    ASSERT_NE(node, nullptr);
    const QPoint home = node->pos();
    const double x = p().footings[f].x;
    const float drawnLeft = p().footings[f].drawX1;
    EXPECT_FALSE(w->undoAction()->isEnabled());

    QTest::mouseClick(node, Qt::LeftButton);
    QTest::keyClick(child<QWidget>(columns, "PicCol"), Qt::Key_Right);
    ASSERT_NE(p().footings[f].x, x);
    EXPECT_NE(node->pos(), home);
    // The plan follows at once, and the Edit menu names the step.
    EXPECT_NE(p().footings[f].drawX1, drawnLeft);
    EXPECT_TRUE(w->undoAction()->isEnabled());
    EXPECT_NE(w->undoAction()->text(), QStringLiteral("&Undo"));

    w->undoAction()->trigger();
    EXPECT_EQ(p().footings[f].x, x);
    EXPECT_EQ(node->pos(), home); // the open window's label went back with the model
    EXPECT_TRUE(w->redoAction()->isEnabled());
}

TEST_F(MainWindowWiring, undoingAScheduleRowEditShowsTheRowAsItWas) {
    FrmShd* schedule = designed();
    ASSERT_NE(schedule, nullptr);
    ASSERT_TRUE(schedule->isVisible());
    auto* depth = child<QLineEdit>(schedule, "TxtDepth_1");
    ASSERT_NE(depth, nullptr);
    const QString before = depth->text();
    depth->selectAll();
    QTest::keyClicks(depth, QStringLiteral("1.2"));
    QTest::keyClick(depth, Qt::Key_Return);
    ASSERT_NE(depth->text(), before);
    EXPECT_TRUE(w->undoAction()->isEnabled());

    w->undoAction()->trigger();
    // The rows are made afresh from the model: look the box up again.
    depth = child<QLineEdit>(schedule, "TxtDepth_1");
    ASSERT_NE(depth, nullptr);
    EXPECT_EQ(depth->text(), before);
}

TEST_F(MainWindowWiring, aChecksPanelPickOfAScheduleRowBringsThatRowForward) {
    FrmShd* schedule = designed();
    ASSERT_NE(schedule, nullptr);
    ChecksPanel* panel = w->checksPanel();
    // A check of a schedule row that names no footing is picked by its row.
    int item = -1, row = 0;
    for (size_t i = 0; i < panel->checks().size() && item < 0; ++i) {
        const Check& c = panel->checks()[i];
        const int n = checkScheduleRow(p(), c);
        if (c.footing < 1 && n >= 1) {
            item = static_cast<int>(i);
            row = n;
        }
    }
    ASSERT_GE(item, 0) << "the example has a failing check of a schedule row";
    schedule->hide();
    QTreeWidget* list = panel->list();
    const QRect place = list->visualItemRect(list->topLevelItem(item));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    EXPECT_TRUE(schedule->isVisible());
    EXPECT_EQ(schedule->focusWidget(),
              child<QWidget>(schedule, QStringLiteral("TxtDepth_%1").arg(row)));
}

TEST_F(MainWindowWiring, anEditOnThePlanMarksTheTitleUnsaved) {
    const QString title = w->windowTitle();
    ASSERT_FALSE(title.endsWith(QLatin1Char('*')));
    QTest::mouseClick(child<QWidget>(w, "Check1_1"), Qt::LeftButton);
    // Nothing but the window's own polling marks it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->windowTitle().endsWith(QLatin1Char('*')); }, 3000))
        << w->windowTitle().toStdString();
}

} // namespace
} // namespace ormevak::testing
