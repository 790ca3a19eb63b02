// Runs the built batch tool in a fresh folder holding a copy of the office example, as its users
// call it: the shared ground of the batch tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace ormevak::testing {

namespace fs = std::filesystem;

// What one run left: its exit status and its two output streams.
struct Outcome {
    int status = -1;
    std::string out, err;
};

inline std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The arguments every run of the office example starts with.
inline const std::string kOfficeBase = "office.ANL --sbc 200 --depth 1.5";

// A fresh folder per test, named after the test, with the example as office.ANL.
class BatchRun : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("ormevak-batch-" + std::string(test->test_suite_name()) + "-" + test->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", dir / "office.ANL");
    }
    void TearDown() override { fs::remove_all(dir); }

    // The tool with `args` in the folder; `tail` is appended to the shell command as it stands.
    Outcome run(const std::string& args, const std::string& tail = {}) {
        return runProgram(ORMEVAK_BATCH_EXE, args, tail);
    }
    // The same with another copy of the tool, or with variables set before it ("VAR=x exe").
    Outcome runProgram(const std::string& program, const std::string& args,
                       const std::string& tail = {}) {
        const fs::path out = dir / "stdout.txt", err = dir / "stderr.txt";
        const std::string cmd = std::string("cd '") + dir.string() + "' && " + program + " " +
                                args + " > '" + out.string() + "' 2> '" + err.string() + "'" + tail;
        Outcome r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }

    fs::path dir;
};

} // namespace ormevak::testing
