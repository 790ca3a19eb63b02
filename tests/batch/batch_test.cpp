// The batch tool as its users call it: arguments, exit statuses, messages, actions and files.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "batch_run.h"

namespace fs = std::filesystem;

namespace {

using ormevak::testing::Outcome;
using ormevak::testing::slurp;

class BatchTool : public ormevak::testing::BatchRun {};

const std::string kBase = "office.ANL --sbc 200 --depth 1.5";

} // namespace

TEST_F(BatchTool, runsTheExampleAndPrintsTheSchedule) {
    Outcome r = run(kBase + " --schedule");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("GRP  NO's  Size  Depth  Peda  NetP", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nF1 "), std::string::npos);
    // Nothing is written beside the analysis file without --save-layout.
    EXPECT_FALSE(fs::exists(dir / "office.SCR"));
}

TEST_F(BatchTool, jsonCarriesCaptionsAndModel) {
    Outcome r = run(kBase + " --json -");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part :
         {"\"analysisFile\":\"office.ANL\"", "\"unitFactor\":1000",
          "\"supports\":\"SUPPORT REACTIONS :   30\"", "\"loadCases\":\"LOAD CASES :   8\"",
          "\"grades\":\"Fck 20     Fe 415 N/mm2\"",
          "\"main\":\"Fck  20 Fy  415   SBC  200 Earth Pressure : 30\"", "\"earthPressure\":30",
          "\"allowableBearing\":[200,250,", "\"loadCaseCount\":7", "\"betaMembers\":[1,2,3,30]",
          "\"designRows\":[{\"row\":1", "\"messages\":[]"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
}

TEST_F(BatchTool, usageErrorsExitWithTwoBeforeAnyWork) {
    struct Case {
        std::string args;
        std::string says;
    };
    for (const Case& c :
         {Case{"office.ANL --depth 1.5", "--sbc is required"},
          Case{"office.ANL --sbc 200", "--depth is required"},
          Case{"--sbc 200 --depth 1.5", "no analysis file"},
          Case{kBase + " --frobnicate", "unknown option --frobnicate"},
          Case{"office.ANL --sbc Select --depth 1.5", "--sbc"},
          Case{"office.ANL --sbc 1001 --depth 1.5", "--sbc: the SBC must lie between 50 and 1000"},
          Case{"office.ANL --sbc 40000 --depth 1.5", "too large"},
          Case{"office.ANL --sbc 200 --depth 6.1", "--depth: the depth must lie between 0 and 6"},
          Case{"office.ANL --sbc 200 --depth x", "--depth"},
          Case{kBase + " --actions missing.txt", "cannot open the action script"},
          Case{"missing.ANL --sbc 200 --depth 1.5", "cannot open the analysis file missing.ANL"}}) {
        Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
    }
}

TEST_F(BatchTool, actionLineThatCannotBeReadNamesItsLine) {
    write("steps.txt", "# a comment\n\nrefresh\nwheel 1 +2\n");
    Outcome r = run(kBase + " --actions steps.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 4: wheel 1 +2"), std::string::npos) << r.err;
    write("steps.txt", "select 999\n");
    r = run(kBase + " --actions steps.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 1: select 999: there is no footing 999"), std::string::npos)
        << r.err;
}

TEST_F(BatchTool, inputPhaseEndingExitsWithOneAndItsMessage) {
    write("bad.ANL", "   1. UNIT FEET KIP\n");
    Outcome r = run("bad.ANL --sbc 200 --depth 1.5");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "message:  Units Should be Meter or mm \n"); // the text exactly, blanks kept
    write("empty.ANL", "");
    r = run("empty.ANL --sbc 200 --depth 1.5");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "message: empty.ANL does not look like an analysis output: no joint "
                     "coordinates found\n");
}

TEST_F(BatchTool, messagesGoToStandardErrorAndTheJson) {
    write("steps.txt", "nudge-group 10\nnudge-group 10\ntoggle-group 1\n");
    // Nudging the largest group below its formed side leaves footings without a group.
    Outcome r = run(kBase + " --actions steps.txt --json out.json");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string json = slurp(dir / "out.json");
    EXPECT_NE(json.find("\"messages\":["), std::string::npos);
    if (r.err.find("message: ") != std::string::npos) {
        const size_t at = r.err.find("message: ") + 9;
        const std::string first = r.err.substr(at, r.err.find('\n', at) - at);
        EXPECT_NE(json.find(first), std::string::npos);
    }
}

TEST_F(BatchTool, combineOnABandWithoutTwoColumnsSaysHowManyItHolds) {
    // The first band lies off the plan; the second holds the three supports along X = 0 at
    // Z = 0, 5000 and 10000 mm of the example frame.
    write("steps.txt", "combine -9000 -9000 -8000 -8000\ncombine -100 -100 100 10100\n");
    Outcome r = run(kBase + " --actions steps.txt --json out.json");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string json = slurp(dir / "out.json");
    EXPECT_NE(json.find("\"messages\":[\"Combine takes exactly two columns; the band holds 0.\","
                        "\"Combine takes exactly two columns; the band holds 3.\"]"),
              std::string::npos)
        << json;
    EXPECT_NE(r.err.find("message: Combine takes exactly two columns; the band holds 3.\n"),
              std::string::npos)
        << r.err;
}

TEST_F(BatchTool, wheelResizesAndRecordsTheSizeLabel) {
    write("steps.txt", "wheel 1 +1\nwheel 1 +1\n");
    Outcome r = run(kBase + " --actions steps.txt --json out.json");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string json = slurp(dir / "out.json");
    EXPECT_NE(json.find("{\"index\":1,\"jointNo\":1,\"state\":-1,"), std::string::npos)
        << json.substr(0, 400);
    EXPECT_NE(json.find("\"sizeLabel\":\"1.4 X "), std::string::npos);
}

TEST_F(BatchTool, saveLayoutWritesBesideTheAnalysisFileAndIsReadBack) {
    write("steps.txt", "offset 1 right\noffset 2 down\noffset 3 left\n");
    Outcome r = run(kBase + " --actions steps.txt --save-layout");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string layout = slurp(dir / "office.SCR");
    EXPECT_EQ(layout.substr(0, 7), " 3 2 1 ");
    EXPECT_EQ(layout.substr(layout.find("\r\n") + 2, 5), "\r 5 6");
    r = run(kBase + " --json -");
    ASSERT_EQ(r.status, 0);
    // Offsets come back and move the centres as the column node window shows them.
    EXPECT_NE(
        r.out.find("\"index\":1,\"jointNo\":1,\"state\":0,\"groupIndex\":1,\"markNo\":1,\"x\":35,"
                   "\"z\":0,\"nodeX\":0,\"nodeZ\":0,\"offX\":1,\"offZ\":0"),
        std::string::npos)
        << r.out.substr(0, 2000);
}

// Joint 1 pulls in case 1: the message names the joint, the detail window shows the pull as
// read, the footing is sized as before (the case taken as 1 kN) and no schedule text is
// negative.
TEST_F(BatchTool, aPullingColumnIsShownAsReadAndSizedAsOneKilonewton) {
    std::string analysis = slurp(dir / "office.ANL");
    const std::string plain = run(kBase + " --json -").out;
    const auto at = analysis.find("    217.56");
    ASSERT_NE(at, std::string::npos);
    analysis.replace(at, 10, "    -79.41");
    write("office.ANL", analysis);
    write("steps.txt", "details 1\n");
    Outcome r = run(kBase + " --actions steps.txt --json -");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("message: Check JOINT : 1    LOAD : 1    FORCE-Y = -79.41\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("\"LabPbyA\":\"-79.41\""), std::string::npos);
    const auto footing1 = [](const std::string& json) {
        const auto from = json.find("{\"index\":1,");
        return json.substr(from, json.find('}', from) - from);
    };
    const std::string sized = footing1(r.out);
    EXPECT_NE(sized.find("\"reqSide\":"), std::string::npos);
    // Case 1 did not govern: the other cases size the footing exactly as before.
    EXPECT_EQ(sized, footing1(plain));
    const auto rows = r.out.find("\"designRows\"");
    ASSERT_NE(rows, std::string::npos);
    const std::string design = r.out.substr(rows, r.out.find("\"details\"") - rows);
    EXPECT_EQ(design.find(":\"-"), std::string::npos) << design;
}

TEST_F(BatchTool, analysisFileIsNeverWritten) {
    const std::string before = slurp(dir / "office.ANL");
    write("steps.txt", "combine -100 -100 4300 100\ndesign\ndepth 1 0.9\n");
    Outcome r = run(kBase + " --actions steps.txt --save-layout --json out.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(dir / "office.ANL"), before);
}
