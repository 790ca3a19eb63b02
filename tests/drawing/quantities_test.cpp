// Quantities of the schedule rows: concrete of footings and pedestals, steel, excavation and
// levelling course, worked by hand.
#include <gtest/gtest.h>

#include "design/design.h"
#include "drawing/quantities.h"
#include "example_session.h"

namespace ormevak {
namespace {

// One schedule row F1: four footings listed, one of them disabled since; 2.0 m square, 0.45 m
// deep, pedestal 0.6 m, 14 bars of 12 mm each way at 144 mm; depth of foundation 1.5 m
// (earth pressure 30 kN/m2).
Project oneRow() {
    Project p;
    p.earthPressure = 30;
    p.footingCount = 4;
    p.footings.resize(5);
    for (int f = 1; f <= 4; ++f) {
        p.footings[static_cast<size_t>(f)].state = kStateGrouped;
        p.footings[static_cast<size_t>(f)].lenL = p.footings[static_cast<size_t>(f)].widB = 2.0f;
    }
    p.footings[3].state = kStateDisabled;
    GroupRecord g;
    g.size = 2.0f;
    g.depth = 0.45f;
    g.pedestal = 0.6f;
    g.barDia = 10; // the texts' diameter counts: the row was redesigned with 12 mm bars
    g.nosCount = 4;
    g.footingNos = {0, 1, 2, 3, 4};
    p.designRowCount = 1;
    p.designRows.push_back(g);
    RowTexts t{};
    t[col::LabF1] = "F1";
    t[col::LabGdia] = "12";
    t[col::LabRods] = "14";
    t[col::LabSpace] = "144";
    p.designRowTexts.push_back(t);
    return p;
}

TEST(Quantities, ofOneRowAsWorkedByHand) {
    const Quantities q = computeQuantities(oneRow());
    ASSERT_EQ(q.rows.size(), 1u);
    const RowQuantities& r = q.rows[0];
    EXPECT_EQ(r.row, "F1");
    // Footings 1, 2 and 4: the disabled footing 3 is not built.
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.barDia, 12);
    EXPECT_EQ(r.barsEachWay, 14);
    // Footing: 2.0 x 2.0 x 0.45 = 1.8 m3.
    EXPECT_NEAR(r.each.footingConcrete, 1.8, 1e-6);
    // Pedestal height 1.5 - 0.45 = 1.05 m; 0.6 x 0.6 x 1.05 = 0.378 m3.
    EXPECT_NEAR(r.pedestalHeight, 1.05, 1e-6);
    EXPECT_NEAR(r.each.pedestalConcrete, 0.378, 1e-6);
    EXPECT_NEAR(r.each.concrete, 2.178, 1e-6);
    // Steel: 2 x 14 bars of 2.0 - 2 x 0.05 = 1.9 m = 53.2 m of 12 mm bar;
    // area pi 12^2 / 4 = 113.097 mm2; 53.2 x 113.097e-6 = 6.01677e-3 m3; x 7850 = 47.232 kg.
    EXPECT_NEAR(r.each.steel, 47.2316, 1e-3);
    // Excavation: (2.0 + 2 x 0.3)^2 x 1.5 = 6.76 x 1.5 = 10.14 m3.
    EXPECT_NEAR(r.each.excavation, 10.14, 1e-6);
    // Levelling course: 2.0 x 2.0 x 0.075 = 0.3 m3.
    EXPECT_NEAR(r.each.levelling, 0.3, 1e-6);
    // Three footings, rounded: 6.534 m3, 141.7 kg (141.695), 30.42 m3, 0.9 m3.
    EXPECT_DOUBLE_EQ(r.total.concrete, 6.534);
    EXPECT_DOUBLE_EQ(r.total.steel, 141.7);
    EXPECT_DOUBLE_EQ(r.total.excavation, 30.42);
    EXPECT_DOUBLE_EQ(r.total.levelling, 0.9);
    EXPECT_DOUBLE_EQ(q.total.concrete, 6.534);
    EXPECT_DOUBLE_EQ(q.total.steel, 141.7);
}

TEST(Quantities, takeTheStatedPedestalHeightWhenTheFoundationLeavesNone) {
    Project p = oneRow();
    p.earthPressure = 0; // depth of foundation 0
    const RowQuantities r = computeQuantities(p).rows.at(0);
    EXPECT_DOUBLE_EQ(r.pedestalHeight, qty::defaultPedestalHeight);
    // 0.6 x 0.6 x 0.5 = 0.18 m3; excavation to the footing's underside: 6.76 x 0.45 = 3.042.
    EXPECT_NEAR(r.each.pedestalConcrete, 0.18, 1e-6);
    EXPECT_NEAR(r.each.excavation, 3.042, 1e-6);
}

TEST(Quantities, ofARowNotDesignedCountNoSteel) {
    Project p = oneRow();
    p.designRowTexts[1] = RowTexts{};
    const RowQuantities r = computeQuantities(p).rows.at(0);
    EXPECT_EQ(r.barsEachWay, 0);
    EXPECT_EQ(r.each.steel, 0);
    EXPECT_EQ(r.barDia, 10);
}

TEST(Quantities, totalIsTheSumOfTheRowsOfTheExample) {
    batch::Session s;
    ASSERT_TRUE(testing::loadExample(s, "office-frame", "office-frame.actions.txt"));
    const Quantities q = computeQuantities(s.project);
    // The square rows, then one row per R and C row of the design.
    ASSERT_EQ(q.rows.size(), static_cast<size_t>(s.project.designRowCount) +
                                 s.project.rectRows.size() + s.project.combinedRows.size());
    double concrete = 0, steel = 0;
    int counted = 0;
    for (const RowQuantities& r : q.rows) {
        concrete += r.total.concrete;
        steel += r.total.steel;
        counted += r.count;
        EXPECT_GT(r.total.concrete, 0) << r.row;
    }
    EXPECT_NEAR(q.total.concrete, concrete, 1e-9);
    EXPECT_NEAR(q.total.steel, steel, 1e-9);
    // Every grouped and resized footing on the plan is counted once, every combined footing
    // once for its two columns; disabled footings are not.
    int built = 0;
    for (int f = 1; f <= s.project.footingCount; ++f) {
        const FootingRecord& ft = s.project.footings[static_cast<size_t>(f)];
        built += ft.isGrouped() || ft.isResized();
        built +=
            ft.isCombined() &&
            s.project.combinedFootings[static_cast<size_t>(ft.combinedIndex())].members[1] == f;
    }
    EXPECT_EQ(counted, built);
    EXPECT_FALSE(s.project.rectRows.empty());
    EXPECT_FALSE(s.project.combinedRows.empty());
}

} // namespace
} // namespace ormevak
