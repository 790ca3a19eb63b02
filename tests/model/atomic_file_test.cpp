// The atomic writer: whole or not at all, unique temporaries, links replaced, devices in place,
// temporaries removed on a failure, a signal, or by a later run.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "model/atomic_file.h"
#include "model/errors.h"

using namespace ormevak;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ormevak-atomic-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string at(const std::string& name) const { return (dir / name).string(); }
    void put(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }

    fs::path dir;
};

// A disk that fills up after the first few bytes.
ssize_t fullAfterSixteenBytes(int fd, const void* data, size_t size) {
    static size_t total = 0;
    if (total >= 16) {
        total = 0;
        errno = ENOSPC;
        return -1;
    }
    const size_t n = std::min<size_t>(size, 16 - total);
    total += n;
    return ::write(fd, data, n);
}

// What a forked child wrote to a pipe before it ended, and how it ended.
struct ChildEnd {
    std::string written;
    int status = 0;
};

ChildEnd inChild(const std::function<void(int fd)>& body) {
    int channel[2];
    if (::pipe(channel) != 0) return {"no pipe", -1};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        body(channel[1]);
        ::_exit(0);
    }
    ::close(channel[1]);
    ChildEnd end;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        end.written.append(buffer, static_cast<size_t>(n));
    ::close(channel[0]);
    ::waitpid(child, &end.status, 0);
    return end;
}

pid_t aProcessThatHasEnded() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST_F(AtomicFile, aFullDiskPartWayKeepsTheEarlierFileAndLeavesNoTemporary) {
    put("out.json", "earlier");
    try {
        writeFileAtomically(at("out.json"), std::string(100, 'x'), SpecialTargets::WriteInPlace,
                            fullAfterSixteenBytes);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write " + at("out.json") + ": No space left on device");
    }
    EXPECT_EQ(slurp(dir / "out.json"), "earlier");
    EXPECT_EQ(names(), std::vector<std::string>{"out.json"});
}

TEST_F(AtomicFile, aLinkAtTheTargetIsReplacedNeverFollowed) {
    put("victim.txt", "keep me");
    fs::create_symlink("victim.txt", dir / "out.json");
    // A link planted at the old fixed temporary name is no concern of ours any more.
    fs::create_symlink("victim.txt", dir / "out.json.tmp");
    writeFileAtomically(at("out.json"), "{}\n");
    EXPECT_FALSE(fs::is_symlink(dir / "out.json"));
    EXPECT_EQ(slurp(dir / "out.json"), "{}\n");
    EXPECT_EQ(slurp(dir / "victim.txt"), "keep me");
    EXPECT_TRUE(fs::is_symlink(dir / "out.json.tmp"));
}

TEST_F(AtomicFile, temporaryNamesAreUniqueAndRecognisablyOurs) {
    TemporaryFile a(at("out.json")), b(at("out.json"));
    EXPECT_NE(a.path(), b.path());
    const std::regex ours("\\.out\\.json\\.ormevak-" + std::to_string(::getpid()) +
                          "-[A-Za-z0-9]{6}\\.tmp");
    EXPECT_TRUE(std::regex_match(fs::path(a.path()).filename().string(), ours)) << a.path();
    EXPECT_EQ(fs::path(a.path()).parent_path(), dir);
    const std::string name = a.path();
    { TemporaryFile c(at("other")); }
    EXPECT_EQ(names().size(), 2u) << "an uncommitted temporary is removed when it goes";
    EXPECT_TRUE(fs::exists(name));
}

TEST_F(AtomicFile, staleTemporariesOfEndedRunsAreRemovedOthersKept) {
    const std::string dead =
        ".out.json.ormevak-" + std::to_string(aProcessThatHasEnded()) + "-Ab12Cd.tmp";
    const std::string alive = ".out.json.ormevak-" + std::to_string(::getppid()) + "-Ab12Cd.tmp";
    const std::string otherTarget =
        ".in.json.ormevak-" + std::to_string(aProcessThatHasEnded()) + "-Ab12Cd.tmp";
    const std::string notOurs = ".out.json.other-1-Ab12Cd.tmp";
    for (const std::string& n : {dead, alive, otherTarget, notOurs}) put(n, "partial");
    writeFileAtomically(at("out.json"), "whole");
    EXPECT_FALSE(fs::exists(dir / dead));
    for (const std::string& n : {alive, otherTarget, notOurs})
        EXPECT_TRUE(fs::exists(dir / n)) << n;
    EXPECT_EQ(slurp(dir / "out.json"), "whole");
}

TEST_F(AtomicFile, aTerminationSignalRemovesTheLiveTemporary) {
    for (int signal : {SIGTERM, SIGINT}) {
        const ChildEnd end = inChild([&](int fd) {
            TemporaryFile file(at("out.xlsx"));
            file.write("half a workbook");
            const std::string name = file.path() + "\n";
            (void)!::write(fd, name.data(), name.size());
            ::raise(signal); // ends the process after the removal
        });
        ASSERT_GT(end.written.size(), 1u);
        EXPECT_TRUE(WIFSIGNALED(end.status) && WTERMSIG(end.status) == signal) << end.status;
        const std::string name = end.written.substr(0, end.written.size() - 1);
        EXPECT_FALSE(fs::exists(name)) << name;
        EXPECT_TRUE(names().empty());
    }
}

// A stop during a library's packing waits for the library to remove its own temporaries, then
// removes ours and ends the run as before.
TEST_F(AtomicFile, aStopWhileHeldBackArrivesWhenTheHoldEnds) {
    const ChildEnd end = inChild([&](int fd) {
        TemporaryFile file(at("out.xlsx"));
        {
            const StopsHeldBack held;
            ::raise(SIGTERM);
            std::ofstream(at("tmp.library")) << "packing";
            fs::remove(at("tmp.library"));
            (void)!::write(fd, "packed\n", 7);
        }
        (void)!::write(fd, "not reached\n", 12);
    });
    EXPECT_EQ(end.written, "packed\n");
    EXPECT_TRUE(WIFSIGNALED(end.status) && WTERMSIG(end.status) == SIGTERM) << end.status;
    EXPECT_TRUE(names().empty());
}

TEST_F(AtomicFile, devicesAndFifosAreWrittenInPlaceNeverReplaced) {
    writeFileAtomically("/dev/null", "nothing");
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    try {
        writeFileAtomically("/dev/full", "more than fits");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write /dev/full: No space left on device");
    }
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = slurp(dir / "pipe"); });
    writeFileAtomically(at("pipe"), "through the pipe");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    // Where only a regular file may stand, a FIFO is refused without waiting for a reader.
    try {
        writeFileAtomically(at("pipe"), "x", SpecialTargets::Refuse);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write " + at("pipe") + ": not a regular file");
    }
    EXPECT_EQ(names(), std::vector<std::string>{"pipe"});
}

TEST_F(AtomicFile, aFolderAtTheTargetIsReportedAndNothingIsLeft) {
    fs::create_directories(dir / "out.json");
    EXPECT_THROW(writeFileAtomically(at("out.json"), "{}"), FileError);
    EXPECT_EQ(names(), std::vector<std::string>{"out.json"});
    EXPECT_THROW(writeFileAtomically(at("missing/out.json"), "{}"), FileError);
}

TEST_F(AtomicFile, aWriterThatNeedsANameFillsTheTemporary) {
    put("book.xlsx", "earlier");
    auto byName = [](const std::string& text) {
        return [text](const std::string& name) {
            FILE* f = std::fopen(name.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fputs(text.c_str(), f);
            std::fclose(f);
        };
    };
    writeFileThrough(at("book.xlsx"), byName("new workbook"));
    EXPECT_EQ(slurp(dir / "book.xlsx"), "new workbook");
    EXPECT_THROW(writeFileThrough(at("book.xlsx"),
                                  [&](const std::string& name) {
                                      byName("half")(name);
                                      throw FileError("Cannot write book.xlsx: refused");
                                  }),
                 FileError);
    EXPECT_EQ(slurp(dir / "book.xlsx"), "new workbook");
    EXPECT_EQ(names(), std::vector<std::string>{"book.xlsx"});
    writeFileThrough("/dev/null", byName("into the device"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}
