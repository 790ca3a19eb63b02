// Atomic file writes: unique temporary beside the target, fsync, rename.
#include "model/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include "model/errors.h"

namespace ormevak {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw FileError("Cannot write " + path + ": " + std::strerror(error));
}

} // namespace

void writeFileAtomically(const std::string& path, std::string_view content) {
    if (path.empty()) throw FileError("Cannot write an empty file name");
    const std::filesystem::path target(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) fail(path, errno);
    const std::string temporary(name.data());
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        fail(path, error);
    };
    ::fchmod(fd, 0644);
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            abandon(errno);
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(path, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(path, error);
    }
}

} // namespace ormevak
