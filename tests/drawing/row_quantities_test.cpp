// Quantities of the R and C rows (resized and combined footings), worked by hand with the rules
// of the square rows: bars 2 x 50 mm shorter than the side, 7850 kg/m3, 0.3 m working space,
// 75 mm levelling course, pedestal height = depth of foundation - footing depth.
#include <gtest/gtest.h>

#include "drawing/quantities.h"

namespace ormevak {
namespace {

// Footing 1 resized to 2.4 x 1.8 m (R1); footings 2 and 3 joined into combined footing 1 (C1),
// 5.0 x 2.0 m. Depth of foundation 1.5 m (earth pressure 30 kN/m2).
Project rectAndCombined() {
    Project p;
    p.earthPressure = 30;
    p.footingCount = 3;
    p.footings.resize(4);
    p.footings[1].state = kStateResized;
    p.footings[2].state = p.footings[3].state = 1;
    p.combinedCount = 1;
    CombinedRecord rec;
    rec.memberCount = 2;
    rec.members[1] = 2;
    rec.members[2] = 3;
    p.combinedFootings.push_back(rec);

    RectRow r;
    r.footing = 1;
    r.lenL = 2.4f;
    r.widB = 1.8f;
    r.depth = 0.4f;
    r.pedestal = 0.45f;
    r.barDia = 10;
    r.designed = true;
    r.alongL.bars = 10;
    r.alongL.spacing = 186;
    r.alongB.bars = 13; // central band 9 + end strips 2 + 2
    r.alongB.spacing = 200;
    r.texts = {"R1"};
    p.rectRows.push_back(r);

    CombinedRow c;
    c.combined = 1;
    c.length = 5.0f;
    c.width = 2.0f;
    c.depth = 0.6f;
    c.pedestal = 0.5f;
    c.barDia = 12;
    c.designed = true;
    c.top.bars = 8;
    c.top.spacing = 268;
    c.bottom.bars = 10;
    c.bottom.spacing = 208;
    c.bands[0].band = 1.5f;
    c.bands[0].bars = 9;
    c.bands[1].band = 1.6f;
    c.bands[1].bars = 11;
    c.distSpacing = 150;
    p.combinedRows.push_back(c);
    return p;
}

TEST(RowQuantities, ofAnRRowAsWorkedByHand) {
    const Quantities q = computeQuantities(rectAndCombined());
    ASSERT_EQ(q.rows.size(), 2u);
    const RowQuantities& r = q.rows[0];
    EXPECT_EQ(r.row, "R1");
    EXPECT_EQ(r.kind, RowKind::Rect);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.barsAlongL, 10);
    EXPECT_EQ(r.barsAlongB, 13);
    // Footing: 2.4 x 1.8 x 0.4 = 1.728 m3.
    EXPECT_NEAR(r.each.footingConcrete, 1.728, 1e-6);
    // Pedestal: height 1.5 - 0.4 = 1.1 m; 0.45 x 0.45 x 1.1 = 0.22275 m3.
    EXPECT_NEAR(r.each.pedestalConcrete, 0.22275, 1e-6);
    EXPECT_NEAR(r.each.concrete, 1.95075, 1e-6);
    // Steel: 10 bars along L of 2.4 - 0.1 = 2.3 m = 23.0 m; 13 bars along B of 1.8 - 0.1 =
    // 1.7 m = 22.1 m; 45.1 m of 10 mm bar (78.540 mm2) = 3.54215e-3 m3; x 7850 = 27.806 kg.
    EXPECT_NEAR(r.each.steel, 27.8058, 1e-3);
    // Excavation: (2.4 + 0.6) x (1.8 + 0.6) x 1.5 = 3.0 x 2.4 x 1.5 = 10.8 m3.
    EXPECT_NEAR(r.each.excavation, 10.8, 1e-6);
    // Levelling course: 2.4 x 1.8 x 0.075 = 0.324 m3.
    EXPECT_NEAR(r.each.levelling, 0.324, 1e-6);
    EXPECT_DOUBLE_EQ(r.total.steel, 27.8);
    EXPECT_EQ(barsText(r), "L10 B13 - 10 dia");
}

TEST(RowQuantities, ofACRowAsWorkedByHand) {
    const Quantities q = computeQuantities(rectAndCombined());
    const RowQuantities& c = q.rows.at(1);
    EXPECT_EQ(c.row, "C1");
    EXPECT_EQ(c.kind, RowKind::Combined);
    EXPECT_EQ(c.count, 1);
    // Distribution bars: 5.0 - 1.5 - 1.6 = 1.9 m outside the bands; 1900 / 150 = 12.67, so 13
    // bars keep them no more than 150 mm apart.
    EXPECT_EQ(c.distBars, 13);
    EXPECT_EQ(c.barsAlongL, 18); // top 8 + bottom 10
    EXPECT_EQ(c.barsAlongB, 33); // bands 9 + 11, distribution 13
    // Footing: 5.0 x 2.0 x 0.6 = 6.0 m3.
    EXPECT_NEAR(c.each.footingConcrete, 6.0, 1e-6);
    // Two pedestals: height 1.5 - 0.6 = 0.9 m; 2 x 0.5 x 0.5 x 0.9 = 0.45 m3.
    EXPECT_NEAR(c.each.pedestalConcrete, 0.45, 1e-6);
    EXPECT_NEAR(c.each.concrete, 6.45, 1e-6);
    // Steel: 18 bars of 5.0 - 0.1 = 4.9 m = 88.2 m; 33 bars of 2.0 - 0.1 = 1.9 m = 62.7 m;
    // 150.9 m of 12 mm bar (113.097 mm2) = 0.0170664 m3; x 7850 = 133.971 kg.
    EXPECT_NEAR(c.each.steel, 133.9711, 1e-3);
    // Excavation: (5.0 + 0.6) x (2.0 + 0.6) x 1.5 = 21.84 m3; levelling 5 x 2 x 0.075 = 0.75.
    EXPECT_NEAR(c.each.excavation, 21.84, 1e-6);
    EXPECT_NEAR(c.each.levelling, 0.75, 1e-6);
    EXPECT_EQ(barsText(c), "T8 B10 - 12 dia");
    // The project's total: 1.951 + 6.45 = 8.401 m3 (R1 rounded to 3 decimals), 27.8 + 134.0 kg.
    EXPECT_NEAR(q.total.concrete, 8.401, 1e-9);
    EXPECT_NEAR(q.total.steel, 161.8, 1e-9);
}

TEST(RowQuantities, ofRowsNotDesignedCountConcreteButNoSteel) {
    Project p = rectAndCombined();
    p.rectRows[0].designed = false;
    p.combinedRows[0].designed = false;
    const Quantities q = computeQuantities(p);
    for (const RowQuantities& r : q.rows) {
        EXPECT_FALSE(r.designed) << r.row;
        EXPECT_EQ(r.each.steel, 0) << r.row;
        EXPECT_GT(r.each.concrete, 0) << r.row;
        EXPECT_EQ(barsText(r), "not designed");
    }
}

TEST(RowQuantities, ofFootingsNoLongerResizedOrCombinedCountNothing) {
    Project p = rectAndCombined();
    p.footings[1].state = kStateDisabled; // R1 disabled since the design
    p.footings[3].state = kStateGrouped;  // C1 lost a column
    const Quantities q = computeQuantities(p);
    EXPECT_EQ(q.rows.at(0).count, 0);
    EXPECT_EQ(q.rows.at(1).count, 0);
    EXPECT_EQ(q.total.concrete, 0);
    EXPECT_EQ(q.total.steel, 0);
}

TEST(RowQuantities, distributionBarsKeepTheirSpacing) {
    // 3.0 m less bands of 1.0 and 1.1 m leaves 0.9 m: at 150 mm exactly 6 bars, at 140 mm 7.
    EXPECT_EQ(distributionBars(3.0, 1.0, 1.1, 150), 6);
    EXPECT_EQ(distributionBars(3.0, 1.0, 1.1, 140), 7);
    // Bands that cover the length (columns close together) leave none.
    EXPECT_EQ(distributionBars(2.0, 1.0, 1.1, 150), 0);
    EXPECT_EQ(distributionBars(3.0, 1.0, 1.1, 0), 0);
}

} // namespace
} // namespace ormevak
