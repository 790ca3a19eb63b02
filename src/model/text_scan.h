// Position helpers of the analysis file reader. Positions are 1-based, as the reader counts
// columns; a line of length n has positions 1..n.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "model/kind_scan.h"

namespace ormevak::scan {

// From pos on, the first number character; the scan stops at the last character of the line.
inline size_t skipToNumber(std::string_view line, size_t pos) {
    if (pos >= line.size()) return pos;
    const char* const first = line.data();
    return static_cast<size_t>(findKind<NumberChar>(first + pos - 1, first + line.size() - 1) -
                               first) +
           1;
}

// From pos on, the first character that is not a number character; stops at the line length.
inline size_t skipNumber(std::string_view line, size_t pos) {
    size_t p = pos;
    while (p < line.size() && NumberChar::of(line[p - 1])) ++p;
    return p;
}

// 1-based position of `what` in `line` at or after `from`, 0 if absent.
inline size_t find(std::string_view line, std::string_view what, size_t from = 1) {
    if (from == 0) from = 1;
    if (from > line.size() + 1) return 0;
    size_t p = line.find(what, from - 1);
    return p == std::string_view::npos ? 0 : p + 1;
}

// The piece of `line` of `count` characters from the 1-based column `start`; clipped to the line.
inline std::string_view mid(std::string_view line, size_t start, size_t count) {
    if (start == 0) start = 1;
    if (start > line.size()) return {};
    // Built in place rather than by substr, whose bounds check keeps it from being inlined.
    return {line.data() + start - 1, std::min(count, line.size() - (start - 1))};
}

// The rest of the line from 1-based pos.
inline std::string_view from(std::string_view line, size_t pos) {
    return mid(line, pos, std::string_view::npos);
}

// Blanks (spaces and tabs) become "*", so that readNumber stops at the end of each number.
inline void blanksToStars(std::string& line) {
    // Every character stored, blank or not: the loop then runs many characters at a time.
    for (char& c : line) c = (c == ' ' || c == '\t') ? '*' : c;
}

} // namespace ormevak::scan
