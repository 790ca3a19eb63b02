// The footing detail windows: Disply shows the core's texts for an isolated footing, makes its
// rows once per window life and marks the governing rows; Disply2 shows a combined footing.
#include <QFont>
#include <QLabel>
#include <QTest>

#include "combined/combined_footing.h"
#include "model/numbers.h"
#include "office_project.h"
#include "plan/details.h"
#include "plan/interaction.h"
#include "ui/disply.h"
#include "ui/disply2.h"
#include "ui/ui_helpers.h"

namespace ormevak::testing {
namespace {

QString labelText(const QWidget& w, const QString& name) {
    auto* label = w.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

QString rowLabel(const QWidget& w, const char* array, int r) {
    return labelText(w, QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(r));
}

int footingOfJoint(const Project& p, int joint) {
    for (int i = 1; i <= p.footingCount; ++i)
        if (p.footings[i].jointNo == joint) return i;
    return 0;
}

class DetailWindows : public OfficeProject {
  protected:
    // The right press on footing i's label, as the main window makes it.
    PressResult rightPress(int i) { return pressLabel(p, prompts, plan, i, Button::Right, false); }
    PlanState plan;
};

TEST_F(DetailWindows, disply_showsTheCoreTextsOfARightPressedFooting) {
    const int f = footingOfJoint(p, 8);
    ASSERT_GT(f, 0);
    const PressResult press = rightPress(f);
    ASSERT_EQ(press.kind, PressResult::Kind::Details);
    ASSERT_TRUE(press.details.filled);
    // The same texts as the core gives for the footing (the batch tool's details).
    Project again = p;
    const FootingDetails expected = showFootingDetails(again, f);

    Disply window;
    window.showDetails(press.details);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_EQ(labelText(window, "LabN0"), QStringLiteral("F 8"));
    // A title the user reads; the window keeps its name.
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Footing F 8 details"));
    EXPECT_EQ(window.objectName(), QStringLiteral("Disply"));
    EXPECT_EQ(labelText(window, "LabSize"), qs(expected.labSize));
    EXPECT_TRUE(labelText(window, "LabSize")
                    .startsWith(qs(formatNumber(p.footings[f].lenL) + " X " +
                                   formatNumber(p.footings[f].widB) + " X ")));
    EXPECT_EQ(labelText(window, "LabOffcet"), QStringLiteral("0 X 0"));
    EXPECT_EQ(labelText(window, "LabColSize"), qs(expected.labColSize));
    EXPECT_EQ(labelText(window, "LabXY"), QStringLiteral("off 4200 - 4200 X 5000 - 5000"));

    // One row per load case index 0..LoadCaseCount, under the headings.
    ASSERT_EQ(window.detailRowCount(), p.loadCaseCount + 1);
    ASSERT_EQ(static_cast<int>(expected.rows.size()), p.loadCaseCount + 1);
    EXPECT_EQ(rowLabel(window, "LabCase", 0), QStringLiteral("Load Case"));
    EXPECT_EQ(rowLabel(window, "LabStress_", 0), QStringLiteral("    (-)"));
    EXPECT_EQ(rowLabel(window, "LabAllowble", 0), QStringLiteral("Allowble Stress"));
    for (int r = 1; r <= p.loadCaseCount + 1; ++r) {
        const DetailRow& d = expected.rows[static_cast<size_t>(r - 1)];
        SCOPED_TRACE(r);
        EXPECT_EQ(rowLabel(window, "LabCase", r), qs(d.labCase));
        EXPECT_EQ(rowLabel(window, "LabPbyA", r), qs(d.labPbyA));
        EXPECT_EQ(rowLabel(window, "LabMbyZ", r), qs(d.labMbyZ));
        EXPECT_EQ(rowLabel(window, "LabMbyZ2", r), qs(d.labMbyZ2));
        EXPECT_EQ(rowLabel(window, "LabStress", r), qs(d.labStress));
        EXPECT_EQ(rowLabel(window, "LabStress_", r), qs(d.labStress_));
        EXPECT_EQ(rowLabel(window, "LabAllowble", r), qs(d.labAllowble));
    }
    // Rows at 840 + 300 r twips, the heading at r = 0.
    for (int r : {0, 1, 2})
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LabStress_%1").arg(r))->y(),
                  qRound((840 + 300 * r) * window.logicalDpiY() / 1440.0));
    // Case index 0 is checked against the SBC, the others against 1.25 SBC.
    EXPECT_EQ(rowLabel(window, "LabAllowble", 1), QStringLiteral("200"));
    EXPECT_EQ(rowLabel(window, "LabAllowble", 2), QStringLiteral("250"));
    screenshot(window, "disply");
}

TEST_F(DetailWindows, disply_boldsAndBordersTheGoverningRowsOnly) {
    FootingDetails details = rightPress(1).details;
    ASSERT_GE(details.boldStress, 1);
    ASSERT_GE(details.boldStressMin, 1);
    Disply window;
    window.showDetails(details);
    auto stress = [&](const char* array, int r) {
        return window.findChild<QLabel*>(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(r));
    };
    for (int r = 1; r <= window.detailRowCount(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(stress("LabStress", r)->font().bold(), r == details.boldStress);
        EXPECT_EQ(stress("LabStress", r)->frameShape() == QFrame::Box, r == details.boldStress);
        EXPECT_EQ(stress("LabStress_", r)->font().bold(), r == details.boldStressMin);
        EXPECT_EQ(stress("LabStress_", r)->frameShape() == QFrame::Box, r == details.boldStressMin);
    }

    // Another footing's governing rows: the earlier marks go. Found, but with no border.
    const int before = details.boldStress;
    details.boldStress = before == 1 ? 2 : 1;
    details.borderStress = false;
    window.showDetails(details);
    EXPECT_FALSE(stress("LabStress", before)->font().bold());
    EXPECT_TRUE(stress("LabStress", details.boldStress)->font().bold());
    EXPECT_NE(stress("LabStress", details.boldStress)->frameShape(), QFrame::Box);
}

TEST_F(DetailWindows, disply_makesItsRowsOncePerWindowLife) {
    Disply window;
    EXPECT_FALSE(window.detailRowsMade());
    window.showDetails(rightPress(1).details);
    ASSERT_TRUE(window.detailRowsMade());
    QLabel* first = window.findChild<QLabel*>(QStringLiteral("LabCase_1"));
    ASSERT_NE(first, nullptr);

    window.showDetails(rightPress(2).details);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LabCase_1")), first);
    EXPECT_EQ(window.findChildren<QLabel*>(QStringLiteral("LabCase_1")).size(), 1);

    // Closing unloads the window: DetailRowsMade is cleared and the rows go.
    window.close();
    EXPECT_FALSE(window.detailRowsMade());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LabCase_1")), nullptr);
    EXPECT_NE(window.findChild<QLabel*>(QStringLiteral("LabCase_0")), nullptr);

    window.showDetails(rightPress(3).details);
    EXPECT_TRUE(window.detailRowsMade());
    EXPECT_EQ(window.detailRowCount(), p.loadCaseCount + 1);
    EXPECT_EQ(labelText(window, "LabN0"), qs("F " + formatInt(p.footings[3].jointNo)));
}

TEST_F(DetailWindows, disply_unfilledDetailsOnlyShowTheWindow) {
    p.footings[1].lenL = 0; // no size yet
    const PressResult press = rightPress(1);
    ASSERT_FALSE(press.details.filled);
    Disply window;
    window.showDetails(press.details);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.detailRowsMade());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Footing details"));
    EXPECT_EQ(labelText(window, "LabSize"), QStringLiteral("L X B X D"));
    EXPECT_EQ(labelText(window, "LabOffcet"), QStringLiteral("Offcet"));
    EXPECT_EQ(labelText(window, "LabColSize"), QStringLiteral("ColSize"));
    EXPECT_EQ(labelText(window, "LabXY"), QStringLiteral("X   Y  "));
}

TEST_F(DetailWindows, disply_clickOnOffcetDoesNothing) {
    Disply window;
    window.showDetails(rightPress(1).details);
    auto* offcet = window.findChild<QLabel*>(QStringLiteral("LabOffcet"));
    ASSERT_NE(offcet, nullptr);
    const Project before = p;
    QTest::mouseClick(offcet, Qt::LeftButton);
    EXPECT_EQ(offcet->text(), QStringLiteral("0 X 0"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(p.currentFooting, before.currentFooting);
}

// A detail window left minimized or maximized comes back at its designed size on the next
// right press, for either kind of footing.
TEST_F(DetailWindows, aMinimizedOrMaximizedDetailWindowComesBackNormal) {
    Disply single;
    single.showDetails(rightPress(1).details);
    const QSize designed = single.size();
    single.showMinimized();
    single.showDetails(rightPress(2).details);
    EXPECT_TRUE(single.isVisible());
    EXPECT_FALSE(single.isMinimized());
    EXPECT_EQ(single.size(), designed);

    Disply2 combined;
    combined.showMaximized();
    combined.showDetails(CombinedDetails{});
    EXPECT_TRUE(combined.isVisible());
    EXPECT_FALSE(combined.isMaximized());
}

TEST_F(DetailWindows, disply2_showsTheCombinedFootingOfARightPressedMember) {
    const int a = footingOfJoint(p, 1);
    const int b = footingOfJoint(p, 7);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    // A band round joints 1 (0, 0) and 7 (0, 5000).
    plan.bandX1 = -500;
    plan.bandY1 = -500;
    plan.bandX2 = 500;
    plan.bandY2 = 5500;
    const CombineResult combined = combineBand(p, prompts, plan);
    ASSERT_EQ(combined.outcome, CombineOutcome::Combined);

    const PressResult press = rightPress(b);
    ASSERT_EQ(press.kind, PressResult::Kind::CombinedDetails);
    const CombinedDetails expected = combinedDetails(p, combined.index);
    const CombinedRecord& rec = p.combinedFootings[combined.index];

    Disply2 window;
    EXPECT_EQ(labelText(window, "LabDisf_f"), QStringLiteral("Distance"));
    window.showDetails(press.combined);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(labelText(window, "LabCf1f2"), QStringLiteral("1 X 7"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Combined footing 1 X 7 details"));
    EXPECT_EQ(window.objectName(), QStringLiteral("Disply2"));
    EXPECT_EQ(labelText(window, "LabCfSize"), qs(expected.labCfSize));
    EXPECT_EQ(labelText(window, "LabCfSize"),
              qs(formatNumber(rec.length) + " X " + formatNumber(rec.width)));
    EXPECT_EQ(labelText(window, "LabCnt1"), qs("Cant1 " + formatNumber(rec.cant1)));
    EXPECT_EQ(labelText(window, "LabCnt2"), qs("Cant2 " + formatNumber(rec.cant2)));
    // The columns stand 5 m apart in one line.
    EXPECT_EQ(labelText(window, "LabDisf_f"), QStringLiteral("F1-F2 5000  ( 0 )"));
    screenshot(window, "disply2");
}

} // namespace
} // namespace ormevak::testing
