// The schedule window's tables of the resized and combined footings: one row each after the
// square rows, the edits and the diameter click through the core.
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "combined/combined_footing.h"
#include "design/combined_design.h"
#include "design/rect_design.h"
#include "office_project.h"
#include "plan/history.h"
#include "plan/interaction.h"
#include "plan/plan_state.h"
#include "ui/designed_rows_tables.h"
#include "ui/frm_shd.h"
#include "ui/qt_prompts.h"

namespace ormevak::testing {
namespace {

class DesignedRowsWindow : public OfficeProject {
  protected:
    void SetUp() override {
        OfficeProject::SetUp();
        if (HasFatalFailure()) return;
        // Footing 2 widened twice (R1); the columns of footings 1 and 7 combined (C1).
        p.currentFooting = 2;
        ASSERT_TRUE(wheelStep(p, prompts, +1));
        ASSERT_TRUE(wheelStep(p, prompts, +1));
        PlanState s;
        s.bandX1 = -100;
        s.bandY1 = -100;
        s.bandX2 = 100;
        s.bandY2 = 5100;
        ASSERT_EQ(combineBand(p, prompts, s).outcome, CombineOutcome::Combined);
        ASSERT_TRUE(runDesign(p, prompts));
        ASSERT_EQ(p.rectRows.size(), 1u);
        ASSERT_EQ(p.combinedRows.size(), 1u);
        prompts.messages.clear();
        window = std::make_unique<FrmShd>(p, prompts);
        window->showDesign();
        tables = window->designedRows();
    }
    QString cell(QTableWidget* t, int row, int column) const {
        auto* item = t->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<FrmShd> window;
    DesignedRowsTables* tables = nullptr;
};

TEST_F(DesignedRowsWindow, oneRowEachBelowTheSquareRows) {
    QTableWidget* r = tables->rectTable();
    QTableWidget* c = tables->combinedTable();
    ASSERT_EQ(r->rowCount(), 1);
    ASSERT_EQ(c->rowCount(), 1);
    EXPECT_TRUE(r->isVisibleTo(window.get()));
    EXPECT_EQ(cell(r, 0, 0), QStringLiteral("R1"));
    EXPECT_EQ(cell(c, 0, 0), QStringLiteral("C1"));
    for (std::size_t k = 0; k < p.rectRows[0].texts.size(); ++k)
        EXPECT_EQ(cell(r, 0, static_cast<int>(k)), QString::fromStdString(p.rectRows[0].texts[k]));
    // Below the last square row's controls.
    QWidget* last = window->findChild<QWidget*>(QStringLiteral("LabF1_%1").arg(window->rowCount()));
    ASSERT_NE(last, nullptr);
    EXPECT_GT(tables->y(), last->y() + last->height());
    // Every control has a name for assistive technology.
    EXPECT_FALSE(r->accessibleName().isEmpty());
    EXPECT_FALSE(c->accessibleName().isEmpty());
    EXPECT_FALSE(r->item(0, 3)->data(Qt::AccessibleTextRole).toString().isEmpty());
    screenshot(*window, "schedule-designed-rows");
}

TEST_F(DesignedRowsWindow, depthAndPedestalEditsRedesignTheRow) {
    QTableWidget* r = tables->rectTable();
    Project direct = p;
    const auto expected = editRectDepth(direct, 1, "0.9");
    r->item(0, 3)->setText(QStringLiteral("0.9")); // as the editor commits on Enter
    EXPECT_EQ(cell(r, 0, 3), QStringLiteral("0.9"));
    EXPECT_EQ(cell(r, 0, 10), QString::fromStdString(expected[10])); // Ast follows
    EXPECT_FLOAT_EQ(p.rectRows[0].depth, 0.9f);

    QTableWidget* c = tables->combinedTable();
    c->item(0, 4)->setText(QStringLiteral("0.5"));
    EXPECT_EQ(cell(c, 0, 4), QStringLiteral("0.5"));
    EXPECT_FLOAT_EQ(p.combinedRows[0].pedestal, 0.5f);
    // A pedestal not smaller than the width is refused: the stored one comes back.
    c->item(0, 4)->setText(QStringLiteral("9"));
    EXPECT_EQ(cell(c, 0, 4), QStringLiteral("0.5"));
}

// Each edit of an R or C row is one entry of the edit history, named for the row.
TEST_F(DesignedRowsWindow, rowEditsAreUndoneOneAtATime) {
    EditHistory history;
    window->setHistory(&history);
    const float depth = p.rectRows[0].depth;
    tables->rectTable()->item(0, 3)->setText(QStringLiteral("0.9"));
    ASSERT_FLOAT_EQ(p.rectRows[0].depth, 0.9f);
    EXPECT_EQ(history.undoName(), "depth of row R1");
    tables->clickDiameter(true, 1);
    EXPECT_EQ(history.undoName(), "bar diameter of row C1");
    ASSERT_TRUE(history.undo(p));
    EXPECT_EQ(p.combinedRows[0].barDia, 12);
    ASSERT_TRUE(history.undo(p));
    EXPECT_FLOAT_EQ(p.rectRows[0].depth, depth);
}

TEST_F(DesignedRowsWindow, diameterClickCyclesTheBars) {
    QTableWidget* c = tables->combinedTable();
    EXPECT_EQ(cell(c, 0, 8), QStringLiteral("12"));
    const QRect box = c->visualItemRect(c->item(0, 8));
    QTest::mouseClick(c->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(cell(c, 0, 8), QStringLiteral("16"));
    EXPECT_EQ(p.combinedRows[0].barDia, 16);
    // The depth cell is editable, the others are not.
    EXPECT_TRUE(c->item(0, 3)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(c->item(0, 6)->flags() & Qt::ItemIsEditable);
}

} // namespace
} // namespace ormevak::testing
