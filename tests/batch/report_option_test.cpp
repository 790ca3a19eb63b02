// --report through the batch tool: the calculation report beside the other outputs, the same
// schedule numbers in it, and nothing written when it cannot be.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path freshDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("ormevak-batch-report-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", dir / "office.ANL");
    return dir;
}

int runIn(const fs::path& dir, const std::string& args) {
    const std::string cmd = "cd '" + dir.string() + "' && '" ORMEVAK_BATCH_EXE "' office.ANL " +
                            args + " > out.txt 2> err.txt";
    const int raw = std::system(cmd.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(BatchReport, writesTheReportWithTheSchedulesRows) {
    const fs::path dir = freshDir("ok");
    ASSERT_EQ(runIn(dir, "--sbc 200 --depth 1.5 --schedule --report r.pdf"), 0)
        << slurp(dir / "err.txt");
    EXPECT_EQ(slurp(dir / "r.pdf").rfind("%PDF-", 0), 0u);
    ASSERT_EQ(std::system(("pdftotext '" + (dir / "r.pdf").string() + "' '" +
                           (dir / "r.txt").string() + "'")
                              .c_str()),
              0);
    const std::string text = slurp(dir / "r.txt");
    // Every row of the printed schedule has its section.
    const std::string schedule = slurp(dir / "out.txt");
    int rows = 0;
    for (size_t at = schedule.find("\nF"); at != std::string::npos;
         at = schedule.find("\nF", at + 1)) {
        ++rows;
        const std::string mark = schedule.substr(at + 1, schedule.find(' ', at) - at - 1);
        EXPECT_NE(text.find("Schedule row " + mark + "\n"), std::string::npos) << mark;
    }
    EXPECT_GE(rows, 3);
    EXPECT_NE(text.find("office.ANL"), std::string::npos);
    fs::remove_all(dir);
}

TEST(BatchReport, anUnwritableReportIsAnErrorAndLeavesNothing) {
    const fs::path dir = freshDir("bad");
    EXPECT_EQ(runIn(dir, "--sbc 200 --depth 1.5 --report missing/r.pdf"), 2);
    EXPECT_NE(slurp(dir / "err.txt").find("Cannot write missing/r.pdf: "), std::string::npos)
        << slurp(dir / "err.txt");
    EXPECT_FALSE(fs::exists(dir / "missing"));
    fs::remove_all(dir);
}

TEST(BatchReport, theReportMayNotReplaceTheAnalysisFile) {
    const fs::path dir = freshDir("same");
    const std::string before = slurp(dir / "office.ANL");
    EXPECT_EQ(runIn(dir, "--sbc 200 --depth 1.5 --report office.ANL"), 2);
    EXPECT_NE(slurp(dir / "err.txt").find("--report office.ANL would replace the analysis file"),
              std::string::npos)
        << slurp(dir / "err.txt");
    EXPECT_EQ(slurp(dir / "office.ANL"), before);
    fs::remove_all(dir);
}

TEST(BatchReport, needsAFileName) {
    const fs::path dir = freshDir("noname");
    EXPECT_EQ(runIn(dir, "--sbc 200 --depth 1.5 --report"), 2);
    EXPECT_NE(slurp(dir / "err.txt").find("--report needs a value"), std::string::npos);
    fs::remove_all(dir);
}

} // namespace
