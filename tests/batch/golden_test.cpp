// Golden runs of the batch tool on the example projects: the whole JSON must stay as blessed.
// After an intended change, re-bless with: ORMEVAK_BLESS=1 ./tests/tests_batch
// --gtest_filter='Golden*'
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct GoldenCase {
    const char* name;    // golden file stem in tests/batch/golden
    const char* example; // analysis file in examples/
    const char* soil;    // --sbc and --depth
    const char* actions; // action script in tests/batch/golden, or ""
};

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, jsonMatchesTheBlessedRun) {
    const GoldenCase& c = GetParam();
    const fs::path golden = fs::path(ORMEVAK_SOURCE_DIR) / "tests/batch/golden";
    const fs::path dir = fs::temp_directory_path() / (std::string("ormevak-golden-") + c.name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(fs::path(ORMEVAK_SOURCE_DIR) / "examples" / c.example, dir / c.example);
    std::string cmd =
        "cd '" + dir.string() + "' && '" ORMEVAK_BATCH_EXE "' " + c.example + " " + c.soil;
    if (*c.actions) cmd += " --actions '" + (golden / c.actions).string() + "'";
    cmd += " --json out.json --schedule > schedule.txt 2> messages.txt";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp(dir / "messages.txt");
    const std::string json = slurp(dir / "out.json");
    const std::string schedule = slurp(dir / "schedule.txt");
    const fs::path expectedJson = golden / (std::string(c.name) + ".json");
    const fs::path expectedSchedule = golden / (std::string(c.name) + ".schedule.txt");
    if (std::getenv("ORMEVAK_BLESS")) {
        std::ofstream(expectedJson, std::ios::binary) << json;
        std::ofstream(expectedSchedule, std::ios::binary) << schedule;
    }
    EXPECT_EQ(json, slurp(expectedJson))
        << "actual run kept in " << (dir / "out.json")
        << "; if the change is intended, re-bless (see the top of this file)";
    EXPECT_EQ(schedule, slurp(expectedSchedule))
        << "actual schedule kept in " << (dir / "schedule.txt");
    if (!HasFailure()) fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Golden,
    ::testing::Values(GoldenCase{"office-frame", "office-frame.ANL", "--sbc 200 --depth 1.5", ""},
                      GoldenCase{"office-frame-session", "office-frame.ANL",
                                 "--sbc 200 --depth 1.5", "office-frame.actions.txt"},
                      GoldenCase{"warehouse-mm", "warehouse-mm.ANL", "--sbc 150 --depth 2", ""},
                      GoldenCase{"office-frame-no-overburden", "office-frame.ANL",
                                 "--sbc 300 --depth 0", ""}),
    [](const auto& param) {
        std::string n = param.param.name;
        for (char& ch : n)
            if (ch == '-') ch = '_';
        return n;
    });

} // namespace
