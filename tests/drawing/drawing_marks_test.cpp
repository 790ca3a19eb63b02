// Where the texts of the plan go: a footing's mark inside its outline where a quarter of it is
// clear (also inside the ring of a footing with a check error), else just outside it, the upper
// right corner first; the chain's spacings beside their dimension line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "support/project_builder.h"

namespace ormevak {
namespace {

using namespace drawing;

// Footings of `side` m square at the given plan points (mm), each its own group F1, F2, ...,
// on 300 mm columns, carrying 100 kN; the grid lines as given (mm).
Project footingsAt(const std::vector<std::pair<int, int>>& at, float side, std::vector<int> gridX,
                   std::vector<int> gridZ) {
    const int n = static_cast<int>(at.size());
    testing::ProjectBuilder b(n, 1);
    for (int i = 1; i <= n; ++i) {
        const auto [x, z] = at[static_cast<size_t>(i - 1)];
        b.at(i, x, z).square(i, side, i).load(i, 0, 100);
    }
    Project p = b.build();
    gridX.insert(gridX.begin(), static_cast<int>(gridX.size()));
    gridZ.insert(gridZ.begin(), static_cast<int>(gridZ.size()));
    p.gridX = gridX;
    p.gridZ = gridZ;
    return p;
}

const Text& markOf(const Drawing& d, const std::string& mark) {
    const Text* found = nullptr;
    for (const Text& t : d.texts) {
        if (t.layer != Layer::Marks || t.text != mark) continue;
        EXPECT_EQ(found, nullptr) << mark << " twice";
        found = &t;
    }
    if (found == nullptr) ADD_FAILURE() << "no mark " << mark;
    static const Text none;
    return found != nullptr ? *found : none;
}

Box outlineOf(const Project& p, int i) {
    const FootingRecord& f = p.footings[static_cast<size_t>(i)];
    return {f.x - f.lenL * 500.0, -f.z - f.widB * 500.0, f.x + f.lenL * 500.0,
            -f.z + f.widB * 500.0};
}

TEST(DrawingMarks, aCircledFootingKeepsItsMarkInsideItsOutline) {
    // F1 and F2, 2 m square, 1.9 m apart along X overlap by 100 mm: both have an error and are
    // circled. Each still has a clear quarter between its column and its far edge, inside its
    // own ring, and the mark goes there, far from the plan's origin as near it.
    for (int z : {0, 20000}) {
        const Project p = footingsAt({{0, z}, {1900, z}}, 2.0f, {0, 1900}, {z});
        const std::vector<char> severity = footingSeverity(p, runChecks(p));
        ASSERT_EQ(severity[1], 2);
        ASSERT_EQ(severity[2], 2);
        const Drawing d = buildDrawing(p, Options{});
        int rings = 0;
        for (const Circle& c : d.circles) rings += c.stroke.layer == Layer::Checks;
        EXPECT_EQ(rings, 2 + 1); // and the legend's
        for (int i : {1, 2}) {
            const std::string mark = "F" + std::to_string(i);
            EXPECT_TRUE(outlineOf(p, i).contains(textBox(markOf(d, mark))))
                << mark << " at Z " << z;
        }
    }
}

TEST(DrawingMarks, withOnlyTheCornersClearTheMarkTakesTheUpperRightOne) {
    // One 2 m footing on a 300 mm column at (0, 0); grid lines 575 mm each side of it run
    // through the middle of its four quarters ((1000 + 150) / 2 = 575) and on past its edges,
    // so that neither a quarter nor a place beside an edge is clear: of the four corners just
    // outside it, the upper right one is taken.
    const Project p = footingsAt({{0, 0}}, 2.0f, {-575, 575}, {-575, 575});
    const Drawing d = buildDrawing(p, Options{});
    const Text& t = markOf(d, "F1");
    const Box b = textBox(t);
    const Box o = outlineOf(p, 1);
    EXPECT_GT(b.x1, o.x2) << "right of the outline";
    EXPECT_GT(b.y1, o.y2) << "above it";
    // Just outside: within a few mark heights of the corner.
    EXPECT_LT(b.x1 - o.x2, 2 * t.height);
    EXPECT_LT(b.y1 - o.y2, 2 * t.height);
}

TEST(DrawingMarks, besideTheOutlineTheRightSideComesFirst) {
    // As above, but one grid line along Z, 575 mm above the column: the quarters and the places
    // above and below the outline are crossed by the lines along X, the upper places at the
    // sides by the line along Z; of the lower ones, the right one is taken.
    const Project p = footingsAt({{0, 0}}, 2.0f, {-575, 575}, {-575});
    const Drawing d = buildDrawing(p, Options{});
    const Text& t = markOf(d, "F1");
    const Box b = textBox(t);
    const Box o = outlineOf(p, 1);
    EXPECT_GT(b.x1, o.x2) << "right of the outline";
    EXPECT_LT(b.x1 - o.x2, 2 * t.height) << "just outside it";
    EXPECT_LT(b.y2, 0) << "below the column's centre";
    EXPECT_GT(b.y1, o.y1) << "beside the outline, not below it";
}

TEST(DrawingChains, crowdedSpacingTextsTakeTurnsAboveAndBelowTheChain) {
    // Grid lines 300 mm apart at 1:50 stand 6 mm apart on paper; "300" is 3 x 0.9 x 2 = 5.4 mm
    // wide and keeps 0.4 mm clear each side, so two neighbours do not fit side by side above
    // the line: every second one goes below it.
    const Project p = footingsAt({{600, 0}}, 1.0f, {0, 300, 600, 900, 1200}, {0});
    const Drawing d = buildDrawing(p, Options{});
    ASSERT_EQ(d.scale, 50);
    double chainY = 0;
    for (const Line& l : d.lines) {
        if (l.stroke.layer == Layer::Dimensions && l.a.y == l.b.y && l.a.x != l.b.x) chainY = l.a.y;
    }
    std::vector<Box> above, below;
    for (const Text& t : d.texts) {
        if (t.layer != Layer::Dimensions) continue;
        EXPECT_EQ(t.text, "300");
        const Box b = textBox(t);
        EXPECT_TRUE(b.y1 > chainY || b.y2 < chainY) << "across the chain at x " << t.at.x;
        // Beside the line: its near edge within a millimetre of paper of it.
        EXPECT_LT(std::min(std::abs(b.y1 - chainY), std::abs(b.y2 - chainY)), 1.0 * d.scale);
        (b.y1 > chainY ? above : below).push_back(b);
    }
    EXPECT_EQ(above.size(), 2u);
    EXPECT_EQ(below.size(), 2u);
}

} // namespace
} // namespace ormevak
