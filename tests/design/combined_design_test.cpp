// Two-column combined footings: the worked example, the diagrams with unequal loads, and edits.
#include <gtest/gtest.h>

#include <string>

#include "design/combined_design.h"
#include "design/design.h"
#include "design/rect_design.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using testing::RecordingPrompts;

// Two columns 3 m apart along Z under combined footing 1: 5.0 m long, 1.4 m wide, 0.5 m beyond
// the first column and 1.5 m beyond the second (the resultant of 50 and 100 kN lies 2.0 m from
// the first column, at the footing's middle). M20, Fe 415.
struct Pair {
    explicit Pair(float fy1 = 50, float fy2 = 100) {
        p.footingCount = 2;
        p.footings.resize(3);
        p.supportReaction.resize(3);
        p.reaction(0, 0, reaction::SupportCount) = 2;
        p.concreteGrade = 20;
        p.steelGrade = 415;
        p.footings[1].z = 0;
        p.footings[2].z = 3000;
        for (int f : {1, 2}) {
            p.footings[static_cast<std::size_t>(f)].state = 1;
            p.reaction(f, 0, reaction::CaseNo) = 1;
        }
        p.reaction(1, 0, reaction::ForceY) = fy1;
        p.reaction(2, 0, reaction::ForceY) = fy2;
        CombinedRecord rec;
        rec.memberCount = 2;
        rec.members[1] = 1;
        rec.members[2] = 2;
        rec.length = 5.0f;
        rec.width = 1.4f;
        rec.cant1 = 0.5f;
        rec.cant2 = 1.5f;
        rec.orientation = 0;
        rec.span = 3000;
        p.combinedFootings.push_back(rec);
        p.combinedCount = 1;
    }
    Project p;
    RecordingPrompts prompts;
};

// The worked example (FY 50 and 100 kN, case 1), 12 mm bars, pedestal 0.40 (shorter side 1.4).
//   P = 150; xbar = 100/150 x 3 = 2.0; e = (5.0/2 - 0.5) - 2.0 = 0; q = 150/(5.0 x 1.4) = 21.43
//   -> Round(21.43 + 0.49) = 22 kN/m2.
//   Pu1 = 1.5 x 50 = 75, Pu2 = 1.5 x 100 = 150; projections wu = 1.5 x 22 x 1.4 = 46.2 kN/m;
//   between the columns wBal = (75 + 150)/5.0 = 45 kN/m.
//   Hogging: zero shear at x0 = 75/45 = 1.667 m from the start (between x1 0.5 and x2 3.5);
//     Mhog = 75 x (1.667 - 0.5) - 45 x 1.667^2/2 = 87.5 - 62.5 = 25 kN m (the far end's diagram
//     gives 150 x (3.333 - 1.5) - 45 x 3.333^2/2 = 275 - 250 = 25 too).
//   Sagging at the faces: projections 0.5 - 0.2 = 0.3 and 1.5 - 0.2 = 1.3;
//     Msag = 46.2 x 1.3^2/2 = 39.039 -> 39.04.
//   Transverse: ct = (1.4 - 0.4)/2 = 0.5; Mt1 = 75/1.4 x 0.5^2/2 = 6.70; Mt2 = 150/1.4 x 0.125
//     = 13.39.
//   d0 = sqrt(39.04 / (0.138 x 20 x 1.4 x 1000)) = 0.1005 -> 0.1; m = Round(160/50 + 0.49) = 4 ->
//     d = 0.14 -> raised to 0.19.
//   Pass at d = 0.19 (B d2 1000 = 50.54):
//     top MuBd2 = 25/50.54 = 0.49; pt 0.14 -> 0.2. bottom 39.04/50.54 = 0.77; R = 0.8229;
//     pt = (1 - 0.90714)/415 x 1000 = 0.2238 -> 0.22.
//     bands: 0.2 + 0.19 = 0.39 each side of each column -> 0.78 m; MuBd2 6.70/(0.78 x 36.1) = 0.24
//     and 13.39/28.158 = 0.48, both below 0.138 x 20 = 2.76; pt 0.2 each.
//     One-way shear at d from the faces: 0.5 - 0.2 - 0.19 = 0.11 -> 46.2 x 0.11 = 5 kN;
//     3.5 + 0.39 = 3.89 -> 46.2 x 1.11 = 51 kN (tv 0.19, tc(0.22) = 0.336);
//     0.89 -> |45 x 0.89 - 75| = 35; 3.11 -> |45 x 3.11 - 75| = 64.95 -> 65 kN,
//     tv = 65/1.4/0.19/1000 = 0.2444 -> 0.24 against tc(0.2) = 0.32: the nearest to failing.
//     Punching: a + d = 0.59; Vp1 = 75 - 1.5 x 22 x 0.3481 = 63.5 -> 64, tv = 64 x 1000 /
//     (4 x 0.59 x 0.19) / 1e6 = 0.14; Vp2 = 150 - 11.49 = 138.5 -> 139, tv = 0.31; tc = 1.12.
//   D = 0.25. Top Ast = 0.2 x 1.4 x 0.19 x 10000 = 532 -> Int(532/144 x 28/22 + 0.49) = 5 bars at
//   (1.4 - 0.12)/4 = 320 mm; bottom 0.22 x 1.4 x 0.19 x 10000 = 585 -> Int(5.66) = 5 at 320.
//   Bands: 0.2 x 0.78 x 0.19 x 10000 = 296 -> Int(3.11) = 3 bars at 0.78/2 = 390 mm.
//   Distribution: 0.0012 x 0.25 x 1e6 = 300 mm2/m; 113.14/300 x 1000 = 377 mm (< 450).
TEST(CombinedDesign, workedExampleByHand) {
    Pair f;
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    ASSERT_EQ(f.p.combinedRows.size(), 1u);
    const CombinedRow& r = f.p.combinedRows[0];
    EXPECT_TRUE(r.designed);
    EXPECT_FLOAT_EQ(r.netPressure, 22);
    EXPECT_FLOAT_EQ(r.pu1, 75);
    EXPECT_FLOAT_EQ(r.pu2, 150);
    EXPECT_FLOAT_EQ(r.wu, 46.2f);
    EXPECT_FLOAT_EQ(r.wBal, 45);
    EXPECT_FLOAT_EQ(r.zeroShear, 1.667f);
    EXPECT_FLOAT_EQ(r.top.mu, 25);
    EXPECT_FLOAT_EQ(r.bottom.mu, 39.04f);
    EXPECT_FLOAT_EQ(r.bands[0].mu, 6.7f);
    EXPECT_FLOAT_EQ(r.bands[1].mu, 13.39f);
    EXPECT_FLOAT_EQ(r.top.muBd2, 0.49f);
    EXPECT_FLOAT_EQ(r.bottom.muBd2, 0.77f);
    EXPECT_FLOAT_EQ(r.top.pt, 0.2f);
    EXPECT_FLOAT_EQ(r.bottom.pt, 0.22f);
    EXPECT_FLOAT_EQ(r.bands[0].band, 0.78f);
    EXPECT_FLOAT_EQ(r.bands[1].muBd2, 0.48f);
    EXPECT_FLOAT_EQ(r.V1, 65);
    EXPECT_FLOAT_EQ(r.tauV, 0.24f);
    EXPECT_NEAR(r.tauC, 0.32f, 1e-6);
    EXPECT_FLOAT_EQ(r.bands[0].Vp, 64);
    EXPECT_FLOAT_EQ(r.bands[0].tauVp, 0.14f);
    EXPECT_FLOAT_EQ(r.bands[1].Vp, 139);
    EXPECT_FLOAT_EQ(r.bands[1].tauVp, 0.31f);
    EXPECT_FLOAT_EQ(r.bands[1].tauCp, 1.12f);
    EXPECT_FLOAT_EQ(r.depth, 0.25f);
    EXPECT_FLOAT_EQ(r.top.ast, 532);
    EXPECT_FLOAT_EQ(r.top.bars, 5);
    EXPECT_EQ(r.top.spacing, 320);
    EXPECT_FLOAT_EQ(r.bottom.ast, 585);
    EXPECT_FLOAT_EQ(r.bottom.bars, 5);
    EXPECT_FLOAT_EQ(r.bands[0].ast, 296);
    EXPECT_FLOAT_EQ(r.bands[0].bars, 3);
    EXPECT_EQ(r.bands[0].spacing, 390);
    EXPECT_FLOAT_EQ(r.distAst, 300);
    EXPECT_EQ(r.distSpacing, 377);
    EXPECT_EQ(r.texts[0], "C1");
    EXPECT_EQ(r.texts[3], "0.25");
    EXPECT_EQ(r.texts[15], "0.78: 3 @ 390");
    EXPECT_EQ(r.texts[20], "0.14 / 0.31");
    EXPECT_TRUE(f.prompts.messages.empty());
}

// Unequal loads on the diagram alone: w 45 kN/m, Pu1 75 at 0.5, Pu2 150 at 3.5, L 5.0.
// Shear from the start is nil at 75/45 = 1.667 m; the moment there is the largest hogging,
// 75 x 1.1667 - 45 x 1.667^2/2 = 25 kN m. At the first column M = 45 x 0.5^2/2 = 5.625 and at the
// second 45 x 3.5^2/2 - 75 x 3 = 50.625, both sagging (the far end gives 45 x 1.5^2/2 = 50.625
// there too: the diagram closes).
TEST(CombinedDesign, zeroShearPointAndLargestHogging) {
    double x0 = 0;
    const double hog = combinedHogging(45, 75, 0.5, 150, 3.5, 5.0, x0);
    EXPECT_NEAR(x0, 75.0 / 45.0, 1e-9);
    EXPECT_NEAR(hog, 25.0, 1e-9);
    // The moment from the start: +5.625 (sagging) at the first column; -25 at x0.
    EXPECT_NEAR(combinedMomentFromStart(45, 75, 0.5, 150, 3.5, 0.5), 5.625, 1e-9);
    EXPECT_NEAR(combinedMomentFromStart(45, 75, 0.5, 150, 3.5, x0), -25.0, 1e-9);
    // Neighbours of x0 hog less.
    EXPECT_GT(combinedMomentFromStart(45, 75, 0.5, 150, 3.5, x0 - 0.1), -25.0);
    EXPECT_GT(combinedMomentFromStart(45, 75, 0.5, 150, 3.5, x0 + 0.1), -25.0);
}

// Heavier first column: Pu1 300 at 1.0, Pu2 90 at 4.0, L 5.0, w = 390/5 = 78 kN/m.
// Zero shear at 300/78 = 3.846 m; Mhog = 300 x 2.846 - 78 x 3.846^2/2 = 853.85 - 576.92 = 276.92.
// From the far end zero shear is 90/78 = 1.154 m in, where 90 x 0.154 - 78 x 1.154^2/2
// = 13.85 - 51.92 is no hogging: the start's diagram governs.
TEST(CombinedDesign, heavierFirstColumnMovesTheZeroShearPoint) {
    double x0 = 0;
    const double hog = combinedHogging(78, 300, 1.0, 90, 4.0, 5.0, x0);
    EXPECT_NEAR(x0, 300.0 / 78.0, 1e-9);
    EXPECT_NEAR(hog, 300 * (300.0 / 78 - 1) - 78 * (300.0 / 78) * (300.0 / 78) / 2, 1e-9);
    EXPECT_NEAR(hog, 276.923, 1e-3);
}

// Two columns close together: the zero-shear point falls beyond the second column, so the
// largest hogging is at a column (the diagram is clamped to the span between them).
TEST(CombinedDesign, zeroShearOutsideTheSpanIsClampedToTheColumn) {
    double x0 = 0;
    // w 100, Pu1 400 at 1.0, Pu2 100 at 2.0, L 5.0: 400/100 = 4.0 > 2.0 -> x0 = 2.0;
    // Mhog = 400 x 1.0 - 100 x 4/2 = 200.
    const double hog = combinedHogging(100, 400, 1.0, 100, 2.0, 5.0, x0);
    EXPECT_NEAR(x0, 2.0, 1e-9);
    EXPECT_NEAR(hog, 200.0, 1e-9);
}

TEST(CombinedDesign, incompleteCombinedFootingHasNoRow) {
    Pair f;
    f.p.footings[2].state = kStateGrouped; // the second column left the footing
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    EXPECT_TRUE(f.p.combinedRows.empty());
}

TEST(CombinedDesign, pedestalWiderThanAProjectionIsNotDesigned) {
    Pair f;
    f.p.combinedFootings[1].cant1 = 0.15f; // less than half the 0.40 pedestal
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.combinedRows.size(), 1u);
    EXPECT_FALSE(f.p.combinedRows[0].designed);
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0], "Schedule row C1: the footing width 1.4 m or a projection is "
                                     "not larger than the pedestal 0.4 m: not designed");
}

TEST(CombinedDesignEdits, depthPedestalAndDiameter) {
    Pair f;
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    ASSERT_EQ(combinedRowOf(f.p, 1), 1);
    EXPECT_EQ(combinedRowOf(f.p, 2), 0);
    // A deep enough depth stays: d = 0.54, top Ast = 0.2 x 1.4 x 0.54 x 10000 = 1512.
    auto t = editCombinedDepth(f.p, 1, "0.6", &f.prompts);
    EXPECT_EQ(t[3], "0.6");
    EXPECT_FLOAT_EQ(f.p.combinedRows[0].top.ast, 1512);
    // Too shallow: the required 0.25 comes back.
    t = editCombinedDepth(f.p, 1, "0.2", &f.prompts);
    EXPECT_EQ(t[3], "0.25");
    // A new pedestal designs the depth afresh: ct = (1.4 - 0.6)/2 = 0.4, Mt2 = 150/1.4 x 0.08
    // = 8.57.
    t = editCombinedPedestal(f.p, 1, "0.6", &f.prompts);
    EXPECT_EQ(t[4], "0.6");
    EXPECT_FLOAT_EQ(f.p.combinedRows[0].bands[1].mu, 8.57f);
    // Not smaller than the width: refused.
    t = editCombinedPedestal(f.p, 1, "1.4", &f.prompts);
    EXPECT_EQ(t[4], "0.6");
    clickCombinedDiameter(f.p, 1, &f.prompts);
    EXPECT_EQ(f.p.combinedRows[0].barDia, 16);
    // The edited pedestal and the diameter stay through another Design.
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    EXPECT_FLOAT_EQ(f.p.combinedRows[0].pedestal, 0.6f);
    EXPECT_EQ(f.p.combinedRows[0].barDia, 16);
}

// A pedestal narrower than the width but wider than twice the 0.5 m projection beyond the first
// column cannot be designed: the row comes back as it was, the message says why. A row that is
// not there gives nothing.
TEST(CombinedDesignEdits, aRedesignThatFailsRestoresTheRow) {
    Pair f;
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    const CombinedRow designed = f.p.combinedRows[0];
    f.prompts.messages.clear();
    const auto t = editCombinedPedestal(f.p, 1, "1.2", &f.prompts);
    EXPECT_EQ(t, designed.texts);
    EXPECT_EQ(t[4], "0.4");
    EXPECT_TRUE(f.p.combinedRows[0].designed);
    EXPECT_FALSE(f.p.combinedRows[0].pedestalEdited);
    EXPECT_FLOAT_EQ(f.p.combinedRows[0].depth, designed.depth);
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0], "Schedule row C1: the footing width 1.4 m or a projection is "
                                     "not larger than the pedestal 1.2 m: not designed");
    EXPECT_TRUE(editCombinedDepth(f.p, 2, "0.6", &f.prompts).empty());
    EXPECT_TRUE(editCombinedPedestal(f.p, 0, "0.6", &f.prompts).empty());
    EXPECT_TRUE(clickCombinedDiameter(f.p, 2, &f.prompts).empty());
}

} // namespace
} // namespace ormevak
