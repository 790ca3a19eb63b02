// The foundation drawing as content: the scale rule, footings at their places, one mark each
// clear of every other text and line, disabled footings dashed without a mark, the sheet.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "example_session.h"
#include "two_footings.h"

namespace ormevak {
namespace {

using namespace drawing;
using testing::twoFootings;

Drawing sessionDrawing(batch::Session& s, SheetSize sheet = SheetSize::A3) {
    EXPECT_TRUE(testing::loadExample(s, "office-frame", "office-frame.actions.txt"));
    return buildDrawing(s.project, Options{sheet, "2026-01-31"});
}

Box boxOf(const Polyline& pl) {
    Box b{1e300, 1e300, -1e300, -1e300};
    for (const Point& p : pl.points) {
        b.x1 = std::min(b.x1, p.x);
        b.y1 = std::min(b.y1, p.y);
        b.x2 = std::max(b.x2, p.x);
        b.y2 = std::max(b.y2, p.y);
    }
    return b;
}

bool segmentCrosses(Point a, Point b, const Box& r) {
    // Sampled finely enough for the test: a text box is millimetres wide, a segment metres long.
    const int n = 2000;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t;
        if (x > r.x1 && x < r.x2 && y > r.y1 && y < r.y2) return true;
    }
    return false;
}

TEST(DrawingScale, isTheLargestStandardScaleAtWhichThePlanFits) {
    // Plan 0 - 1000 - 0.6 m ... 10000 + 1000 + 0.6 m = 13.2 m wide. The A3 plan area is
    // 420 - 2 x 10 - 150 - 6 - 24 - 6 = 214 mm: at 1:50 the plan takes 264 mm, at 1:75 176 mm.
    EXPECT_EQ(buildDrawing(twoFootings(10000), Options{}).scale, 75);
    // 40 m apart: 43.2 m; 1:200 gives 216 mm (too wide), 1:250 gives 172.8 mm.
    EXPECT_EQ(buildDrawing(twoFootings(40000), Options{}).scale, 250);
}

TEST(DrawingScale, aPlanTooLargeForTheSheetAsksForALargerOne) {
    const Project p = twoFootings(150000); // 153.2 m: 306 mm at 1:500 on A3
    try {
        buildDrawing(p, Options{});
        FAIL() << "drawn";
    } catch (const DrawingError& e) {
        EXPECT_NE(std::string(e.what()).find("choose a larger sheet (A2 or A1)"), std::string::npos)
            << e.what();
    }
    // A2: 594 - 20 - 150 - 36 = 388 mm of plan area; at 1:300 the plan takes 511 mm, at 1:400
    // 383 mm.
    const Drawing d = buildDrawing(p, Options{SheetSize::A2, ""});
    EXPECT_EQ(d.scale, 400);
    EXPECT_EQ(d.paperSize.x, 594);
}

TEST(DrawingScale, refusesAPlanWithoutGridLines) {
    Project p = twoFootings(10000);
    p.gridX = {0};
    EXPECT_THROW(buildDrawing(p, Options{}), DrawingError);
}

TEST(Drawing, hasEveryBuiltFootingAtItsPlaceAndSizeWithOneMarkBesideIt) {
    batch::Session s;
    const Drawing d = sessionDrawing(s);
    const Project& p = s.project;
    std::map<std::string, std::vector<Text>> marks;
    for (const Text& t : d.texts)
        if (t.layer == Layer::Marks) marks[t.text].push_back(t);
    int built = 0, dashed = 0, markTexts = 0;
    for (const auto& [m, ts] : marks) markTexts += static_cast<int>(ts.size());
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& f = p.footings[static_cast<size_t>(i)];
        if (f.isCombined()) continue;
        const Box want{f.x - f.lenL * 500.0, -f.z - f.widB * 500.0, f.x + f.lenL * 500.0,
                       -f.z + f.widB * 500.0};
        int found = 0;
        for (const Polyline& pl : d.polylines) {
            if (pl.stroke.layer != Layer::Footings || !pl.closed) continue;
            const Box b = boxOf(pl);
            if (std::abs(b.x1 - want.x1) < 0.5 && std::abs(b.y1 - want.y1) < 0.5 &&
                std::abs(b.x2 - want.x2) < 0.5 && std::abs(b.y2 - want.y2) < 0.5) {
                ++found;
                EXPECT_EQ(pl.stroke.type, f.isDisabled() ? LineType::Dashed : LineType::Continuous);
            }
        }
        EXPECT_EQ(found, 1) << "footing " << i;
        if (f.isDisabled()) {
            ++dashed;
            continue;
        }
        ++built;
        // Its mark stands within a few text heights of its outline.
        const std::string mark = footingMark(p, i);
        bool near = false;
        for (const Text& t : marks[mark]) {
            const Box b = textBox(t);
            const double reach = 12 * t.height;
            near = near || (b.x2 > want.x1 - reach && b.x1 < want.x2 + reach &&
                            b.y2 > want.y1 - reach && b.y1 < want.y2 + reach);
        }
        EXPECT_TRUE(near) << mark << " of footing " << i;
    }
    EXPECT_EQ(dashed, 1); // the session disables one footing
    // One mark per built footing and one per combined footing; none for the disabled one.
    int combined = 0;
    for (int k = 1; k <= p.combinedCount; ++k)
        combined += !footingMark(p, p.combinedFootings[static_cast<size_t>(k)].members[1]).empty();
    EXPECT_GT(combined, 0);
    EXPECT_EQ(markTexts, built + combined);
    for (const Polyline& pl : d.polylines) {
        if (pl.stroke.layer == Layer::Combined) {
            EXPECT_TRUE(pl.closed);
        }
    }
}

TEST(Drawing, noTextCrossesAnotherAndNoMarkCrossesALine) {
    batch::Session s;
    const Drawing d = sessionDrawing(s);
    ASSERT_GT(d.texts.size(), 100u);
    for (size_t i = 0; i < d.texts.size(); ++i) {
        const Box a = textBox(d.texts[i]);
        for (size_t j = i + 1; j < d.texts.size(); ++j) {
            EXPECT_FALSE(a.intersects(textBox(d.texts[j])))
                << "\"" << d.texts[i].text << "\" and \"" << d.texts[j].text << "\"";
        }
    }
    for (const Text& t : d.texts) {
        if (t.layer != Layer::Marks) continue;
        const Box b = textBox(t);
        for (const Line& l : d.lines) EXPECT_FALSE(segmentCrosses(l.a, l.b, b)) << t.text;
        for (const Polyline& pl : d.polylines) {
            for (size_t k = 0; k < pl.points.size(); ++k) {
                const Point a = pl.points[k], c = pl.points[(k + 1) % pl.points.size()];
                EXPECT_FALSE(segmentCrosses(a, c, b)) << t.text;
            }
        }
        for (const Circle& c : d.circles) {
            // Inside the ring or outside it, never across it.
            const double nx = std::clamp(c.centre.x, b.x1, b.x2);
            const double ny = std::clamp(c.centre.y, b.y1, b.y2);
            const double fx = std::max(std::abs(b.x1 - c.centre.x), std::abs(b.x2 - c.centre.x));
            const double fy = std::max(std::abs(b.y1 - c.centre.y), std::abs(b.y2 - c.centre.y));
            const bool across = std::hypot(nx - c.centre.x, ny - c.centre.y) < c.radius &&
                                std::hypot(fx, fy) > c.radius;
            EXPECT_FALSE(across) << t.text;
        }
    }
}

TEST(Drawing, keepsEverythingOnTheSheetInsideItsBorder) {
    batch::Session s;
    const Drawing d = sessionDrawing(s);
    const Box sheet = d.sheetBox();
    const double margin = 9.9 * d.scale; // the border stands 10 mm in
    const Box inside{sheet.x1 + margin, sheet.y1 + margin, sheet.x2 - margin, sheet.y2 - margin};
    for (const Text& t : d.texts) EXPECT_TRUE(inside.contains(textBox(t))) << t.text;
    for (const Line& l : d.lines) {
        EXPECT_TRUE(inside.contains({l.a.x, l.a.y, l.a.x, l.a.y}));
        EXPECT_TRUE(inside.contains({l.b.x, l.b.y, l.b.x, l.b.y}));
    }
    for (const Polyline& pl : d.polylines) EXPECT_TRUE(inside.contains(boxOf(pl)));
    for (const Circle& c : d.circles) {
        EXPECT_TRUE(inside.contains({c.centre.x - c.radius, c.centre.y - c.radius,
                                     c.centre.x + c.radius, c.centre.y + c.radius}));
    }
}

TEST(Drawing, hasGridBubblesTheChainTheTitleBlockAndTheCheckedFootingsCircled) {
    batch::Session s;
    const Drawing d = sessionDrawing(s);
    const Project& p = s.project;
    auto has = [&](Layer layer, const std::string& text) {
        for (const Text& t : d.texts)
            if (t.layer == layer && t.text == text) return true;
        return false;
    };
    // office-frame: 6 lines along X (A..F), 5 along Z (1..5), 4200 and 5000 apart.
    EXPECT_TRUE(has(Layer::GridText, "A"));
    EXPECT_TRUE(has(Layer::GridText, "F"));
    EXPECT_FALSE(has(Layer::GridText, "G"));
    EXPECT_TRUE(has(Layer::GridText, "5"));
    EXPECT_FALSE(has(Layer::GridText, "6"));
    EXPECT_TRUE(has(Layer::Dimensions, "4200"));
    EXPECT_TRUE(has(Layer::Dimensions, "5000"));
    EXPECT_TRUE(has(Layer::Title, "Project: office-frame.ANL"));
    EXPECT_TRUE(has(Layer::Title, "Date: 2026-01-31"));
    EXPECT_TRUE(has(Layer::Title, "1. all dimensions in mm"));
    EXPECT_TRUE(has(Layer::Title, "Scale 1:" + std::to_string(d.scale) + "    Sheet A3 landscape"));
    EXPECT_TRUE(has(Layer::Schedule, "FOOTING SCHEDULE"));
    // Grid lines at the grid coordinates.
    for (int j = 1; j <= p.gridX[0]; ++j) {
        bool found = false;
        for (const Line& l : d.lines)
            found = found || (l.stroke.layer == Layer::Grid &&
                              l.a.x == p.gridX[static_cast<size_t>(j)] && l.b.x == l.a.x);
        EXPECT_TRUE(found) << p.gridX[static_cast<size_t>(j)];
    }
    // Every footing with an error of the checks is circled on the CHECKS layer.
    const std::vector<Check> checks = runChecks(p);
    const std::vector<char> severity = footingSeverity(p, checks);
    int errorFootings = 0;
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& f = p.footings[static_cast<size_t>(i)];
        if (severity[static_cast<size_t>(i)] != 2 || f.isDisabled() || f.isCombined()) continue;
        ++errorFootings;
        bool circled = false;
        for (const Circle& c : d.circles)
            circled = circled || (c.stroke.layer == Layer::Checks &&
                                  std::hypot(c.centre.x - f.x, c.centre.y + f.z) < 1);
        EXPECT_TRUE(circled) << i;
    }
    EXPECT_GT(errorFootings, 0);
}

TEST(Drawing, listsTheRowsOfTheScheduleWithTheirBars) {
    batch::Session s;
    const Drawing d = sessionDrawing(s);
    // Row F1 of the session: 1600 x 1600 x 350, 12 bars of 10 mm at 135 (its schedule texts).
    const RowTexts& t = s.project.designRowTexts[1];
    const std::string bars =
        t[col::LabRods] + " - " + t[col::LabGdia] + " dia @ " + t[col::LabSpace];
    bool found = false;
    for (const Text& x : d.texts) found = found || (x.layer == Layer::Schedule && x.text == bars);
    EXPECT_TRUE(found) << bars;
}

TEST(SheetSize, readsA3A2AndA1) {
    SheetSize s{};
    EXPECT_TRUE(parseSheetSize("a2", s));
    EXPECT_EQ(s, SheetSize::A2);
    EXPECT_TRUE(parseSheetSize("A1", s));
    EXPECT_EQ(s, SheetSize::A1);
    EXPECT_FALSE(parseSheetSize("A4", s));
    EXPECT_FALSE(parseSheetSize("", s));
}

} // namespace
} // namespace ormevak
