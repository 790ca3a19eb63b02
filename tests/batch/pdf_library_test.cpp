// The PDF writers' library beside the batch tool: loaded by a run that prints and by no other,
// and its absence stops a run that prints before any work, naming the library.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "batch/batch_run.h"

namespace ormevak::testing {
namespace {

using PdfLibrary = BatchRun;

const std::string kTool = "'" ORMEVAK_BATCH_EXE "'";

// The dynamic loader lists every library it loads; Qt's must be among them only for a PDF.
TEST_F(PdfLibrary, onlyARunThatPrintsLoadsQt) {
    Outcome r = runProgram("LD_DEBUG=libs " + kTool,
                           kOfficeBase + " --json r.json --xlsx r.xlsx --dxf r.dxf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("libQt6"), std::string::npos);
    EXPECT_EQ(slurp(dir / "r.json").rfind("{", 0), 0u);

    r = runProgram("LD_DEBUG=libs " + kTool, kOfficeBase + " --pdf r.pdf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("libQt6Gui"), std::string::npos);
    EXPECT_EQ(slurp(dir / "r.pdf").rfind("%PDF-", 0), 0u);
}

// A copy of the tool in a folder without the library: the outputs without Qt are written as
// ever; a run asking for any PDF is refused before any work and writes nothing.
TEST_F(PdfLibrary, aMissingLibraryStopsARunThatPrintsBeforeAnyWork) {
    const fs::path lone = dir / "bin" / "ormevak-batch";
    fs::create_directories(lone.parent_path());
    fs::copy_file(ORMEVAK_BATCH_EXE, lone);

    const std::string tool = "'" + lone.string() + "'";
    Outcome r = runProgram(tool, kOfficeBase + " --json r.json --xlsx r.xlsx");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "r.xlsx"));
    fs::remove(dir / "r.json");

    for (const std::string option : {"--pdf", "--report", "--drawing"}) {
        r = runProgram(tool, kOfficeBase + " --json r.json " + option + " r.pdf");
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_NE(r.err.find("ormevak-batch: Cannot load the PDF writers " +
                             (lone.parent_path() / "ormevak-pdf.so").string() + ": "),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(r.err.find("usage:"), std::string::npos) << option;
        EXPECT_FALSE(fs::exists(dir / "r.json")) << option;
        EXPECT_FALSE(fs::exists(dir / "r.pdf")) << option;
    }
}

} // namespace
} // namespace ormevak::testing
