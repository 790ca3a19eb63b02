// The batch tool's foundation drawing (--drawing, --dxf, --sheet) and the JSON's quantities.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "batch_run.h"

namespace fs = std::filesystem;

namespace {

using ormevak::testing::Outcome;
using ormevak::testing::slurp;

class DrawingOption : public ormevak::testing::BatchRun {};

const std::string kBase = "office.ANL --sbc 200 --depth 1.5";

TEST_F(DrawingOption, writesTheDrawingAsPdfAndDxf) {
    const Outcome r = run(kBase + " --drawing plan.pdf --dxf plan.dxf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(dir / "plan.pdf").rfind("%PDF", 0), 0u);
    const std::string dxf = slurp(dir / "plan.dxf");
    EXPECT_NE(dxf.find("$ACADVER\n1\nAC1009\n"), std::string::npos);
    EXPECT_NE(dxf.find("\n2\nFOOTINGS\n"), std::string::npos);
    EXPECT_EQ(dxf.substr(dxf.size() - 6), "0\nEOF\n");
    // A3 landscape unless asked otherwise: 420 x 297 mm = 1191 x 842 points.
    run("",
        "; pdfinfo '" + (dir / "plan.pdf").string() + "' > '" + (dir / "info.txt").string() + "'");
    EXPECT_NE(slurp(dir / "info.txt").find("1191 x 842 pts (A3)"), std::string::npos)
        << slurp(dir / "info.txt");
}

TEST_F(DrawingOption, drawsOnTheSheetAskedFor) {
    const Outcome r = run(kBase + " --sheet a1 --drawing plan.pdf");
    ASSERT_EQ(r.status, 0) << r.err;
    run("",
        "; pdfinfo '" + (dir / "plan.pdf").string() + "' > '" + (dir / "info.txt").string() + "'");
    EXPECT_NE(slurp(dir / "info.txt").find("(A1)"), std::string::npos) << slurp(dir / "info.txt");
    EXPECT_NE(slurp(dir / "info.txt").find("2384 x 1684 pts"), std::string::npos);
}

TEST_F(DrawingOption, refusesAnUnknownSheetAndOneFileForTwoOutputs) {
    Outcome r = run(kBase + " --sheet A4 --drawing plan.pdf");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--sheet: \"A4\" is not a sheet size (A3, A2 or A1)"), std::string::npos)
        << r.err;
    r = run(kBase + " --drawing plan.out --dxf plan.out");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--drawing plan.out and --dxf plan.out name the same file"),
              std::string::npos)
        << r.err;
    r = run(kBase + " --dxf office.ANL");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("would replace the analysis file"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "plan.out"));
    EXPECT_FALSE(fs::exists(dir / "plan.pdf"));
}

TEST_F(DrawingOption, jsonCarriesTheQuantitiesOfEveryRowAndTheirTotal) {
    const Outcome r = run(kBase + " --json -");
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t at = r.out.find("\"quantities\":{\"rows\":[{\"row\":\"F1\",\"count\":");
    ASSERT_NE(at, std::string::npos);
    // Sum of the rows' concrete against the total, read from the text.
    const std::string q = r.out.substr(at);
    const std::regex rowConcrete(
        "\\{\"row\":\"F[0-9]+\",\"count\":[0-9]+,\"concrete\":([0-9.e+-]+)");
    double sum = 0;
    int rows = 0;
    for (std::sregex_iterator it(q.begin(), q.end(), rowConcrete), end; it != end; ++it) {
        sum += std::stod((*it)[1].str());
        ++rows;
    }
    EXPECT_EQ(rows, 10); // office-frame at SBC 200: rows F1..F10
    std::smatch total;
    ASSERT_TRUE(std::regex_search(
        q, total,
        std::regex(
            "\"total\":\\{\"concrete\":([0-9.e+-]+),\"steel\":([0-9.e+-]+),\"excavation\":")));
    EXPECT_NEAR(std::stod(total[1].str()), sum, 1e-3);
}

} // namespace
