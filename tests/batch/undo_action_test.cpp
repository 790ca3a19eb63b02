// The batch tool's undo and redo: a script that undoes its edits ends where a script without
// them ends, and a redone edit counts as if it had never been undone.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class UndoAction : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ormevak-undo-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // The JSON of the office frame after the script.
    std::string resultOf(const std::string& script) {
        const fs::path actions = dir / "actions.txt", json = dir / "out.json";
        std::ofstream(actions, std::ios::binary) << script;
        const std::string cmd = std::string("'" ORMEVAK_BATCH_EXE "' '" ORMEVAK_SOURCE_DIR
                                            "/examples/office-frame.ANL' --sbc 200 --depth 1.5 "
                                            "--actions '") +
                                actions.string() + "' --json '" + json.string() + "' 2>/dev/null";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << script;
        std::ifstream in(json, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir;
};

TEST_F(UndoAction, undoneEditsLeaveTheResultOfTheScriptWithoutThem) {
    const std::string plain = resultOf("select 2\ntoggle-group 1\n");
    EXPECT_EQ(resultOf("select 2\nwheel 2 +1\nwheel 2 +1\nundo\nundo\ntoggle-group 1\n"), plain);
    EXPECT_EQ(resultOf("select 2\ntoggle-group 1\nnudge-group 3\nundo\nundo\nredo\n"), plain);
}

TEST_F(UndoAction, redoneEditsCountAsDone) {
    const std::string done = resultOf("wheel 2 +1\ndesign\ndepth 1 0.9\n");
    EXPECT_EQ(resultOf("wheel 2 +1\ndesign\ndepth 1 0.9\nundo\nundo\nredo\nredo\n"), done);
    // Nothing to undo or redo is no error and changes nothing.
    EXPECT_EQ(resultOf("undo\nredo\nwheel 2 +1\ndesign\ndepth 1 0.9\nredo\n"), done);
}

} // namespace
