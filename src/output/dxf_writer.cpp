// ASCII DXF, release 12: only the sections and entities the drawing needs (LINE, POLYLINE with
// its VERTEX and SEQEND, CIRCLE, TEXT), so any CAD program reads it.
#include "output/dxf_writer.h"

#include <cmath>
#include <cstdio>

#include "model/atomic_file.h"
#include "output/drawing_file.h"

namespace ormevak {

namespace {

using namespace drawing;

class Dxf {
  public:
    void code(int c, const std::string& value) {
        out_ += std::to_string(c);
        out_ += '\n';
        out_ += value;
        out_ += '\n';
    }
    void code(int c, int value) { code(c, std::to_string(value)); }
    void real(int c, double value) {
        // Enough decimals for a hundredth of a millimetre, without trailing zeros.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.4f", std::abs(value) < 5e-5 ? 0.0 : value);
        std::string s = buf;
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
        code(c, s);
    }
    void point(int c, Point p) {
        real(c, p.x);
        real(c + 10, p.y);
        real(c + 20, 0.0);
    }
    std::string& str() { return out_; }

  private:
    std::string out_;
};

const char* lineTypeName(LineType t) {
    switch (t) {
    case LineType::Continuous:
        return "CONTINUOUS";
    case LineType::Dashed:
        return "DASHED";
    case LineType::Center:
        return "CENTER";
    }
    return "CONTINUOUS";
}

// The layers' colours (the DXF colour index), so each reads apart on screen.
int layerColour(Layer layer) {
    switch (layer) {
    case Layer::Grid:
        return 8;
    case Layer::GridText:
        return 8;
    case Layer::Footings:
        return 7;
    case Layer::Columns:
        return 5;
    case Layer::Combined:
        return 3;
    case Layer::Marks:
        return 2;
    case Layer::Dimensions:
        return 4;
    case Layer::Schedule:
        return 7;
    case Layer::Title:
        return 7;
    case Layer::Checks:
        return 1;
    }
    return 7;
}

// The plain ASCII a release 12 file holds; anything else becomes "?".
std::string ascii(const std::string& s) {
    std::string out;
    for (unsigned char c : s) out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    return out;
}

void entityHead(Dxf& x, const char* kind, const Stroke& s) {
    x.code(0, kind);
    x.code(8, layerName(s.layer));
    if (s.type != LineType::Continuous) x.code(6, lineTypeName(s.type));
}

void header(Dxf& x, const Drawing& d) {
    const Box sheet = d.sheetBox();
    x.code(0, "SECTION");
    x.code(2, "HEADER");
    x.code(9, "$ACADVER");
    x.code(1, "AC1009");
    x.code(9, "$INSBASE");
    x.point(10, {0, 0});
    x.code(9, "$EXTMIN");
    x.point(10, {sheet.x1, sheet.y1});
    x.code(9, "$EXTMAX");
    x.point(10, {sheet.x2, sheet.y2});
    x.code(9, "$LIMMIN");
    x.real(10, sheet.x1);
    x.real(20, sheet.y1);
    x.code(9, "$LIMMAX");
    x.real(10, sheet.x2);
    x.real(20, sheet.y2);
    // Line type patterns are in paper millimetres; the scale makes them read on the sheet.
    x.code(9, "$LTSCALE");
    x.real(40, d.scale);
    x.code(0, "ENDSEC");
}

void lineType(Dxf& x, const char* name, const char* description,
              const std::vector<double>& pattern) {
    double total = 0;
    for (double e : pattern) total += std::abs(e);
    x.code(0, "LTYPE");
    x.code(2, name);
    x.code(70, 0);
    x.code(3, description);
    x.code(72, 65);
    x.code(73, static_cast<int>(pattern.size()));
    x.real(40, total);
    for (double e : pattern) x.real(49, e);
}

void tables(Dxf& x) {
    x.code(0, "SECTION");
    x.code(2, "TABLES");
    x.code(0, "TABLE");
    x.code(2, "LTYPE");
    x.code(70, 3);
    lineType(x, "CONTINUOUS", "Solid line", {});
    lineType(x, "DASHED", "__ __ __", {6.0, -3.0});
    lineType(x, "CENTER", "____ _ ____", {12.0, -3.0, 2.0, -3.0});
    x.code(0, "ENDTAB");
    x.code(0, "TABLE");
    x.code(2, "LAYER");
    x.code(70, layerCount + 1);
    x.code(0, "LAYER");
    x.code(2, "0");
    x.code(70, 0);
    x.code(62, 7);
    x.code(6, "CONTINUOUS");
    for (Layer l : allLayers()) {
        x.code(0, "LAYER");
        x.code(2, layerName(l));
        x.code(70, 0);
        x.code(62, layerColour(l));
        x.code(6, "CONTINUOUS");
    }
    x.code(0, "ENDTAB");
    x.code(0, "TABLE");
    x.code(2, "STYLE");
    x.code(70, 1);
    x.code(0, "STYLE");
    x.code(2, "STANDARD");
    x.code(70, 0);
    x.real(40, 0);
    x.real(41, 1);
    x.real(50, 0);
    x.code(71, 0);
    x.real(42, 2.5);
    x.code(3, "txt");
    x.code(4, "");
    x.code(0, "ENDTAB");
    x.code(0, "ENDSEC");
}

void text(Dxf& x, const Text& t) {
    x.code(0, "TEXT");
    x.code(8, layerName(t.layer));
    x.point(10, t.at);
    x.real(40, t.height);
    x.code(1, ascii(t.text));
    if (t.upright) x.real(50, 90);
    const int h = t.h == HAlign::Left ? 0 : t.h == HAlign::Centre ? 1 : 2;
    const int v = t.v == VAlign::Baseline ? 0 : t.v == VAlign::Middle ? 2 : 3;
    if (h != 0) x.code(72, h);
    // With any alignment but left on the baseline, the alignment point is the one that counts.
    if (h != 0 || v != 0) x.point(11, t.at);
    if (v != 0) x.code(73, v);
}

} // namespace

std::string dxfText(const Drawing& d) {
    Dxf x;
    header(x, d);
    tables(x);
    x.code(0, "SECTION");
    x.code(2, "BLOCKS");
    x.code(0, "ENDSEC");
    x.code(0, "SECTION");
    x.code(2, "ENTITIES");
    for (const Line& l : d.lines) {
        entityHead(x, "LINE", l.stroke);
        x.point(10, l.a);
        x.point(11, l.b);
    }
    for (const Polyline& pl : d.polylines) {
        entityHead(x, "POLYLINE", pl.stroke);
        x.code(66, 1);
        x.point(10, {0, 0});
        x.code(70, pl.closed ? 1 : 0);
        for (const Point& p : pl.points) {
            x.code(0, "VERTEX");
            x.code(8, layerName(pl.stroke.layer));
            x.point(10, p);
        }
        x.code(0, "SEQEND");
        x.code(8, layerName(pl.stroke.layer));
    }
    for (const Circle& c : d.circles) {
        entityHead(x, "CIRCLE", c.stroke);
        x.point(10, c.centre);
        x.real(40, c.radius);
    }
    for (const Text& t : d.texts) text(x, t);
    x.code(0, "ENDSEC");
    x.code(0, "EOF");
    return x.str();
}

void writeDrawingDxf(const Project& project, const drawing::Options& options,
                     const std::string& path) {
    const Drawing d = drawingToWrite(project, options);
    writeFileAtomically(path, dxfText(d));
}

} // namespace ormevak
