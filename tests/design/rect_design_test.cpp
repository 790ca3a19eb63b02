// Rectangular (resized) footings: the worked example, the square rows reproduced through the
// rectangular path, the central band rule, and the row edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/design.h"
#include "design/rect_design.h"
#include "design/section.h"
#include "design/shear_table.h"
#include "sizing/sizing.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using testing::RecordingPrompts;

// Footings 1..n with one reaction line per case; grades M20 / Fe 415.
struct Plan {
    explicit Plan(int footings, int cases = 1) {
        p.footingCount = footings;
        p.footings.resize(static_cast<std::size_t>(footings) + 1);
        p.supportReaction.resize(static_cast<std::size_t>(footings) + 1);
        p.reaction(0, 0, reaction::SupportCount) = static_cast<float>(footings);
        p.loadCaseCount = cases - 1;
        p.concreteGrade = 20;
        p.steelGrade = 415;
    }
    void load(int f, int c, float fy, float mx = 0, float mz = 0) {
        p.reaction(f, c, reaction::CaseNo) = static_cast<float>(c + 1);
        p.reaction(f, c, reaction::ForceY) = fy;
        p.reaction(f, c, reaction::MomX) = mx;
        p.reaction(f, c, reaction::MomZ) = mz;
    }
    void resized(int f, float L, float B) {
        FootingRecord& r = p.footings[static_cast<std::size_t>(f)];
        r.state = kStateResized;
        r.lenL = L;
        r.widB = B;
    }
    int group(float size, float pedestal, std::vector<int> members, int dia = 10) {
        GroupRecord g;
        g.baseSize = g.size = size;
        g.pedestal = pedestal;
        g.barDia = dia;
        for (int f : members) {
            g.footingNos.push_back(f);
            ++g.nosCount;
        }
        p.groups.push_back(g);
        p.groupEnabled.push_back(1);
        const int index = ++p.groupCount;
        for (int f : members) p.footings[static_cast<std::size_t>(f)].groupIndex = index;
        return index;
    }
    std::string text(const RectRow& r, const char* name) const {
        const auto& names = rectControlNames();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (std::string(names[i]) == name) return r.texts[i];
        return "<no such control>";
    }
    Project p;
    RecordingPrompts prompts;
};

// The worked example: L = 1.4 m (X), B = 1.0 m (Z), M20, Fe 415, 10 mm bars.
//   Case 1: FY 168 -> 168 / (1.4 x 1.0) = 120 kN/m2 (no moments).
//   Case 2: FY 100, MX 5, MZ 5 -> 71.43 + 6x5/(1.0x1.96) 15.31 + 6x5/(1.4x1.0) 21.43 = 108.16.
//   qmax = 120 (case 1), q = Round(120 + 0.49, 0) = 120.
//   Pedestal: the shorter side 1.0 m -> 0.40 m.
//   Along L: cL = (1.4 - 0.4)/2 = 0.5; MuL = 0.5 x (120 x 1.5 x 1.0 x 0.5)/2 = 22.5 (width B).
//   Along B: cB = (1.0 - 0.4)/2 = 0.3; MuB = 0.3 x (120 x 1.5 x 1.4 x 0.3)/2 = 11.34 (width L).
//   d0L = sqrt(22.5 / (0.138 x 20 x 1.0 x 1000)) = 0.0903 -> 0.09; m = Round(150/50 + 0.49) = 3
//   -> d = 0.09 -> raised to 0.19.  d0B = sqrt(11.34 / 3864) = 0.054 -> 0.05 -> 0.19.
//   Pass at d = 0.19:
//     L: MuBd2 = 22.5 / 1.0 / 0.0361 / 1000 = 0.623 -> 0.62; R = 1 - 0.62 x 4.6/20 = 0.8574;
//        pt = (1 - 0.92596) / 415 x 20 x 50 = 0.178 -> 0.18 -> 0.2 (least);
//        V1 = (0.5 - 0.19) x 180 x 1.0 = 55.8 -> 56; tv = 56 / 1.0 / 0.19 / 1000 = 0.2947 -> 0.29;
//        tc(0.2, M20) = 0.28 + 0.08/0.10 x 0.05 = 0.32 >= 0.29: passes.
//     B: MuBd2 = 11.34 / 1.4 / 0.0361 / 1000 = 0.224 -> 0.22; pt -> 0.2;
//        V1 = (0.3 - 0.19) x 180 x 1.4 = 27.72 -> 28; tv = 28 / 1.4 / 0.19 / 1000 = 0.105 -> 0.11;
//        tc = 0.32: passes.
//     Punching: a + d = 0.59; V2 = Round((1.4 x 1.0 - 0.3481) x 180 + 0.49) = Round(189.83) = 190;
//        tv2 = 190 x 1000 / (4 x 0.59 x 0.19) / 1e6 = 0.4237 -> 0.42; tc2 = sqrt(20)/4 = 1.12.
//   AstL = 0.2 x 1.0 x 0.19 x 10000 = 380; AstB = 0.2 x 1.4 x 0.19 x 10000 = 532. D = 0.25.
//   Bars along L (spread over B): Int(380/100 x 28/22 + 0.49) = Int(5.33) = 5,
//     spacing (1.0 - 0.12)/4 x 1000 = 220.
//   Bars along B (the short direction, spread over L = 1.4): beta = 1.4, band share
//     2/(1.4 + 1) = 0.8333; band Ast = Round(532 x 0.8333) = 443 -> Int(4.43 x 1.2727 + 0.49)
//     = Int(6.13) = 6 bars at 1.0/6 x 1000 = 167 mm; end Ast 89 -> Int(1.62) = 1, raised to one
//     per strip = 2; strips (1.4 - 1.0)/2 = 0.2 m, spacing (0.2 - 0.06)/1 x 1000 = 140.
//     Total 8 bars along B.
TEST(RectDesign, workedExampleByHand) {
    Plan f(1, 2);
    f.resized(1, 1.4f, 1.0f);
    f.load(1, 0, 168);
    f.load(1, 1, 100, 5, 5);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    ASSERT_EQ(f.p.rectRows.size(), 1u);
    const RectRow& r = f.p.rectRows[0];
    EXPECT_TRUE(r.designed);
    EXPECT_EQ(r.footing, 1);
    EXPECT_FLOAT_EQ(r.netPressure, 120);
    EXPECT_EQ(r.govCase, 0);
    EXPECT_FLOAT_EQ(r.pedestal, 0.4f);
    EXPECT_FLOAT_EQ(r.alongL.cant, 0.5f);
    EXPECT_FLOAT_EQ(r.alongL.mu, 22.5f);
    EXPECT_FLOAT_EQ(r.alongB.cant, 0.3f);
    EXPECT_FLOAT_EQ(r.alongB.mu, 11.34f);
    EXPECT_FLOAT_EQ(r.alongL.muBd2, 0.62f);
    EXPECT_FLOAT_EQ(r.alongB.muBd2, 0.22f);
    EXPECT_FLOAT_EQ(r.alongL.pt, 0.2f);
    EXPECT_FLOAT_EQ(r.alongL.V1, 56);
    EXPECT_FLOAT_EQ(r.alongL.tauV, 0.29f);
    EXPECT_NEAR(r.alongL.tauC, 0.32f, 1e-6);
    EXPECT_FLOAT_EQ(r.alongB.V1, 28);
    EXPECT_FLOAT_EQ(r.alongB.tauV, 0.11f);
    EXPECT_FLOAT_EQ(r.V2, 190);
    EXPECT_FLOAT_EQ(r.tauVp, 0.42f);
    EXPECT_FLOAT_EQ(r.tauCp, 1.12f);
    EXPECT_FLOAT_EQ(r.alongL.ast, 380);
    EXPECT_FLOAT_EQ(r.alongB.ast, 532);
    EXPECT_FLOAT_EQ(r.depth, 0.25f);
    EXPECT_FLOAT_EQ(r.alongL.bars, 5);
    EXPECT_EQ(r.alongL.spacing, 220);
    EXPECT_FLOAT_EQ(r.alongB.bandAst, 443);
    EXPECT_EQ(r.alongB.bandBars, 6);
    EXPECT_EQ(r.alongB.bandSpacing, 167);
    EXPECT_EQ(r.alongB.endBars, 2);
    EXPECT_EQ(r.alongB.endSpacing, 140);
    EXPECT_FLOAT_EQ(r.alongB.bars, 8);
    EXPECT_EQ(f.text(r, "LabF1"), "R1");
    EXPECT_EQ(f.text(r, "LabSize"), "1.4 X 1");
    EXPECT_EQ(f.text(r, "TxtDepth"), "0.25");
    EXPECT_EQ(f.text(r, "LabBand"), "6 @ 167");
    EXPECT_EQ(f.text(r, "LabEnd"), "1+1 @ 140");
    EXPECT_TRUE(f.prompts.messages.empty());
}

// The corner pressure takes MZ about the side L and MX about the side B:
// FY 140 on 1.4 x 1.0 is 100; MX 7 adds 6x7/(1.4x1.0^2) = 30, MZ 7 adds 6x7/(1.0x1.96) = 21.43.
TEST(RectDesign, cornerPressureTakesEachMomentAboutItsOwnSide) {
    Plan f(1, 2);
    f.load(1, 0, 140, 7, 0);
    f.load(1, 1, 140, 0, 7);
    int gov = -1;
    EXPECT_NEAR(rectCornerPressure(f.p, 1, 1.4f, 1.0f, gov), 130.0, 1e-3);
    EXPECT_EQ(gov, 0);
    Plan g(1);
    g.load(1, 0, 140, 0, 7);
    EXPECT_NEAR(rectCornerPressure(g.p, 1, 1.4f, 1.0f, gov), 121.4286, 1e-3);
}

// A square footing through the rectangular path gives the square row's numbers, for a light
// footing (least depth), a bending-governed and a shear-governed one.
TEST(RectDesign, squareThroughTheRectangularPathGivesTheSquareRow) {
    struct Case {
        float side, fy, mx, mz;
        int dia;
    };
    for (const Case c : {Case{1.2f, 144, 0, 0, 10}, Case{2.1f, 900, 40, 25, 12},
                         Case{2.8f, 1500, 0, 120, 16}, Case{1.8f, 700, 35, 0, 10}}) {
        Plan f(2);
        const float a = pedestalForSize(c.side);
        f.group(c.side, a, {1}, c.dia);
        f.load(1, 0, c.fy, c.mx, c.mz);
        f.resized(2, c.side, c.side);
        f.load(2, 0, c.fy, c.mx, c.mz);
        f.p.footings[2].groupIndex = 1; // its bar diameter comes from its old group
        ASSERT_TRUE(runDesign(f.p, f.prompts));
        ASSERT_EQ(f.p.designRowCount, 1);
        ASSERT_EQ(f.p.rectRows.size(), 1u);
        const RowTexts& sq = f.p.designRowTexts[1];
        const RectRow& r = f.p.rectRows[0];
        SCOPED_TRACE("side " + std::to_string(c.side));
        EXPECT_FLOAT_EQ(r.depth, f.p.designRows[1].depth);
        EXPECT_FLOAT_EQ(r.netPressure, f.p.designRows[1].netPressure);
        // Every result column of the square row, compared as shown.
        for (std::size_t k = col::TxtDepth; k <= col::LabPS2; ++k)
            EXPECT_EQ(r.texts[k], sq[k]) << scheduleControlNames()[k];
        // The other direction is the same, and every bar is in the band.
        EXPECT_EQ(r.texts[20], sq[col::LabCant]);
        EXPECT_FLOAT_EQ(r.alongB.ast, r.alongL.ast);
        EXPECT_EQ(r.alongB.endBars, 0);
        EXPECT_EQ(r.alongB.bandBars, static_cast<int>(r.alongB.bars));
    }
}

TEST(RectDesign, centralBandShareForBetaOneAndTwo) {
    EXPECT_DOUBLE_EQ(centralBandShare(1.5, 1.5), 1.0);       // 2/(1+1)
    EXPECT_DOUBLE_EQ(centralBandShare(2.4, 1.2), 2.0 / 3.0); // 2/(2+1)
}

// beta = 2: L = 2.4 m, B = 1.2 m, light load so that pt stays 0.2 and d 0.19 m (checked below):
//   AstB (bars along B, width L) = 0.2 x 2.4 x 0.19 x 10000 = 912; band share 2/3 -> 608 mm2 in
//   the band of 1.2 m: Int(6.08 x 1.2727 + 0.49) = Int(8.23) = 8 bars at 1.2/8 = 150 mm; the
//   ends 304 mm2: Int(3.04 x 1.2727 + 0.49) = Int(4.36) = 4, two per strip of 0.6 m at
//   (0.6 - 0.06)/2 = 270 mm. The bars along L (the long direction) are not split.
TEST(RectDesign, centralBandForBetaTwo) {
    Plan f(1);
    f.resized(1, 2.4f, 1.2f);
    f.load(1, 0, 100);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    const RectRow& r = f.p.rectRows[0];
    ASSERT_FLOAT_EQ(r.depth, 0.25f);
    ASSERT_FLOAT_EQ(r.alongB.pt, 0.2f);
    EXPECT_FLOAT_EQ(r.alongB.ast, 912);
    EXPECT_FLOAT_EQ(r.alongB.bandAst, 608);
    EXPECT_EQ(r.alongB.bandBars, 8);
    EXPECT_EQ(r.alongB.bandSpacing, 150);
    EXPECT_EQ(r.alongB.endBars, 4);
    EXPECT_EQ(r.alongB.endSpacing, 270);
    EXPECT_EQ(r.alongL.endBars, 0);
    EXPECT_EQ(r.alongL.bandBars, static_cast<int>(r.alongL.bars));
}

// The longer side along Z puts the band in the bars along L.
TEST(RectDesign, bandFollowsTheShortDirection) {
    Plan f(1);
    f.resized(1, 1.2f, 2.4f);
    f.load(1, 0, 100);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    const RectRow& r = f.p.rectRows[0];
    EXPECT_FLOAT_EQ(r.alongL.bandAst, 608);
    EXPECT_EQ(r.alongL.endBars, 4);
    EXPECT_EQ(r.alongB.endBars, 0);
}

// A footing a few millimetres off square (2.05 x 2.06 m): each end strip is 5 mm wide, inside
// the 60 mm cover, with no room for a bar; the bars stay spread evenly (no negative spacing).
TEST(RectDesign, endStripsWithinTheCoverKeepTheBarsEven) {
    Plan f(1);
    f.resized(1, 2.05f, 2.06f);
    f.load(1, 0, 400);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    const RectRow& r = f.p.rectRows[0];
    EXPECT_EQ(r.alongL.endBars, 0);
    EXPECT_EQ(r.alongB.endBars, 0);
    EXPECT_GT(r.alongL.spacing, 0);
    // "-" alone says there are no end bars; no number is negative.
    for (const std::string& text : r.texts) {
        if (text != "-") {
            EXPECT_EQ(text.find('-'), std::string::npos) << text;
        }
    }
}

TEST(RectDesign, marksFollowFootingOrderAndSkipOtherFootings) {
    Plan f(4);
    for (int i = 1; i <= 4; ++i) f.load(i, 0, 200);
    f.resized(3, 1.5f, 1.2f);
    f.resized(1, 1.6f, 1.3f);
    f.p.footings[2].state = kStateDisabled;
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    ASSERT_EQ(f.p.rectRows.size(), 2u);
    EXPECT_EQ(f.p.rectRows[0].footing, 1);
    EXPECT_EQ(f.p.rectRows[0].texts[0], "R1");
    EXPECT_EQ(f.p.rectRows[1].footing, 3);
    EXPECT_EQ(f.p.rectRows[1].texts[0], "R2");
}

TEST(RectDesign, sideNotLargerThanThePedestalIsNotDesigned) {
    Plan f(1);
    f.resized(1, 0.4f, 0.4f); // pedestal default 0.40
    f.load(1, 0, 50);
    runDesign(f.p, f.prompts);
    ASSERT_EQ(f.p.rectRows.size(), 1u);
    EXPECT_FALSE(f.p.rectRows[0].designed);
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0], "Schedule row R1: the footing side 0.4 m is not larger than "
                                     "the pedestal 0.4 m: not designed");
    EXPECT_EQ(f.p.rectRows[0].texts[3], ""); // no depth shown
}

TEST(RectDesign, missingGradeLeavesNoRows) {
    Plan f(1);
    f.resized(1, 1.4f, 1.0f);
    f.load(1, 0, 168);
    f.p.concreteGrade = 0;
    EXPECT_FALSE(runDesign(f.p, f.prompts));
    EXPECT_TRUE(f.p.rectRows.empty());
}

// Edits, on the worked example (D 0.25 designed).
TEST(RectDesignEdits, deepEnoughDepthStaysAndShallowIsReplaced) {
    Plan f(1);
    f.resized(1, 1.4f, 1.0f);
    f.load(1, 0, 168);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    auto t = editRectDepth(f.p, 1, "0.6", &f.prompts);
    EXPECT_EQ(t[3], "0.6");
    // d = 0.54: AstL = 0.2 x 1.0 x 0.54 x 10000 = 1080.
    EXPECT_FLOAT_EQ(f.p.rectRows[0].alongL.ast, 1080);
    t = editRectDepth(f.p, 1, "0.1", &f.prompts);
    EXPECT_EQ(t[3], "0.25");                    // below the required depth: the designed 0.25 again
    t = editRectDepth(f.p, 1, "0", &f.prompts); // as in the square rows: designed afresh
    EXPECT_EQ(t[3], "0.25");
    t = editRectDepth(f.p, 1, "deep", &f.prompts);
    EXPECT_EQ(t[3], "0.25");
    EXPECT_FLOAT_EQ(f.p.rectRows[0].depth, 0.25f);
}

TEST(RectDesignEdits, pedestalRedesignsAndSurvivesAnotherDesign) {
    Plan f(1);
    f.resized(1, 1.4f, 1.0f);
    f.load(1, 0, 168);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    editRectDepth(f.p, 1, "0.6", &f.prompts);
    // Pedestal 0.6: cL = (1.4 - 0.6)/2 = 0.4, MuL = 0.4 x (180 x 1.0 x 0.4)/2 = 14.4; the depth is
    // designed afresh (0.25), not kept at 0.6.
    auto t = editRectPedestal(f.p, 1, "0.6", &f.prompts);
    EXPECT_EQ(t[4], "0.6");
    EXPECT_EQ(t[3], "0.25");
    EXPECT_FLOAT_EQ(f.p.rectRows[0].alongL.mu, 14.4f);
    // Not smaller than the shorter side: refused, the stored pedestal comes back.
    t = editRectPedestal(f.p, 1, "1.0", &f.prompts);
    EXPECT_EQ(t[4], "0.6");
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    EXPECT_FLOAT_EQ(f.p.rectRows[0].pedestal, 0.6f);
    // The diameter cycles and the bars follow: 380 mm2 of 12 mm bars = Int(3.36 + 0.49) = 3.
    clickRectDiameter(f.p, 1, &f.prompts);
    EXPECT_EQ(f.p.rectRows[0].barDia, 12);
    EXPECT_FLOAT_EQ(f.p.rectRows[0].alongL.bars, 3);
}

// The edits of a row that is not there give no texts and change nothing.
TEST(RectDesignEdits, aRowThatIsNotThereGivesNothing) {
    Plan f(1);
    f.resized(1, 1.4f, 1.0f);
    f.load(1, 0, 168);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    const RectRow designed = f.p.rectRows[0];
    EXPECT_TRUE(editRectDepth(f.p, 2, "0.6", &f.prompts).empty());
    EXPECT_TRUE(editRectPedestal(f.p, 0, "0.6", &f.prompts).empty());
    EXPECT_TRUE(clickRectDiameter(f.p, 2, &f.prompts).empty());
    ASSERT_EQ(f.p.rectRows.size(), 1u);
    EXPECT_EQ(f.p.rectRows[0].texts, designed.texts);
    EXPECT_EQ(f.p.rectRows[0].barDia, designed.barDia);
}

// With the grades gone after Design, an edit cannot be followed: the row keeps what it was
// designed for and says so, rather than showing an edited value it was never designed for.
TEST(RectDesignEdits, editsWithoutGradesLeaveTheRowAsDesigned) {
    Plan f(1);
    f.resized(1, 1.4f, 1.0f);
    f.load(1, 0, 168);
    ASSERT_TRUE(runDesign(f.p, f.prompts));
    const RectRow designed = f.p.rectRows[0];
    f.p.concreteGrade = 0;
    auto t = editRectDepth(f.p, 1, "0.6", &f.prompts);
    EXPECT_EQ(t[3], "0.25");
    t = editRectPedestal(f.p, 1, "0.6", &f.prompts);
    EXPECT_EQ(t[4], designed.texts[4]);
    t = clickRectDiameter(f.p, 1, &f.prompts);
    EXPECT_EQ(t, designed.texts);
    EXPECT_FLOAT_EQ(f.p.rectRows[0].depth, designed.depth);
    EXPECT_FLOAT_EQ(f.p.rectRows[0].pedestal, designed.pedestal);
    EXPECT_EQ(f.p.rectRows[0].barDia, designed.barDia);
    ASSERT_FALSE(f.prompts.messages.empty());
    EXPECT_NE(f.prompts.messages.back().find("Schedule row R1 not redesigned"), std::string::npos);
}

} // namespace
} // namespace ormevak
