// Atomic file writes: unique temporary beside the target, fsync, rename; devices in place.
#include "model/atomic_file.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "model/errors.h"

namespace fs = std::filesystem;

namespace ormevak {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw FileError("Cannot write " + path + ": " + std::strerror(error));
}

[[noreturn]] void failNotRegular(const std::string& path) {
    throw FileError("Cannot write " + path + ": not a regular file");
}

// ---- Temporaries removed when the run is stopped by a signal ----
//
// The handler may only touch what is safe in a signal: fixed slots whose state is a lock-free
// atomic, filled before they are marked live, and unlink.

constexpr size_t kSlotCount = 64;
constexpr size_t kPathBytes = 4096;
enum SlotState : int { Free = 0, Filling = 1, Live = 2 };

struct Slot {
    std::atomic<int> state{Free};
    char path[kPathBytes];
};

Slot slots[kSlotCount];
constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
struct sigaction previousAction[kSignals.size()];

extern "C" void removeTemporariesAndStop(int signal) {
    for (Slot& s : slots)
        if (s.state.load() == Live) ::unlink(s.path);
    // The signal then does what it did before we were installed (usually: end the process).
    for (size_t i = 0; i < kSignals.size(); ++i) {
        if (kSignals[i] != signal) continue;
        ::sigaction(signal, &previousAction[i], nullptr);
        ::raise(signal);
    }
}

void installSignalHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (size_t i = 0; i < kSignals.size(); ++i) {
            struct sigaction current {};
            if (::sigaction(kSignals[i], nullptr, &current) != 0) continue;
            // A signal the process ignores stays ignored.
            if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_IGN) continue;
            previousAction[i] = current;
            struct sigaction ours {};
            ours.sa_handler = removeTemporariesAndStop;
            sigemptyset(&ours.sa_mask);
            for (int s : kSignals) sigaddset(&ours.sa_mask, s);
            ::sigaction(kSignals[i], &ours, nullptr);
        }
    });
}

int registerTemporary(const std::string& path) {
    if (path.size() >= kPathBytes) return -1;
    installSignalHandlers();
    for (size_t i = 0; i < kSlotCount; ++i) {
        int expected = Free;
        if (!slots[i].state.compare_exchange_strong(expected, Filling)) continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(Live);
        return static_cast<int>(i);
    }
    return -1; // more live temporaries than slots: that one is left to the stale sweep
}

void unregisterTemporary(int& slot) {
    if (slot >= 0) slots[static_cast<size_t>(slot)].state.store(Free);
    slot = -1;
}

// ---- Names ----

constexpr std::string_view kMark = ".ormevak-";
constexpr std::string_view kSuffix = ".tmp";
constexpr size_t kRandomPart = 6; // the XXXXXX of mkstemps

// ".NAME.ormevak-": names longer than a folder entry may be are shortened.
std::string temporaryPrefix(const fs::path& target) {
    std::string name = target.filename().string();
    if (name.size() > 200) name.resize(200);
    return "." + name + std::string(kMark);
}

bool processIsGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Removes our own temporaries of this target that a run stopped by SIGKILL or a power cut left
// behind: only names of our form whose process no longer lives.
void removeStaleTemporaries(const fs::path& folder, const std::string& prefix) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + kRandomPart + kSuffix.size() + 1) continue;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        if (name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) continue;
        const std::string middle =
            name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
        const size_t dash = middle.size() - kRandomPart - 1;
        if (middle[dash] != '-' || dash == 0 || dash > 9) continue;
        const std::string digits = middle.substr(0, dash);
        if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
        const auto pid = static_cast<pid_t>(std::stol(digits));
        if (pid == ::getpid() || !processIsGone(pid)) continue;
        ::unlink(it->path().c_str());
    }
}

mode_t currentUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// ---- What is at the target ----

enum class Placement { Replace, InPlace };

Placement placementOf(const std::string& path, SpecialTargets special) {
    struct stat st {};
    // stat follows a link: a link to a device is a device (/dev/stdout); a link to anything else
    // is itself replaced by the rename.
    if (::stat(path.c_str(), &st) != 0) return Placement::Replace;
    if (S_ISREG(st.st_mode)) return Placement::Replace;
    if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
    if ((S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) && special == SpecialTargets::WriteInPlace)
        return Placement::InPlace;
    failNotRegular(path);
}

// 0 when every byte went out, else the reason.
int writeAll(int fd, std::string_view content, WriteFunction write) {
    if (write == nullptr) write = ::write;
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC; // a write that takes nothing will never finish
        written += static_cast<size_t>(n);
    }
    return 0;
}

void writeInPlace(const std::string& path, std::string_view content, WriteFunction write) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) fail(path, errno);
    if (const int error = writeAll(fd, content, write)) {
        ::close(fd);
        fail(path, error);
    }
    if (::close(fd) != 0) fail(path, errno);
}

} // namespace

void writeToDescriptor(int fd, std::string_view content, const std::string& name,
                       WriteFunction write) {
    if (const int error = writeAll(fd, content, write)) fail(name, error);
}

TemporaryFile::TemporaryFile(const std::string& target, const std::string& folder)
    : target_(target) {
    if (target.empty()) throw FileError("Cannot write an empty file name");
    const fs::path t(target);
    fs::path dir = folder.empty() ? t.parent_path() : fs::path(folder);
    if (dir.empty()) dir = ".";
    const std::string prefix = temporaryPrefix(t);
    removeStaleTemporaries(dir, prefix);

    const std::string pattern =
        (dir / (prefix + std::to_string(::getpid()) + "-XXXXXX" + std::string(kSuffix))).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkostemps(name.data(), static_cast<int>(kSuffix.size()), O_CLOEXEC);
    if (fd_ < 0) fail(errno);
    path_.assign(name.data());
    slot_ = registerTemporary(path_);

    // The file gets the permissions the target has, or those a new file would get.
    struct stat st {};
    const mode_t mode = ::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                            ? (st.st_mode & 07777)
                            : (0666 & ~currentUmask());
    (void)::fchmod(fd_, mode);
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
    unregisterTemporary(slot_);
}

void TemporaryFile::fail(int error) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
    unregisterTemporary(slot_);
    ormevak::fail(target_, error);
}

std::string TemporaryFile::reopenName() const {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    return ::access(self.c_str(), F_OK) == 0 ? self : path_;
}

void TemporaryFile::write(std::string_view content, WriteFunction writer) {
    if (const int error = writeAll(fd_, content, writer)) fail(error);
}

std::string TemporaryFile::readBack() const {
    std::string content;
    char buffer[65536];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ormevak::fail(target_, errno);
        if (n == 0) break;
        content.append(buffer, static_cast<size_t>(n));
        at += n;
    }
    return content;
}

void TemporaryFile::commit() {
    // A full disk may show itself only here: data still in the cache is written by fsync.
    if (::fsync(fd_) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
    // rename replaces a link at the target, never the file it points at.
    if (::rename(path_.c_str(), target_.c_str()) != 0) fail(errno);
    path_.clear();
    unregisterTemporary(slot_);
    // The new name itself is made durable too; a folder that cannot be synced is no failure.
    fs::path dir = fs::path(target_).parent_path();
    if (dir.empty()) dir = ".";
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

void writeFileAtomically(const std::string& path, std::string_view content, SpecialTargets special,
                         WriteFunction write) {
    if (path.empty()) throw FileError("Cannot write an empty file name");
    if (placementOf(path, special) == Placement::InPlace) {
        writeInPlace(path, content, write);
        return;
    }
    TemporaryFile file(path);
    file.write(content, write);
    file.commit();
}

void writeFileThrough(const std::string& path,
                      const std::function<void(const std::string&)>& fill) {
    if (path.empty()) throw FileError("Cannot write an empty file name");
    if (placementOf(path, SpecialTargets::WriteInPlace) == Placement::InPlace) {
        // A device's folder is no place for files of ours: the file is made in the system's
        // temporary folder and copied in.
        std::error_code ec;
        const fs::path scratch = fs::temp_directory_path(ec);
        TemporaryFile file(path, ec ? std::string("/tmp") : scratch.string());
        fill(file.reopenName());
        writeInPlace(path, file.readBack(), nullptr);
        return;
    }
    TemporaryFile file(path);
    fill(file.reopenName());
    file.commit();
}

StopsHeldBack::StopsHeldBack() {
    sigset_t stops;
    sigemptyset(&stops);
    for (int s : kSignals) sigaddset(&stops, s);
    pthread_sigmask(SIG_BLOCK, &stops, &before_);
}

StopsHeldBack::~StopsHeldBack() {
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

} // namespace ormevak
