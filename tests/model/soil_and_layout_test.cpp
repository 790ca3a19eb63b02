// The startup dialog's two values, and the layout file that keeps the column offsets.
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "model/errors.h"
#include "model/layout_file.h"
#include "model/soil_values.h"

using namespace ormevak;
namespace fs = std::filesystem;

TEST(SoilValues, depthAndSbcFillEarthPressureAndBearing) {
    Project p;
    ASSERT_TRUE(applySoilValues(p, "1.5", "200").accepted);
    EXPECT_FLOAT_EQ(p.earthPressure, 30);
    EXPECT_FLOAT_EQ(p.allowableBearing[0], 200);
    for (size_t c = 1; c < 36; ++c) EXPECT_FLOAT_EQ(p.allowableBearing[c], 250);
}

TEST(SoilValues, limitsAsTheDialogJudgesThemAndTheRefusedBox) {
    struct Case {
        const char* depth;
        const char* sbc;
        SoilBox refused; // None: accepted
    };
    constexpr SoilBox ok = SoilBox::None, depth = SoilBox::Depth, sbc = SoilBox::Sbc;
    for (const Case& c :
         {Case{"0", "200", ok}, Case{"6", "200", ok}, Case{"6.1", "200", depth},
          Case{"-0.1", "200", depth}, Case{"1.5", "50", ok}, Case{"1.5", "1000", ok},
          Case{"1.5", "49", sbc}, Case{"1.5", "1001", sbc}, Case{"Select", "200", depth},
          Case{"Select", "Select", depth}, Case{"1.5", "Select", sbc}, Case{"1.5", "99999999", sbc},
          Case{"1.5", "1000.5", ok}, Case{"1.5", "49.5", ok}, Case{"1.5", "49.4", sbc}}) {
        Project p;
        const SoilValuesResult r = applySoilValues(p, c.depth, c.sbc);
        EXPECT_EQ(r.accepted, c.refused == ok) << c.depth << " " << c.sbc;
        EXPECT_EQ(r.refused, c.refused) << c.depth << " " << c.sbc;
    }
}

TEST(SoilValues, refusalNoticesNameTheBoxAndItsRange) {
    EXPECT_EQ(soilRefusalNotice(SoilBox::Depth), "Depth must be a number from 0 to 6 m");
    EXPECT_EQ(soilRefusalNotice(SoilBox::Sbc), "SBC must be a number from 50 to 1000 kN/m2");
    EXPECT_EQ(soilRefusalNotice(SoilBox::None), "");
}

TEST(SoilValues, everyRefusalSaysWhy) {
    Project p;
    EXPECT_EQ(applySoilValues(p, "Select", "200").reason, "the depth \"Select\" is not a number");
    EXPECT_EQ(applySoilValues(p, "7", "200").reason, "the depth must lie between 0 and 6 m");
    EXPECT_EQ(applySoilValues(p, "1.5", "abc").reason, "the SBC \"abc\" is not a number");
    EXPECT_EQ(applySoilValues(p, "1.5", "40").reason, "the SBC must lie between 50 and 1000 kN/m2");
    EXPECT_EQ(applySoilValues(p, "1.5", "200").reason, "");
}

TEST(SoilValues, typedSbcRoundsHalfToEvenAndRefusalKeepsTheDepth) {
    Project p;
    ASSERT_TRUE(applySoilValues(p, "2", "120.5").accepted);
    EXPECT_FLOAT_EQ(p.allowableBearing[0], 120);
    Project q;
    auto r = applySoilValues(q, "2.5", "40");
    EXPECT_FALSE(r.accepted);
    EXPECT_FLOAT_EQ(q.earthPressure, 50); // set by the depth before the SBC was refused
    EXPECT_FLOAT_EQ(q.allowableBearing[0], 0);
    EXPECT_NE(r.reason.find("SBC"), std::string::npos);
}

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        path =
            fs::temp_directory_path() /
            ("ormevak-layout-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
};

Project withFootings(const std::string& analysis, std::vector<std::pair<int, int>> offsets) {
    Project p;
    p.analysisFilePath = analysis;
    p.footingCount = static_cast<int>(offsets.size());
    p.footings.resize(offsets.size() + 1);
    for (size_t i = 0; i < offsets.size(); ++i) {
        p.footings[i + 1].offX = offsets[i].first;
        p.footings[i + 1].offZ = offsets[i].second;
    }
    return p;
}

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(LayoutFile, pathReplacesTheExtensionInAnyCase) {
    EXPECT_EQ(layoutPath("/w/project.ANL"), "/w/project.SCR");
    EXPECT_EQ(layoutPath("/w/project.anl"), "/w/project.SCR");
    EXPECT_EQ(layoutPath("/w/Project.Anl"), "/w/Project.SCR");
    // Never the analysis file itself.
    EXPECT_EQ(layoutPath("/w/frame.txt"), "/w/frame.txt.SCR");
    EXPECT_EQ(layoutPath("/w/ANL"), "/w/ANL.SCR");
}

TEST(LayoutFile, formatHasTheStrayCarriageReturnAndShiftedValues) {
    Project p = withFootings("x.ANL", {{0, 0}, {1, 0}, {-1, 1}});
    EXPECT_EQ(layoutText(p), " 2 3 1\r\n\r 5 5 6\r\n");
}

TEST(LayoutFile, roundTripRestoresOffsetsOnly) {
    TempDir dir;
    const std::string analysis = (dir.path / "frame.ANL").string();
    Project saved = withFootings(analysis, {{0, 0}, {1, -1}, {-1, 1}});
    saveLayout(saved);
    EXPECT_EQ(slurp(dir.path / "frame.SCR"), " 2 3 1\r\n\r 5 4 6\r\n");
    Project loaded = withFootings(analysis, {{0, 0}, {0, 0}, {0, 0}});
    loaded.footings[2].x = 4200;
    ASSERT_EQ(loadLayout(loaded), LayoutLoad::Restored);
    EXPECT_EQ(loaded.footings[2].offX, 1);
    EXPECT_EQ(loaded.footings[2].offZ, -1);
    EXPECT_EQ(loaded.footings[3].offX, -1);
    EXPECT_EQ(loaded.footings[2].x, 4200); // centres are not recomputed
}

TEST(LayoutFile, anotherFootingCountIsIgnoredAndFirstRunHasNone) {
    TempDir dir;
    const std::string analysis = (dir.path / "frame.ANL").string();
    Project first = withFootings(analysis, {{0, 0}, {0, 0}});
    EXPECT_EQ(loadLayout(first), LayoutLoad::Absent);
    saveLayout(first);
    EXPECT_EQ(slurp(dir.path / "frame.SCR"), " 2 2\r\n\r 5 5\r\n");
    Project changed = withFootings(analysis, {{0, 0}, {0, 0}, {0, 0}});
    EXPECT_EQ(loadLayout(changed), LayoutLoad::Ignored);
}

TEST(LayoutFile, foreignContentIsIgnored) {
    TempDir dir;
    const std::string analysis = (dir.path / "frame.ANL").string();
    std::ofstream(dir.path / "frame.SCR", std::ios::binary) << " 7 2\r\n\r 5 5\r\n";
    Project p = withFootings(analysis, {{0, 0}, {0, 0}});
    EXPECT_EQ(loadLayout(p), LayoutLoad::Ignored);
    EXPECT_EQ(p.footings[1].offX, 0);
    std::ofstream(dir.path / "frame.SCR", std::ios::binary) << " 1E99 2\r\n";
    EXPECT_EQ(loadLayout(p), LayoutLoad::Ignored);
}

// The second line is not checked against the footing count: a shorter one restores what it
// holds and reads nothing beyond its end.
TEST(LayoutFile, aShortSecondLineRestoresWhatItHolds) {
    Project p = withFootings("x.ANL", {{0, 0}, {0, 0}, {0, 0}});
    ASSERT_EQ(loadLayoutText(p, " 3 2 1\r\n\r 4\r\n"), LayoutLoad::Restored);
    EXPECT_EQ(p.footings[1].offX, 1);
    EXPECT_EQ(p.footings[3].offX, -1);
    EXPECT_EQ(p.footings[1].offZ, -1);
    EXPECT_EQ(p.footings[2].offZ, 0);
    EXPECT_EQ(p.footings[3].offZ, 0);
}

TEST(LayoutFile, missingFolderGivesAnErrorNamingTheFile) {
    Project p = withFootings("/nonexistent-ormevak-folder/frame.ANL", {{0, 0}});
    try {
        saveLayout(p);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-ormevak-folder/frame.SCR"),
                  std::string::npos);
    }
}

TEST(LayoutFile, unwritableFolderGivesAnErrorAndLeavesNothing) {
    TempDir dir;
    const fs::path sub = dir.path / "readonly";
    fs::create_directories(sub);
    Project p = withFootings((sub / "frame.ANL").string(), {{0, 0}});
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(sub / "probe").good())
        GTEST_SKIP() << "running as a user who may write anywhere";
    EXPECT_THROW(saveLayout(p), FileError);
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(sub));
}

TEST(LayoutFile, onlyARegularFileIsReadOrReplaced) {
    TempDir dir;
    Project p = withFootings((dir.path / "frame.ANL").string(), {{0, 0}});
    const fs::path layout = dir.path / "frame.SCR";
    ASSERT_EQ(::mkfifo(layout.c_str(), 0600), 0);
    EXPECT_EQ(loadLayout(p), LayoutLoad::Ignored); // without waiting for a writer
    EXPECT_THROW(saveLayout(p), FileError);
    EXPECT_TRUE(fs::is_fifo(layout));
    fs::remove(layout);
    fs::create_directories(layout);
    EXPECT_EQ(loadLayout(p), LayoutLoad::Ignored);
}
