// The batch tool with resized and combined footings: their rows in the JSON and the schedule,
// and the row edits by mark.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "batch_run.h"

namespace fs = std::filesystem;

namespace {

using ormevak::testing::Outcome;
using ormevak::testing::slurp;

class DesignedRows : public ormevak::testing::BatchRun {
  protected:
    // The office example with `actions` as its script and further options.
    Outcome run(const std::string& actions, const std::string& options) {
        write("actions.txt", actions);
        return BatchRun::run(ormevak::testing::kOfficeBase + " --actions actions.txt " + options);
    }
};

// Footing 2 widened twice becomes R1; the band over footings 1 and 7 becomes C1.
const std::string kPlan = "wheel 2 +1\nwheel 2 +1\ncombine -100 -100 100 5100 ok\n";

} // namespace

TEST_F(DesignedRows, emptyArraysWhenNothingIsResizedOrCombined) {
    Outcome r = run("design\n", "--json -");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"rectRows\":[]"), std::string::npos);
    EXPECT_NE(r.out.find("\"combinedRows\":[]"), std::string::npos);
}

TEST_F(DesignedRows, rowsInTheJsonAndAfterTheSquareRowsOfTheSchedule) {
    Outcome r = run(kPlan + "design\n", "--json out.json --schedule");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string json = slurp(dir / "out.json");
    for (const char* part : {"\"rectRows\":[{\"row\":\"R1\",\"footing\":2,", "\"alongL\":{",
                             "\"alongB\":{", "\"bandBars\":", "\"endBars\":", "\"punching\":{",
                             "\"combinedRows\":[{\"row\":\"C1\",\"combined\":1,",
                             "\"muHog\":", "\"muSag\":", "\"top\":{", "\"bottom\":{",
                             "\"transverse\":[{", "\"oneWay\":{", "\"punching\":[{"})
        EXPECT_NE(json.find(part), std::string::npos) << part;
    const auto square = r.out.find("\nF1 ");
    const auto rect = r.out.find("\nR1 ");
    const auto comb = r.out.find("\nC1 ");
    ASSERT_NE(square, std::string::npos);
    ASSERT_NE(rect, std::string::npos);
    ASSERT_NE(comb, std::string::npos);
    EXPECT_LT(square, rect);
    EXPECT_LT(rect, comb);
}

TEST_F(DesignedRows, editsByMark) {
    Outcome r = run(kPlan + "design\ndepth R1 0.9\npedestal C1 0.5\ndia C1\n", "--json out.json");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string json = slurp(dir / "out.json");
    const auto rect = json.find("\"rectRows\"");
    const auto comb = json.find("\"combinedRows\"");
    ASSERT_NE(rect, std::string::npos);
    EXPECT_NE(json.find("\"TxtDepth\":\"0.9\"", rect), std::string::npos);
    EXPECT_NE(json.find("\"TxtPeda\":\"0.5\"", comb), std::string::npos);
    EXPECT_NE(json.find("\"LabGdia\":\"16\"", comb), std::string::npos); // 12 -> 16
}

TEST_F(DesignedRows, aRowThatIsNotThereNamesItsLine) {
    Outcome r = run("design\ndepth R2 1\n", "");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 2: depth R2 1: there is no schedule row R2 (the schedule has 0 R "
                         "rows)"),
              std::string::npos)
        << r.err;
    r = run("design\npedestal C4 0.5\n", "");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 2: pedestal C4 0.5: there is no schedule row C4"), std::string::npos)
        << r.err;
}
