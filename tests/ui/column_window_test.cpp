// The column node window: a click picks a support, the arrow keys shift its column by half the
// column dimension less 115 mm, Page Up/Down stay within the levels, Shift + Delete resets and
// Escape closes with no footing picked.
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "office_project.h"
#include "ui/frm_col.h"

namespace ormevak::testing {
namespace {

class ColumnWindow : public OfficeProject {
  protected:
    void SetUp() override {
        OfficeProject::SetUp();
        if (HasFatalFailure()) return;
        for (int i = 1; i <= p.footingCount; ++i)
            if (p.footings[i].jointNo == 8) f = i;
        ASSERT_GT(f, 0);
        window = std::make_unique<FrmCol>(p);
        window->show();
        picture = window->findChild<QWidget*>(QStringLiteral("PicCol"));
        ASSERT_NE(picture, nullptr);
    }
    QLabel* node(int i) { return window->findChild<QLabel*>(QStringLiteral("LabNode_%1").arg(i)); }
    // Where plan point (x, z) lies in the picture, in pixels.
    QPointF toPixels(double x, double z) {
        const PlanWindow w = window->planWindow();
        const double scale = picture->width() / (w.right - w.left);
        return {(x - w.left) * scale, (z - w.top) * scale};
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(picture, k, m);
    }

    int f = 0; // the footing under joint 8, at (4200, 5000)
    std::unique_ptr<FrmCol> window;
    QWidget* picture = nullptr;
};

TEST_F(ColumnWindow, opensWithALabelPerSupportOnItsJoint) {
    EXPECT_EQ(window->objectName(), QStringLiteral("FrmCol"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Column offsets"));
    EXPECT_EQ(picture->geometry(), window->rect());
    for (int i = 1; i <= p.footingCount; ++i) {
        QLabel* label = node(i);
        ASSERT_NE(label, nullptr) << i;
        EXPECT_EQ(label->text().toInt(), p.footings[i].jointNo);
        // With no offset the label is centred on its joint.
        const QPointF joint = toPixels(p.footings[i].nodeX, p.footings[i].nodeZ);
        EXPECT_NEAR(label->geometry().center().x(), joint.x(), 1.5) << i;
        EXPECT_NEAR(label->geometry().center().y(), joint.y(), 1.5) << i;
    }
    EXPECT_EQ(window->currentLevel(), 2);
}

TEST_F(ColumnWindow, planHasEqualScalesOnBothAxes) {
    const PlanWindow w = window->planWindow();
    EXPECT_NEAR((w.right - w.left) / picture->width(), (w.bottom - w.top) / picture->height(),
                1e-9);
    // The frame is 21 m by 20 m: in a window wider than tall the Z range (with its 2 m
    // margins) is kept whole and the X range widened about its middle.
    EXPECT_DOUBLE_EQ(w.top, -2000);
    EXPECT_DOUBLE_EQ(w.bottom, 22000);
    EXPECT_LT(w.left, -2000);
    EXPECT_DOUBLE_EQ(w.left + w.right, 21000);
}

TEST_F(ColumnWindow, clickThenRightMovesTheCentreByHalfTheColumnLess115) {
    const int c = p.footings[f].colIndex;
    ASSERT_GT(c, 0);
    ASSERT_EQ(p.columns[c][4], 450); // the office frame's 300 x 450 columns
    QTest::mouseClick(node(f), Qt::LeftButton);
    EXPECT_EQ(p.currentFooting, f);

    key(Qt::Key_Right);
    EXPECT_EQ(p.footings[f].offX, 1);
    EXPECT_EQ(p.footings[f].x, 4200 + 110); // 450 / 2 - 115
    EXPECT_EQ(p.footings[f].z, 5000);
    // The label shows the offset: its left edge on the joint.
    EXPECT_NEAR(node(f)->x(), toPixels(4200, 5000).x(), 1.0);
    screenshot(*window, "frm_col");

    key(Qt::Key_Right); // already one step right
    EXPECT_EQ(p.footings[f].x, 4310);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(p.footings[f].x, 4200 - 110);
    EXPECT_NEAR(node(f)->geometry().right() + 1, toPixels(4200, 5000).x(), 1.0);

    key(Qt::Key_Down); // 300 / 2 - 115 towards larger z
    EXPECT_EQ(p.footings[f].z, 5035);
    key(Qt::Key_Home);
    EXPECT_EQ(p.footings[f].x, 4200);
    EXPECT_EQ(p.footings[f].z, 5000);
}

TEST_F(ColumnWindow, pickedLabelTakesTheWindowBackground) {
    const QColor window_ = window->palette().color(QPalette::Base);
    const QColor menuText = window->palette().color(QPalette::Text);
    EXPECT_EQ(node(1)->palette().color(QPalette::Window), menuText);
    QTest::mouseClick(node(1), Qt::LeftButton);
    EXPECT_EQ(node(1)->palette().color(QPalette::Window), window_);
    QTest::mouseClick(node(f), Qt::LeftButton);
    EXPECT_EQ(node(1)->palette().color(QPalette::Window), menuText);
    EXPECT_EQ(node(f)->palette().color(QPalette::Window), window_);
    // As drawn, not only as set.
    EXPECT_EQ(QColor(node(f)->grab().toImage().pixel(0, 0)), window_);
    EXPECT_EQ(QColor(node(1)->grab().toImage().pixel(0, 0)), menuText);
    // Either way the caption stays readable.
    EXPECT_NE(node(1)->palette().color(QPalette::WindowText),
              node(1)->palette().color(QPalette::Window));
    EXPECT_EQ(p.currentFooting, f);
}

TEST_F(ColumnWindow, pageKeysStayWithinLevelsTwoToTop) {
    ASSERT_EQ(static_cast<int>(p.levelsY[0]), 4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(window->currentLevel(), 2);
    key(Qt::Key_PageUp);
    EXPECT_EQ(window->currentLevel(), 3);
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    EXPECT_EQ(window->currentLevel(), 4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(window->currentLevel(), 3);
}

TEST_F(ColumnWindow, drawsTheBeamsOfTheCurrentLevel) {
    // Halfway along the beam from joint (0, 0) to (4200, 0), and in an empty bay.
    const QImage image = picture->grab().toImage();
    const QPoint onBeam = toPixels(2100, 0).toPoint();
    const QPoint inBay = toPixels(2100, 2500).toPoint();
    bool dark = false;
    for (int dy = -1; dy <= 1; ++dy)
        dark = dark || qGray(image.pixel(onBeam.x(), onBeam.y() + dy)) < 128;
    EXPECT_TRUE(dark);
    EXPECT_GT(qGray(image.pixel(inBay)), 128);
}

TEST_F(ColumnWindow, shiftDeletePutsEveryFootingBackOnItsJoint) {
    QTest::mouseClick(node(f), Qt::LeftButton);
    key(Qt::Key_Right);
    key(Qt::Key_Up);
    ASSERT_NE(p.footings[f].x, p.footings[f].nodeX);
    key(Qt::Key_Delete); // without Shift nothing happens
    EXPECT_EQ(p.footings[f].x, 4310);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(p.footings[f].x, 4200);
    EXPECT_EQ(p.footings[f].z, 5000);
    EXPECT_EQ(p.footings[f].offX, 0);
    EXPECT_EQ(p.footings[f].offZ, 0);
    EXPECT_NEAR(node(f)->geometry().center().x(), toPixels(4200, 5000).x(), 1.5);
    EXPECT_NEAR(node(f)->geometry().center().y(), toPixels(4200, 5000).y(), 1.5);
}

TEST_F(ColumnWindow, escapeClosesWithNoFootingPicked) {
    QSignalSpy closed(window.get(), &FrmCol::closed);
    QTest::mouseClick(node(f), Qt::LeftButton);
    key(Qt::Key_Right);
    key(Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(p.currentFooting, 0);
    // The offsets stay in the model after the window closes.
    EXPECT_EQ(p.footings[f].x, 4310);
}

} // namespace
} // namespace ormevak::testing
