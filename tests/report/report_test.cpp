// The calculation report's content: the worked example step by step against a hand
// calculation, the clauses, the schedule's own numbers, the checks with failures first.
#include "report/report.h"

#include <optional>

#include <gtest/gtest.h>

#include "checks/check_frames.h"
#include "design/design.h"
#include "design/schedule.h"
#include "design/section.h"
#include "design/shear_table.h"
#include "support/recording_prompts.h"

namespace ormevak {
namespace {

using report::Block;
using report::BlockKind;
using report::Content;
using report::Table;

report::Inputs someInputs() {
    report::Inputs in;
    in.analysis.name = "frame.ANL";
    in.analysis.modified = "2026-01-02 03:04 UTC";
    in.analysis.size = 1234;
    in.analysis.sha256 = std::string(64, 'a');
    in.programVersion = "9.8.7";
    in.runDate = "2026-05-06 07:08 UTC";
    return in;
}

// The blocks under heading `title` up to the next heading of the same or a higher level.
std::vector<Block> section(const Content& c, const std::string& title) {
    std::vector<Block> out;
    int level = 0;
    for (const Block& b : c.blocks) {
        if (level == 0) {
            if (b.kind == BlockKind::Heading && b.text == title) level = b.level;
            continue;
        }
        if (b.kind == BlockKind::Heading && b.level <= level) break;
        out.push_back(b);
    }
    return out;
}

std::optional<Table> tableStartingWith(const std::vector<Block>& blocks,
                                       const std::string& heading) {
    for (const Block& b : blocks)
        if (b.kind == BlockKind::Table && !b.table.headings.empty() &&
            b.table.headings[0] == heading)
            return b.table;
    return std::nullopt;
}

// The steps of a schedule row: step name -> every (formula, result) row of that name, in order.
struct Step {
    std::string formula, result, unit, clause;
};
std::vector<Step> steps(const Table& t, const std::string& name) {
    std::vector<Step> out;
    for (const auto& row : t.rows)
        if (row[0] == name) out.push_back({row[1], row[2], row[3], row[4]});
    return out;
}
// The result of the last step whose name starts with `prefix` (the loop's last pass).
std::string lastResult(const Table& t, const std::string& prefix) {
    std::string out = "(none)";
    for (const auto& row : t.rows)
        if (row[0].rfind(prefix, 0) == 0) out = row[2];
    return out;
}
std::string result(const Table& t, const std::string& name) {
    const auto s = steps(t, name);
    return s.size() == 1 ? s[0].result : "(" + std::to_string(s.size()) + " steps)";
}

// One square footing, L 1.2, a 0.3, fck 20, fy 415, 10 mm bars, FY 144 kN: qmax 100 kN/m2.
Project workedExample() {
    Project p = testing::checkFrame(1, 1);
    testing::load(p, 1, 0, 144.0f);
    GroupRecord g;
    g.baseSize = g.size = 1.2f;
    g.pedestal = 0.3f;
    g.barDia = 10;
    g.nosCount = 1;
    g.footingNos = {0, 1};
    g.groupNo = 1;
    p.groups.push_back(g);
    p.groupEnabled.push_back(1);
    p.groupCount = 1;
    p.footings[1].groupIndex = 1;
    p.footings[1].lenL = p.footings[1].widB = 1.2f;
    p.footings[1].reqSide = 1.2f;
    testing::RecordingPrompts prompts;
    runDesign(p, prompts);
    return p;
}

TEST(ReportContent, workedExampleShowsEveryStepOfTheHandCalculation) {
    const Project p = workedExample();
    ASSERT_EQ(p.designRowCount, 1);
    const Content c = report::buildReport(p, someInputs());
    const auto blocks = section(c, "Schedule row F1");
    const std::optional<Table> s = tableStartingWith(blocks, "Step");
    ASSERT_TRUE(s);

    // qmax = FY / L^2 = 144 / 1.44 = 100 kN/m2 (no moments); q = Round(100 + 0.49) = 100.
    // L is the Single 1.2, a hair above 1.2, so the quotient the design takes is 99.99999.
    EXPECT_EQ(result(*s, "Net upward pressure"), "99.99999");
    EXPECT_EQ(result(*s, "Design pressure"), "100");
    // c = (1.2 - 0.3) / 2 = 0.45 m.
    EXPECT_EQ(result(*s, "Cantilever at the pedestal face"), "0.45");
    EXPECT_EQ(steps(*s, "Cantilever at the pedestal face")[0].formula,
              "c = (L - a)/2 = (1.2 - 0.3)/2");
    // Mu = 0.45 x (1.5 x 100 x 1.2 x 0.45) / 2 = 0.45 x 81 / 2 = 18.225 -> 18.22 (ties to even
    // on the binary value just below).
    EXPECT_EQ(result(*s, "Factored moment"), "18.22");
    EXPECT_EQ(steps(*s, "Factored moment")[0].clause, "34.2.3.1, Table 18");
    // d0 = sqrt(18.22 / (0.138 x 20 x 1.2 x 1000)) = sqrt(0.005501) = 0.0742 -> 0.07 m.
    EXPECT_EQ(result(*s, "Balanced depth"), "0.07");
    // m = Round((70 + 60) / 50 + 0.49) = Round(3.09) = 3; d = (150 - 60) / 1000 = 0.09, raised
    // to the least 0.19 m.
    EXPECT_EQ(result(*s, "Overall depth in 50 mm steps"), "3");
    EXPECT_EQ(result(*s, "Effective depth"), "0.19");
    EXPECT_NE(steps(*s, "Effective depth")[0].formula.find("raised to the least 0.19"),
              std::string::npos);
    // Mu/bd2 = 18.22 / (1.2 x 0.19^2 x 1000) = 18.22 / 43.32 = 0.4206 -> 0.42 N/mm2.
    EXPECT_EQ(result(*s, "Mu/bd2"), "0.42");
    // pt = 50 x 20 / 415 x (1 - sqrt(1 - 4.6 x 0.42 / 20)) = 2.4096 x (1 - sqrt(0.9034))
    //    = 2.4096 x 0.04953 = 0.1193 -> 0.12 %, raised to the minimum 0.2 %.
    EXPECT_EQ(result(*s, "Steel percentage"), "0.12");
    EXPECT_EQ(result(*s, "Minimum steel"), "0.2");
    // V1 = (0.45 - 0.19) x 1.5 x 100 x 1.2 = 0.26 x 180 = 46.8 -> 47 kN.
    EXPECT_EQ(result(*s, "One-way shear force"), "47");
    // tv1 = 47 x 1000 / (1.2 x 0.19 x 10^6) = 47000 / 228000 = 0.206 -> 0.21 N/mm2.
    EXPECT_EQ(result(*s, "One-way shear stress"), "0.21");
    // tc1 at pt 0.2, M20: halfway between 0.28 (pt 0.15) and 0.36 (pt 0.25) = 0.32 N/mm2.
    EXPECT_EQ(result(*s, "Shear strength"), "0.32");
    // V2 = (1.2^2 - (0.3 + 0.19)^2) x 1.5 x 100 = (1.44 - 0.2401) x 150 = 179.985, + 0.49 and
    // rounded: 180 kN.
    EXPECT_EQ(result(*s, "Punching shear force"), "180");
    // tv2 = 180 x 1000 / (4 x 0.49 x 0.19 x 10^6) = 180000 / 372400 = 0.483 -> 0.48 N/mm2.
    EXPECT_EQ(result(*s, "Punching shear stress"), "0.48");
    // tc2 = 0.25 x sqrt(20) = 1.118 -> 1.12 N/mm2.
    EXPECT_EQ(result(*s, "Punching shear strength"), "1.12");
    // One pass: both shears pass at d = 0.19.
    EXPECT_TRUE(steps(*s, "Depth increased").empty());
    // Ast = 0.2 x 1.2 x 0.19 x 10000 = 456 mm2; D = 0.19 + 0.06 = 0.25 m.
    EXPECT_EQ(result(*s, "Steel area"), "456");
    EXPECT_EQ(result(*s, "Overall depth"), "0.25");
    // n = Int(456 / (22/28 x 100) + 0.49) = Int(5.804 + 0.49) = 6 bars;
    // s = (1.2 - 0.12) / (6 - 1) x 1000 = 216 mm.
    EXPECT_EQ(result(*s, "Number of bars"), "6");
    EXPECT_EQ(result(*s, "Bar spacing"), "216");
}

TEST(ReportContent, everyDepthIncreaseIsShownWithItsReason) {
    // L 2.0, a 0.4, FY 1200 (q 300): d starts at 0.24 and one-way shear deepens it nine times
    // in 25 mm steps to 0.465 (D 0.525), as the schedule shows.
    Project p = testing::checkFrame(1, 1);
    testing::load(p, 1, 0, 1200.0f);
    GroupRecord g;
    g.baseSize = g.size = 2.0f;
    g.pedestal = 0.4f;
    g.barDia = 12;
    g.nosCount = 1;
    g.footingNos = {0, 1};
    p.groups.push_back(g);
    p.groupEnabled.push_back(1);
    p.groupCount = 1;
    p.footings[1].groupIndex = 1;
    testing::RecordingPrompts prompts;
    runDesign(p, prompts);
    ASSERT_EQ(p.designRowTexts[1][col::TxtDepth], "0.525");

    const Content c = report::buildReport(p, someInputs());
    const std::optional<Table> s = tableStartingWith(section(c, "Schedule row F1"), "Step");
    ASSERT_TRUE(s);
    const auto deeper = steps(*s, "Depth increased");
    ASSERT_EQ(deeper.size(), 9u);
    EXPECT_EQ(deeper.front().result, "0.265");
    EXPECT_EQ(deeper.back().result, "0.465");
    for (const Step& st : deeper)
        EXPECT_EQ(st.formula.rfind("one-way shear fails: tau-v", 0), 0u) << st.formula;
    EXPECT_EQ(result(*s, "Overall depth"), "0.525");
    EXPECT_EQ(result(*s, "Steel area"), p.designRowTexts[1][col::LabAst]);
}

TEST(ReportContent, aRowDeepenedInTheScheduleIsTracedFromTheDepthEntered) {
    Project p = workedExample();
    editDepth(p, 1, "0.4");
    ASSERT_EQ(p.designRowTexts[1][col::TxtDepth], "0.4");
    const Content c = report::buildReport(p, someInputs());
    const std::optional<Table> s = tableStartingWith(section(c, "Schedule row F1"), "Step");
    ASSERT_TRUE(s);
    // d = 0.4 - 0.06 = 0.34 m; Ast = 0.2 x 1.2 x 0.34 x 10^4 = 816 mm2.
    EXPECT_EQ(result(*s, "Depth kept from the schedule"), "0.34");
    EXPECT_EQ(result(*s, "Steel area"), "816");
    EXPECT_EQ(p.designRowTexts[1][col::LabAst], "816");
}

TEST(ReportContent, eachRowShowsTheSchedulesTextsAndItsFinalStepsEqualThem) {
    Project p = testing::checkFrame(3, 2);
    testing::load(p, 1, 0, 500, 10, 20);
    testing::load(p, 1, 1, 650, -30, 5);
    testing::load(p, 2, 0, 900, 0, 0);
    testing::load(p, 2, 1, 820, 44, 0);
    testing::load(p, 3, 0, 1500, 12, 12);
    testing::load(p, 3, 1, 1400, 0, 70);
    const float sides[3] = {1.7f, 2.1f, 2.6f};
    for (int f = 1; f <= 3; ++f) {
        GroupRecord g;
        g.baseSize = g.size = sides[f - 1];
        g.pedestal = 0.45f;
        g.barDia = 12;
        g.nosCount = 1;
        g.footingNos = {0, f};
        p.groups.push_back(g);
        p.groupEnabled.push_back(1);
        p.footings[static_cast<size_t>(f)].groupIndex = f;
    }
    p.groupCount = 3;
    testing::RecordingPrompts prompts;
    runDesign(p, prompts);
    ASSERT_EQ(p.designRowCount, 3);
    const Content c = report::buildReport(p, someInputs());
    for (int n = 1; n <= 3; ++n) {
        const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
        const auto blocks = section(c, "Schedule row F" + std::to_string(n));
        const std::optional<Table> shown = tableStartingWith(blocks, "GRP");
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->rows.at(0), std::vector<std::string>(t.begin(), t.end()));
        const std::optional<Table> s = tableStartingWith(blocks, "Step");
        ASSERT_TRUE(s);
        EXPECT_EQ(result(*s, "Design pressure"), t[col::LabNetP]);
        EXPECT_EQ(result(*s, "Cantilever at the pedestal face"), t[col::LabCant]);
        EXPECT_EQ(result(*s, "Factored moment"), t[col::LabMu]);
        EXPECT_EQ(lastResult(*s, "Mu/bd2"), t[col::LabMuBdd]);
        EXPECT_EQ(lastResult(*s, "Minimum steel").empty(), false);
        EXPECT_EQ(lastResult(*s, "One-way shear force"), t[col::LabSF1]);
        EXPECT_EQ(lastResult(*s, "One-way shear stress"), t[col::LabSS1]);
        EXPECT_EQ(lastResult(*s, "Shear strength"), t[col::LabPS1]);
        EXPECT_EQ(lastResult(*s, "Punching shear force"), t[col::LabSF2]);
        EXPECT_EQ(lastResult(*s, "Punching shear stress"), t[col::LabSS2]);
        EXPECT_EQ(lastResult(*s, "Punching shear strength"), t[col::LabPS2]);
        EXPECT_EQ(result(*s, "Steel area"), t[col::LabAst]);
        EXPECT_EQ(result(*s, "Overall depth"), t[col::TxtDepth]);
        EXPECT_EQ(result(*s, "Number of bars"), t[col::LabRods]);
        EXPECT_EQ(result(*s, "Bar spacing"), t[col::LabSpace]);
    }
}

TEST(ReportContent, namesTheClausesOfEveryStep) {
    const std::string text = report::plainText(report::buildReport(workedExample(), someInputs()));
    for (const char* clause :
         {"34.2.3.1", "34.2.3.2", "Annex G-1.1(b)", "Annex G-1.1(c)", "34.2.4.1(a)",
          "40.2.1, Table 19", "31.6.1", "31.6.3.1", "Table 18", "26.5.2.1", "26.3.3(b)"})
        EXPECT_NE(text.find(clause), std::string::npos) << clause;
}

TEST(ReportContent, coverNamesTheFileTheProgramTheSoilAndTheAssumptions) {
    const std::string text = report::plainText(report::buildReport(workedExample(), someInputs()));
    for (const char* s :
         {"frame.ANL", "2026-01-02 03:04 UTC", "1234 bytes",
          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ORMEVAK 9.8.7",
          "2026-05-06 07:08 UTC", "service loads", "10 % to the vertical reaction", "1.25 x SBC",
          "load factor of 1.5", "at least 0.2 %", "cover to the centre of the bars is 60 mm",
          "0.40 m for a side up to 1.4 m", "takes the lower column",
          "M40 and above take the M40 column", "below M15 is not designed"})
        EXPECT_NE(text.find(s), std::string::npos) << s;
}

TEST(ReportContent, aPullingCaseIsShownAsReadAndSizedAsOneKn) {
    Project p = testing::checkFrame(1, 2);
    testing::load(p, 1, 0, 300);
    testing::load(p, 1, 1, -79.41f);
    p.sizedAsOneKn = {0, 0b10};
    p.footings[1].reqSide = 1.3f;
    const Content c = report::buildReport(p, someInputs());
    const std::optional<Table> t = tableStartingWith(section(c, "2 Footing sizes"), "Footing");
    ASSERT_TRUE(t);
    ASSERT_EQ(t->rows.size(), 1u);
    // The first case governs (P = 1.1 x 300 = 330 kN against 200 kN/m2); the pulling one is
    // sized with P = 1 kN and never governs.
    EXPECT_EQ(t->rows[0][4], "1");
    EXPECT_EQ(t->rows[0][5], "300");
    EXPECT_EQ(t->rows[0][6], "330");
    // B solves 330 / B^2 = 200: B = sqrt(1.65) = 1.2845 m, corner pressure 200 kN/m2.
    EXPECT_EQ(t->rows[0][9], "1.2845");
    EXPECT_EQ(t->rows[0][10], "200");
}

TEST(ReportContent, aFailingCheckIsListedFirst) {
    // Footing 2 carries 200 kN with MX 300 kN m on a 2 x 2 m base: the eccentricity
    // 300 / (1.1 x 200) = 1.36 m is far outside the middle third (2 / 6 = 0.33 m) and beyond the
    // half side, so the base lifts off and overturns; footing 1 carries 400 kN centrally.
    Project p = testing::checkFrame(2, 1);
    testing::place(p, 1, 0, 0, 2, 2);
    testing::place(p, 2, 6000, 0, 2, 2);
    testing::load(p, 1, 0, 400);
    testing::load(p, 2, 0, 200, 300, 0);
    const Content c = report::buildReport(p, someInputs());
    const auto checks = section(c, "4 Checks");
    const std::optional<Table> failed = tableStartingWith(checks, "Severity");
    ASSERT_TRUE(failed);
    ASSERT_FALSE(failed->rows.empty());
    EXPECT_EQ(failed->rows[0][0], "error");
    bool warningSeen = false;
    for (const auto& row : failed->rows) {
        EXPECT_NE(row[2].find("footing 2"), std::string::npos) << row[2];
        if (row[0] == "warning") warningSeen = true;
        EXPECT_FALSE(warningSeen && row[0] == "error") << "an error after a warning";
    }
    const std::optional<Table> per = tableStartingWith(checks, "Footing");
    ASSERT_TRUE(per);
    ASSERT_EQ(per->rows.size(), 2u);
    EXPECT_EQ(per->rows[0][0], "2"); // the failing footing before the one that passed
    EXPECT_NE(per->rows[0][5].find("contact"), std::string::npos);
    EXPECT_EQ(per->rows[1][5], "none: passed");
}

TEST(ReportContent, utilisationIsValueOverLimit) {
    const Project p = workedExample();
    const Content c = report::buildReport(p, someInputs());
    const std::optional<Table> rows =
        tableStartingWith(section(c, "Strength checks of the schedule rows"), "Row");
    ASSERT_TRUE(rows);
    // One-way: 0.21 / 0.32 = 0.656 -> 0.66; punching 0.48 / 1.12 = 0.43; Mu/bd2 0.42 against
    // 0.138 x 20 = 2.76: 0.15.
    ASSERT_EQ(rows->rows.size(), 3u);
    EXPECT_EQ(rows->rows[0][4], "0.66");
    EXPECT_EQ(rows->rows[1][4], "0.43");
    EXPECT_EQ(rows->rows[2][3], "2.76");
    EXPECT_EQ(rows->rows[2][4], "0.15");
    for (const auto& r : rows->rows) EXPECT_EQ(r[5], "passes");
}

TEST(ReportContent, aRowRefusedForItsSideSaysWhy) {
    Project p = workedExample();
    p.designRows[1].pedestal = 1.5f;
    p.designRowTexts[1] = RowTexts{};
    p.designRowTexts[1][col::LabF1] = "F1";
    const std::string text = report::plainText(report::buildReport(p, someInputs()));
    EXPECT_NE(text.find("This row is not designed: Schedule row F1: the footing side 1.2 m is not "
                        "larger than the pedestal 1.5 m"),
              std::string::npos);
}

} // namespace
} // namespace ormevak

namespace ormevak {
namespace {

TEST(SectionTrace, recordingTheStepsChangesNoNumber) {
    Project p = testing::checkFrame(1, 1);
    for (const float L : {1.2f, 1.7f, 2.0f, 2.6f, 3.3f})
        for (const float q : {90.0f, 203.0f, 300.0f, 451.0f})
            for (const auto rules : {section::Rules::Design, section::Rules::Schedule}) {
                const float a = 0.45f;
                section::Trace trace;
                const section::Bending plain = section::bending(L, a, q, 20);
                const section::Bending traced = section::bending(L, a, q, 20, &trace);
                EXPECT_EQ(plain.c, traced.c);
                EXPECT_EQ(plain.Mu, traced.Mu);
                EXPECT_EQ(plain.d, traced.d);
                const section::Checks k1 =
                    section::depthLoop(p, L, a, q, plain.c, plain.Mu, plain.d, rules);
                const section::Checks k2 =
                    section::depthLoop(p, L, a, q, plain.c, plain.Mu, plain.d, rules, &trace);
                EXPECT_EQ(k1.d, k2.d);
                EXPECT_EQ(k1.pt, k2.pt);
                EXPECT_EQ(k1.tv1, k2.tv1);
                EXPECT_EQ(k1.tc1, k2.tc1);
                EXPECT_EQ(k1.tv2, k2.tv2);
                // One recorded pass per pass of the loop, the last one the result.
                ASSERT_FALSE(trace.passes.empty());
                EXPECT_EQ(trace.passes.back().d, k2.d);
                EXPECT_EQ(trace.passes.back().V1, k2.V1);
                EXPECT_TRUE(trace.passes.back().punching);
                for (size_t i = 1; i < trace.passes.size(); ++i)
                    EXPECT_FLOAT_EQ(trace.passes[i].d, trace.passes[i - 1].d + 0.025f);
            }
}

} // namespace
} // namespace ormevak
