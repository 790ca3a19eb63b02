// The foundation drawing's files read back as their readers read them: the DXF with ezdxf
// (python3-ezdxf, with its audit), the PDF with pdftotext and pdftoppm (poppler-utils).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "design/design.h"
#include "drawing/drawing.h"
#include "drawing/quantities.h"
#include "model/analysis_reader.h"
#include "model/errors.h"
#include "model/numbers.h"
#include "model/soil_values.h"
#include "output/drawing_pdf.h"
#include "output/dxf_writer.h"
#include "output/example_project.h"
#include "output/output_error.h"
#include "sizing/pipeline.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

namespace fs = std::filesystem;
using testing::freshFolder;

// An example project as the desktop app leaves it after the Design command.
Project example(const std::string& name) {
    Project p;
    testing::RecordingPrompts prompts;
    const std::string path = std::string(ORMEVAK_SOURCE_DIR) + "/examples/" + name + ".ANL";
    EXPECT_FALSE(runInputPhase(p, path, prompts).has_value());
    EXPECT_TRUE(applySoilValues(p, "1.5", "200").accepted);
    loadMainWindow(p, prompts);
    EXPECT_TRUE(runDesign(p, prompts));
    return p;
}

struct DxfItem {
    std::string kind, layer, text;
    std::vector<double> v;
    int closed = 0;
    std::string linetype;
};

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream ss(line);
    std::string f;
    while (std::getline(ss, f, '\t')) out.push_back(f);
    return out;
}

struct ReadDxf {
    int auditErrors = -1;
    std::vector<std::string> layers;
    std::vector<DxfItem> items;
};

ReadDxf readDxf(const fs::path& dxf) {
    const fs::path dump = dxf.string() + ".txt";
    const std::string script = std::string(ORMEVAK_SOURCE_DIR) + "/tests/output/read_dxf.py";
    const std::string cmd =
        testing::python3() + " '" + script + "' '" + dxf.string() + "' > '" + dump.string() + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    ReadDxf out;
    std::stringstream in(testing::readAll(dump));
    std::string line;
    while (std::getline(in, line)) {
        const auto f = split(line);
        if (f.empty()) continue;
        if (f[0] == "audit") {
            out.auditErrors = std::stoi(f.at(1));
        } else if (f[0] == "layer") {
            out.layers.push_back(f.at(1));
        } else {
            DxfItem it;
            it.kind = f[0];
            it.layer = f.at(1);
            size_t first = 2;
            if (it.kind == "poly") {
                it.closed = std::stoi(f.at(2));
                it.linetype = f.at(3);
                first = 4;
            }
            const size_t count = it.kind == "text" ? 3 : f.size() - first;
            for (size_t i = first; i < first + count; ++i) it.v.push_back(std::stod(f.at(i)));
            if (it.kind == "text") it.text = f.size() > 5 ? f[5] : "";
            out.items.push_back(it);
        }
    }
    return out;
}

void expectFootingsOnTheirPlaces(const Project& p, const ReadDxf& dxf) {
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& f = p.footings[static_cast<size_t>(i)];
        if (f.isCombined()) continue;
        const double x1 = f.x - f.lenL * 500.0, x2 = f.x + f.lenL * 500.0;
        const double y1 = -f.z - f.widB * 500.0, y2 = -f.z + f.widB * 500.0;
        int outlines = 0;
        for (const DxfItem& it : dxf.items) {
            if (it.kind != "poly" || it.layer != "FOOTINGS" || it.closed != 1) continue;
            if (std::abs(it.v[0] - x1) < 0.01 && std::abs(it.v[1] - y1) < 0.01 &&
                std::abs(it.v[2] - x2) < 0.01 && std::abs(it.v[3] - y2) < 0.01) {
                ++outlines;
                EXPECT_EQ(it.linetype, f.isDisabled() ? "DASHED" : "BYLAYER") << i;
            }
        }
        EXPECT_EQ(outlines, 1) << "footing " << i << " at " << f.x << ", " << f.z;
        if (f.isDisabled()) continue;
        // Its mark, within a few text heights of the outline.
        const std::string mark = drawing::footingMark(p, i);
        bool near = false;
        for (const DxfItem& it : dxf.items) {
            if (it.kind != "text" || it.layer != "MARKS" || it.text != mark) continue;
            const double reach = 12 * it.v[2];
            near = near || (it.v[0] > x1 - reach && it.v[0] < x2 + reach && it.v[1] > y1 - reach &&
                            it.v[1] < y2 + reach);
        }
        EXPECT_TRUE(near) << mark << " of footing " << i;
    }
}

void expectGridLines(const Project& p, const ReadDxf& dxf) {
    for (int j = 1; j <= p.gridX[0]; ++j) {
        const double x = p.gridX[static_cast<size_t>(j)];
        bool found = false;
        for (const DxfItem& it : dxf.items)
            found =
                found || (it.kind == "line" && it.layer == "GRID" && it.v[0] == x && it.v[2] == x);
        EXPECT_TRUE(found) << "grid X " << x;
    }
    for (int j = 1; j <= p.gridZ[0]; ++j) {
        const double y = -p.gridZ[static_cast<size_t>(j)];
        bool found = false;
        for (const DxfItem& it : dxf.items)
            found =
                found || (it.kind == "line" && it.layer == "GRID" && it.v[1] == y && it.v[3] == y);
        EXPECT_TRUE(found) << "grid Z " << -y;
    }
}

class DrawingDxf : public ::testing::TestWithParam<const char*> {};

TEST_P(DrawingDxf, readsBackWithItsLayersFootingsMarksAndGridAndPassesTheAudit) {
    const Project p = example(GetParam());
    const fs::path dir = freshFolder(std::string("dxf-") + GetParam());
    const fs::path target = dir / "drawing.dxf";
    writeDrawingDxf(p, drawing::Options{drawing::SheetSize::A3, "2026-01-31"}, target.string());
    const ReadDxf dxf = readDxf(target);
    EXPECT_EQ(dxf.auditErrors, 0);
    for (drawing::Layer l : drawing::allLayers()) {
        EXPECT_NE(std::find(dxf.layers.begin(), dxf.layers.end(), drawing::layerName(l)),
                  dxf.layers.end())
            << drawing::layerName(l);
    }
    expectFootingsOnTheirPlaces(p, dxf);
    expectGridLines(p, dxf);
    testing::removeUnlessKept(dir);
}

INSTANTIATE_TEST_SUITE_P(Examples, DrawingDxf, ::testing::Values("office-frame", "warehouse-mm"));

TEST(DrawingDxfFile, drawsResizedDisabledAndCombinedFootings) {
    Project p = testing::exampleProject();
    p.concreteGrade = 20;
    p.steelGrade = 415;
    const fs::path dir = freshFolder("dxf-kinds");
    const fs::path target = dir / "drawing.dxf";
    writeDrawingDxf(p, drawing::Options{}, target.string());
    const ReadDxf dxf = readDxf(target);
    EXPECT_EQ(dxf.auditErrors, 0);
    expectFootingsOnTheirPlaces(p, dxf);
    // The two combined outlines, closed, at their outlines (y = -z).
    int combined = 0;
    for (const DxfItem& it : dxf.items) {
        if (it.kind != "poly" || it.layer != "COMBINED") continue;
        EXPECT_EQ(it.closed, 1);
        const bool first =
            it.v[0] == 3500 && it.v[1] == -5675 && it.v[2] == 7600 && it.v[3] == -4325;
        const bool second =
            it.v[0] == 10400 && it.v[1] == -3000 && it.v[2] == 11600 && it.v[3] == 500;
        combined += first || second;
    }
    EXPECT_EQ(combined, 2);
    std::map<std::string, int> marks;
    for (const DxfItem& it : dxf.items)
        if (it.kind == "text" && it.layer == "MARKS") ++marks[it.text];
    // F1 twice, F2, R1, C1, C2; the disabled footing 107 has none.
    EXPECT_EQ(marks,
              (std::map<std::string, int>{{"C1", 1}, {"C2", 1}, {"F1", 2}, {"F2", 1}, {"R1", 1}}));
    testing::removeUnlessKept(dir);
}

TEST(DrawingDxfFile, aPlanThatDoesNotFitWritesNothing) {
    Project p = testing::exampleProject();
    p.footings[2].x = p.footings[2].nodeX = 400000;
    testing::setGrid(p.gridX, {0, 4000, 7050, 8000, 11000, 400000});
    const fs::path dir = freshFolder("dxf-too-large");
    const fs::path target = dir / "drawing.dxf";
    try {
        writeDrawingDxf(p, drawing::Options{}, target.string());
        FAIL() << "written";
    } catch (const OutputError& e) {
        EXPECT_NE(std::string(e.what()).find("drawing not written"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_empty(dir));
    testing::removeUnlessKept(dir);
}

// A rendered page, grey levels 0..255, from pdftoppm's PGM.
struct Gray {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    int at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

Gray render(const fs::path& pdf, int dpi) {
    const fs::path stem = pdf.parent_path() / "page";
    const std::string cmd = "pdftoppm -gray -r " + std::to_string(dpi) + " -singlefile '" +
                            pdf.string() + "' '" + stem.string() + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string data = testing::readAll(stem.string() + ".pgm");
    Gray g;
    std::stringstream in(data);
    std::string magic;
    int maxval = 0;
    in >> magic >> g.width >> g.height >> maxval;
    in.get();
    const size_t offset = static_cast<size_t>(in.tellg());
    g.pixels.assign(data.begin() + static_cast<std::ptrdiff_t>(offset), data.end());
    EXPECT_EQ(magic, "P5");
    EXPECT_EQ(g.pixels.size(), static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    return g;
}

TEST(DrawingPdf, readsBackWithMarksScheduleTitleBlockAndNothingOutsideTheSheet) {
    const Project p = example("office-frame");
    const fs::path dir = freshFolder("drawing-pdf");
    const fs::path target = dir / "drawing.pdf";
    writeDrawingPdf(p, drawing::Options{drawing::SheetSize::A3, "2026-01-31"}, target.string());
    const std::string cmd =
        "pdftotext '" + target.string() + "' '" + (dir / "drawing.txt").string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string text = testing::readAll(dir / "drawing.txt");
    for (const char* want : {"FOOTING SCHEDULE", "Project: office-frame.ANL", "Date: 2026-01-31",
                             "Drawing No.:", "all dimensions in mm", "Concrete M20, steel Fe415",
                             "LEGEND", "F1", "F10", "1300 x 1300 x 300", "4200", "5000"}) {
        EXPECT_NE(text.find(want), std::string::npos) << want;
    }
    const drawing::Drawing d = drawing::buildDrawing(p, drawing::Options{});
    EXPECT_NE(text.find("Scale 1:" + std::to_string(d.scale)), std::string::npos);
    const Quantities q = computeQuantities(p);
    EXPECT_NE(text.find(formatNumber(static_cast<float>(roundTo(q.rows[0].each.concrete, 3)))),
              std::string::npos);

    // A3 landscape at 50 dpi: 827 x 585 pixels. Everything stands inside the border 10 mm in, so
    // a band 8 mm (16 pixels) wide along every edge is blank, and the middle is not.
    const Gray g = render(target, 50);
    EXPECT_NEAR(g.width, 827, 1);
    EXPECT_NEAR(g.height, 585, 1);
    const int band = 16;
    int inked = 0, outside = 0;
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const bool edge = x < band || y < band || x >= g.width - band || y >= g.height - band;
            if (g.at(x, y) < 200) (edge ? outside : inked) += 1;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inked, 5000);
    testing::removeUnlessKept(dir);
}

TEST(DrawingPdf, isDrawnOnTheSheetAskedFor) {
    const Project p = example("warehouse-mm");
    const fs::path dir = freshFolder("drawing-pdf-a1");
    const fs::path target = dir / "drawing.pdf";
    writeDrawingPdf(p, drawing::Options{drawing::SheetSize::A1, "2026-01-31"}, target.string());
    const Gray g = render(target, 10); // A1: 841 x 594 mm
    EXPECT_NEAR(g.width, 331, 1);
    EXPECT_NEAR(g.height, 234, 1);
    testing::removeUnlessKept(dir);
}

} // namespace
} // namespace ormevak
