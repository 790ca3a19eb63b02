// The foundation drawing as content: lines, polylines, circles and texts on named layers, in
// millimetres of the plan (x = plan X, y = -plan Z, so the drawing reads as the plan on screen).
// The sheet's furniture (border, schedule table, legend, notes, title block) stands beside the
// plan in the same coordinates, drawn at the sheet's scale, so one description serves the PDF
// (divided by the scale onto paper) and the DXF (model space at true size).
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/project.h"

namespace ormevak::drawing {

enum class Layer {
    Grid,
    GridText,
    Footings,
    Columns,
    Combined,
    Marks,
    Dimensions,
    Schedule,
    Title,
    Checks
};
inline constexpr int layerCount = 10;
// "GRID", "GRID-TEXT", "FOOTINGS", ...
const char* layerName(Layer layer);
const std::array<Layer, layerCount>& allLayers();

enum class LineType { Continuous, Dashed, Center };

struct Point {
    double x = 0, y = 0;
};

// An axis-aligned box, in the drawing's millimetres.
struct Box {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // x1 <= x2, y1 <= y2
    bool intersects(const Box& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
    bool contains(const Box& o) const {
        return o.x1 >= x1 && o.x2 <= x2 && o.y1 >= y1 && o.y2 <= y2;
    }
};

// Line weights in millimetres on paper.
struct Stroke {
    Layer layer = Layer::Grid;
    LineType type = LineType::Continuous;
    double weight = 0.25;
};

struct Line {
    Point a, b;
    Stroke stroke;
};
struct Polyline {
    std::vector<Point> points;
    bool closed = true;
    Stroke stroke;
};
struct Circle {
    Point centre;
    double radius = 0;
    Stroke stroke;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Baseline, Middle, Top }; // Middle and Top: of the capital letters

struct Text {
    std::string text;
    Point at;          // the alignment point
    double height = 0; // capital height, drawing mm
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Baseline;
    bool upright = false; // turned 90 degrees counter-clockwise, reading upward
    Layer layer = Layer::Title;
};

// Widest a character is taken to be, as a share of the capital height; a renderer whose font
// runs wider squeezes the text into this width, so the boxes below hold what is drawn.
inline constexpr double charWidth = 0.9;
// What a text covers: its width by charWidth, from 0.3 h below the baseline to 1.15 h above.
Box textBox(const Text& t);

enum class SheetSize { A3, A2, A1 };
const char* sheetName(SheetSize s);
// Landscape width and height in mm.
Point sheetMillimetres(SheetSize s);
// "A3", "A2", "A1" (any case); false for anything else.
bool parseSheetSize(const std::string& text, SheetSize& out);

// The standard scales, largest first: 1:50 ... 1:500.
const std::vector<int>& standardScales();

struct Options {
    SheetSize sheet = SheetSize::A3;
    std::string date; // as it is to be printed, e.g. 2026-12-09
};

struct Drawing {
    SheetSize sheet = SheetSize::A3;
    int scale = 100;   // 1:scale
    Point paperOrigin; // the drawing point at the sheet's lower left corner
    Point paperSize;   // mm on paper
    std::vector<Line> lines;
    std::vector<Polyline> polylines;
    std::vector<Circle> circles;
    std::vector<Text> texts;

    // The sheet's edge, in the drawing's millimetres.
    Box sheetBox() const {
        return {paperOrigin.x, paperOrigin.y, paperOrigin.x + paperSize.x * scale,
                paperOrigin.y + paperSize.y * scale};
    }
    // Drawing millimetres per paper millimetre.
    double perPaperMm() const { return scale; }
};

// The plan's point of plan coordinates (x, z) mm.
inline Point planPoint(double x, double z) {
    return {x, -z};
}

// The mark a built footing carries on the drawing: "F3", "R2", "C1"; "" for a disabled footing
// or a member of an incomplete combined footing.
std::string footingMark(const Project& p, int i);

// Why a drawing cannot be made: no grid lines, or a plan or schedule too large for the sheet.
class DrawingError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
// Builds the whole sheet at the largest standard scale at which the plan fits. Throws
// DrawingError with the reason, before anything is written.
Drawing buildDrawing(const Project& p, const Options& options);

} // namespace ormevak::drawing
