// The PDF writers' library beside the batch tool: loaded by a run that prints and by no other,
// and its absence stops a run that prints before any work, naming the library.
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PdfLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ormevak-batch-pdf-library-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", dir / "office.ANL");
    }
    void TearDown() override { fs::remove_all(dir); }

    // `exe` run on the office example in the folder, `env` set for it; stderr in err.txt.
    int run(const std::string& exe, const std::string& args, const std::string& env = {}) {
        const std::string cmd = "cd '" + dir.string() + "' && " + env + " '" + exe +
                                "' office.ANL --sbc 200 --depth 1.5 " + args +
                                " > out.txt 2> err.txt";
        const int raw = std::system(cmd.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::string err() const { return slurp(dir / "err.txt"); }

    fs::path dir;
};

// The dynamic loader lists every library it loads; Qt's must be among them only for a PDF.
TEST_F(PdfLibrary, onlyARunThatPrintsLoadsQt) {
    ASSERT_EQ(run(ORMEVAK_BATCH_EXE, "--json r.json --xlsx r.xlsx --dxf r.dxf", "LD_DEBUG=libs"), 0)
        << err();
    EXPECT_EQ(err().find("libQt6"), std::string::npos);
    EXPECT_EQ(slurp(dir / "r.json").rfind("{", 0), 0u);

    ASSERT_EQ(run(ORMEVAK_BATCH_EXE, "--pdf r.pdf", "LD_DEBUG=libs"), 0) << err();
    EXPECT_NE(err().find("libQt6Gui"), std::string::npos);
    EXPECT_EQ(slurp(dir / "r.pdf").rfind("%PDF-", 0), 0u);
}

// A copy of the tool in a folder without the library: the outputs without Qt are written as
// ever; a run asking for any PDF is refused before any work and writes nothing.
TEST_F(PdfLibrary, aMissingLibraryStopsARunThatPrintsBeforeAnyWork) {
    const fs::path lone = dir / "bin" / "ormevak-batch";
    fs::create_directories(lone.parent_path());
    fs::copy_file(ORMEVAK_BATCH_EXE, lone);

    ASSERT_EQ(run(lone.string(), "--json r.json --xlsx r.xlsx"), 0) << err();
    EXPECT_TRUE(fs::exists(dir / "r.xlsx"));
    fs::remove(dir / "r.json");

    for (const std::string option : {"--pdf", "--report", "--drawing"}) {
        EXPECT_EQ(run(lone.string(), "--json r.json " + option + " r.pdf"), 2) << option;
        EXPECT_NE(err().find("ormevak-batch: Cannot load the PDF writers " +
                             (lone.parent_path() / "ormevak-pdf.so").string() + ": "),
                  std::string::npos)
            << err();
        EXPECT_EQ(err().find("usage:"), std::string::npos) << option;
        EXPECT_FALSE(fs::exists(dir / "r.json")) << option;
        EXPECT_FALSE(fs::exists(dir / "r.pdf")) << option;
    }
}

} // namespace
