// The analysis file reader: markers, positions, units, ranges, reactions, grades and endings.
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "model/analysis_reader.h"
#include "support/recording_prompts.h"

using namespace ormevak;
using ormevak::testing::RecordingPrompts;

namespace {

struct FileSections {
    std::string unit = "   2. UNIT METER KN";
    std::string joints = "   3. JOINT COORDINATES\n"
                         "   4. 1 0 0 0; 2 4.5 0 0; 3 0 3 0; 4 4.5 3 0\n";
    std::string members = "   5. MEMBER INCIDENCES\n"
                          "   6. 1 1 3; 2 4 2; 3 3 4\n";
    std::string between = "   7. CONSTANTS\n";
    std::string reactions =
        "  SUPPORT REACTIONS -UNIT KN   METE      STRUCTURE TYPE = SPACE\n"
        "  -----------------\n"
        "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z\n"
        "\n"
        "      1    1     -3.14    149.06     -1.67     -4.14     -0.19      3.18\n"
        "           2      1.18     41.30      0.72     -2.92     -0.05     -1.35\n"
        "\n"
        "      2    1      1.68    251.44      2.16     -6.89      0.02     -0.21\n"
        "           2     -0.05    106.22     -1.19     -2.38      0.03     -2.43\n";
    std::string end = " ************** END OF LATEST ANALYSIS RESULT **************\n";
    std::string design = "  20. START CONCRETE DESIGN\n"
                         "  21. UNIT MMS NEWTON\n"
                         "  22. FYMAIN 415 ALL\n"
                         "  23. FC 25 ALL\n";
    std::string blocks;

    std::string text() const {
        return "   1. STAAD SPACE TEST\n" + unit + "\n" + joints + members + between + reactions +
               end + design + blocks;
    }
};

std::string columnBlock(int member, const char* d3, const char* d4) {
    return std::string("                  C O L U M N   N O. ") + std::to_string(member) +
           "  D E S I G N   R E S U L T S\n"
           "          LENGTH:  3000.0 mm  CROSS SECTION: " +
           d3 + " mm X " + d4 + " mm  COVER: 40.0 mm\n";
}

struct Read {
    Project p;
    RecordingPrompts prompts;
    std::optional<InputFailure> failure;
};

std::unique_ptr<Read> read(const std::string& text) {
    auto r = std::make_unique<Read>();
    r->failure = readAnalysisText(r->p, "test.ANL", text, r->prompts);
    return r;
}

} // namespace

TEST(AnalysisReader, metresAreStoredAsMillimetres) {
    auto r = read(FileSections{}.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.inputUnitFactor, 1000);
    EXPECT_EQ(r->p.jointCount, 4);
    EXPECT_EQ(r->p.joints[2][0], 2);
    EXPECT_EQ(r->p.joints[2][1], 4500);
    EXPECT_EQ(r->p.joints[3][2], 3000);
}

TEST(AnalysisReader, millimetresAreStoredAsRead) {
    FileSections parts;
    parts.unit = "   2. UNIT MMS NEWTON";
    parts.joints =
        "   3. JOINT COORDINATES\n   4. 1 0 0 0; 2 4500 0 0\n   5. 3 0 3000 0; 4 4500 3000 0\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.inputUnitFactor, 1);
    EXPECT_EQ(r->p.joints[4][1], 4500);
    EXPECT_EQ(r->p.joints[4][2], 3000);
}

TEST(AnalysisReader, negativeExponentValuesAreTakenAsZero) {
    FileSections parts;
    parts.joints = "   3. JOINT COORDINATES\n   4. 3 1.25E-03 0 2.\n";
    parts.members = "   5. MEMBER INCIDENCES\n   6. 1 3 3\n";
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n      3    1      0.00    100.00      "
                      "0.00      0.00      0.00      0.00\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.jointCount, 1);
    EXPECT_EQ(r->p.joints[1][0], 3);
    EXPECT_EQ(r->p.joints[1][1], 0);
    EXPECT_EQ(r->p.joints[1][2], 0);
    EXPECT_EQ(r->p.joints[1][3], 2000);
}

// The rebuilt line ends in a separator of its own; a blank after the last value must not turn
// that into a further (empty) value, which would start a spurious joint.
TEST(AnalysisReader, aNegativeExponentLineWithATrailingBlankGainsNoJoint) {
    FileSections parts;
    parts.joints = "   3. JOINT COORDINATES\n   4. 3 1.25E-03 0 2. \n   5. 4 1 0 2.\n";
    parts.members = "   6. MEMBER INCIDENCES\n   7. 1 3 4\n";
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n      3    1      0.00    100.00      "
                      "0.00      0.00      0.00      0.00\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.jointCount, 2);
    EXPECT_EQ(r->p.joints[2][0], 4);
    EXPECT_EQ(r->p.joints[2][1], 1000);
}

TEST(AnalysisReader, jointsRunAcrossLinesFourValuesAtATime) {
    FileSections parts;
    parts.joints = "   3. JOINT COORDINATES\n   4. 1 0 0 0; 2\n   5. 4.5 0 0\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.jointCount, 2);
    EXPECT_EQ(r->p.joints[2][1], 4500);
}

TEST(AnalysisReader, aCommandRightAfterTheMemberListIsReadAsMembers) {
    FileSections parts;
    parts.between = "   7. BETA 90 MEMB 1 TO 4\n   8. CONSTANTS\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.betaCount, 0);
    EXPECT_EQ(r->p.memberCount, 4); // 90, 1, 4 continue the list of members
    EXPECT_EQ(r->p.memberIncidence[4], (std::array<int32_t, 3>{90, 1, 4}));
}

TEST(AnalysisReader, betaRangesAreExpanded) {
    FileSections parts;
    parts.between =
        "   7. CONSTANTS\n   8. BETA 90 MEMB 1 TO 4 7 12 TO 14 -\n   9. 20 5\n  10. SUPPORTS\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    // The "-" continuing the command and the 5 standing last on its line are not read.
    EXPECT_EQ(std::vector<int32_t>(r->p.betaMembers.begin() + 1, r->p.betaMembers.end()),
              (std::vector<int32_t>{1, 2, 3, 4, 7, 12, 13, 14, 20}));
}

TEST(AnalysisReader, singleDigitAtTheEndOfABetaLineIsNotRead) {
    FileSections parts;
    parts.between = "   7. CONSTANTS\n   8. BETA 90 MEMB 9\n   9. BETA 90 MEMB 2 TO 3\n"
                    "  10. BETA 90 MEMB 7 TO 8 12\n  11. SUPPORTS\n  12. BETA 90 MEMB 5 6 11\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    // Line 8 yields nothing; line 10 ends the command of line 9 and is consumed unread;
    // line 12 is a command of its own.
    EXPECT_EQ(std::vector<int32_t>(r->p.betaMembers.begin() + 1, r->p.betaMembers.end()),
              (std::vector<int32_t>{2, 3, 5, 6, 11}));
}

TEST(AnalysisReader, betaColumnsHaveTheirDimensionsExchanged) {
    FileSections parts;
    parts.between = "   7. CONSTANTS\n   8. BETA 90 MEMB 1 TO 2 33\n";
    parts.blocks = columnBlock(1, "300.0", "450.0") + columnBlock(3, "300.0", "450.0") +
                   columnBlock(2, "230.0", "600.0");
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    ASSERT_EQ(r->p.columnCount, 3);
    EXPECT_EQ(r->p.columns[1], (std::array<int32_t, 5>{0, 1, 3000, 450, 300}));
    EXPECT_EQ(r->p.columns[2], (std::array<int32_t, 5>{0, 3, 3000, 300, 450}));
    EXPECT_EQ(r->p.columns[3], (std::array<int32_t, 5>{0, 2, 3000, 600, 230}));
}

TEST(AnalysisReader, reactionLinesGiveCasesAndCaptions) {
    FileSections parts;
    parts.reactions += "           3      0.1     50.00      0.00      1.00      0.00      2.00\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    const Project& p = r->p;
    EXPECT_EQ(p.supportCount(), 2);
    EXPECT_EQ(p.reaction(1, 0, reaction::JointNo), 1);
    EXPECT_EQ(p.reaction(1, 1, reaction::CaseNo), 2);
    EXPECT_FLOAT_EQ(p.reaction(1, 1, reaction::ForceY), 41.30f);
    EXPECT_FLOAT_EQ(p.reaction(1, 1, reaction::MomX), -2.92f);
    EXPECT_FLOAT_EQ(p.reaction(1, 1, reaction::MomZ), -1.35f);
    EXPECT_FLOAT_EQ(p.reaction(2, 2, reaction::ForceY), 50.0f);
    EXPECT_EQ(p.reaction(1, 2, reaction::CaseNo), 0); // support 1 has no third line
    EXPECT_EQ(p.supportsCaption, "SUPPORT REACTIONS :   2");
    EXPECT_EQ(p.loadCasesCaption, "LOAD CASES :   3");
}

// A number with an exponent reads whole, and the digits after its sign are read again as a number
// of their own: the values after it move one component on.
TEST(AnalysisReader, aReactionWithAnExponentShiftsTheValuesAfterIt) {
    FileSections parts;
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n"
                      "      1    1      1.00   1.5E+02      3.00      4.00      5.00      6.00\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.reaction(1, 0, reaction::ForceY), 150.0f);
    EXPECT_EQ(r->p.reaction(1, 0, reaction::MomX), 3.0f); // "02" took FORCE-Z's turn
    EXPECT_EQ(r->p.reaction(1, 0, reaction::MomZ), 5.0f);
}

TEST(AnalysisReader, aNumberFromColumnEightOnIsAFurtherCase) {
    FileSections parts;
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n"
                      "      7    1      1.00     10.00      0.00      0.00      0.00      0.00\n"
                      "       8   2      1.00     20.00      0.00      0.00      0.00      0.00\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.supportCount(), 1);
    EXPECT_EQ(r->p.reaction(1, 1, reaction::CaseNo),
              8); // the 8 in column 8 is read as the load case number
    EXPECT_EQ(r->p.loadCasesCaption, "LOAD CASES :   2");
}

TEST(AnalysisReader, gradesInKilonewtonUnitsAreDividedBy1000) {
    FileSections parts;
    parts.design = "  20. START CONCRETE DESIGN\n  21. FYMAIN 415000 ALL\n  22. FC 20000 ALL\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.concreteGrade, 20);
    EXPECT_EQ(r->p.steelGrade, 415);
    EXPECT_EQ(r->p.gradesCaption, "Fck 20     Fe 415 N/mm2");
}

TEST(AnalysisReader, missingGradeStaysZero) {
    FileSections parts;
    parts.design = "  20. START CONCRETE DESIGN\n  21. UNIT MMS NEWTON\n  22. FYMAIN 500 ALL\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    EXPECT_EQ(r->p.concreteGrade, 0);
    EXPECT_EQ(r->p.steelGrade, 500);
}

TEST(AnalysisReader, membersRunFromTheLowerEnd) {
    auto r = read(FileSections{}.text());
    ASSERT_FALSE(r->failure);
    // Member 2 was written from joint 4 (X 4.5, Y 3) down to joint 2 (X 4.5, Y 0).
    EXPECT_EQ(r->p.memberIncidence[2], (std::array<int32_t, 3>{2, 2, 4}));
    EXPECT_EQ(r->p.memberIncidence[3], (std::array<int32_t, 3>{3, 3, 4}));
}

TEST(AnalysisReader, beamBlocksAreReadUnrounded) {
    FileSections parts;
    parts.blocks =
        "                  B E A M  N O.    3   D E S I G N   R E S U L T S\n"
        "          LENGTH:  4500.5 mm       SIZE:  230.0 mm X  450.0 mm   COVER: 25.0 mm\n"
        "                  B E A M  N O.  ZERO\n"
        "          LENGTH:  100.0 mm       SIZE:  200.0 mm X  300.0 mm\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure);
    ASSERT_EQ(r->p.beamCount, 2);
    EXPECT_EQ(r->p.beams[1], (std::array<float, 5>{0, 3, 4500.5f, 230, 450}));
    ASSERT_EQ(r->prompts.messages.size(), 1u);
    EXPECT_EQ(r->prompts.messages[0], "                  B E A M  N O.  ZERO");
}

// The beam blocks are read beside the other readings; what they say still comes in the reading
// order: after the column blocks, before the reaction table.
TEST(AnalysisReader, beamBlocksSpeakInTheirTurn) {
    const std::string beams = "                  B E A M  N O.    0   D E S I G N   R E S U L T S\n"
                              "          LENGTH:  4500.5 mm       SIZE:  230.0 mm X  450.0 mm\n"
                              "                  B E A M  N O.    4   D E S I G N   R E S U L T S\n"
                              "          LENGTH:  4500.5 mm       SIZE:  230.0 mm X  1E39 mm\n";
    FileSections parts;
    parts.reactions += "      3    1      1E40      1.00      1.00      1.00      1.00      1.00\n";
    parts.blocks = columnBlock(1, "300.0", "450.0") + beams;
    // The header numbered 0 is shown, then the later block's error ends the reading; the
    // reaction table's own error comes after it and is never reached.
    auto r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_EQ(r->failure->message, "A beam dimension is out of range. The file was not read.");
    ASSERT_EQ(r->prompts.messages.size(), 1u);
    EXPECT_EQ(r->prompts.messages[0],
              "                  B E A M  N O.    0   D E S I G N   R E S U L T S");
    // A column block's error comes first: no beam block speaks.
    parts.blocks = "                  C O L U M N   N O.9999999999  D E S I G N   R E S U L T S\n"
                   "          LENGTH:  3000.0 mm  CROSS SECTION: 300.0 mm X 450.0 mm\n" +
                   beams;
    r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_EQ(r->failure->message, "A column member number is out of range for a 32-bit integer. "
                                   "The file was not read.");
    EXPECT_TRUE(r->prompts.messages.empty());
}

TEST(AnalysisReader, aFileEndingRightAfterABeamHeaderEndsTheBeamBlocks) {
    for (const char* number : {"7", "0"}) {
        FileSections parts;
        parts.blocks =
            std::string("                  B E A M  N O.    3   D E S I G N   R E S U L T S\n"
                        "          LENGTH:  4500.5 mm       SIZE:  230.0 mm X  450.0 mm\n"
                        "                  B E A M  N O.    ") +
            number + "   D E S I G N   R E S U L T S";
        auto r = read(parts.text());
        ASSERT_FALSE(r->failure) << r->failure->message;
        EXPECT_EQ(r->p.beamCount, 2) << number;
        // A header numbered 0 is shown once, not once per block up to the table's limit.
        EXPECT_EQ(r->prompts.messages.size(), number[0] == '0' ? 1u : 0u);
        parts.blocks += "\n";
        EXPECT_EQ(read(parts.text())->p.beamCount, 2) << "with a line end after the header";
    }
}

TEST(AnalysisReader, filesWithoutMarkersSayWhatWasNotFound) {
    const std::string whole = [] {
        std::ifstream in(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    std::string utf16 = "\xFF\xFE", crOnly = whole, garbage(5000, '\0');
    for (char c : whole.substr(0, 3000)) utf16 += std::string{c, '\0'};
    for (char& c : crOnly)
        if (c == '\n') c = '\r';
    std::mt19937 rng(11);
    for (char& c : garbage) c = static_cast<char>(rng() % 256);
    for (const std::string& text : {std::string(), utf16, crOnly, garbage}) {
        auto r = read(text);
        ASSERT_TRUE(r->failure);
        EXPECT_EQ(r->failure->message,
                  "test.ANL does not look like an analysis output: no joint coordinates found");
    }
}

TEST(AnalysisReader, onlyARegularFileIsRead) {
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("ormevak-reader-" + std::to_string(::getpid())))
            .string();
    std::filesystem::create_directories(dir + "/folder.ANL");
    ASSERT_EQ(::mkfifo((dir + "/pipe.ANL").c_str(), 0600), 0);
    for (const std::string name : {"/folder.ANL", "/pipe.ANL"}) {
        Project p;
        RecordingPrompts prompts;
        auto failure = readAnalysisFile(p, dir + name, prompts); // a FIFO must not wait
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->message, dir + name + " is not a file that can be read");
    }
    std::filesystem::remove_all(dir);
}

TEST(AnalysisReader, endingsAndTheirMessages) {
    struct Case {
        std::function<void(FileSections&)> change;
        const char* message;
    };
    const std::vector<Case> cases = {
        {[](FileSections& p) {
             p.unit = "   2. INPUT WIDTH 79";
             p.reactions = "";
             p.design = "";
         },
         "test.ANL does not look like an analysis output: no UNIT command found"},
        // The first "UNIT" is the design's: the joints before it are not looked at.
        {[](FileSections& p) {
             p.unit = "   2. INPUT WIDTH 79";
             p.reactions = "";
         },
         "test.ANL does not look like an analysis output: no joint coordinates found"},
        // The first "UNIT" of the file decides, even inside the reaction table's heading.
        {[](FileSections& p) { p.unit = "   2. INPUT WIDTH 79"; }, " Units Should be Meter or mm "},
        {[](FileSections& p) { p.unit = "   2. UNIT FEET KIP"; }, " Units Should be Meter or mm "},
        {[](FileSections& p) { p.joints = ""; },
         "test.ANL does not look like an analysis output: no joint coordinates found"},
        {[](FileSections& p) { p.members = ""; },
         "test.ANL does not look like an analysis output: no member incidences found"},
        {[](FileSections& p) { p.reactions = ""; }, " NO SUPPORT REACTIONS  (or) Units differ "},
        {[](FileSections& p) {
             p.reactions = "  SUPPORT REACTIONS -UNIT KIP  FEET\n      1    1  1 2 3 4 5 6\n";
         },
         " NO SUPPORT REACTIONS  (or) Units differ "},
        {[](FileSections& p) { p.design = ""; }, "NO START CONCRETE DESIGN"},
        // The readings after the reaction table may be done first; its ending still wins.
        {[](FileSections& p) {
             p.reactions = "";
             p.design = "";
         },
         " NO SUPPORT REACTIONS  (or) Units differ "},
    };
    for (const Case& c : cases) {
        FileSections parts;
        c.change(parts);
        auto r = read(parts.text());
        ASSERT_TRUE(r->failure) << c.message;
        EXPECT_EQ(r->failure->message, c.message);
        EXPECT_EQ(r->p.jointCount, 0) << "a failed read leaves no half-filled model";
    }
}

TEST(AnalysisReader, tablesBeyondTheirCapacityAreRefused) {
    FileSections parts;
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n      1    1      1.00     10.00      "
                      "0.00      0.00      0.00      0.00\n";
    for (int c = 2; c <= 37; ++c)
        parts.reactions += "           " + std::to_string(c) +
                           "      1.00     10.00      0.00      0.00      0.00      0.00\n";
    auto r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_NE(r->failure->message.find("reaction lines for one support"), std::string::npos);
    EXPECT_NE(r->failure->message.find("36"), std::string::npos);

    FileSections many;
    many.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n";
    for (int s = 1; s <= 1001; ++s)
        many.reactions += "   " + std::to_string(s) +
                          "    1      1.00     10.00      0.00      0.00      0.00      0.00\n";
    r = read(many.text());
    ASSERT_TRUE(r->failure);
    EXPECT_NE(r->failure->message.find("1000"), std::string::npos);

    FileSections wide;
    wide.joints = "   3. JOINT COORDINATES\n";
    for (int j = 1; j <= 301; ++j)
        wide.joints += "   4. " + std::to_string(j) + " " + std::to_string(j) + " 0 0\n";
    r = read(wide.text());
    ASSERT_TRUE(r->failure);
    EXPECT_NE(r->failure->message.find("300 distinct X"), std::string::npos);
}

TEST(AnalysisReader, unreadableFileEndsWithItsName) {
    Project p;
    RecordingPrompts prompts;
    auto failure = readAnalysisFile(p, "/nonexistent/dir/frame.ANL", prompts);
    ASSERT_TRUE(failure);
    EXPECT_EQ(
        failure->message,
        "Cannot open the analysis file /nonexistent/dir/frame.ANL: No such file or directory");
}

TEST(AnalysisReader, sampleFrameReadsAsTheProgramReadsIt) {
    Project p;
    RecordingPrompts prompts;
    auto failure = runInputPhase(p, ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", prompts);
    ASSERT_FALSE(failure) << failure->message;
    EXPECT_EQ(p.supportCount(), 30);
    EXPECT_EQ(p.loadCasesCaption, "LOAD CASES :   8");
    EXPECT_EQ(p.jointCount, 120);
    EXPECT_EQ(p.columnCount, 90);
    EXPECT_EQ(std::vector<int32_t>(p.betaMembers.begin() + 1, p.betaMembers.end()),
              (std::vector<int32_t>{1, 2, 3, 30}));
    EXPECT_EQ(p.footings[1].colIndex, 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(AnalysisReader, truncatedAndGarbageFilesEndCleanly) {
    const std::string whole = [] {
        std::ifstream in(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    for (size_t cut = 0; cut < whole.size(); cut += whole.size() / 97 + 1) {
        Project p;
        RecordingPrompts prompts;
        readAnalysisText(p, "cut.ANL", whole.substr(0, cut), prompts);
    }
    // Cut right after each beam header (with and without its line end): never the false
    // message of a full beam table.
    for (size_t at = whole.find("B E A M  N O."); at != std::string::npos;
         at = whole.find("B E A M  N O.", at + 1)) {
        const size_t lineEnd = whole.find('\n', at);
        for (size_t cut : {lineEnd, lineEnd + 1}) {
            Project p;
            RecordingPrompts prompts;
            auto failure = readAnalysisText(p, "cut.ANL", whole.substr(0, cut), prompts);
            EXPECT_FALSE(failure) << cut << ": " << failure->message;
        }
    }
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string text = whole.substr(0, 4000);
        for (int k = 0; k < 40; ++k) text[rng() % text.size()] = static_cast<char>(rng() % 256);
        Project p;
        RecordingPrompts prompts;
        readAnalysisText(p, "garbage.ANL", text, prompts);
    }
    SUCCEED();
}

TEST(AnalysisReader, reactionValuesBeyondASingleAreRefused) {
    FileSections parts;
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n"
                      "      1    1      1.00    1E9999      0.00      0.00      0.00      0.00\n";
    auto r = read(parts.text());
    ASSERT_TRUE(r->failure);
    // The line is quoted with its blanks made "*", as the numbers were read from it.
    EXPECT_EQ(r->failure->message,
              "A support reaction (******1****1******1.00****1E9999******0.00******0.00******0.00"
              "******0.00) is out of range. The file was not read.");
    parts.reactions = "  SUPPORT REACTIONS -UNIT KN   METE\n 1E999    1      1.00     10.00      "
                      "0.00      0.00      0.00      0.00\n";
    r = read(parts.text());
    ASSERT_TRUE(r->failure);
}

TEST(AnalysisReader, aLineOfOneMegabyteIsReadLikeAnyOther) {
    FileSections parts;
    parts.between = "   7. CONSTANTS\n" + std::string(1 << 20, 'X') + "\n   8. " +
                    std::string(1 << 20, '9') + "\n";
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure) << r->failure->message;
    EXPECT_EQ(r->p.supportCount(), 2);
}

TEST(AnalysisReader, jointAndMemberTablesOneBeyondTheirCapacityAreRefused) {
    FileSections parts;
    parts.joints = "   3. JOINT COORDINATES\n";
    for (int j = 1; j <= 12501; ++j)
        parts.joints += "   4. " + std::to_string(j) + " " + std::to_string(j % 250) + " 0 0\n";
    auto r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_NE(r->failure->message.find("more joints than the 12500"), std::string::npos)
        << r->failure->message;

    FileSections members;
    members.members = "   5. MEMBER INCIDENCES\n";
    for (int m = 1; m <= 15001; ++m) members.members += "   6. " + std::to_string(m) + " 1 3\n";
    r = read(members.text());
    ASSERT_TRUE(r->failure);
    EXPECT_NE(r->failure->message.find("more members than the 15000"), std::string::npos);
}

namespace {

// A reaction table of `supports` supports, support s with 1 + s % 4 load cases (FORCE-Y 100 s +
// the case, the case number from column 8 on for every third support, where it is still a case
// and starts no support), a page break every 50 lines; `line(s, c)` may put another line in a
// case's place.
std::string reactionTable(int supports,
                          const std::function<std::string(int, int)>& line = nullptr) {
    std::string table =
        "  SUPPORT REACTIONS -UNIT KN   METE      STRUCTURE TYPE = SPACE\n"
        "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z\n";
    int lines = 0;
    for (int s = 1; s <= supports; ++s) {
        for (int c = 1; c <= 1 + s % 4; ++c) {
            std::string own = line ? line(s, c) : std::string();
            if (own.empty()) {
                const std::string fy = std::to_string(100 * s + c) + ".00";
                own = (c == 1 ? "  " + std::string(5 - std::to_string(s).size(), ' ') +
                                    std::to_string(s) + "    "
                              : std::string(s % 3 == 0 ? 7 : 11, ' ')) +
                      std::to_string(c) + "      1.00    " + fy +
                      "      0.00      2.00      0.00 " + "     3.00";
            }
            table += own + "\n";
            if (++lines % 50 == 0) table += "\n   GENERATED FRAME      -- PAGE NO. 7\n\n";
        }
    }
    return table;
}

} // namespace

// The table is read in parts side by side: every support, case and caption is what reading it
// from the top gives, whichever part a support falls in.
TEST(AnalysisReader, aLongReactionTableReadsAsOneTable) {
    FileSections parts;
    parts.reactions = reactionTable(700);
    auto r = read(parts.text());
    ASSERT_FALSE(r->failure) << r->failure->message;
    const Project& p = r->p;
    ASSERT_EQ(p.supportCount(), 700);
    for (int s = 1; s <= 700; ++s) {
        ASSERT_EQ(p.reaction(s, 0, reaction::JointNo), s);
        for (int c = 1; c <= 1 + s % 4; ++c) {
            ASSERT_EQ(p.reaction(s, c - 1, reaction::CaseNo), c) << s;
            ASSERT_EQ(p.reaction(s, c - 1, reaction::ForceY), static_cast<float>(100 * s + c));
            ASSERT_EQ(p.reaction(s, c - 1, reaction::MomX), 2.0f);
            ASSERT_EQ(p.reaction(s, c - 1, reaction::MomZ), 3.0f);
        }
        ASSERT_EQ(p.reaction(s, 1 + s % 4, reaction::CaseNo), 0) << s;
    }
    EXPECT_EQ(p.supportsCaption, "SUPPORT REACTIONS :   700");
    EXPECT_EQ(p.loadCasesCaption, "LOAD CASES :   1"); // support 700 has 1 + 700 % 4 cases
}

// The first fault in the table's order is the one told, whichever part holds it: a value out of
// range before the 1001st support, or the count of supports when that support comes first.
TEST(AnalysisReader, aReactionTableStopsAtItsFirstFault) {
    const std::string outOfRange =
        "           2      1.00    1E9999      0.00      2.00      0.00      3.00";
    auto faultAt = [&](int where) {
        return [&, where](int s, int c) { return s == where && c == 2 ? outOfRange : ""; };
    };
    FileSections parts;
    parts.reactions = reactionTable(900, [&](int s, int c) {
        return (s == 150 || s == 850) && c == 2 ? outOfRange : std::string();
    });
    auto r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_EQ(r->failure->message,
              "A support reaction (***********2******1.00****1E9999******0.00******2.00******0.00"
              "******3.00) is out of range. The file was not read.");
    EXPECT_EQ(r->p.supportCount(), 0);

    // Support 999 is within the count: its value is the fault.
    parts.reactions = reactionTable(1001, faultAt(999));
    r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_NE(r->failure->message.find("A support reaction"), std::string::npos);

    // Support 1001 is one too many before its value is read.
    parts.reactions = reactionTable(1001, faultAt(1001));
    r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_EQ(r->failure->message, "The analysis file has more supports than the 1000 this "
                                   "program can hold. The file was not read.");

    // One support too many, no other fault.
    parts.reactions = reactionTable(1001);
    r = read(parts.text());
    ASSERT_TRUE(r->failure);
    EXPECT_EQ(r->failure->message, "The analysis file has more supports than the 1000 this "
                                   "program can hold. The file was not read.");
}
