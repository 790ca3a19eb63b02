// The foundation drawing: plan with grids, bubbles and a dimension chain, footings, columns and
// marks placed clear of every other text and line, the checks' errors circled, and the sheet's
// schedule table, legend, notes and title block.
#include "drawing/drawing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "checks/checks.h"
#include "drawing/quantities.h"
#include "model/marks.h"
#include "model/numbers.h"
#include "plan/plan_labels.h"

namespace ormevak::drawing {

namespace {

// Paper sizes (mm) of the sheet's parts.
constexpr double border = 10;        // frame inset from the sheet edge
constexpr double panelWidth = 150;   // schedule, legend, notes and title block at the right
constexpr double panelGap = 6;       // between the plan area and the panel
constexpr double gridBand = 24;      // above and left of the plan: dimension chain and bubbles
constexpr double planPad = 6;        // right of and below the plan
constexpr double chainOffset = 8;    // dimension line from the plan's edge
constexpr double bubbleRadius = 4.5; // grid bubbles
constexpr double bubbleOffset = 19;  // bubble centre from the plan's edge
constexpr double gridOverrun = 4;    // grid lines beyond the outermost footing

// Text heights (mm on paper).
constexpr double markHeight = 2.5;
constexpr double bubbleTextHeight = 3.5;
constexpr double dimensionHeight = 2.0;
constexpr double tableHeight = 2.0;
constexpr double headingHeight = 3.0;
constexpr double noteHeight = 2.2;
constexpr double titleHeight = 4.0;

// Line weights (mm on paper).
constexpr double thin = 0.18;
constexpr double medium = 0.35;
constexpr double thick = 0.5;

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Grid letters along X: A..Z, then AA, AB, ...
std::string gridLetter(int index) {
    std::string s;
    int n = index;
    do {
        s.insert(s.begin(), static_cast<char>('A' + n % 26));
        n = n / 26 - 1;
    } while (n >= 0);
    return s;
}

std::string mm(double metres) {
    return formatInt(static_cast<long long>(std::lround(metres * 1000.0)));
}

std::string fixed(double v, int decimals) {
    return formatNumber(static_cast<float>(roundTo(v, decimals)));
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool segmentHitsBox(Point a, Point b, const Box& r) {
    // Liang-Barsky clipping of the segment against the box.
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.x1, r.x2 - a.x, a.y - r.y1, r.y2 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1) return false;
        }
    }
    return true;
}

bool circleHitsBox(const Circle& c, const Box& r) {
    // The ring crosses the box when the box holds points both inside and outside the circle.
    const double nx = std::clamp(c.centre.x, r.x1, r.x2), ny = std::clamp(c.centre.y, r.y1, r.y2);
    const double nearest = std::hypot(nx - c.centre.x, ny - c.centre.y);
    const double fx = std::max(std::abs(r.x1 - c.centre.x), std::abs(r.x2 - c.centre.x));
    const double fy = std::max(std::abs(r.y1 - c.centre.y), std::abs(r.y2 - c.centre.y));
    const double farthest = std::hypot(fx, fy);
    return nearest <= c.radius && farthest >= c.radius;
}

Box grow(const Box& b, double by) {
    return {b.x1 - by, b.y1 - by, b.x2 + by, b.y2 + by};
}

// Builds the drawing; paper positions (mm from the sheet's lower left) are turned into drawing
// millimetres by `at`.
class Builder {
  public:
    Builder(const Project& p, const Options& o) : p_(p), o_(o) {}

    Drawing build();

  private:
    Point at(double u, double v) const {
        return {d_.paperOrigin.x + u * d_.scale, d_.paperOrigin.y + v * d_.scale};
    }
    double len(double paperMm) const { return paperMm * d_.scale; }

    void line(Point a, Point b, Layer layer, double weight, LineType type = LineType::Continuous) {
        d_.lines.push_back({a, b, {layer, type, weight}});
    }
    void rect(Point a, Point b, Layer layer, double weight, LineType type = LineType::Continuous) {
        d_.polylines.push_back(
            {{{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}, true, {layer, type, weight}});
    }
    Text text(const std::string& s, Point a, double paperHeight, Layer layer,
              HAlign h = HAlign::Left, VAlign v = VAlign::Baseline, bool upright = false) const {
        return Text{s, a, len(paperHeight), h, v, upright, layer};
    }
    void put(const Text& t) {
        d_.texts.push_back(t);
        placed_.push_back(grow(textBox(t), len(0.4)));
    }
    // Puts the text at the first candidate whose box meets no placed text, no line and stays
    // inside `inside`; returns false when none is free.
    bool putClear(const std::vector<Text>& candidates, const Box& inside, bool avoidLines);
    bool boxFree(const Box& b, bool avoidLines) const;

    void chooseScale();
    void gridAndChain();
    void footings();
    void marks();
    void checkMarks();
    void panel();
    double scheduleTable(double top, double rowHeight);
    double legend(double top);
    double notes(double top, int checkLines);
    void titleBlock();

    const Project& p_;
    const Options& o_;
    Drawing d_;
    Box plan_;     // the footings and grid in drawing mm
    Box planArea_; // where the plan and its marks may go, drawing mm
    std::vector<Box> placed_;
    std::vector<int> gridXs_, gridZs_;
    std::vector<int> errorFootings_;
    std::vector<Check> checks_;
    Quantities quantities_;
};

void Builder::chooseScale() {
    const Point sheet = sheetMillimetres(o_.sheet);
    const double availW = sheet.x - 2 * border - panelWidth - panelGap - gridBand - planPad;
    const double availH = sheet.y - 2 * border - gridBand - planPad;
    const double w = plan_.x2 - plan_.x1, h = plan_.y2 - plan_.y1;
    for (int s : standardScales()) {
        if (w / s <= availW && h / s <= availH) {
            d_.scale = s;
            // The plan centred in its area: drawing point (plan_.x1, plan_.y1) on paper at (u, v).
            const double u = border + gridBand + (availW - w / s) / 2;
            const double v = border + planPad + (availH - h / s) / 2;
            d_.paperOrigin = {plan_.x1 - u * s, plan_.y1 - v * s};
            const double areaRight = sheet.x - border - panelWidth - panelGap;
            planArea_ = {at(border + gridBand, border).x, at(border, border).y,
                         at(areaRight, border).x, at(border, sheet.y - border - gridBand).y};
            // The plan's own edge on paper, for the grid band above and left of it.
            return;
        }
    }
    throw DrawingError("The plan (" + formatInt(std::lround(w)) + " x " +
                       formatInt(std::lround(h)) + " mm) does not fit on an " +
                       sheetName(o_.sheet) + " sheet at 1:500: choose a larger sheet (A2 or A1)");
}

void Builder::gridAndChain() {
    const double top = plan_.y2, left = plan_.x1;
    const double bottom = plan_.y1, right = plan_.x2;
    const double chainY = top + len(chainOffset), bubbleY = top + len(bubbleOffset);
    const double chainX = left - len(chainOffset), bubbleX = left - len(bubbleOffset);
    const double tick = len(1.5);
    // Along X: vertical grid lines, lettered bubbles at the top.
    for (size_t j = 0; j < gridXs_.size(); ++j) {
        const double x = gridXs_[j];
        line({x, bubbleY - len(bubbleRadius)}, {x, bottom}, Layer::Grid, thin, LineType::Center);
        d_.circles.push_back(
            {{x, bubbleY}, len(bubbleRadius), {Layer::GridText, LineType::Continuous, thin}});
        put(text(gridLetter(static_cast<int>(j)), {x, bubbleY}, bubbleTextHeight, Layer::GridText,
                 HAlign::Centre, VAlign::Middle));
        line({x - tick, chainY - tick}, {x + tick, chainY + tick}, Layer::Dimensions, medium);
    }
    // Along Z: horizontal grid lines, numbered bubbles at the left, 1 at the smallest Z (top).
    for (size_t j = 0; j < gridZs_.size(); ++j) {
        const double y = -static_cast<double>(gridZs_[j]);
        line({bubbleX + len(bubbleRadius), y}, {right, y}, Layer::Grid, thin, LineType::Center);
        d_.circles.push_back(
            {{bubbleX, y}, len(bubbleRadius), {Layer::GridText, LineType::Continuous, thin}});
        put(text(formatInt(static_cast<long long>(j + 1)), {bubbleX, y}, bubbleTextHeight,
                 Layer::GridText, HAlign::Centre, VAlign::Middle));
        line({chainX - tick, y - tick}, {chainX + tick, y + tick}, Layer::Dimensions, medium);
    }
    const Box sheet = d_.sheetBox();
    // The chains: the spacing texts above (left of) the dimension line, else below (right of) it.
    if (gridXs_.size() >= 2) {
        line({static_cast<double>(gridXs_.front()), chainY},
             {static_cast<double>(gridXs_.back()), chainY}, Layer::Dimensions, thin);
        for (size_t j = 1; j < gridXs_.size(); ++j) {
            const double mid = (gridXs_[j] + gridXs_[j - 1]) / 2.0;
            const std::string s = formatInt(gridXs_[j] - gridXs_[j - 1]);
            putClear({text(s, {mid, chainY + len(1)}, dimensionHeight, Layer::Dimensions,
                           HAlign::Centre),
                      text(s, {mid, chainY - len(1)}, dimensionHeight, Layer::Dimensions,
                           HAlign::Centre, VAlign::Top),
                      text(s, {mid, chainY + len(4.5)}, dimensionHeight, Layer::Dimensions,
                           HAlign::Centre)},
                     sheet, false);
        }
    }
    if (gridZs_.size() >= 2) {
        line({chainX, -static_cast<double>(gridZs_.front())},
             {chainX, -static_cast<double>(gridZs_.back())}, Layer::Dimensions, thin);
        for (size_t j = 1; j < gridZs_.size(); ++j) {
            const double mid = -(gridZs_[j] + gridZs_[j - 1]) / 2.0;
            const std::string s = formatInt(gridZs_[j] - gridZs_[j - 1]);
            // Upright text: its baseline is a vertical line, the letters stand left of it.
            putClear({text(s, {chainX - len(1), mid}, dimensionHeight, Layer::Dimensions,
                           HAlign::Centre, VAlign::Baseline, true),
                      text(s, {chainX + len(1), mid}, dimensionHeight, Layer::Dimensions,
                           HAlign::Centre, VAlign::Top, true),
                      text(s, {chainX - len(4.5), mid}, dimensionHeight, Layer::Dimensions,
                           HAlign::Centre, VAlign::Baseline, true)},
                     sheet, false);
        }
    }
}

void Builder::footings() {
    for (int i = 1; i <= p_.footingCount; ++i) {
        const FootingRecord& f = p_.footings[static_cast<size_t>(i)];
        // The column stands on the support's joint, whatever offset the footing has.
        const ColumnOutline c = columnOutline(p_, i);
        const Point col = planPoint(f.nodeX, f.nodeZ);
        rect({col.x - c.halfX, col.y - c.halfZ}, {col.x + c.halfX, col.y + c.halfZ}, Layer::Columns,
             medium);
        if (f.isCombined()) continue; // drawn with its combined footing
        const Point centre = planPoint(f.x, f.z);
        const double hl = f.lenL * 500.0, hw = f.widB * 500.0;
        if (hl <= 0 || hw <= 0) continue;
        // Not built: the outline dashed and without a mark.
        rect({centre.x - hl, centre.y - hw}, {centre.x + hl, centre.y + hw}, Layer::Footings,
             f.isDisabled() ? thin : thick,
             f.isDisabled() ? LineType::Dashed : LineType::Continuous);
    }
    for (int k = 1; k <= p_.combinedCount; ++k) {
        const CombinedRecord& c = p_.combinedFootings[static_cast<size_t>(k)];
        if (footingMark(p_, c.members[1]).empty()) continue;
        rect(planPoint(c.xMin, c.zMax), planPoint(c.xMax, c.zMin), Layer::Combined, thick);
    }
}

void Builder::checkMarks() {
    for (int f : errorFootings_) {
        const FootingRecord& r = p_.footings[static_cast<size_t>(f)];
        double hl = r.lenL * 500.0, hw = r.widB * 500.0;
        Point centre = planPoint(r.x, r.z);
        if (r.isCombined() && r.combinedIndex() <= p_.combinedCount) {
            const CombinedRecord& c = p_.combinedFootings[static_cast<size_t>(r.combinedIndex())];
            centre = planPoint((c.xMin + c.xMax) / 2.0, (c.zMin + c.zMax) / 2.0);
            hl = (c.xMax - c.xMin) / 2.0;
            hw = (c.zMax - c.zMin) / 2.0;
        }
        const double radius = std::hypot(std::max(hl, 150.0), std::max(hw, 150.0)) + len(2);
        d_.circles.push_back({centre, radius, {Layer::Checks, LineType::Continuous, thick}});
    }
}

bool Builder::boxFree(const Box& b, bool avoidLines) const {
    for (const Box& o : placed_)
        if (o.intersects(b)) return false;
    if (!avoidLines) return true;
    for (const Line& l : d_.lines)
        if (segmentHitsBox(l.a, l.b, b)) return false;
    for (const Polyline& pl : d_.polylines) {
        const size_t n = pl.points.size();
        for (size_t i = 0; i + 1 < n + (pl.closed ? 1 : 0); ++i)
            if (segmentHitsBox(pl.points[i], pl.points[(i + 1) % n], b)) return false;
    }
    for (const Circle& c : d_.circles)
        if (circleHitsBox(c, b)) return false;
    return true;
}

bool Builder::putClear(const std::vector<Text>& candidates, const Box& inside, bool avoidLines) {
    for (const Text& t : candidates) {
        const Box b = grow(textBox(t), len(0.4));
        if (inside.contains(b) && boxFree(b, avoidLines)) {
            put(t);
            return true;
        }
    }
    return false;
}

void Builder::marks() {
    struct Marked {
        std::string mark;
        Point centre;
        double hl, hw;   // outline half sides
        double chx, chz; // column half sides
        Point column;    // where the column (and the grid lines) stand
    };
    std::vector<Marked> todo;
    for (int i = 1; i <= p_.footingCount; ++i) {
        const FootingRecord& f = p_.footings[static_cast<size_t>(i)];
        if (f.isCombined() || f.isDisabled()) continue;
        const std::string mark = footingMark(p_, i);
        if (mark.empty()) continue;
        const ColumnOutline c = columnOutline(p_, i);
        todo.push_back({mark, planPoint(f.x, f.z), f.lenL * 500.0, f.widB * 500.0, c.halfX, c.halfZ,
                        planPoint(f.nodeX, f.nodeZ)});
    }
    for (int k = 1; k <= p_.combinedCount; ++k) {
        const CombinedRecord& c = p_.combinedFootings[static_cast<size_t>(k)];
        const std::string mark = footingMark(p_, c.members[1]);
        if (mark.empty()) continue;
        todo.push_back({mark, planPoint((c.xMin + c.xMax) / 2.0, (c.zMin + c.zMax) / 2.0),
                        (c.xMax - c.xMin) / 2.0, (c.zMax - c.zMin) / 2.0, 0, 0,
                        planPoint((c.xMin + c.xMax) / 2.0, (c.zMin + c.zMax) / 2.0)});
    }
    for (const Marked& m : todo) {
        std::vector<Text> candidates;
        auto centred = [&](double x, double y) {
            candidates.push_back(
                text(m.mark, {x, y}, markHeight, Layer::Marks, HAlign::Centre, VAlign::Middle));
        };
        // Inside the outline first, in the quarters between the column and the edges (the
        // grid lines run through the column), then around the outline, farther each ring.
        // Midway between the column's faces and the outline's edges, each side of the column
        // (an offset footing has more room on one side).
        const double right = (m.column.x + m.chx + m.centre.x + m.hl) / 2;
        const double left = (m.column.x - m.chx + m.centre.x - m.hl) / 2;
        const double up = (m.column.y + m.chz + m.centre.y + m.hw) / 2;
        const double down = (m.column.y - m.chz + m.centre.y - m.hw) / 2;
        centred(right, up);
        centred(left, up);
        centred(right, down);
        centred(left, down);
        const double qx = (m.hl + m.chx) / 2, qy = (m.hw + m.chz) / 2;
        if (m.chx == 0) centred(m.centre.x, m.centre.y);
        const Box first = textBox(candidates.front());
        const double w = first.x2 - first.x1, bh = first.y2 - first.y1;
        // Then just outside an edge, beside the grid line that crosses it; then the corners.
        for (double gap : {1.0, 2.5, 4.5, 7.0, 10.0, 14.0, 19.0}) {
            const double ax = m.hl + len(gap) + w / 2, ay = m.hw + len(gap) + bh / 2;
            const double sx = std::max(qx, w / 2 + len(0.8)), sy = std::max(qy, bh / 2 + len(0.8));
            for (double fy : {1.0, -1.0}) {
                centred(m.centre.x + sx, m.centre.y + fy * ay);
                centred(m.centre.x - sx, m.centre.y + fy * ay);
            }
            for (double fx : {1.0, -1.0}) {
                centred(m.centre.x + fx * ax, m.centre.y + sy);
                centred(m.centre.x + fx * ax, m.centre.y - sy);
            }
            for (double fx : {1.0, -1.0})
                for (double fy : {1.0, -1.0}) centred(m.centre.x + fx * ax, m.centre.y + fy * ay);
        }
        if (!putClear(candidates, planArea_, true)) {
            // Nowhere clear: beside the outline, on the first candidate outside it.
            put(candidates[m.chx == 0 ? 5 : 4]);
        }
    }
}

double Builder::scheduleTable(double top, double rowHeight) {
    const double left = sheetMillimetres(o_.sheet).x - border - panelWidth;
    const double widths[] = {12, 10, 32, 18, 32, 23, 23};
    const char* heads[] = {"Mark",          "No.",         "L x B x D (mm)", "Pedestal",
                           "Bars each way", "Concrete m3", "Steel kg"};
    put(text("FOOTING SCHEDULE", at(left, top - headingHeight), headingHeight, Layer::Schedule));
    double y = top - headingHeight - 2.5;
    std::vector<std::array<std::string, 7>> rows;
    for (const RowQuantities& r : quantities_.rows) {
        const std::string size = mm(r.lenL) + " x " + mm(r.widB) + " x " + mm(r.depth);
        const std::string bars = barsText(r);
        rows.push_back({r.row, formatInt(r.count), size, mm(r.pedestal) + " x " + mm(r.pedestal),
                        bars, fixed(r.each.concrete, 3), fixed(r.each.steel, 1)});
    }
    const double tableTop = y;
    auto rowLine = [&](double yy) {
        line(at(left, yy), at(left + panelWidth, yy), Layer::Schedule, thin);
    };
    rowLine(y);
    auto writeRow = [&](const std::array<std::string, 7>& cells) {
        double x = left;
        for (size_t c = 0; c < cells.size(); ++c) {
            put(text(cells[c], at(x + widths[c] / 2, y - rowHeight / 2), tableHeight,
                     Layer::Schedule, HAlign::Centre, VAlign::Middle));
            x += widths[c];
        }
        y -= rowHeight;
        rowLine(y);
    };
    writeRow({heads[0], heads[1], heads[2], heads[3], heads[4], heads[5], heads[6]});
    for (const auto& r : rows) writeRow(r);
    double x = left;
    for (double w : widths) {
        line(at(x, tableTop), at(x, y), Layer::Schedule, thin);
        x += w;
    }
    line(at(x, tableTop), at(x, y), Layer::Schedule, thin);
    y -= 1.5;
    const QuantityValues& t = quantities_.total;
    put(text("Totals: concrete " + fixed(t.concrete, 3) + " m3, steel " + fixed(t.steel, 1) + " kg",
             at(left, y - tableHeight), tableHeight, Layer::Schedule));
    y -= 4;
    put(text("Excavation " + fixed(t.excavation, 3) + " m3, levelling course " +
                 fixed(t.levelling, 3) + " m3",
             at(left, y - tableHeight), tableHeight, Layer::Schedule));
    return y - tableHeight - 3;
}

double Builder::legend(double top) {
    const double left = sheetMillimetres(o_.sheet).x - border - panelWidth;
    put(text("LEGEND", at(left, top - headingHeight), headingHeight, Layer::Title));
    double y = top - headingHeight - 5;
    auto item = [&](const std::string& what) {
        put(text(what, at(left + 16, y), noteHeight, Layer::Title, HAlign::Left, VAlign::Middle));
        y -= 5;
    };
    rect(at(left + 2, y - 1.5), at(left + 12, y + 1.5), Layer::Footings, thick);
    item("Footing, marked F (group), R (resized), C (combined)");
    rect(at(left + 2, y - 1.5), at(left + 12, y + 1.5), Layer::Footings, thin, LineType::Dashed);
    item("Footing not built (disabled), no mark");
    rect(at(left + 5.5, y - 1), at(left + 8.5, y + 1), Layer::Columns, medium);
    item("Column section");
    line(at(left + 1, y), at(left + 13, y), Layer::Grid, thin, LineType::Center);
    item("Grid line; bubbles A, B, C ... along X and 1, 2, 3 ... along Z");
    d_.circles.push_back({at(left + 7, y), len(2), {Layer::Checks, LineType::Continuous, thick}});
    item("Footing with a design check error: see the checks below");
    return y - 1;
}

double Builder::notes(double top, int checkLines) {
    const double left = sheetMillimetres(o_.sheet).x - border - panelWidth;
    put(text("NOTES", at(left, top - headingHeight), headingHeight, Layer::Title));
    double y = top - headingHeight - 4.5;
    auto note = [&](const std::string& s, Layer layer = Layer::Title) {
        put(text(s, at(left, y), noteHeight, layer));
        y -= 4.2;
    };
    const std::string sbc = formatNumber(p_.allowableBearing[0]);
    const std::string depth = fixed(foundationDepth(p_), 3);
    note("1. all dimensions in mm");
    note("2. Cover to reinforcement 50 mm; bars of footings each way, at the bottom");
    note("3. Concrete M" + formatInt(p_.concreteGrade) + ", steel Fe" + formatInt(p_.steelGrade));
    note("4. SBC " + sbc + " kN/m2 at " + depth + " m depth of foundation");
    note("5. Levelling course 75 mm under every footing");
    y -= 1.5;
    const CheckCounts counts = countChecks(checks_);
    auto count = [](int n, const char* what) {
        return formatInt(n) + " " + what + (n == 1 ? "" : "s");
    };
    note("DESIGN CHECKS: " + count(counts.errors, "error") + ", " +
             count(counts.warnings, "warning") +
             (counts.errors > 0 ? " (errors circled on the plan)" : ""),
         Layer::Checks);
    int shown = 0;
    for (const Check& c : checks_) {
        if (c.severity != Severity::Error) continue;
        if (shown == checkLines) {
            note("... and " + formatInt(counts.errors - shown) + " more", Layer::Checks);
            break;
        }
        std::string where = c.row;
        if (where.empty() && c.footing >= 1 && c.footing <= p_.footingCount)
            where = "joint " + formatInt(p_.footings[static_cast<size_t>(c.footing)].jointNo);
        std::string s = "- " + (where.empty() ? std::string() : where + ": ") + c.text;
        const size_t room = static_cast<size_t>(panelWidth / (charWidth * noteHeight));
        if (s.size() > room) s = s.substr(0, room - 3) + "...";
        note(s, Layer::Checks);
        ++shown;
    }
    return y;
}

void Builder::titleBlock() {
    const double left = sheetMillimetres(o_.sheet).x - border - panelWidth;
    const double right = left + panelWidth, bottom = border, rowH = 7;
    const double top = bottom + 7 * rowH;
    rect(at(left, bottom), at(right, top), Layer::Title, medium);
    std::vector<std::string> rows = {
        "FOUNDATION PLAN AND FOOTING SCHEDULE",
        "Project: " + baseName(p_.analysisFilePath),
        "Date: " + o_.date,
        "Soil: SBC " + formatNumber(p_.allowableBearing[0]) + " kN/m2, depth of foundation " +
            fixed(foundationDepth(p_), 3) + " m",
        "Grades: concrete M" + formatInt(p_.concreteGrade) + ", steel Fe" +
            formatInt(p_.steelGrade),
        "Scale 1:" + formatInt(d_.scale) + "    Sheet " + sheetName(o_.sheet) + " landscape",
        "Drawing No.:"};
    double y = top;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double hgt = i == 0 ? titleHeight : noteHeight + 0.3;
        std::string s = rows[i];
        const size_t room = static_cast<size_t>((panelWidth - 4) / (charWidth * hgt));
        if (s.size() > room) s = s.substr(0, room - 3) + "...";
        put(text(s, at(left + 2, y - rowH / 2), hgt, Layer::Title, HAlign::Left, VAlign::Middle));
        y -= rowH;
        if (i + 1 < rows.size()) line(at(left, y), at(right, y), Layer::Title, thin);
    }
}

void Builder::panel() {
    const Point sheet = sheetMillimetres(o_.sheet);
    // Border of the sheet and the frame of the panel.
    rect(at(border, border), at(sheet.x - border, sheet.y - border), Layer::Title, thick);
    titleBlock();
    const double titleTop = border + 7 * 7;
    const double top = sheet.y - border - 3;
    const int rows = static_cast<int>(quantities_.rows.size()) + 1;
    const double fixedPart = headingHeight + 2.5 + 1.5 + 4 + tableHeight + 3 + // table, totals
                             headingHeight + 5 + 5 * 5 + 1 +                   // legend
                             headingHeight + 4.5 + 5 * 4.2 + 1.5 + 4.2;        // notes, checks
    const double room = top - titleTop - 4 - fixedPart;
    double rowHeight = 5;
    if (rows * rowHeight > room) rowHeight = std::max(3.5, room / rows);
    if (rows * rowHeight > room) {
        throw DrawingError("The footing schedule (" + formatInt(rows - 1) +
                           " rows) does not fit on an " + sheetName(o_.sheet) +
                           " sheet: choose a larger sheet (A2 or A1)");
    }
    const int errors = countChecks(checks_).errors;
    const int checkLines =
        std::max(0, std::min(errors, static_cast<int>((room - rows * rowHeight) / 4.2) - 1));
    double y = scheduleTable(top, rowHeight);
    y = legend(y);
    (void)notes(y, checkLines);
}

Drawing Builder::build() {
    d_.sheet = o_.sheet;
    d_.paperSize = sheetMillimetres(o_.sheet);
    const int nx = p_.gridX.empty() ? 0 : p_.gridX[0];
    const int nz = p_.gridZ.empty() ? 0 : p_.gridZ[0];
    if (nx < 1 || nz < 1) throw DrawingError("The plan has no grid lines: nothing to draw");
    for (int j = 1; j <= nx; ++j) gridXs_.push_back(p_.gridX[static_cast<size_t>(j)]);
    for (int j = 1; j <= nz; ++j) gridZs_.push_back(p_.gridZ[static_cast<size_t>(j)]);

    // The plan's extent: the grid and every outline that is drawn.
    plan_ = {static_cast<double>(gridXs_.front()), -static_cast<double>(gridZs_.back()),
             static_cast<double>(gridXs_.back()), -static_cast<double>(gridZs_.front())};
    auto take = [&](Point a) {
        plan_.x1 = std::min(plan_.x1, a.x);
        plan_.x2 = std::max(plan_.x2, a.x);
        plan_.y1 = std::min(plan_.y1, a.y);
        plan_.y2 = std::max(plan_.y2, a.y);
    };
    for (int i = 1; i <= p_.footingCount; ++i) {
        const FootingRecord& f = p_.footings[static_cast<size_t>(i)];
        const ColumnOutline c = columnOutline(p_, i);
        take(planPoint(f.nodeX - c.halfX, f.nodeZ - c.halfZ));
        take(planPoint(f.nodeX + c.halfX, f.nodeZ + c.halfZ));
        if (f.isCombined()) continue;
        take(planPoint(f.x - f.lenL * 500.0, f.z - f.widB * 500.0));
        take(planPoint(f.x + f.lenL * 500.0, f.z + f.widB * 500.0));
    }
    for (int k = 1; k <= p_.combinedCount; ++k) {
        const CombinedRecord& c = p_.combinedFootings[static_cast<size_t>(k)];
        if (footingMark(p_, c.members[1]).empty()) continue;
        take(planPoint(c.xMin, c.zMin));
        take(planPoint(c.xMax, c.zMax));
    }
    // Room for the marks that go outside small outlines and for the grid lines' overrun is made
    // on paper, after the scale is known; the scale is chosen for the plan with a margin of
    // 0.6 m each side.
    plan_ = grow(plan_, 600);
    chooseScale();
    plan_ = grow(plan_, len(gridOverrun) - 600);

    quantities_ = computeQuantities(p_);
    checks_ = runChecks(p_);
    const std::vector<char> severity = footingSeverity(p_, checks_);
    std::set<int> seenCombined;
    for (int i = 1; i < static_cast<int>(severity.size()) && i <= p_.footingCount; ++i) {
        if (severity[static_cast<size_t>(i)] != 2) continue;
        const FootingRecord& f = p_.footings[static_cast<size_t>(i)];
        if (f.isDisabled()) continue;
        if (f.isCombined() && !seenCombined.insert(f.combinedIndex()).second)
            continue; // one circle per combined
        errorFootings_.push_back(i);
    }

    // Lines first, so that every text placed after them can keep clear of them.
    footings();
    checkMarks();
    gridAndChain();
    panel();
    marks();
    return d_;
}

} // namespace

const char* layerName(Layer layer) {
    switch (layer) {
    case Layer::Grid:
        return "GRID";
    case Layer::GridText:
        return "GRID-TEXT";
    case Layer::Footings:
        return "FOOTINGS";
    case Layer::Columns:
        return "COLUMNS";
    case Layer::Combined:
        return "COMBINED";
    case Layer::Marks:
        return "MARKS";
    case Layer::Dimensions:
        return "DIMENSIONS";
    case Layer::Schedule:
        return "SCHEDULE";
    case Layer::Title:
        return "TITLE";
    case Layer::Checks:
        return "CHECKS";
    }
    return "0";
}

const std::array<Layer, layerCount>& allLayers() {
    static const std::array<Layer, layerCount> all = {
        Layer::Grid,  Layer::GridText,   Layer::Footings, Layer::Columns, Layer::Combined,
        Layer::Marks, Layer::Dimensions, Layer::Schedule, Layer::Title,   Layer::Checks};
    return all;
}

Box textBox(const Text& t) {
    const double w = static_cast<double>(t.text.size()) * charWidth * t.height;
    // Along the text (a) and across it (b, upward from the baseline).
    double a1 = 0;
    if (t.h == HAlign::Centre) a1 = -w / 2;
    if (t.h == HAlign::Right) a1 = -w;
    double base = 0;
    if (t.v == VAlign::Middle) base = -t.height / 2;
    if (t.v == VAlign::Top) base = -t.height;
    const double b1 = base - 0.3 * t.height, b2 = base + 1.15 * t.height;
    if (!t.upright) return {t.at.x + a1, t.at.y + b1, t.at.x + a1 + w, t.at.y + b2};
    // Turned counter-clockwise: along the text is +y, "up" from the baseline is -x.
    return {t.at.x - b2, t.at.y + a1, t.at.x - b1, t.at.y + a1 + w};
}

const char* sheetName(SheetSize s) {
    switch (s) {
    case SheetSize::A3:
        return "A3";
    case SheetSize::A2:
        return "A2";
    case SheetSize::A1:
        return "A1";
    }
    return "A3";
}

Point sheetMillimetres(SheetSize s) {
    switch (s) {
    case SheetSize::A3:
        return {420, 297};
    case SheetSize::A2:
        return {594, 420};
    case SheetSize::A1:
        return {841, 594};
    }
    return {420, 297};
}

bool parseSheetSize(const std::string& text, SheetSize& out) {
    const std::string u = upper(text);
    for (SheetSize s : {SheetSize::A3, SheetSize::A2, SheetSize::A1}) {
        if (u == sheetName(s)) {
            out = s;
            return true;
        }
    }
    return false;
}

const std::vector<int>& standardScales() {
    static const std::vector<int> scales = {50, 75, 100, 125, 150, 200, 250, 300, 400, 500};
    return scales;
}

std::string footingMark(const Project& p, int i) {
    if (i < 1 || i > p.footingCount) return {};
    const FootingRecord& f = p.footings[static_cast<size_t>(i)];
    if (f.isGrouped() || f.isResized()) return footingMark(f);
    if (f.isCombined() && f.combinedIndex() <= p.combinedCount) {
        const CombinedRecord& c = p.combinedFootings[static_cast<size_t>(f.combinedIndex())];
        const int m1 = c.members[1], m2 = c.members[2];
        if (m1 < 1 || m1 > p.footingCount || m2 < 1 || m2 > p.footingCount) return {};
        if (p.footings[static_cast<size_t>(m1)].combinedIndex() != f.combinedIndex() ||
            p.footings[static_cast<size_t>(m2)].combinedIndex() != f.combinedIndex())
            return {};
        return footingMark(f);
    }
    return {};
}

Drawing buildDrawing(const Project& p, const Options& options) {
    Builder b(p, options);
    return b.build();
}

} // namespace ormevak::drawing
