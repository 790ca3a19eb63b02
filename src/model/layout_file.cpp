// Layout file: line 1 " " offX+2 per footing; line 2 a carriage return, then " " offZ+5 each.
#include "model/layout_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/errors.h"
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
    const std::string path = layoutPath(p.analysisFilePath);
    const std::string temp = path + ".tmp";
    const std::string content = layoutText(p);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw FileError("Cannot write the layout file " + path + ": " + std::strerror(errno));
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            throw FileError("Cannot write the layout file " + path + ": the disk refused the data");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        throw FileError("Cannot write the layout file " + path + ": " + ec.message());
    }
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
    std::ifstream in(path, std::ios::binary);
    if (!in) return LayoutLoad::Absent;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return loadLayoutText(p, buffer.str());
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
