// The workbook file: read back with openpyxl, written whole or not at all.
#include "output/xlsx_writer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "model/errors.h"
#include "model/numbers.h"
#include "output/example_project.h"

namespace ormevak {
namespace {

namespace fs = std::filesystem;
using testing::exampleProject;
using testing::freshFolder;
using testing::readAll;

struct ReadCell {
    char kind = 0; // 'n' number, 's' text
    std::string value;
};

struct ReadBook {
    std::vector<std::string> names;
    std::vector<std::map<std::pair<int, int>, ReadCell>> sheets;
};

// Reads the workbook back through openpyxl (python3-openpyxl), as another program would.
ReadBook readBack(const fs::path& xlsx) {
    const fs::path dump = xlsx.string() + ".txt";
    const std::string script = std::string(ORMEVAK_SOURCE_DIR) + "/tests/output/read_xlsx.py";
    const std::string command =
        testing::python3() + " '" + script + "' '" + xlsx.string() + "' > '" + dump.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    ReadBook book;
    std::istringstream in(readAll(dump));
    fs::remove(dump);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(line.substr(start, tab - start));
        f.push_back(line.substr(start));
        if (f[0] == "sheet") {
            book.names.push_back(f.at(2));
            book.sheets.emplace_back();
        } else {
            book.sheets.at(std::stoul(f.at(0)) - 1)[{std::stoi(f.at(2)), std::stoi(f.at(3))}] =
                ReadCell{f.at(4).at(0), f.at(5)};
        }
    }
    return book;
}

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(WriteWorkbook, readsBackAsTheCellGridWithNumbersAsNumbers) {
    const fs::path dir = freshFolder("xlsx-readback");
    const fs::path target = dir / "project.xlsx";
    const Project p = exampleProject();
    writeWorkbook(p, target.string());

    const std::vector<Sheet> expected = buildWorkbook(p);
    const ReadBook book = readBack(target);
    ASSERT_EQ(book.names.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(book.names[i], expected[i].name);
        EXPECT_EQ(book.sheets[i].size(), expected[i].cells.size()) << expected[i].name;
        for (const auto& [pos, text] : expected[i].cells) {
            auto it = book.sheets[i].find(pos);
            ASSERT_NE(it, book.sheets[i].end())
                << expected[i].name << " " << pos.first << "," << pos.second;
            EXPECT_EQ(it->second.value, text)
                << expected[i].name << " " << pos.first << "," << pos.second;
            EXPECT_EQ(it->second.kind, isNumericText(text) ? 'n' : 's') << text;
        }
    }
    // Spot checks of what a reader of the sheet sees.
    // Spot checks by sheet name: the sheets with headings come first.
    auto sheet = [&](const std::string& name) -> const std::map<std::pair<int, int>, ReadCell>& {
        for (size_t i = 0; i < book.names.size(); ++i)
            if (book.names[i] == name) return book.sheets[i];
        throw std::out_of_range(name);
    };
    EXPECT_EQ(sheet("Resized footings").at({2, 12}).value, " < 30"); // the leading blank survives
    EXPECT_EQ(sheet("Resized footings").at({3, 12}).kind, 's');      // FAIL
    EXPECT_EQ(sheet("Grouped footings").at({8, 8}).kind, 'n');       // -67.71
    EXPECT_EQ(sheet("CF1 5  6").at({23, 8}).value, "3.05");
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"project.xlsx"}); // no temporary left
    testing::removeUnlessKept(dir);
}

TEST(WriteWorkbook, replacesAnEarlierFile) {
    const fs::path dir = freshFolder("xlsx-replace");
    const fs::path target = dir / "project.xlsx";
    std::ofstream(target) << "old";
    writeWorkbook(exampleProject(), target.string());
    EXPECT_NE(readAll(target), "old");
    // The three sheets with headings, then the export's six (two combined footings, the checks).
    EXPECT_EQ(readBack(target).names.size(), 9u);
    testing::removeUnlessKept(dir);
}

TEST(WriteWorkbook, reportsAFolderThatDoesNotExistAndLeavesNoFile) {
    const fs::path dir = freshFolder("xlsx-nofolder");
    const std::string target = (dir / "missing" / "project.xlsx").string();
    try {
        writeWorkbook(exampleProject(), target);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write " + target + ": No such file or directory");
    }
    EXPECT_TRUE(filesIn(dir).empty());
    testing::removeUnlessKept(dir);
}

TEST(WriteWorkbook, reportsATargetThatIsAFolderAndLeavesNoTemporary) {
    const fs::path dir = freshFolder("xlsx-isfolder");
    const fs::path target = dir / "project.xlsx";
    fs::create_directories(target / "inside");
    EXPECT_THROW(writeWorkbook(exampleProject(), target.string()), FileError);
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"project.xlsx"});
    EXPECT_TRUE(fs::is_directory(target));
    testing::removeUnlessKept(dir);
}

TEST(WriteWorkbook, leavesAnEarlierFileUntouchedWhenAFootingHasNoSize) {
    const fs::path dir = freshFolder("xlsx-nosize");
    const fs::path target = dir / "project.xlsx";
    std::ofstream(target) << "old";
    Project p = exampleProject();
    p.footings[2].lenL = 0;
    EXPECT_THROW(writeWorkbook(p, target.string()), OutputError);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"project.xlsx"});
    testing::removeUnlessKept(dir);
}

} // namespace
} // namespace ormevak
