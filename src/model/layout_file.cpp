// Layout file: line 1 " " offX+2 per footing; line 2 a carriage return, then " " offZ+5 each.
#include "model/layout_file.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/atomic_file.h"
#include "model/numbers.h"

namespace ormevak {

std::string layoutPath(const std::string& analysisPath) {
    const std::string ext = ".ANL";
    if (analysisPath.size() >= ext.size()) {
        std::string tail = analysisPath.substr(analysisPath.size() - ext.size());
        for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (tail == ext) return analysisPath.substr(0, analysisPath.size() - ext.size()) + ".SCR";
    }
    return analysisPath + ".SCR";
}

std::string layoutText(const Project& p) {
    std::string line1, line2 = "\r";
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& f = p.footings[static_cast<size_t>(i)];
        line1 += " " + formatInt(f.offX + 2);
        line2 += " " + formatInt(f.offZ + 5);
    }
    return line1 + "\r\n" + line2 + "\r\n";
}

void saveLayout(const Project& p) {
    // Only a regular file is ever replaced: a FIFO or a device planted at the layout file's name
    // is refused rather than written into.
    writeFileAtomically(layoutPath(p.analysisFilePath), layoutText(p), SpecialTargets::Refuse);
}

namespace {

// Pieces of a line split at blanks; piece 0 is what stands before the first blank.
std::vector<std::string> splitAtBlanks(const std::string& line) {
    std::vector<std::string> pieces(1);
    for (char c : line) {
        if (c == ' ')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

// The stray carriage return at the start of line 2 belongs to the line, so only LF (with the
// CR before it) ends a line.
bool nextLine(const std::string& text, size_t& pos, std::string& line) {
    if (pos >= text.size()) return false;
    size_t nl = text.find('\n', pos);
    size_t end = nl == std::string::npos ? text.size() : nl;
    line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = nl == std::string::npos ? text.size() : nl + 1;
    return true;
}

} // namespace

LayoutLoad loadLayout(Project& p) {
    const std::string path = layoutPath(p.analysisFilePath);
    // Opened without waiting, then judged by what was opened: a FIFO at the layout file's name
    // would otherwise hold the program for ever, and only a regular file can be ours.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno == ENOENT ? LayoutLoad::Absent : LayoutLoad::Ignored;
    struct stat st {};
    std::string text;
    bool whole = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char buffer[4096];
    while (whole) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            whole = n == 0;
            break;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return whole ? loadLayoutText(p, text) : LayoutLoad::Ignored;
}

LayoutLoad loadLayoutText(Project& p, const std::string& text) {
    size_t pos = 0;
    std::string line;
    if (!nextLine(text, pos, line)) return LayoutLoad::Ignored;
    const auto xs = splitAtBlanks(line);
    const int n = static_cast<int>(xs.size()) - 1;
    if (n != p.footingCount) return LayoutLoad::Ignored;

    std::vector<int32_t> offX(static_cast<size_t>(n) + 1), offZ;
    try {
        for (int i = 1; i <= n; ++i)
            offX[static_cast<size_t>(i)] = toInt32(readNumber(xs[static_cast<size_t>(i)]) - 2);
        std::vector<std::string> zs;
        if (nextLine(text, pos, line)) zs = splitAtBlanks(line);
        for (size_t i = 1; i < zs.size() && static_cast<int>(i) <= p.footingCount; ++i) {
            offZ.resize(i + 1);
            offZ[i] = toInt32(readNumber(zs[i]) - 5);
        }
    } catch (const RangeError&) {
        return LayoutLoad::Ignored;
    }
    // Offsets are steps of -1, 0 or +1; anything else is not a layout file of this program.
    auto isStep = [](int32_t v) { return v >= -1 && v <= 1; };
    for (size_t i = 1; i < offX.size(); ++i)
        if (!isStep(offX[i])) return LayoutLoad::Ignored;
    for (size_t i = 1; i < offZ.size(); ++i)
        if (!isStep(offZ[i])) return LayoutLoad::Ignored;
    for (int i = 1; i <= n; ++i)
        p.footings[static_cast<size_t>(i)].offX = offX[static_cast<size_t>(i)];
    for (size_t i = 1; i < offZ.size(); ++i) p.footings[i].offZ = offZ[i];
    return LayoutLoad::Restored;
}

} // namespace ormevak
