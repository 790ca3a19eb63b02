// Golden runs of the batch tool on the example projects: the whole JSON must stay as blessed.
// The blessed JSON is kept one field per line so that a change reads in a diff; the batch tool
// writes it on one line, and the run must give exactly the blessed file with the layout taken
// out (the blanks outside strings and the line breaks).
// After an intended change, re-bless with: ORMEVAK_BLESS=1 ./tests/tests_batch
// --gtest_filter='Golden*'
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The end of the string or bare value that starts at i.
size_t scalarEnd(std::string_view s, size_t i) {
    if (s[i] == '"') {
        for (++i; i < s.size() && s[i] != '"'; ++i)
            if (s[i] == '\\') ++i;
        return i + 1;
    }
    while (i < s.size() && std::string_view(",:]}").find(s[i]) == std::string_view::npos) ++i;
    return i;
}

bool isContainer(std::string_view s, size_t i) {
    return s[i] == '{' || s[i] == '[';
}

// Lays out the compact value at i: every member of an object on its own line, an array of
// plain values on one line, an array of objects or arrays one element per line.
void layOut(std::string_view s, size_t& i, int indent, std::string& out) {
    const std::string pad(static_cast<size_t>(indent) + 2, ' ');
    const std::string close(static_cast<size_t>(indent), ' ');
    if (s[i] == '{') {
        ++i;
        if (s[i] == '}') {
            out += "{}";
            ++i;
            return;
        }
        out += "{\n";
        for (;;) {
            const size_t keyEnd = scalarEnd(s, i);
            out += pad;
            out += s.substr(i, keyEnd - i);
            out += ": ";
            i = keyEnd + 1; // the colon
            layOut(s, i, indent + 2, out);
            if (s[i++] == '}') break;
            out += ",\n";
        }
        out += "\n" + close + "}";
        return;
    }
    if (s[i] == '[') {
        ++i;
        if (s[i] == ']') {
            out += "[]";
            ++i;
            return;
        }
        // Plain values only: one line.
        bool plain = true;
        for (size_t j = i;;) {
            if (isContainer(s, j)) {
                plain = false;
                break;
            }
            j = scalarEnd(s, j);
            if (s[j] == ']') break;
            ++j; // the comma
        }
        out += plain ? "[" : "[\n";
        for (;;) {
            if (!plain) out += pad;
            layOut(s, i, indent + 2, out);
            if (s[i++] == ']') break;
            out += plain ? ", " : ",\n";
        }
        if (!plain) out += "\n" + close;
        out += "]";
        return;
    }
    const size_t end = scalarEnd(s, i);
    out += s.substr(i, end - i);
    i = end;
}

// The batch tool's one-line JSON (ending in a line break) laid out one field per line.
std::string laidOut(const std::string& json) {
    std::string out;
    size_t i = 0;
    const std::string_view s(json.data(), json.empty() ? 0 : json.size() - 1);
    if (!s.empty()) layOut(s, i, 0, out);
    return out + "\n";
}

// The layout taken out again: the blanks and line breaks outside strings, then the final break.
std::string compacted(const std::string& laid) {
    std::string out;
    bool inString = false;
    for (size_t i = 0; i < laid.size(); ++i) {
        const char c = laid[i];
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < laid.size())
                out += laid[++i];
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
            out += c;
        } else if (c != ' ' && c != '\n' && c != '\r' && c != '\t') {
            out += c;
        }
    }
    return out + "\n";
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
        std::ofstream(expectedJson, std::ios::binary) << laidOut(json);
        std::ofstream(expectedSchedule, std::ios::binary) << schedule;
    }
    const std::string blessed = slurp(expectedJson);
    EXPECT_EQ(json, compacted(blessed))
        << "actual run kept in " << (dir / "out.json")
        << "; if the change is intended, re-bless (see the top of this file)";
    EXPECT_EQ(laidOut(json), blessed) << "the blessed file is not laid out one field per line";
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
