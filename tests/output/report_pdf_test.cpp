// The calculation report's PDF read back with poppler's tools: every schedule row's section
// carries the schedule's own texts, the worked example's steps and clauses are on the page, the
// pages are A4 portrait with the project in the running header and numbered.
#include "output/report_pdf.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "design/design.h"
#include "model/analysis_reader.h"
#include "model/errors.h"
#include "model/soil_values.h"
#include "output/example_project.h"
#include "output/plan_print.h"
#include "sizing/pipeline.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

namespace fs = std::filesystem;
using testing::freshFolder;
using testing::readAll;

std::string shell(const std::string& command) {
    const fs::path out =
        fs::temp_directory_path() / ("ormevak-report-run-" + std::to_string(::getpid()));
    EXPECT_EQ(std::system((command + " > '" + out.string() + "' 2>&1").c_str()), 0) << command;
    std::string text = readAll(out);
    fs::remove(out);
    return text;
}

// The example project as the batch tool leaves it: loaded, sized, grouped and designed.
Project officeFrame() {
    Project p;
    testing::RecordingPrompts prompts;
    const std::string file = std::string(ORMEVAK_SOURCE_DIR) + "/examples/office-frame.ANL";
    EXPECT_FALSE(runInputPhase(p, file, prompts).has_value());
    applySoilValues(p, "1.5", "200");
    loadMainWindow(p, prompts);
    runDesign(p, prompts);
    return p;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool hasWord(const std::vector<std::string>& ws, const std::string& w) {
    return std::find(ws.begin(), ws.end(), w) != ws.end();
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ReportPdf, eachRowsSectionCarriesTheSchedulesTexts) {
    ensureGuiApplication();
    const Project p = officeFrame();
    ASSERT_GE(p.designRowCount, 3);
    const fs::path dir = freshFolder("report-rows");
    const fs::path pdf = dir / "report.pdf";
    writeReportPdf(p, pdf.string());
    const std::string text = shell("pdftotext -layout '" + pdf.string() + "' -");
    for (int n = 1; n <= p.designRowCount; ++n) {
        const std::string head = "Schedule row F" + std::to_string(n) + "\n";
        const std::string next = n < p.designRowCount
                                     ? "Schedule row F" + std::to_string(n + 1) + "\n"
                                     : std::string("4 Checks");
        const size_t from = text.find(head);
        ASSERT_NE(from, std::string::npos) << head;
        const size_t to = text.find(next, from);
        ASSERT_NE(to, std::string::npos) << next;
        const std::vector<std::string> ws = words(text.substr(from, to - from));
        const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
        for (size_t c = 0; c < t.size(); ++c) {
            if (t[c].empty()) continue;
            EXPECT_TRUE(hasWord(ws, t[c]))
                << "row F" << n << " " << scheduleHeadings()[c] << " = " << t[c];
        }
        // The last steps name the schedule's steel area, depth and bars among their results.
        const std::string section = text.substr(from, to - from);
        EXPECT_NE(section.find("Steel area"), std::string::npos);
        EXPECT_GE(count(section, t[col::LabAst]), 2u) << "Ast in the row and in its step";
    }
    testing::removeUnlessKept(dir);
}

TEST(ReportPdf, a4PortraitPagesWithTheProjectInTheHeaderAndPageNumbers) {
    ensureGuiApplication();
    const Project p = officeFrame();
    const fs::path dir = freshFolder("report-pages");
    const fs::path pdf = dir / "report.pdf";
    writeReportPdf(p, pdf.string());
    const std::string info = shell("pdfinfo '" + pdf.string() + "'");
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    const size_t at = info.find("Pages:");
    ASSERT_NE(at, std::string::npos);
    const int pages = std::atoi(info.c_str() + at + 6);
    ASSERT_GT(pages, 3);
    const std::string text = shell("pdftotext '" + pdf.string() + "' -");
    EXPECT_EQ(count(text, "ORMEVAK Calculation report - office-frame.ANL"),
              static_cast<size_t>(pages));
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(count(text, "Page " + std::to_string(page) + " of " + std::to_string(pages)), 1u)
            << page;
    // The file's fingerprint, as sha256sum gives it.
    const std::string sum =
        shell("sha256sum '" + std::string(ORMEVAK_SOURCE_DIR) + "/examples/office-frame.ANL'");
    EXPECT_NE(text.find(sum.substr(0, 64)), std::string::npos);
    testing::removeUnlessKept(dir);
}

TEST(ReportPdf, theWorkedExampleStepsAndClausesAreOnThePage) {
    ensureGuiApplication();
    // One footing, L 1.2, a 0.3, FY 144 kN (q 100), fck 20, fy 415, 10 mm bars.
    Project p;
    p.footingCount = 1;
    p.footings.resize(2);
    p.supportReaction.resize(2);
    p.reaction(0, 0, reaction::SupportCount) = 1;
    p.reaction(1, 0, reaction::JointNo) = 101;
    p.reaction(1, 0, reaction::CaseNo) = 1;
    p.reaction(1, 0, reaction::ForceY) = 144;
    p.footings[1].jointNo = 101;
    p.footings[1].groupIndex = 1;
    p.footings[1].reqSide = p.footings[1].lenL = p.footings[1].widB = 1.2f;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    p.allowableBearing.fill(250);
    p.allowableBearing[0] = 200;
    GroupRecord g;
    g.size = g.baseSize = 1.2f;
    g.pedestal = 0.3f;
    g.barDia = 10;
    g.nosCount = 1;
    g.footingNos = {0, 1};
    p.groups.push_back(g);
    p.groupEnabled.push_back(1);
    p.groupCount = 1;
    testing::RecordingPrompts prompts;
    runDesign(p, prompts);

    report::Inputs in;
    in.analysis.name = "worked.ANL";
    const QByteArray pdf = renderReportPdf(report::buildReport(p, in));
    const fs::path dir = freshFolder("report-worked");
    const fs::path file = dir / "worked.pdf";
    std::ofstream(file, std::ios::binary).write(pdf.constData(), pdf.size());
    const std::string text = shell("pdftotext -layout '" + file.string() + "' -");
    // c = (1.2 - 0.3)/2 = 0.45; Mu = 0.45 (1.5 x 100 x 1.2 x 0.45)/2 = 18.22; d0 0.07; d 0.19;
    // Mu/bd2 0.42; pt 0.12 raised to 0.2; V1 47, tv 0.21, tc 0.32; V2 180, tv 0.48, tc 1.12;
    // Ast 456; D 0.25; 6 bars at 216.
    for (const char* s : {"c = (L - a)/2 = (1.2 - 0.3)/2",
                          "0.45 (1.5 x 100 x 1.2 x 0.45)/2",
                          "18.22",
                          "0.07",
                          "0.19",
                          "0.42",
                          "0.12",
                          "pt = max(0.12, 0.2)",
                          "47",
                          "0.21",
                          "0.32",
                          "180",
                          "0.48",
                          "1.12",
                          "456",
                          "0.25",
                          "216",
                          "34.2.3.1",
                          "Annex G-1.1",
                          "34.2.4.1(a)",
                          "40.2.1",
                          "Table 19",
                          "31.6.1",
                          "31.6.3.1"})
        EXPECT_NE(text.find(s), std::string::npos) << s;
    testing::removeUnlessKept(dir);
}

TEST(ReportPdf, anUnwritablePathLeavesNothing) {
    ensureGuiApplication();
    const fs::path dir = freshFolder("report-unwritable");
    const std::string target = (dir / "missing" / "report.pdf").string();
    Project p = testing::exampleProject();
    p.analysisFilePath = std::string(ORMEVAK_SOURCE_DIR) + "/examples/office-frame.ANL";
    try {
        writeReportPdf(p, target);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot write " + target + ": ", 0), 0u) << e.what();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0);
    testing::removeUnlessKept(dir);
}

TEST(ReportPdf, anAnalysisFileThatCannotBeReadWritesNothing) {
    ensureGuiApplication();
    const fs::path dir = freshFolder("report-noanalysis");
    const fs::path target = dir / "report.pdf";
    Project p = testing::exampleProject();
    p.analysisFilePath = (dir / "gone.ANL").string();
    try {
        writeReportPdf(p, target.string());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot read " + p.analysisFilePath + ": ", 0), 0u)
            << e.what();
    }
    EXPECT_FALSE(fs::exists(target));
    testing::removeUnlessKept(dir);
}

} // namespace
} // namespace ormevak
