// The one way every output reaches the disk: whole or not at all, never through a fixed name,
// never into the file a symbolic link points at, never replacing a device.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <csignal>
#include <sys/types.h>

namespace ormevak {

// The call that moves bytes to a descriptor: the system's write unless a test puts in one that
// fails part way, as a full disk does.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);

// Writes all of `content` to `fd` (retrying short writes and interruptions). Throws FileError
// "Cannot write NAME: REASON".
void writeToDescriptor(int fd, std::string_view content, const std::string& name,
                       WriteFunction write = nullptr);

// What a file may be replaced by: a regular file or a symbolic link (the link itself is
// replaced), a missing name. A character device or a FIFO is written in place; a special file
// of any other kind is refused.
enum class SpecialTargets {
    WriteInPlace, // devices and FIFOs receive the bytes (--json /dev/null, a pipe)
    Refuse        // the layout file: only a regular file is ever written there
};

// A temporary file created exclusively under a unique name ".NAME.ormevak-PID-XXXXXX.tmp" in a
// folder (the target's own by default, so the final rename stays on one file system). It is
// removed when destroyed uncommitted, and by a SIGTERM, SIGINT or SIGHUP arriving while it
// lives. Stale ones of the same target left by runs that no longer live are removed first.
class TemporaryFile {
  public:
    // Throws FileError "Cannot write TARGET: REASON".
    explicit TemporaryFile(const std::string& target, const std::string& folder = {});
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    int descriptor() const { return fd_; }
    // A name that opens this very file, for libraries that write by name: it cannot be swapped
    // for a link between our creation and their opening.
    std::string reopenName() const;

    void write(std::string_view content, WriteFunction writer = nullptr);
    // The whole content, read back from the start (after a library wrote it by name).
    std::string readBack() const;
    // Synced, closed and renamed over the target. Throws FileError; the temporary is then gone.
    void commit();

  private:
    [[noreturn]] void fail(int error);
    std::string target_, path_;
    int fd_ = -1;
    int slot_ = -1;
};

// Writes `content` to `path` through a TemporaryFile beside it, synced and renamed over the
// target. Throws FileError "Cannot write PATH: REASON" and leaves an existing file at `path` as
// it was.
void writeFileAtomically(const std::string& path, std::string_view content,
                         SpecialTargets special = SpecialTargets::WriteInPlace,
                         WriteFunction write = nullptr);

// While it lives, the stop signals (SIGTERM, SIGINT, SIGHUP) wait on this thread: a library
// that makes and removes temporary files of its own (the workbook writer, as it packs) ends with
// them before a stop removes ours and ends the run, so that none is left behind. A stop sent
// meanwhile arrives when it ends.
class StopsHeldBack {
  public:
    StopsHeldBack();
    ~StopsHeldBack();
    StopsHeldBack(const StopsHeldBack&) = delete;
    StopsHeldBack& operator=(const StopsHeldBack&) = delete;

  private:
    sigset_t before_;
};

// For writers that can only be given a file name: `fill` writes the whole file at the name it
// is given, which is then placed at `path` as writeFileAtomically places its content. `fill`
// throws to abandon the file.
void writeFileThrough(const std::string& path, const std::function<void(const std::string&)>& fill);

} // namespace ormevak
