// The plan as a drawing tool: zoom about the pointer, pan, fit, the status bar, undo and redo
// from the keyboard, arrow keys, and the message list that replaces the load's message boxes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>

#include <gtest/gtest.h>
#include <iostream>

#include "ui/checks_panel.h"
#include "ui/group_controls.h"
#include "ui/message_list.h"
#include "ui/plan_view.h"
#include "ui/qt_prompts.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

template <typename T> T* child(QObject* parent, const QString& name) {
    T* c = parent->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    return c;
}

void ctrlWheel(QWidget* target, QPointF at, int delta) {
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

class PlanTools : public ::testing::Test {
  protected:
    void SetUp() override {
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        w = run->main();
        plan = w->plan();
    }
    Project& p() { return run->project(); }
    QPointF at(double x, double z) const { return plan->viewport().toPixels(x, z); }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    FrmFoot* w = nullptr;
    PlanView* plan = nullptr;
};

TEST_F(PlanTools, ctrlWheelZoomsAboutThePointerAndTheFootingUnderItStaysThere) {
    // Footing 8 stands at (4200, 5000); the pointer a little off its centre.
    const QPointF pointer = at(4500, 5300);
    for (int i = 0; i < 6; ++i) ctrlWheel(plan, pointer, 120);
    EXPECT_NEAR(plan->viewport().zoom(), std::pow(1.25, 6), 1e-9);
    const QPointF after = at(4500, 5300);
    EXPECT_NEAR(after.x(), pointer.x(), 0.01);
    EXPECT_NEAR(after.y(), pointer.y(), 0.01);
    // The footing's label followed its support.
    const QFontMetricsF fm(plan->footingLabel(8)->font());
    const double nine = fm.horizontalAdvance(QLatin1Char('9'));
    EXPECT_NEAR(plan->footingLabel(8)->x(), at(4200, 5000).x() - nine, 1.0);
    EXPECT_NEAR(plan->footingLabel(8)->y(), at(4200, 5000).y() - nine, 1.0);
    // The plain wheel does not zoom.
    wheelOver(plan, 120);
    EXPECT_NEAR(plan->viewport().zoom(), std::pow(1.25, 6), 1e-9);
}

TEST_F(PlanTools, zoomedInOneFootingFillsTheWindow) {
    const QPointF centre = at(4200, 5000);
    for (int i = 0; i < 40 && plan->viewport().pixelsPerMm() * 2200 < plan->height(); ++i)
        ctrlWheel(plan, centre, 120);
    EXPECT_GE(plan->viewport().pixelsPerMm() * 2200, plan->height());
}

TEST_F(PlanTools, middleDragAndSpaceDragPanAndHomeFits) {
    const QPointF before = at(0, 0);
    QTest::mousePress(plan, Qt::MiddleButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(plan, QPoint(240, 230));
    QTest::mouseRelease(plan, Qt::MiddleButton, Qt::NoModifier, QPoint(240, 230));
    EXPECT_NEAR(at(0, 0).x(), before.x() + 40, 0.5);
    EXPECT_NEAR(at(0, 0).y(), before.y() + 30, 0.5);
    EXPECT_FALSE(w->planState().dragging); // no band from a pan

    plan->setFocus();
    QTest::keyPress(plan, Qt::Key_Space);
    QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QTest::mouseMove(plan, QPoint(290, 180));
    QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, QPoint(290, 180));
    QTest::keyRelease(plan, Qt::Key_Space);
    EXPECT_NEAR(at(0, 0).x(), before.x() + 30, 0.5);
    EXPECT_NEAR(at(0, 0).y(), before.y() + 10, 0.5);

    QTest::keyClick(plan, Qt::Key_Home);
    EXPECT_NEAR(at(0, 0).x(), before.x(), 1e-6);
    EXPECT_EQ(plan->viewport().zoom(), 1.0);
}

TEST_F(PlanTools, theStatusBarReadsThePointerTheFootingAndTheCounts) {
    QTest::mouseMove(plan, at(4200, 5000).toPoint());
    const QString pointer = child<QLabel>(w, "StatusPointer")->text();
    // "X 4200  Z 5000 mm", to the pixel.
    const QStringList words = pointer.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(words.size(), 5) << pointer.toStdString();
    const double pixel = plan->viewport().lengthToPlan(1);
    EXPECT_NEAR(words[1].toDouble(), 4200, pixel);
    EXPECT_NEAR(words[3].toDouble(), 5000, pixel);
    EXPECT_EQ(words[4], QStringLiteral("mm"));
    const QString footing = child<QLabel>(w, "StatusFooting")->text();
    EXPECT_TRUE(footing.startsWith(QStringLiteral("Footing 8  F8  2.2 x 2.2 m  ")))
        << footing.toStdString();
    EXPECT_TRUE(footing.contains(QStringLiteral(" / 250 kN/m2 (case "))) << footing.toStdString();
    EXPECT_EQ(child<QLabel>(w, "StatusCounts")->text(),
              QStringLiteral("30 footings, 10 groups, 0 combined"));
    EXPECT_EQ(child<QLabel>(w, "StatusChecks")->text(), w->checksPanel()->countsText());
    QTest::mouseMove(plan, at(2100, 2500).toPoint()); // between footings
    EXPECT_EQ(child<QLabel>(w, "StatusFooting")->text().trimmed(), QString());
}

TEST_F(PlanTools, labelsAndCommandsExplainTheirGestures) {
    const QString tip = plan->footingLabel(8)->toolTip();
    EXPECT_TRUE(
        tip.startsWith(QStringLiteral("Footing 8  F8\n2.2 x 2.2 m\nWorst corner pressure ")))
        << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("Right press: details")));
    EXPECT_TRUE(child<QWidget>(w, "LabW_3")->toolTip().contains(QStringLiteral("Shift + press")));
    EXPECT_TRUE(plan->sizeBox()->toolTip().contains(QStringLiteral("Shift + Delete")));
    EXPECT_TRUE(child<QWidget>(w, "CmdCombine")->toolTip().contains(QStringLiteral("band")));
}

TEST_F(PlanTools, ctrlZUndoesAWheelStepAndCtrlYRedoesIt) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::mousePress(plan->footingLabel(2), Qt::LeftButton);
    const float before = p().footings[2].lenL;
    wheelOver(plan->sizeBox(), 120);
    const float after = p().footings[2].lenL;
    ASSERT_NE(after, before);
    EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo resize of footing 2"));
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(p().footings[2].lenL, before);
    EXPECT_EQ(p().footings[2].state, kStateGrouped);
    EXPECT_TRUE(plan->sizeBox()->isHidden());
    EXPECT_EQ(w->redoAction()->text(), QStringLiteral("&Redo resize of footing 2"));
    QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(p().footings[2].lenL, after);
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(p().footings[2].lenL, after);
    EXPECT_FALSE(w->redoAction()->isEnabled());
}

TEST_F(PlanTools, groupToggleAndRefreshAreUndoneFromTheEditMenu) {
    QTest::mouseClick(child<QCheckBox>(w, "Check1_1"), Qt::LeftButton);
    EXPECT_EQ(p().groupEnabled[1], 0);
    EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo switching off group F1"));
    w->undoAction()->trigger();
    EXPECT_EQ(p().groupEnabled[1], 1);
    EXPECT_TRUE(child<QCheckBox>(w, "Check1_1")->isChecked());
}

TEST_F(PlanTools, arrowKeysMoveTheSelectionAndEscapeHidesIt) {
    QTest::mousePress(plan->footingLabel(1), Qt::LeftButton);
    ASSERT_EQ(p().currentFooting, 1);
    QTest::keyClick(plan->sizeBox(), Qt::Key_Right);
    EXPECT_EQ(p().currentFooting, 2);
    QTest::keyClick(plan->sizeBox(), Qt::Key_Down);
    EXPECT_EQ(p().currentFooting, 8);
    EXPECT_FALSE(plan->sizeBox()->isHidden());
    QTest::keyClick(plan->sizeBox(), Qt::Key_Escape);
    EXPECT_TRUE(plan->sizeBox()->isHidden());
}

// The office frame with case 6 pulling at every support: thirty tension messages at load.
QString tensionCopy(const QTemporaryDir& dir) {
    QFile in(QStringLiteral(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL"));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromLatin1(in.readAll()).split(QLatin1Char('\n'));
    bool inReactions = false;
    for (QString& line : lines) {
        if (line.contains(QStringLiteral("SUPPORT REACTIONS"))) inReactions = true;
        if (line.contains(QStringLiteral("D E S I G N"))) inReactions = false;
        const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (inReactions && w.size() == 7 && w[0] == QStringLiteral("6")) {
            const qsizetype at = line.indexOf(w[2], line.indexOf(w[1]) + w[1].size());
            line.replace(at, w[2].size(), QStringLiteral("-") + w[2].right(w[2].size() - 1));
        }
    }
    const QString path = dir.filePath(QStringLiteral("tension.ANL"));
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(lines.join(QLatin1Char('\n')).toLatin1());
    return path;
}

TEST(MessageListTest, loadingAFrameWithTensionOpensNoBoxAndListsEveryMessage) {
    QTemporaryDir dir;
    const QString path = tensionCopy(dir);
    QtPrompts prompts;
    DesktopSession session(prompts);
    ASSERT_TRUE(session.start(path));
    int boxes = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (box && box->isVisible()) {
                ++boxes;
                box->done(QMessageBox::Ok);
            }
        }
    });
    closer.start(20);
    answerDialog(session.startupDialog(), QStringLiteral("1.5"), QStringLiteral("200"));
    FrmFoot* w = session.mainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(boxes, 0);
    MessageList* list = w->messageList();
    ASSERT_GE(list->count(), 30);
    QTreeWidgetItem* first = list->list()->topLevelItem(0);
    EXPECT_TRUE(first->text(2).startsWith(QStringLiteral("Check JOINT : 1 ")))
        << first->text(2).toStdString();
    EXPECT_EQ(first->text(1), QStringLiteral("1"));
    EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("MessagesBadge"))->text(),
              QStringLiteral("Messages: %1").arg(list->count()));
    // A click on a message picks its footing.
    list->show();
    QTest::qWait(50); // laid out
    QTreeWidgetItem* seventh = nullptr;
    for (int i = 0; i < list->count() && !seventh; ++i)
        if (list->list()->topLevelItem(i)->text(1) == QStringLiteral("7"))
            seventh = list->list()->topLevelItem(i);
    ASSERT_NE(seventh, nullptr);
    list->list()->scrollToItem(seventh);
    const QRect r = list->list()->visualItemRect(seventh);
    QTest::mouseClick(list->list()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(session.project().currentFooting, 7);
    // A refusal of the user's own action still opens its box.
    const int listed = list->count();
    QTest::mouseClick(w->commands()->cmdCombine, Qt::LeftButton);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(list->count(), listed);
}

} // namespace
} // namespace ormevak::testing
