// What the schedule's row edits hand back, row by row, and the depth search's pass guard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/design.h"
#include "design/rect_design.h"
#include "design/section.h"
#include "support/project_builder.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

// Three resized footings of different sizes, R1 .. R3, each carrying 168 kN: three rows whose
// texts differ.
Project threeResized() {
    testing::ProjectBuilder b(3, 1);
    const float sides[3][2] = {{1.4f, 1.0f}, {1.8f, 1.2f}, {2.2f, 1.5f}};
    for (int f = 1; f <= 3; ++f) {
        b.at(f, 5000 * f, 0)
            .sized(f, sides[f - 1][0], sides[f - 1][1])
            .state(f, kStateResized)
            .load(f, 0, 168);
    }
    return b.build();
}

TEST(RectRowEdits, eachEditHandsBackTheTextsOfTheRowItEdited) {
    Project p = threeResized();
    testing::RecordingPrompts prompts;
    ASSERT_TRUE(runDesign(p, prompts));
    ASSERT_EQ(p.rectRows.size(), 3u);
    ASSERT_NE(p.rectRows[0].texts, p.rectRows[1].texts);
    ASSERT_NE(p.rectRows[0].texts, p.rectRows[2].texts);
    for (int n : {1, 2}) {
        const size_t i = static_cast<size_t>(n - 1);
        EXPECT_EQ(clickRectDiameter(p, n, &prompts), p.rectRows[i].texts) << "diameter R" << n;
        EXPECT_EQ(p.rectRows[i].barDia, 12);
        EXPECT_EQ(editRectDepth(p, n, "0.6", &prompts), p.rectRows[i].texts) << "depth R" << n;
        EXPECT_EQ(p.rectRows[i].texts[3], "0.6");
        EXPECT_EQ(editRectPedestal(p, n, "0.5", &prompts), p.rectRows[i].texts)
            << "pedestal R" << n;
        EXPECT_EQ(p.rectRows[i].texts[4], "0.5");
    }
}

TEST(RectRowEdits, aRefusedPedestalChangesNoOtherText) {
    Project p = threeResized();
    testing::RecordingPrompts prompts;
    ASSERT_TRUE(runDesign(p, prompts));
    const std::vector<std::string> before = p.rectRows[0].texts;
    // R1 is 1.4 x 1.0: a pedestal of 1.0 leaves no footing beyond it.
    EXPECT_EQ(editRectPedestal(p, 1, "1.0", &prompts), before);
    EXPECT_EQ(p.rectRows[0].texts, before);
    EXPECT_EQ(editRectPedestal(p, 1, "wide", &prompts), before);
    EXPECT_EQ(p.rectRows[0].texts, before);
}

TEST(DepthSearch, stopsAfterTwoThousandPassesOnAVeryWideFooting) {
    // No shear strength (M10 is below the table) and a negative pedestal keep both checks
    // failing. On a 100 m footing the side guard would wait for (100.05 - 0.19) / 0.025 = 3994
    // passes; the pass guard stops the search at pass 2000, at d = 0.19 + 1999 x 0.025 = 50.165.
    testing::ProjectBuilder b(1, 1);
    Project p = b.grades(10, 415).build();
    section::Trace trace;
    const section::Checks k = section::depthLoop(p, 100.0f, -1.0f, 1000.0f, 49.0f, 1e6f, 0.19f,
                                                 section::Rules::Design, &trace);
    EXPECT_TRUE(k.gaveUp);
    EXPECT_EQ(trace.passes.size(), 2000u);
    EXPECT_NEAR(k.d, 50.165, 0.01);
}

} // namespace
} // namespace ormevak
