// Nothing lost, nothing overwritten, no crash: odd files and paths, full disks, signals. Each
// run checks its exit status, its message, and that every file there before is unchanged after.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kSoil = " --sbc 200 --depth 1.5";
const std::string kBase = "office.ANL" + kSoil;

class Robustness : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ormevak-robust-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", dir / "office.ANL");
    }
    void TearDown() override { fs::remove_all(dir); }

    // `prefix` runs in the same shell before the tool (limits, ignored signals).
    Outcome run(const std::string& args, const std::string& prefix = "",
                const std::string& stdoutTo = "") {
        const fs::path out = stdoutTo.empty() ? dir / ".stdout" : fs::path(stdoutTo);
        const fs::path err = dir / ".stderr";
        const std::string cmd = "cd '" + dir.string() + "' && (" + prefix + " timeout 60 '" +
                                ORMEVAK_BATCH_EXE "' " + args + " > '" + out.string() + "' 2> '" +
                                err.string() + "')";
        Outcome r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        if (stdoutTo.empty()) r.out = slurp(out);
        r.err = slurp(err);
        fs::remove(dir / ".stdout");
        fs::remove(dir / ".stderr");
        return r;
    }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }

    // Every entry of the folder (links as links, FIFOs and folders by kind) and its content.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename();
            if (name == ".stdout" || name == ".stderr") continue;
            const fs::file_status st = e.symlink_status();
            if (fs::is_symlink(st))
                files[name] = "link to " + fs::read_symlink(e.path()).string();
            else if (fs::is_regular_file(st))
                files[name] = slurp(e.path());
            else
                files[name] = "kind " + std::to_string(static_cast<int>(st.type()));
        }
        return files;
    }

    // Each file of `before` is there after, byte for byte, except those named as changed; no
    // file has appeared but those named as new.
    void expectUnchanged(const std::map<std::string, std::string>& before,
                         const std::vector<std::string>& changed = {}) const {
        auto after = snapshot();
        for (const auto& [name, content] : before) {
            if (std::find(changed.begin(), changed.end(), name) != changed.end()) continue;
            ASSERT_TRUE(after.count(name)) << name << " is gone";
            EXPECT_TRUE(after[name] == content) << name << " changed";
        }
        for (const auto& [name, content] : after) {
            if (before.count(name)) continue;
            EXPECT_NE(std::find(changed.begin(), changed.end(), name), changed.end())
                << name << " appeared";
        }
    }

    fs::path dir;
};

std::string line(const std::string& text) {
    return text + "\n";
}

} // namespace

// A folder or a FIFO given as the analysis file.
TEST_F(Robustness, anAnalysisFileThatIsNotARegularFileIsRefused) {
    fs::create_directories(dir / "frame.ANL");
    ASSERT_EQ(::mkfifo((dir / "pipe.ANL").c_str(), 0600), 0);
    const auto before = snapshot();
    for (const std::string name : {"frame.ANL", "pipe.ANL"}) {
        Outcome r = run(name + kSoil + " --json out.json");
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.err, line("message: " + name + " is not a file that can be read"));
        expectUnchanged(before);
    }
}

// An output onto the analysis file, its layout file, the action script, or two outputs on one.
TEST_F(Robustness, outputsThatWouldReplaceAnInputOrEachOtherAreRefused) {
    write("office.SCR", " 2\r\n\r 5\r\n");
    write("steps.txt", "refresh\n");
    fs::create_symlink("office.ANL", dir / "alias.json");
    write("out.json", "earlier");
    const auto before = snapshot();
    struct Case {
        std::string args, says;
    };
    for (const Case& c : {
             Case{"--json office.ANL", "--json office.ANL would replace the analysis file"},
             Case{"--xlsx ./office.ANL", "--xlsx ./office.ANL would replace the analysis file"},
             Case{"--pdf ../" + dir.filename().string() + "/office.ANL",
                  "--pdf ../" + dir.filename().string() +
                      "/office.ANL would replace the analysis file"},
             Case{"--json alias.json", "--json alias.json would replace the analysis file"},
             Case{"--pdf office.SCR", "--pdf office.SCR would replace the layout file"},
             Case{"--actions steps.txt --json steps.txt",
                  "--json steps.txt would replace the action script"},
             Case{"--json out.json --xlsx ./out.json",
                  "--json out.json and --xlsx ./out.json name the same file"},
             Case{"--json new.json --pdf new.json",
                  "--json new.json and --pdf new.json name the same file"},
         }) {
        Outcome r = run(kBase + " " + c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, line("ormevak-batch: " + c.says)) << c.args;
        expectUnchanged(before);
    }
}

// Links planted at the old fixed temporary names and at the target; two runs at once.
TEST_F(Robustness, temporaryNamesAreUniqueAndLinksAreNeverFollowed) {
    write("victim.txt", "not yours");
    fs::create_symlink("victim.txt", dir / "out.json.tmp");
    fs::create_symlink("victim.txt", dir / "office.SCR.tmp");
    fs::create_symlink("victim.txt", dir / "linked.json");
    const auto before = snapshot();
    Outcome r = run(kBase + " --json out.json --save-layout");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string json = slurp(dir / "out.json");
    EXPECT_EQ(json.rfind("{\"analysisFile\":\"office.ANL\"", 0), 0u);
    r = run(kBase + " --json linked.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::is_symlink(dir / "linked.json"));
    EXPECT_EQ(slurp(dir / "linked.json"), json);
    expectUnchanged(before, {"out.json", "office.SCR", "linked.json"});

    // Two runs onto the same files at once: each file is whole, and nothing is left over.
    const std::string one = "'" ORMEVAK_BATCH_EXE "' " + kBase + " --json both.json --save-layout";
    const std::string cmd =
        "cd '" + dir.string() + "' && (" + one + " & " + one + " & " + one + " & wait) 2> .stderr";
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        EXPECT_EQ(slurp(dir / "both.json"), json);
    }
    EXPECT_EQ(slurp(dir / ".stderr"), "");
    expectUnchanged(before, {"out.json", "office.SCR", "linked.json", "both.json", ".stderr"});
}

// The PDF onto a disk that refuses the data part way: the earlier file stays.
TEST_F(Robustness, aPdfThatDoesNotFitKeepsTheEarlierFile) {
    write("plan.pdf", "the plan printed yesterday");
    write("book.xlsx", "the workbook of yesterday");
    const auto before = snapshot();
    // A file size limit of a few kB refuses the writes as a full disk does (the signal it
    // sends is ignored, so the write fails with its reason).
    const std::string limit = "trap '' XFSZ; ulimit -f 4;";
    Outcome r = run(kBase + " --pdf plan.pdf", limit);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: Cannot write plan.pdf: File too large"));
    r = run(kBase + " --xlsx book.xlsx", limit);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: Cannot write book.xlsx: File too large"));
    r = run(kBase + " --pdf /dev/full");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: Cannot write /dev/full: No space left on device"));
    expectUnchanged(before);
}

// Standard output onto a full disk.
TEST_F(Robustness, writeErrorsOnStandardOutputAreReported) {
    const auto before = snapshot();
    for (const std::string args : {" --json -", " --schedule"}) {
        Outcome r = run(kBase + args, "", "/dev/full");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err,
                  line("ormevak-batch: Cannot write standard output: No space left on device"));
    }
    expectUnchanged(before);
}

// Outputs named after a device or a FIFO are written into it, never replace it.
TEST_F(Robustness, devicesAndFifosReceiveTheOutputInPlace) {
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const auto before = snapshot();
    Outcome r = run(kBase + " --json /dev/null --xlsx /dev/null --pdf /dev/null");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    r = run(kBase + " --json pipe", "cat pipe > received.json &");
    EXPECT_EQ(r.status, 0) << r.err;
    ::sync();
    EXPECT_EQ(slurp(dir / "received.json").rfind("{\"analysisFile\":\"office.ANL\"", 0), 0u);
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    r = run(kBase + " --json /dev/full");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: Cannot write /dev/full: No space left on device"));
    expectUnchanged(before, {"received.json"});
}

// A file that ends right after a beam design header (numbered, or numbered 0).
TEST_F(Robustness, theEndOfTheFileEndsTheBeamBlocks) {
    const std::string whole = slurp(dir / "office.ANL");
    const size_t header = whole.find("B E A M  N O.    91");
    ASSERT_NE(header, std::string::npos);
    std::string cut = whole.substr(0, whole.find('\n', header) + 1);
    write("cut.ANL", cut);
    cut.replace(cut.find("N O.    91"), 10, "N O.     0");
    write("zero.ANL", cut);
    const auto before = snapshot();
    Outcome r = run("cut.ANL" + kSoil + " --json -");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\"beams\":[[91,0,0,0]]"), std::string::npos);
    r = run("zero.ANL" + kSoil + " --json -");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, line("message:                   B E A M  N O.     0   D E S I G N   R E "
                          "S U L T S"));
    expectUnchanged(before);
}

// An offset that would move a footing centre beyond a 32-bit value.
TEST_F(Robustness, anOffsetBeyondA32BitCentreEndsOnlyThatAction) {
    // The column line at x = 21 m moved to 2147483.6 m: one step right passes 2^31 - 1 mm.
    std::string text = slurp(dir / "office.ANL");
    for (const char* joint : {" 6 21 0 0", " 36 21 3.3 0", " 66 21 6.6 0", " 96 21 9.9 0"}) {
        std::string moved = joint;
        moved.replace(moved.find(" 21 "), 4, " 2147483.6 ");
        const size_t at = text.find(joint);
        ASSERT_NE(at, std::string::npos) << joint;
        text.replace(at, std::string(joint).size(), moved);
    }
    write("far.ANL", text);
    write("steps.txt", "offset 6 right\noffset 6 down\n");
    const auto before = snapshot();
    Outcome r = run("far.ANL" + kSoil + " --actions steps.txt --json out.json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, line("message: footing centre x is out of range for a 32-bit integer"));
    const std::string json = slurp(dir / "out.json");
    EXPECT_NE(json.find("\"messages\":[\"footing centre x is out of range for a 32-bit "
                        "integer\"]"),
              std::string::npos);
    // The refused step changed nothing; the next action still ran.
    EXPECT_NE(json.find("\"x\":2147483600,\"z\":35,\"nodeX\":2147483600,\"nodeZ\":0,\"offX\":0,"
                        "\"offZ\":1"),
              std::string::npos);
    expectUnchanged(before, {"out.json"});
}

// The action script: a folder, a byte order mark, a file that cannot be opened; empty names.
TEST_F(Robustness, actionScriptsAndFileNamesThatCannotBeUsed) {
    fs::create_directories(dir / "steps");
    write("bom.txt", "\xEF\xBB\xBFselect 1\nwheel 1 +1\n");
    const auto before = snapshot();
    Outcome r = run(kBase + " --actions steps --json out.json");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: cannot read the action script steps"));
    r = run(kBase + " --actions missing.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: cannot open the action script missing.txt: No such "
                          "file or directory"));
    r = run("missing.ANL" + kSoil);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: cannot open the analysis file missing.ANL: No such "
                          "file or directory"));
    for (const std::string option : {"--json", "--xlsx", "--pdf", "--actions"}) {
        r = run(kBase + " " + option + " ''");
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_EQ(r.err.rfind("ormevak-batch: " + option +
                                  " needs a file name, not an empty text\n"
                                  "usage: ",
                              0),
                  0u)
            << r.err;
    }
    r = run(kBase + " --actions bom.txt --json -");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("{\"index\":1,\"jointNo\":1,\"state\":-1,"), std::string::npos);
    expectUnchanged(before);
}

TEST_F(Robustness, aFileThatCannotBeReadGivesTheSystemsReasonNotTheUsage) {
    write("locked.txt", "refresh\n");
    const auto before = snapshot();
    ::chmod((dir / "locked.txt").c_str(), 0);
    ::chmod((dir / "office.ANL").c_str(), 0);
    if (std::ifstream(dir / "locked.txt").good()) GTEST_SKIP() << "running as a user who reads all";
    Outcome r = run("office.ANL" + kSoil);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: cannot open the analysis file office.ANL: Permission "
                          "denied"));
    ::chmod((dir / "office.ANL").c_str(), 0644);
    r = run(kBase + " --actions locked.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: cannot open the action script locked.txt: Permission "
                          "denied"));
    ::chmod((dir / "locked.txt").c_str(), 0644);
    expectUnchanged(before);
}

// A FIFO, a folder or a device at the layout file's name.
TEST_F(Robustness, onlyARegularFileIsReadAsTheLayoutFile) {
    ASSERT_EQ(::mkfifo((dir / "office.SCR").c_str(), 0600), 0);
    const auto before = snapshot();
    Outcome r = run(kBase + " --json -");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\"offX\":0,\"offZ\":0"), std::string::npos);
    r = run(kBase + " --save-layout");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line("ormevak-batch: Cannot write office.SCR: not a regular file"));
    expectUnchanged(before);
}

// Files that are no analysis output say what was looked for; write errors name the reason.
TEST_F(Robustness, unclearInputsAndOutputsSayWhy) {
    const std::string whole = slurp(dir / "office.ANL");
    std::string utf16 = "\xFF\xFE", crOnly = whole;
    for (char c : whole.substr(0, 2000)) utf16 += std::string{c, '\0'};
    for (char& c : crOnly)
        if (c == '\n') c = '\r';
    write("empty.ANL", "");
    write("utf16.ANL", utf16);
    write("cr.ANL", crOnly);
    write("garbage.ANL", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const auto before = snapshot();
    for (const std::string name : {"empty.ANL", "utf16.ANL", "cr.ANL", "garbage.ANL"}) {
        Outcome r = run(name + kSoil);
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.err,
                  line("message: " + name +
                       " does not look like an analysis output: no joint coordinates found"));
    }
    // One message form for every output, and nothing of the workbook library's own.
    for (const std::string option : {"--json", "--xlsx", "--pdf"}) {
        Outcome r = run(kBase + " " + option + " nofolder/out");
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_EQ(r.err, line("ormevak-batch: Cannot write nofolder/out: No such file or "
                              "directory"));
    }
    expectUnchanged(before);
}

// Temporaries: removed on SIGTERM; stale ones of a stopped run removed by the next run.
TEST_F(Robustness, temporariesGoWithTheRunThatMadeThem) {
    const pid_t ended = [] {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }();
    const std::string stale = ".out.xlsx.ormevak-" + std::to_string(ended) + "-Xy12Zw.tmp";
    const std::string live = ".out.xlsx.ormevak-" + std::to_string(::getpid()) + "-Xy12Zw.tmp";
    write(stale, "half a workbook");
    write(live, "another run's work in progress");
    auto before = snapshot();
    Outcome r = run(kBase + " --xlsx out.xlsx");
    ASSERT_EQ(r.status, 0) << r.err;
    expectUnchanged(before, {stale, "out.xlsx"});
    EXPECT_FALSE(fs::exists(dir / stale));

    // Stopped while writing: the workbook for a FIFO is made in a temporary file of the
    // temporary folder (here the test's folder) and waits there for a reader; SIGTERM then.
    ASSERT_EQ(::mkfifo((dir / "pipe.xlsx").c_str(), 0600), 0);
    before = snapshot();
    const std::string cmd =
        "cd '" + dir.string() + "' && (TMPDIR=. '" ORMEVAK_BATCH_EXE "' " + kBase +
        " --xlsx pipe.xlsx 2>/dev/null & pid=$!; " +
        "for i in $(seq 1 200); do ls -a | grep -q '^\\.pipe\\.xlsx\\.ormevak-' "
        "&& break; sleep 0.05; done; ls -a > seen.txt; kill -TERM $pid; "
        "wait $pid; echo $? > status.txt)";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_NE(slurp(dir / "seen.txt").find(".pipe.xlsx.ormevak-"), std::string::npos)
        << "the temporary was never seen";
    EXPECT_EQ(slurp(dir / "status.txt"), "143\n"); // ended by SIGTERM
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename();
        EXPECT_TRUE(name.find(".ormevak-") == std::string::npos || name == live)
            << name << " left after SIGTERM";
    }
    expectUnchanged(before, {"seen.txt", "status.txt"});
}
