// The project file: what is written, that it reads back to the same values, and the refusal of
// every kind of bad file with a message that names the file and the problem.
#include <csignal>
#include <sys/resource.h>

#include <nlohmann/json.hpp>

#include "project_fixture.h"

using namespace ormevak;
using namespace ormevak::testing;
using Json = nlohmann::ordered_json;

namespace {

class ProjectFile : public ProjectFolder {
  protected:
    std::string problemOf(const std::string& text) {
        spill(projectPath, text);
        try {
            readProjectFile(projectPath);
        } catch (const ProjectFileError& e) {
            return e.what();
        }
        return "no error";
    }
    std::string prefix() const { return "Cannot open the project " + projectPath + ": "; }
    Json savedJson() {
        Project p = edited();
        saveProject(p, soil, projectPath);
        return Json::parse(slurp(projectPath));
    }
};

} // namespace

TEST_F(ProjectFile, storesTheAnalysisRelativeToTheProjectWithItsDigest) {
    Json j = savedJson();
    EXPECT_EQ(j["format"], "ORMEVAK project");
    EXPECT_EQ(j["version"], 1);
    EXPECT_EQ(j["analysis"]["file"], "office.ANL");
    EXPECT_EQ(j["analysis"]["sha256"].get<std::string>().size(), 64u);
    EXPECT_EQ(j["soil"]["depth"], "1.5");
    EXPECT_EQ(j["soil"]["sbc"], "200");
    EXPECT_EQ(j["footings"].size(), 30u);
    EXPECT_EQ(j["footings"][0]["loads"][0][0], 1); // load case number first
    EXPECT_EQ(j["footings"][0]["state"], 1);       // combined footing C1
    EXPECT_EQ(j["footings"][5]["state"], -100);    // disabled
    EXPECT_EQ(j["footings"][1]["state"], -1);      // resized
    EXPECT_EQ(j["footings"][8]["offX"], 1);
    EXPECT_EQ(j["combined"].size(), 1u);
    EXPECT_EQ(j["groups"][0]["enabled"], false);
    EXPECT_EQ(j["designRows"][0]["texts"]["TxtDepth"], "0.9");
    EXPECT_EQ(j["currentFooting"], 4);
}

TEST_F(ProjectFile, relativePathClimbsOutOfTheProjectFolder) {
    EXPECT_EQ(relativeAnalysisPath("/a/b/x.ANL", "/a/c/p.ormevak"), "../b/x.ANL");
    EXPECT_EQ(relativeAnalysisPath("/a/x.ANL", "/a/p.ormevak"), "x.ANL");
}

TEST_F(ProjectFile, readsBackEveryStoredValue) {
    Project p = edited();
    saveProject(p, soil, projectPath);
    const StoredProject s = readProjectFile(projectPath);
    ASSERT_EQ(static_cast<int>(s.footings.size()), p.footingCount);
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& a = p.footings[static_cast<size_t>(i)];
        const FootingRecord& b = s.footings[static_cast<size_t>(i - 1)].record;
        EXPECT_EQ(a.state, b.state) << i;
        EXPECT_EQ(a.lenL, b.lenL) << i;
        EXPECT_EQ(a.widB, b.widB) << i;
        EXPECT_EQ(a.x, b.x) << i;
        EXPECT_EQ(a.offX, b.offX) << i;
    }
    EXPECT_EQ(s.groupCount, p.groupCount);
    for (int g = 1; g <= p.groupCount; ++g) {
        EXPECT_EQ(s.groups[static_cast<size_t>(g)].size, p.groups[static_cast<size_t>(g)].size);
        EXPECT_EQ(s.groupEnabled[static_cast<size_t>(g)], p.groupEnabled[static_cast<size_t>(g)]);
    }
    EXPECT_EQ(s.combinedFootings[1].length, p.combinedFootings[1].length);
    EXPECT_EQ(s.designRowCount, p.designRowCount);
    EXPECT_EQ(s.designRowTexts[1], p.designRowTexts[1]);
    EXPECT_EQ(s.analysisResolved, (dir / "office.ANL").string());
}

TEST_F(ProjectFile, awkwardFloatsComeBackBitForBit) {
    Project p = load();
    const float values[] = {0.1f, 1.0f / 3.0f, 2.4000001f, 1e-7f, 99.99999f, 16777217.0f / 1e7f};
    for (int i = 1; i <= 6; ++i) p.footings[static_cast<size_t>(i)].lenL = values[i - 1];
    saveProject(p, soil, projectPath);
    const StoredProject s = readProjectFile(projectPath);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(s.footings[static_cast<size_t>(i - 1)].record.lenL, values[i - 1]);
}

TEST_F(ProjectFile, refusesATextThatIsNotJson) {
    EXPECT_EQ(problemOf("GRP NO's Size\n"),
              prefix() + "it is not a project file (no valid JSON at byte 1)");
}

TEST_F(ProjectFile, refusesAnEmptyFile) {
    EXPECT_EQ(problemOf(""), prefix() + "the file is empty");
}

TEST_F(ProjectFile, refusesATruncatedFile) {
    savedJson();
    const std::string whole = slurp(projectPath);
    const std::string half = whole.substr(0, whole.size() / 2);
    EXPECT_EQ(problemOf(half), prefix() + "it is truncated (the JSON ends after " +
                                   std::to_string(half.size()) + " bytes, before it is complete)");
}

TEST_F(ProjectFile, refusesJsonOfAnotherKind) {
    EXPECT_EQ(problemOf("{\"footings\": []}"), prefix() + "it is not an ORMEVAK project file");
    EXPECT_EQ(problemOf("[1, 2]"), prefix() + "it is not an ORMEVAK project file");
}

TEST_F(ProjectFile, refusesANewerFormatNamingItsVersion) {
    Json j = savedJson();
    j["version"] = 7;
    EXPECT_EQ(problemOf(j.dump()),
              prefix() + "it was written by a newer version of ORMEVAK (project format version 7; "
                         "this version reads version 1)");
}

TEST_F(ProjectFile, refusesOutOfRangeValuesNamingWhere) {
    Json j = savedJson();
    j["footings"][2]["offX"] = 5;
    EXPECT_EQ(problemOf(j.dump()), prefix() + "footing 3: \"offX\" is 5, outside -1..1");
    j = savedJson();
    j["footings"][2]["state"] = 9;
    EXPECT_EQ(problemOf(j.dump()), prefix() + "footing 3: \"state\" is 9, outside -100..1");
    j = savedJson();
    j["footings"][2]["state"] = -7;
    EXPECT_EQ(problemOf(j.dump()),
              prefix() + "footing 3: \"state\" is -7, not 0, -1, -100 or a combined footing");
    j = savedJson();
    j["groups"][1]["footingNos"][0] = 31;
    EXPECT_EQ(problemOf(j.dump()),
              prefix() + "group 2: \"footingNos\" holds 31, not a footing 1..30");
    j = savedJson();
    j["combined"][0]["members"][1] = 0;
    EXPECT_EQ(problemOf(j.dump()),
              prefix() + "combined footing 1: \"members\" holds 0, not a footing 1..30");
    j = savedJson();
    j["footings"][0]["lenL"] = -2.5;
    EXPECT_EQ(problemOf(j.dump()), prefix() + "footing 1: \"lenL\" is -2.5, outside 0..100");
    j = savedJson();
    j["currentFooting"] = 31;
    EXPECT_EQ(problemOf(j.dump()),
              prefix() + "the project: \"currentFooting\" is 31, outside 0..30");
}

// A stored R row's bar diameter up to 100 mm is read; beyond it the row is refused whole.
TEST_F(ProjectFile, anRRowsBarDiameterIsReadUpTo100Millimetres) {
    Json j = savedJson();
    ASSERT_FALSE(j["rectRows"].empty());
    j["rectRows"][0]["barDia"] = 100;
    EXPECT_EQ(problemOf(j.dump()), "no error");
    j["rectRows"][0]["barDia"] = 101;
    EXPECT_EQ(problemOf(j.dump()), prefix() + "an R schedule row holds a value out of range");
}

TEST_F(ProjectFile, refusesMissingAndMistypedFields) {
    Json j = savedJson();
    j["footings"][4].erase("widB");
    EXPECT_EQ(problemOf(j.dump()), prefix() + "footing 5 has no \"widB\"");
    j = savedJson();
    j["groups"][0]["enabled"] = "yes";
    EXPECT_EQ(problemOf(j.dump()), prefix() + "group 1: \"enabled\" is not true or false");
    j = savedJson();
    j["designRows"][0]["texts"].erase("LabAst");
    EXPECT_EQ(problemOf(j.dump()), prefix() + "schedule row 1 texts has no \"LabAst\"");
}

TEST_F(ProjectFile, aMissingFileIsNamed) {
    EXPECT_THROW(
        {
            try {
                readProjectFile((dir / "none.ormevak").string());
            } catch (const ProjectFileError& e) {
                EXPECT_EQ(std::string(e.what()), "Cannot open the project " +
                                                     (dir / "none.ormevak").string() +
                                                     ": it does not exist");
                throw;
            }
        },
        ProjectFileError);
}

TEST_F(ProjectFile, aRefusedWriteLeavesThePreviousFileIntact) {
    Project p = edited();
    spill(projectPath, "the previous project\n");
    // A file size limit makes the file system refuse the write part-way, as a full disk does.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &tight);
    bool threw = false;
    try {
        saveProject(p, soil, projectPath);
    } catch (const FileError& e) {
        threw = true;
        EXPECT_EQ(std::string(e.what()).rfind("Cannot write " + projectPath + ": ", 0), 0u)
            << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(threw);
    EXPECT_EQ(slurp(projectPath), "the previous project\n");
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 2); // the analysis and the previous project, no temporary left behind
}
