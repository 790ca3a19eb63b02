// The design checks through the batch tool: the --checks table after the schedule, the JSON's
// checks array, and an exit status that failing checks never change.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BatchChecks, tableFollowsTheScheduleAndTheStatusStaysZero) {
    const fs::path dir = fs::temp_directory_path() / "ormevak-batch-checks";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", dir / "office.ANL");
    const std::string cmd = "cd '" + dir.string() +
                            "' && '" ORMEVAK_BATCH_EXE
                            "' office.ANL --sbc 200 --depth 1.5 --checks --schedule --json j.json"
                            " > out.txt 2> err.txt";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    // The example's pedestals are smaller than some columns: errors, and still status 0.
    EXPECT_EQ(WEXITSTATUS(raw), 0) << slurp(dir / "err.txt");
    const std::string out = slurp(dir / "out.txt");
    EXPECT_EQ(out.rfind("GRP  NO's", 0), 0u) << out;
    const size_t table = out.find("\nCheck  ");
    ASSERT_NE(table, std::string::npos) << out;
    EXPECT_NE(out.find("\npedestal-column  error", table), std::string::npos) << out;
    const std::string json = slurp(dir / "j.json");
    EXPECT_NE(json.find("\"checks\":[{\"id\":\"pedestal-column\",\"severity\":\"error\","
                        "\"footing\":1,\"row\":\"F1\",\"other\":0,\"case\":0,\"value\":400,"
                        "\"limit\":450,\"text\":\"Schedule row F1: the pedestal of 400 mm"),
              std::string::npos)
        << json.substr(json.find("\"checks\""), 300);
    fs::remove_all(dir);
}

} // namespace
