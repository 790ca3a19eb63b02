// The drawing's geometry: what a text covers, the dimension chains and their ticks, the legend's
// swatches beside their descriptions, the title block in the panel, and the plan's extent
// holding every outline clear of the chains.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "example_session.h"
#include "two_footings.h"

namespace ormevak {
namespace {

using namespace drawing;
using testing::twoFootings;

Drawing officeFrameDrawing(batch::Session& s) {
    EXPECT_TRUE(testing::loadExample(s, "office-frame", "office-frame.actions.txt"));
    return buildDrawing(s.project, Options{SheetSize::A3, "2026-01-31"});
}

Box boxOf(const std::vector<Point>& points) {
    Box b{1e300, 1e300, -1e300, -1e300};
    for (const Point& p : points) {
        b.x1 = std::min(b.x1, p.x);
        b.y1 = std::min(b.y1, p.y);
        b.x2 = std::max(b.x2, p.x);
        b.y2 = std::max(b.y2, p.y);
    }
    return b;
}

const Text* findText(const Drawing& d, const std::string& text) {
    for (const Text& t : d.texts)
        if (t.text == text) return &t;
    return nullptr;
}

void expectBox(const Box& got, const Box& want, const std::string& what) {
    EXPECT_NEAR(got.x1, want.x1, 1e-9) << what;
    EXPECT_NEAR(got.y1, want.y1, 1e-9) << what;
    EXPECT_NEAR(got.x2, want.x2, 1e-9) << what;
    EXPECT_NEAR(got.y2, want.y2, 1e-9) << what;
}

// "AB" 10 high at (100, 200): 2 x 0.9 x 10 = 18 wide, from 3 below the baseline to 11.5 above.
TEST(TextBox, coversTheTextFromItsAlignmentPoint) {
    Text t{"AB", {100, 200}, 10};
    // Left, baseline: the text starts at the point and stands on it.
    expectBox(textBox(t), {100, 197, 118, 211.5}, "left baseline");
    // Centre, middle: 9 each side; the baseline 5 below the point.
    t.h = HAlign::Centre;
    t.v = VAlign::Middle;
    expectBox(textBox(t), {91, 192, 109, 206.5}, "centre middle");
    // Right, top: ends at the point; the baseline 10 below it.
    t.h = HAlign::Right;
    t.v = VAlign::Top;
    expectBox(textBox(t), {82, 187, 100, 201.5}, "right top");
}

TEST(TextBox, anUprightTextIsTheLevelOneTurnedAboutItsPoint) {
    // Turned 90 degrees counter-clockwise about the point, the level box's offsets (dx, dy)
    // become (-dy, dx): left, baseline reads upward from the point, its letters left of it:
    // x from 100 - 11.5 to 100 + 3, y from 200 to 218.
    Text t{"AB", {100, 200}, 10};
    t.upright = true;
    expectBox(textBox(t), {88.5, 200, 103, 218}, "upright left baseline");
    for (HAlign h : {HAlign::Left, HAlign::Centre, HAlign::Right}) {
        for (VAlign v : {VAlign::Baseline, VAlign::Middle, VAlign::Top}) {
            Text level{"F12", {-40, 70}, 4, h, v, false};
            Text up = level;
            up.upright = true;
            const Box a = textBox(level), b = textBox(up);
            const std::string what =
                std::to_string(static_cast<int>(h)) + "/" + std::to_string(static_cast<int>(v));
            // The same text: as long and as tall either way.
            EXPECT_NEAR(b.y2 - b.y1, a.x2 - a.x1, 1e-9) << what;
            EXPECT_NEAR(b.x2 - b.x1, a.y2 - a.y1, 1e-9) << what;
            expectBox(b,
                      {level.at.x - (a.y2 - level.at.y), level.at.y + (a.x1 - level.at.x),
                       level.at.x - (a.y1 - level.at.y), level.at.y + (a.x2 - level.at.x)},
                      what);
        }
    }
}

// The sheet's panel at the right: the title block frame holds its rows and lies within the
// border, right of the plan.
TEST(DrawingPanel, theTitleBlockFrameHoldsItsRowsWithinTheBorder) {
    batch::Session s;
    const Drawing d = officeFrameDrawing(s);
    std::vector<Box> frames;
    for (const Polyline& pl : d.polylines)
        if (pl.stroke.layer == Layer::Title && pl.closed) frames.push_back(boxOf(pl.points));
    ASSERT_EQ(frames.size(), 2u); // the border and the title block
    const Box border = frames[0].contains(frames[1]) ? frames[0] : frames[1];
    const Box title = frames[0].contains(frames[1]) ? frames[1] : frames[0];
    EXPECT_TRUE(border.contains(title));
    // 150 mm of paper wide, 7 rows of 7 mm, in the border's lower right corner.
    EXPECT_NEAR(title.x2 - title.x1, 150.0 * d.scale, 1e-6);
    EXPECT_NEAR(title.y2 - title.y1, 49.0 * d.scale, 1e-6);
    EXPECT_NEAR(title.x2, border.x2, 1e-6);
    EXPECT_NEAR(title.y1, border.y1, 1e-6);
    for (const std::string row : {"FOUNDATION PLAN AND FOOTING SCHEDULE", "Date: 2026-01-31",
                                  "Project: office-frame.ANL", "Drawing No.:"}) {
        const Text* t = findText(d, row);
        ASSERT_NE(t, nullptr) << row;
        EXPECT_TRUE(title.contains(textBox(*t))) << row;
    }
    // The lines between its rows run from edge to edge of the frame.
    int rowLines = 0;
    for (const Line& l : d.lines) {
        if (l.stroke.layer != Layer::Title) continue;
        ++rowLines;
        EXPECT_NEAR(std::min(l.a.x, l.b.x), title.x1, 1e-6);
        EXPECT_NEAR(std::max(l.a.x, l.b.x), title.x2, 1e-6);
        EXPECT_TRUE(title.contains(boxOf({l.a, l.b})));
    }
    EXPECT_EQ(rowLines, 6);
    // No footing outline reaches into the panel.
    for (const Polyline& pl : d.polylines) {
        if (pl.stroke.layer != Layer::Footings && pl.stroke.layer != Layer::Combined) continue;
        const Box b = boxOf(pl.points);
        if (b.x1 >= title.x1) continue; // the legend's swatches
        EXPECT_LT(b.x2, title.x1);
    }
}

// Each legend item: its swatch stands between the legend's left edge and its description, at
// the description's height.
TEST(DrawingPanel, legendSwatchesStandLeftOfTheirDescriptions) {
    batch::Session s;
    const Drawing d = officeFrameDrawing(s);
    const Text* heading = findText(d, "LEGEND");
    ASSERT_NE(heading, nullptr);
    const double left = heading->at.x, mm = d.perPaperMm();
    struct Item {
        const char* text;
        Layer layer;
        LineType type;
    };
    const Item items[] = {
        {"Footing, marked F (group), R (resized), C (combined)", Layer::Footings,
         LineType::Continuous},
        {"Footing not built (disabled), no mark", Layer::Footings, LineType::Dashed},
        {"Column section", Layer::Columns, LineType::Continuous},
        {"Grid line; bubbles A, B, C ... along X and 1, 2, 3 ... along Z", Layer::Grid,
         LineType::Center},
        {"Footing with a design check error: see the checks below", Layer::Checks,
         LineType::Continuous}};
    for (const Item& item : items) {
        const Text* t = findText(d, item.text);
        ASSERT_NE(t, nullptr) << item.text;
        const Box words = textBox(*t);
        // Every swatch drawn at this item's height, of its layer and line type.
        std::vector<Box> swatches;
        auto consider = [&](const Box& b, const Stroke& stroke) {
            if (stroke.layer != item.layer || stroke.type != item.type) return;
            if (std::abs((b.y1 + b.y2) / 2 - t->at.y) > 0.5 * mm) return;
            if (b.x2 < left - 40 * mm || b.x1 > words.x2) return; // elsewhere on the sheet
            swatches.push_back(b);
        };
        for (const Polyline& pl : d.polylines) consider(boxOf(pl.points), pl.stroke);
        for (const Line& l : d.lines) consider(boxOf({l.a, l.b}), l.stroke);
        for (const Circle& c : d.circles) {
            consider({c.centre.x - c.radius, c.centre.y - c.radius, c.centre.x + c.radius,
                      c.centre.y + c.radius},
                     c.stroke);
        }
        ASSERT_EQ(swatches.size(), 1u) << item.text;
        const Box& b = swatches[0];
        EXPECT_GE(b.x1, left) << item.text;
        EXPECT_LT(b.x2, words.x1) << item.text;
        EXPECT_GT(b.x2 - b.x1, 2 * mm) << item.text; // a swatch, not a point
    }
}

// The dimension chains: a 45-degree tick where each grid line meets its chain.
TEST(DrawingChains, eachGridLineHasASlantedTickOnItsChain) {
    batch::Session s;
    const Drawing d = officeFrameDrawing(s);
    const Project& p = s.project;
    std::vector<Line> ticks, chains;
    for (const Line& l : d.lines) {
        if (l.stroke.layer != Layer::Dimensions) continue;
        const double length = std::hypot(l.b.x - l.a.x, l.b.y - l.a.y);
        (length < 10 * d.perPaperMm() ? ticks : chains).push_back(l);
    }
    ASSERT_EQ(chains.size(), 2u);
    const Line& alongX = chains[0].a.y == chains[0].b.y ? chains[0] : chains[1];
    const Line& alongZ = chains[0].a.y == chains[0].b.y ? chains[1] : chains[0];
    ASSERT_EQ(alongZ.a.x, alongZ.b.x);
    ASSERT_EQ(static_cast<int>(ticks.size()), p.gridX[0] + p.gridZ[0]);
    for (const Line& t : ticks) {
        const double dx = t.b.x - t.a.x, dy = t.b.y - t.a.y;
        EXPECT_GT(std::abs(dx), 0.5 * d.perPaperMm());
        EXPECT_NEAR(std::abs(dx), std::abs(dy), 1e-9); // slanted at 45 degrees
        EXPECT_GT(dx * dy, 0);                         // the same way on both chains
    }
    auto tickAt = [&](double x, double y) {
        for (const Line& t : ticks)
            if (std::abs((t.a.x + t.b.x) / 2 - x) < 1e-6 &&
                std::abs((t.a.y + t.b.y) / 2 - y) < 1e-6)
                return true;
        return false;
    };
    for (int j = 1; j <= p.gridX[0]; ++j)
        EXPECT_TRUE(tickAt(p.gridX[static_cast<size_t>(j)], alongX.a.y)) << "X line " << j;
    for (int j = 1; j <= p.gridZ[0]; ++j)
        EXPECT_TRUE(tickAt(alongZ.a.x, -p.gridZ[static_cast<size_t>(j)])) << "Z line " << j;
}

// The chains and the bubbles stand outside the plan: neither crosses a footing outline, however
// far the outlines reach past the outer grid lines.
void expectChainsClearOfOutlines(const Drawing& d) {
    std::vector<Box> outlines;
    for (const Polyline& pl : d.polylines)
        if (pl.stroke.layer == Layer::Footings || pl.stroke.layer == Layer::Combined)
            outlines.push_back(boxOf(pl.points));
    ASSERT_FALSE(outlines.empty());
    for (const Box& o : outlines) {
        for (const Line& l : d.lines) {
            if (l.stroke.layer != Layer::Dimensions) continue;
            const Box b = boxOf({l.a, l.b});
            EXPECT_FALSE(b.x1 <= o.x2 && o.x1 <= b.x2 && b.y1 <= o.y2 && o.y1 <= b.y2)
                << "dimension line (" << l.a.x << ", " << l.a.y << ") - (" << l.b.x << ", " << l.b.y
                << ") crosses the outline " << o.x1 << " " << o.y1 << " " << o.x2 << " " << o.y2;
        }
        for (const Circle& c : d.circles) {
            if (c.stroke.layer != Layer::GridText) continue;
            const Box b{c.centre.x - c.radius, c.centre.y - c.radius, c.centre.x + c.radius,
                        c.centre.y + c.radius};
            EXPECT_FALSE(b.intersects(o)) << "bubble at " << c.centre.x << ", " << c.centre.y;
        }
    }
}

TEST(DrawingPlanExtent, chainsAndBubblesClearFootingsReachingPastTheOuterGridLines) {
    // 3 m footings on the first Z line reach 1.5 m above it and 1.5 m left of the first X line,
    // more than the 12 mm of paper (0.9 m at 1:75) between the plan's edge and its chains.
    const Drawing d = buildDrawing(twoFootings(10000, 3.0f, true), Options{});
    EXPECT_EQ(d.scale, 75); // 10 + 3 + 1.2 m = 14.2 m: 189 mm at 1:75, 284 mm at 1:50
    expectChainsClearOfOutlines(d);
    batch::Session s;
    expectChainsClearOfOutlines(officeFrameDrawing(s));
}

} // namespace
} // namespace ormevak
