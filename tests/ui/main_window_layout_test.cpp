// The main window on small and large screens: every command inside the window from 1280 x 720 up,
// and the group columns spread over the width. The same tests run once more at a device pixel
// ratio of 2 (QT_SCALE_FACTOR=2, see CMakeLists.txt).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "ui/group_controls.h"
#include "ui/plan_view.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

class MainWindowLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        w = run->main();
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) {
            ASSERT_DOUBLE_EQ(w->devicePixelRatioF(), 2.0);
        }
    }

    void resizeTo(int width, int height) {
        w->resize(width, height);
        QCoreApplication::processEvents();
    }

    // Every command of the top row and every group control, each inside the window and none
    // on another; the top row keeps its order.
    void expectAllReachable() {
        const QRect inside = w->rect();
        int previousRight = -1;
        for (QWidget* c : w->commands()->controls()) {
            if (c->isHidden()) continue;
            SCOPED_TRACE(c->objectName().toStdString());
            EXPECT_TRUE(inside.contains(c->geometry())) << "outside the window";
            EXPECT_GT(c->x(), previousRight) << "out of order or overlapping";
            EXPECT_GE(c->width(), c->sizeHint().width()) << "caption clipped";
            previousRight = c->geometry().right();
        }
        const int groups = w->groupControls()->count();
        ASSERT_GE(groups, 1);
        int previousLeft = -1;
        for (int i = 1; i <= groups; ++i) {
            SCOPED_TRACE(i);
            for (const QString& name : {QStringLiteral("Check1_%1"), QStringLiteral("LabW_%1"),
                                        QStringLiteral("LabNo_%1")}) {
                QWidget* c = child<QWidget>(w, name.arg(i));
                ASSERT_NE(c, nullptr);
                EXPECT_TRUE(inside.contains(c->geometry())) << name.toStdString();
            }
            QWidget* box = child<QWidget>(w, QStringLiteral("Check1_%1").arg(i));
            EXPECT_GT(box->x(), previousLeft + box->width() - 1) << "group columns overlap";
            previousLeft = box->x();
        }
        // The plan lies between the rows.
        const QRect plan = w->plan()->geometry();
        EXPECT_TRUE(inside.contains(plan));
        EXPECT_GT(plan.height(), 100);
    }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    FrmFoot* w = nullptr;
};

TEST_F(MainWindowLayout, everyCommandLiesInsideTheWindowAt1280x720) {
    EXPECT_LE(w->minimumWidth(), 1280);
    EXPECT_LE(w->minimumHeight(), 720 - 60); // room for a title bar and a task bar
    resizeTo(1280, 720);
    EXPECT_EQ(w->size(), QSize(1280, 720));
    expectAllReachable();
}

TEST_F(MainWindowLayout, theWindowCannotShrinkBelowItsCommands) {
    resizeTo(200, 150);
    EXPECT_EQ(w->size(), w->minimumSize());
    expectAllReachable();
}

TEST_F(MainWindowLayout, groupColumnsSpreadOverAWiderWindow) {
    resizeTo(1280, 720);
    const int groups = w->groupControls()->count();
    auto lastLeft = [&] { return child<QWidget>(w, QStringLiteral("Check1_%1").arg(groups))->x(); };
    const int narrow = lastLeft();
    resizeTo(2400, 1300);
    expectAllReachable();
    // Columns at i x step, step = (plan width - 400 twips) / (groups + 1).
    const double planTwips = pixelsToTwips(w->plan()->width(), w->logicalDpiX());
    EXPECT_EQ(w->groupControls()->step(), groupStep(planTwips, groups));
    EXPECT_GT(lastLeft(), narrow + 500);
    EXPECT_GT(lastLeft(), w->width() * groups / (groups + 1) - 60);
    EXPECT_EQ(child<QWidget>(w, "Command2")->x(), 1488); // its designed place again
}

TEST_F(MainWindowLayout, everyControlHasAnAccessibleName) {
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QLineEdit*>(c) && c != w->plan())
            continue;
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
    }
}

TEST_F(MainWindowLayout, theMainWindowShowsOnlyOnceLoaded) {
    // No empty window stands over the dialog while the load's messages come.
    EXPECT_EQ(w->windowTitle(), example.path());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(run->dialog()->isVisible());
}

} // namespace
} // namespace ormevak::testing
