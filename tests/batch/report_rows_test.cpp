// The calculation report of the office frame after the engineer's session (a resized footing
// R1 and a combined footing C1 designed beside the square rows), read back with pdftotext: each
// R and C row has its section with the schedule's texts and its steps, and the quantities part
// lists every row.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "drawing/example_session.h"
#include "drawing/quantities.h"
#include "model/numbers.h"

namespace fs = std::filesystem;

namespace ormevak {
namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool hasWords(const std::vector<std::string>& ws, const std::string& text) {
    for (const std::string& w : words(text))
        if (std::find(ws.begin(), ws.end(), w) == ws.end()) return false;
    return true;
}

// The text between "Schedule row NAME" and the next heading of a row or part.
std::string sectionOf(const std::string& text, const std::string& name) {
    const size_t from = text.find("Schedule row " + name + "\n");
    if (from == std::string::npos) return {};
    size_t to = text.find("Schedule row ", from + 1);
    const size_t checks = text.find("4 Checks", from);
    if (to == std::string::npos || (checks != std::string::npos && checks < to)) to = checks;
    return text.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

class ReportRows : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(testing::loadExample(session, "office-frame", "office-frame.actions.txt"));
        dir = fs::temp_directory_path() / ("ormevak-report-rows-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string cmd =
            "cd '" + dir.string() +
            "' && '" ORMEVAK_BATCH_EXE "' '" ORMEVAK_SOURCE_DIR
            "/examples/office-frame.ANL' --sbc 200 --depth 1.5 --actions '" ORMEVAK_SOURCE_DIR
            "/tests/batch/golden/office-frame.actions.txt' --report r.pdf > out.txt 2> err.txt"
            " && pdftotext -layout r.pdf r.txt";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp(dir / "err.txt");
        text = slurp(dir / "r.txt");
    }
    static void TearDownTestSuite() { fs::remove_all(dir); }

    static batch::Session session;
    static fs::path dir;
    static std::string text;
};

batch::Session ReportRows::session;
fs::path ReportRows::dir;
std::string ReportRows::text;

TEST_F(ReportRows, eachRRowsSectionCarriesItsTextsAndSteps) {
    const Project& p = session.project;
    ASSERT_FALSE(p.rectRows.empty());
    for (const RectRow& r : p.rectRows) {
        ASSERT_TRUE(r.designed);
        const std::string section = sectionOf(text, r.texts.at(0));
        ASSERT_FALSE(section.empty()) << r.texts[0];
        const std::vector<std::string> ws = words(section);
        for (const std::string& t : r.texts)
            if (!t.empty()) {
                EXPECT_TRUE(hasWords(ws, t)) << r.texts[0] << ": " << t;
            }
        for (const char* step : {"Cantilever (bars along L)", "Factored moment (bars along B)",
                                 "Punching shear stress", "Depth from Mu,lim", "Overall depth"})
            EXPECT_TRUE(hasWords(ws, step)) << step;
        for (const char* clause :
             {"34.2.3.1", "34.2.4.1(a)", "31.6.1", "31.6.3.1", "34.3.1(b)", "G-1.1(b)", "G-1.1(c)"})
            EXPECT_NE(section.find(clause), std::string::npos) << clause;
    }
}

TEST_F(ReportRows, eachCRowsSectionCarriesItsTextsAndSteps) {
    const Project& p = session.project;
    ASSERT_FALSE(p.combinedRows.empty());
    for (const CombinedRow& c : p.combinedRows) {
        ASSERT_TRUE(c.designed);
        const std::string section = sectionOf(text, c.texts.at(0));
        ASSERT_FALSE(section.empty()) << c.texts[0];
        const std::vector<std::string> ws = words(section);
        for (const std::string& t : c.texts)
            if (!t.empty()) {
                EXPECT_TRUE(hasWords(ws, t)) << c.texts[0] << ": " << t;
            }
        // The recorded intermediate values of the design.
        for (float v : {c.pu1, c.pu2, c.wu, c.wBal, c.zeroShear, c.top.mu, c.bottom.mu,
                        c.bands[0].mu, c.bands[1].Vp, c.distAst})
            EXPECT_TRUE(hasWords(ws, formatNumber(v))) << c.texts[0] << ": " << formatNumber(v);
        for (const char* step :
             {"Point of zero shear", "Hogging moment between the columns",
              "Sagging moment at the column face", "Band width (column 2)", "Distribution steel"})
            EXPECT_TRUE(hasWords(ws, step)) << step;
        EXPECT_NE(section.find("26.5.2.1"), std::string::npos);
    }
}

TEST_F(ReportRows, strengthChecksListTheRAndCRows) {
    const size_t from = text.find("Strength checks of the schedule rows");
    const size_t to = text.find("Checks per footing", from);
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    const std::vector<std::string> ws = words(text.substr(from, to - from));
    for (const RectRow& r : session.project.rectRows) EXPECT_TRUE(hasWords(ws, r.texts.at(0)));
    for (const CombinedRow& c : session.project.combinedRows)
        EXPECT_TRUE(hasWords(ws, c.texts.at(0)));
}

TEST_F(ReportRows, quantitiesListEveryRowAndTheTotal) {
    const size_t from = text.find("5 Quantities");
    ASSERT_NE(from, std::string::npos);
    const std::vector<std::string> ws = words(text.substr(from));
    const Quantities q = computeQuantities(session.project);
    for (const RowQuantities& r : q.rows) {
        EXPECT_TRUE(hasWords(ws, r.row)) << r.row;
        EXPECT_TRUE(hasWords(ws, formatNumber(static_cast<float>(r.total.concrete)))) << r.row;
    }
    EXPECT_TRUE(hasWords(ws, formatNumber(static_cast<float>(q.total.steel))));
}

} // namespace
} // namespace ormevak
