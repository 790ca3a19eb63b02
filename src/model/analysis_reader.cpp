// Reads the analysis program's text output by its marker texts, four passes from the top.
#include "model/analysis_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <latch>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

#include "model/errors.h"
#include "model/first_of.h"
#include "model/frame_grids.h"
#include "model/numbers.h"
#include "model/side_by_side.h"
#include "model/text_scan.h"

namespace ormevak {

namespace {

using scan::find;
using scan::from;
using scan::mid;
using scan::skipNumber;
using scan::skipToNumber;

constexpr std::string_view kColumnMarker = "C O L U M N   N O.";
constexpr std::string_view kBeamMarker = "B E A M  N O.";
constexpr std::string_view kBetaMarker = "BETA 90 MEMB";
constexpr std::string_view kReactionMarker = "SUPPORT REACTIONS -UNIT KN   METE";
constexpr std::string_view kReactionEnd = "END OF LATEST ANALYSIS RESULT";

// Ends the input phase; carries the message shown before the program ends (may be empty).
struct EndProgram {
    std::string message;
};

std::string overflowMessage(std::string_view what, int limit) {
    return "The analysis file has more " + std::string(what) + " than the " + formatInt(limit) +
           " this program can hold. The file was not read.";
}

// The file's lines, read one after another from an opening; reopening starts at the top. A line
// ends at "\n" (a "\r" before it is dropped); the text is never split into a table of lines, and
// searching for a marker jumps through the text instead of copying every line in between.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    void reopen() { next_ = 0; }
    bool atEnd() const { return next_ >= text_.size(); }
    bool read(std::string& line) {
        std::string_view v;
        if (!view(v)) return false;
        line.assign(v);
        return true;
    }
    // The next line without a copy.
    bool view(std::string_view& line) {
        if (atEnd()) return false;
        line = take();
        return true;
    }
    // Where the next line starts in the text (the text's end after the last line).
    size_t nextStart() const { return next_; }
    // Reading goes on from `lineStart`, the start of a line.
    void startAt(size_t lineStart) { next_ = lineStart; }
    void skipLine() {
        if (!atEnd()) take();
    }
    // Where the line holding the character at `pos` starts: after the last line end before it
    // (looked for by the C library, many characters at a time, not one by one).
    size_t lineStartOf(size_t pos) const {
        const void* lineEnd = ::memrchr(text_.data(), '\n', pos);
        return lineEnd == nullptr
                   ? 0
                   : static_cast<size_t>(static_cast<const char*>(lineEnd) - text_.data()) + 1;
    }
    // Reads on to the next line that holds the marker, as reading line by line would; at the end
    // of the file the last line read stays the current one.
    bool readUntil(std::string& line, std::string_view marker, std::string_view other = {}) {
        if (atEnd()) return false;
        size_t pos = text_.find(other.empty() ? marker : other, next_);
        // Whichever starts first: the marker is searched for only before the other text.
        if (!other.empty()) {
            const size_t limit =
                pos == std::string_view::npos ? text_.size() : pos + marker.size() - 1;
            pos = std::min(pos, text_.substr(0, limit).find(marker, next_));
        }
        if (pos == std::string_view::npos) {
            next_ = text_.size();
            line.assign(lastLine());
            return false;
        }
        // No marker holds a line end: the line holding it starts after the last one before it.
        next_ = lineStartOf(pos);
        line.assign(take());
        return true;
    }

  private:
    static std::string_view withoutReturn(std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    // The line starting at next_; next_ moves past its end.
    std::string_view take() {
        const size_t lineEnd = text_.find('\n', next_);
        const size_t end = lineEnd == std::string_view::npos ? text_.size() : lineEnd;
        const std::string_view line = text_.substr(next_, end - next_);
        next_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
        return withoutReturn(line);
    }
    // The file's last line (the text is not empty): a final "\n" ends it, starts no other.
    std::string_view lastLine() const {
        size_t end = text_.size();
        if (text_.back() == '\n') --end;
        const size_t before = end == 0 ? std::string_view::npos : text_.rfind('\n', end - 1);
        const size_t start = before == std::string_view::npos ? 0 : before + 1;
        return withoutReturn(text_.substr(start, end - start));
    }

    std::string_view text_;
    size_t next_ = 0; // where the next line starts
};

// The cursor on the first number after the echo line number (or at the end of the line).
size_t skipEcho(std::string_view line) {
    size_t cursor = skipToNumber(line, 1);
    cursor = skipNumber(line, cursor);
    return skipToNumber(line, cursor);
}

double numberAt(std::string_view line, size_t pos) {
    return readNumber(from(line, pos));
}

float finiteSingle(double v) {
    const float f = static_cast<float>(v);
    if (!std::isfinite(f)) throw RangeError("A beam dimension is out of range");
    return f;
}

// The support reaction table, or one part of it.
struct ReactionTable {
    std::vector<SupportCases> rows{SupportCases{}}; // support 0..N
    int supports = 0;
    int lastCase = 0; // case index of the last reaction line read
};

// A reaction line's number that starts within its first 7 columns is a joint number: it starts
// a support. Any later number is one of the load case's.
constexpr size_t kJointColumns = 7;

// A line that starts a support: it is read (it does not read as zero) and its first number
// stands within the joint columns.
bool startsSupport(std::string_view raw) {
    return !readsAsZero(raw) && raw.size() > 1 && skipToNumber(raw, 1) <= kJointColumns;
}

// The reaction lines that start in [first, to) of the text, into `t`: every line but those that
// read as zero is one load case of the support above it. A part that starts at a support's line
// is read as the whole table would read it from there, its supports counted from 1.
void readReactionLines(std::string_view text, size_t first, size_t to, ReactionTable& t) {
    Lines lines(text);
    lines.startAt(first);
    std::string line;
    int& s = t.supports;
    int& c = t.lastCase;
    std::string_view raw;
    while (lines.nextStart() < to && lines.view(raw)) {
        if (readsAsZero(raw)) continue;
        ++c;
        int k = 0;
        bool toggle = false;
        // The numbers are read as if the blanks were "*"; the starred copy is made only for a
        // number of another shape than the common one, and for the message.
        bool starred = false;
        auto starredLine = [&]() -> const std::string& {
            if (!starred) {
                line.assign(raw);
                scan::blanksToStars(line);
                starred = true;
            }
            return line;
        };
        size_t cursor = 1;
        while (cursor < raw.size()) {
            cursor = skipToNumber(raw, cursor);
            double number;
            const size_t read = detail::readPlainNumber<true>(from(raw, cursor), number);
            if (read == 0) number = numberAt(starredLine(), cursor);
            const float v = static_cast<float>(number);
            if (!std::isfinite(v))
                throw RangeError("A support reaction (" + starredLine() + ") is out of range");
            if (cursor <= kJointColumns) {
                toInt32(v, "A support joint number");
                if (++s > cap::supports)
                    throw CapacityError(overflowMessage("supports", cap::supports));
                t.rows.push_back(SupportCases{});
                k = 0;
                c = 0;
                t.rows[static_cast<size_t>(s)][0][0] = v;
            } else {
                toggle = !toggle;
                if (toggle) {
                    ++k;
                    if (c >= cap::casesPerSupport)
                        throw CapacityError(overflowMessage("reaction lines for one support",
                                                            cap::casesPerSupport));
                    // Numbers beyond MOM-Z (a malformed line) have no component to go to.
                    if (k <= 4)
                        t.rows[static_cast<size_t>(s)][static_cast<size_t>(c)]
                              [static_cast<size_t>(k)] = v;
                }
            }
            // The characters of a number read whole are number characters: skipped already.
            cursor = skipNumber(raw, std::min(cursor + read, raw.size()));
        }
    }
}

// The reaction table read in parts side by side: the first part finds the table and where the
// others start (each at a support's line), and the parts are joined in turn, the supports of
// each counted on from the parts before it. The first error in the table's order is the one
// the whole table would have stopped at.
class ReactionParts {
  public:
    static constexpr size_t kParts = 8;
    static constexpr size_t kRows = static_cast<size_t>(cap::supports) + 1; // support 0..cap

    explicit ReactionParts(std::string_view text) : text_(text) {}

    // Part 0 finds the table first; the others wait for it, which only the part being read by
    // another thread can make them do.
    void read(size_t part) {
        if (part == 0) {
            // Counted down however locating ends: a part waiting for it never waits for ever.
            struct Located {
                std::latch& latch;
                ~Located() { latch.count_down(); }
            } located{located_};
            locate();
        } else {
            located_.wait();
        }
        Part& mine = parts_[part];
        if (starts_[part] >= starts_[part + 1]) return;
        try {
            readReactionLines(text_, starts_[part], starts_[part + 1], mine.table);
        } catch (...) {
            mine.error = std::current_exception();
        }
        // The first part is the one the others are joined to: it is given room for every
        // support the model holds now, while the other parts are read, so that joining them is
        // one copy into memory already in place.
        if (part == 0 && !mine.error) mine.table.rows.resize(kRows);
    }

    ReactionTable join() {
        ReactionTable all;
        for (size_t i = 0; i < kParts; ++i) {
            Part& part = parts_[i];
            if (all.supports + part.table.supports > cap::supports)
                throw CapacityError(overflowMessage("supports", cap::supports));
            if (part.error) std::rethrow_exception(part.error);
            if (i == 0) {
                all = std::move(part.table);
                all.rows.resize(kRows);
            } else if (part.table.supports > 0) {
                std::copy(part.table.rows.begin() + 1, part.table.rows.end(),
                          all.rows.begin() + all.supports + 1);
                all.supports += part.table.supports;
                all.lastCase = part.table.lastCase;
            }
        }
        all.rows.resize(static_cast<size_t>(all.supports) + 1);
        return all;
    }

  private:
    struct Part {
        ReactionTable table;
        std::exception_ptr error;
    };

    // The table runs from the line after its marker's line to the line holding the end text (or
    // the end of the file); each part but the first starts at the first support's line at or
    // after its share of the table.
    void locate() {
        Lines lines(text_);
        std::string line;
        starts_.fill(0);
        if (!lines.readUntil(line, kReactionMarker)) return;
        const size_t begin = lines.nextStart();
        const size_t end = text_.find(kReactionEnd, begin);
        const size_t stop = end == std::string_view::npos ? text_.size() : lines.lineStartOf(end);
        starts_[0] = begin;
        starts_[kParts] = std::max(begin, stop);
        for (size_t i = 1; i < kParts; ++i) {
            size_t at = std::max(starts_[i - 1], begin + (stop - begin) / kParts * i);
            lines.startAt(lines.lineStartOf(at));
            if (lines.nextStart() < at) lines.skipLine();
            std::string_view raw;
            while (lines.nextStart() < starts_[kParts]) {
                const size_t lineStart = lines.nextStart();
                lines.view(raw);
                if (startsSupport(raw)) {
                    lines.startAt(lineStart);
                    break;
                }
            }
            starts_[i] = std::min(lines.nextStart(), starts_[kParts]);
        }
    }

    std::string_view text_;
    std::array<size_t, kParts + 1> starts_{};
    std::array<Part, kParts> parts_;
    std::latch located_{1};
};

// readNumber of the 10 characters after the first `marker` of the current line, after reading
// on to a line that holds it when `readOn` is set.
double valueAfter(Lines& lines, std::string& line, std::string_view marker, bool readOn) {
    if (readOn) lines.readUntil(line, marker);
    const size_t at = find(line, marker);
    return readNumber(mid(line, at + marker.size(), 10));
}

// The beam design blocks, read from an opening of their own: they need nothing of the other
// readings. The informs a block gives wait here to be shown in turn, and so does an error.
struct BeamBlocks {
    std::vector<std::array<float, 5>> rows{std::array<float, 5>{}}; // block 0..N
    std::vector<std::string> informs;
    std::exception_ptr error;
};

BeamBlocks readBeamBlocks(std::string_view text) {
    Lines lines(text);
    std::string line;
    BeamBlocks b;
    try {
        while (lines.readUntil(line, kBeamMarker)) {
            for (;;) {
                if (static_cast<int>(b.rows.size()) > cap::beams)
                    throw CapacityError(overflowMessage("beam design blocks", cap::beams));
                std::array<float, 5> row{};
                row[member_row::Member] = finiteSingle(valueAfter(lines, line, kBeamMarker, false));
                if (row[member_row::Member] == 0) b.informs.push_back(line);
                row[member_row::Length] = finiteSingle(valueAfter(lines, line, "LENGTH:", true));
                row[member_row::Dim3] = finiteSingle(valueAfter(lines, line, "SIZE:", false));
                row[member_row::Dim4] = finiteSingle(valueAfter(lines, line, "X", false));
                b.rows.push_back(row);
                // The LENGTH: line may itself start the next block only in a broken file. At
                // the end of the file the last line stays current, and may be a header: the end
                // of the file ends the blocks.
                if (lines.atEnd() || !find(line, kBeamMarker)) break;
            }
        }
    } catch (...) {
        b.error = std::current_exception();
    }
    return b;
}

class Reader {
  public:
    Reader(Project& p, std::string_view text, Prompts& prompts)
        : p_(p), text_(text), lines_(text), prompts_(prompts) {}

    void run() {
        // The reaction table (in parts) and the beam blocks need nothing of the other readings:
        // they are read on a helper thread while those go on, and each result (or error) takes
        // its place in the order below.
        ReactionParts reactions(text_);
        BeamBlocks beams;
        std::vector<SideBySide::Piece> pieces{[&] { reactions.read(0); },
                                              [&] { beams = readBeamBlocks(text_); }};
        for (size_t i = 1; i < ReactionParts::kParts; ++i)
            pieces.push_back([&reactions, i] { reactions.read(i); });
        SideBySide helpers(std::move(pieces), 1);
        readUnit();
        readJoints();
        readMembers();
        readBetaAndColumns();
        // The readings after the reaction table need nothing of it nor of the beam blocks: they
        // are done while those may still be read, and their error waits for its turn, after the
        // beam blocks' and the table's.
        std::exception_ptr later;
        try {
            lines_.reopen();
            readGrades();
            normaliseMembers();
            swapBetaColumns();
            buildNodeGrid(p_);
        } catch (...) {
            later = std::current_exception();
        }
        helpers.wait(1);
        applyBeams(std::move(beams));
        helpers.finish();
        applyReactions(reactions.join());
        if (later) std::rethrow_exception(later);
    }

  private:
    bool next() { return lines_.read(line_); }

    // Reads on until a line holds `marker` (the current line is not examined).
    bool readUntil(std::string_view marker) { return lines_.readUntil(line_, marker); }

    double valueAfter(std::string_view marker, bool readOn) {
        return ormevak::valueAfter(lines_, line_, marker, readOn);
    }

    // A file in which a marker every analysis output has is missing: the user is told what was
    // looked for, so that a wrong file, an empty one or another encoding is recognised.
    [[noreturn]] void notAnAnalysisOutput(std::string_view missing) const {
        throw EndProgram{p_.analysisFilePath +
                         " does not look like an analysis output: " + std::string(missing)};
    }

    void readUnit() {
        if (!readUntil("UNIT")) {
            if (text_.find("JOINT COORDINATES") == std::string_view::npos)
                notAnAnalysisOutput("no joint coordinates found");
            notAnAnalysisOutput("no UNIT command found");
        }
        size_t at = find(line_, "UNIT");
        std::string_view unit = mid(line_, at + 5, 4);
        if (unit == "METE")
            unitFactor_ = 1000;
        else if (unit == "MMS ")
            unitFactor_ = 1;
        else
            throw EndProgram{" Units Should be Meter or mm "};
        p_.inputUnitFactor = unitFactor_;
    }

    // Steps through the numbers of a list line, calling store(value) for each.
    template <typename Store> void readListLine(size_t cursor, size_t end, Store store) {
        while (cursor < end) {
            cursor = skipToNumber(line_, cursor);
            store(numberAt(line_, cursor));
            cursor = skipNumber(line_, cursor);
        }
    }

    void readJoints() {
        if (!readUntil("JOINT COORDINATES")) notAnAnalysisOutput("no joint coordinates found");
        p_.jointCount = 1;
        p_.joints.assign(2, {});
        int counter = 0;
        while (next()) {
            if (readsAsZero(line_)) continue;
            size_t cursor = skipEcho(line_);
            if (cursor == line_.size()) return; // this line starts the member search
            scan::blanksToStars(line_);
            size_t end = line_.size();
            if (find(line_, "E-")) {
                // Values with a negative exponent are taken as zero; the exponent would
                // otherwise read as a number of its own.
                std::string rebuilt;
                size_t start = 0;
                for (;;) {
                    size_t star = line_.find('*', start);
                    std::string piece = line_.substr(
                        start, star == std::string::npos ? std::string::npos : star - start);
                    rebuilt += (piece.find("E-") != std::string::npos ? "0.0" : piece) + "*";
                    if (star == std::string::npos) break;
                    start = star + 1;
                }
                line_ = rebuilt;
                end = line_.size() - 1;
            }
            readListLine(cursor, end, [&](double v) {
                if (counter > 3) {
                    if (++p_.jointCount > cap::joints)
                        throw CapacityError(overflowMessage("joints", cap::joints));
                    p_.joints.push_back({});
                    counter = 0;
                }
                auto& row = p_.joints[static_cast<size_t>(p_.jointCount)];
                if (counter == 0)
                    row[joint::Number] = toInt32(v, "A joint number");
                else
                    row[static_cast<size_t>(counter)] =
                        toInt32(v * unitFactor_, "A joint coordinate");
                ++counter;
            });
        }
        line_.clear();
        atEnd_ = true;
    }

    void readMembers() {
        bool found = !atEnd_ && find(line_, "MEMBER INCIDENCES");
        if (!found && (atEnd_ || !readUntil("MEMBER INCIDENCES")))
            notAnAnalysisOutput("no member incidences found");
        p_.memberCount = 1;
        p_.memberIncidence.assign(2, {});
        int counter = 0;
        while (next()) {
            if (readsAsZero(line_)) continue;
            size_t cursor = skipEcho(line_);
            if (cursor == line_.size()) return;
            scan::blanksToStars(line_);
            readListLine(cursor, line_.size(), [&](double v) {
                if (counter > 2) {
                    if (++p_.memberCount > cap::members)
                        throw CapacityError(overflowMessage("members", cap::members));
                    p_.memberIncidence.push_back({});
                    counter = 0;
                }
                p_.memberIncidence[static_cast<size_t>(p_.memberCount)]
                                  [static_cast<size_t>(counter)] =
                    toInt32(v, "A member or joint number");
                ++counter;
            });
        }
        atEnd_ = true;
    }

    void appendBeta(double v) {
        if (p_.betaCount >= cap::betaMembers)
            throw CapacityError(overflowMessage("BETA 90 members", cap::betaMembers));
        p_.betaMembers.push_back(toInt32(v, "A BETA member number"));
        ++p_.betaCount;
    }

    // One line of a BETA command, blanks already replaced; ranges "a TO b" expanded.
    void readBetaLine(size_t cursor) {
        size_t range = find(line_, "*TO");
        while (cursor < line_.size()) {
            if (range > 0) range = find(line_, "*TO", range);
            cursor = skipToNumber(line_, cursor);
            if (cursor == line_.size()) return;
            appendBeta(roundTo(numberAt(line_, cursor), 0));
            cursor = skipNumber(line_, cursor);
            if (cursor == range) {
                cursor = skipToNumber(line_, cursor);
                double last = roundTo(numberAt(line_, cursor), 0);
                do {
                    appendBeta(static_cast<double>(p_.betaMembers.back()) + 1);
                } while (p_.betaMembers.back() < last);
                cursor = skipNumber(line_, cursor);
                range = cursor;
            }
        }
    }

    enum class Keyword { None, Beta, Column };

    static Keyword findKeyword(std::string_view line) {
        if (find(line, kBetaMarker)) return Keyword::Beta;
        if (find(line, kColumnMarker)) return Keyword::Column;
        return Keyword::None;
    }

    void readBetaAndColumns() {
        p_.betaCount = 0;
        p_.columnCount = 0;
        p_.columns.assign(1, {});
        if (atEnd_) return;
        for (;;) {
            // The next line holding either marker; a line with both is a BETA line.
            if (!lines_.readUntil(line_, kBetaMarker, kColumnMarker)) return;
            if (findKeyword(line_) == Keyword::Column) break;
            size_t at;
            while ((at = line_.find(kBetaMarker)) != std::string::npos)
                line_.erase(at, kBetaMarker.size());
            for (;;) {
                if (readsAsZero(line_)) {
                    if (!next()) return;
                    continue;
                }
                size_t cursor = skipEcho(line_);
                if (cursor > 10 || cursor == line_.size()) break; // the command has ended
                scan::blanksToStars(line_);
                readBetaLine(cursor);
                if (!next()) return;
            }
        }
        readColumns();
    }

    // From the current line on; after each block the search goes on after its LENGTH: line.
    void readColumns() {
        bool here = find(line_, kColumnMarker) != 0;
        for (;;) {
            if (!here && !readUntil(kColumnMarker)) return;
            here = false;
            if (++p_.columnCount > cap::columns)
                throw CapacityError(overflowMessage("column design blocks", cap::columns));
            std::array<int32_t, 5> row{};
            row[member_row::Member] =
                toInt32(valueAfter(kColumnMarker, false), "A column member number");
            row[member_row::Length] = toInt32(valueAfter("LENGTH:", true), "A column length");
            row[member_row::Dim3] =
                toInt32(valueAfter("CROSS SECTION:", false), "A column dimension");
            row[member_row::Dim4] = toInt32(valueAfter("X", false), "A column dimension");
            p_.columns.push_back(row);
        }
    }

    // The beam blocks read on their own thread: their informs are shown, and their error thrown,
    // here, where reading them in turn would have.
    void applyBeams(BeamBlocks blocks) {
        for (const std::string& text : blocks.informs) prompts_.inform(text);
        if (blocks.error) std::rethrow_exception(blocks.error);
        p_.beamCount = static_cast<int>(blocks.rows.size()) - 1;
        p_.beams = std::move(blocks.rows);
    }

    void applyReactions(ReactionTable table) {
        p_.supportReaction = std::move(table.rows);
        const int s = table.supports;
        p_.supportReaction[0][0][reaction::SupportCount] = static_cast<float>(s);
        if (s == 0) throw EndProgram{" NO SUPPORT REACTIONS  (or) Units differ "};
        p_.supportsCaption = "SUPPORT REACTIONS :   " + formatInt(s);
        p_.loadCasesCaption = "LOAD CASES :   " + formatInt(table.lastCase + 1);
    }

    void readGrades() {
        if (!readUntil("START CONCRETE DESIGN")) throw EndProgram{"NO START CONCRETE DESIGN"};
        double fck = 0, fy = 0;
        while (!(fck >= 1 && fy >= 1) && next()) {
            if (find(line_, "UNIT MMS NEWTON")) {
                unitFactor_ = 1;
            } else if (find(line_, "UNIT METER KN")) {
                unitFactor_ = 1000;
            } else if (size_t at = find(line_, "FYMAIN")) {
                fy = toInt32(readNumber(from(line_, at + 6)), "The steel grade (FYMAIN)");
            } else if (size_t fc = find(line_, "FC")) {
                fck = toInt32(readNumber(from(line_, fc + 2)), "The concrete grade (FC)");
            }
        }
        p_.concreteGrade = toInt16(fck / unitFactor_, "The concrete grade");
        p_.steelGrade = toInt16(fy / unitFactor_, "The steel grade");
        p_.gradesCaption =
            "Fck " + formatInt(p_.concreteGrade) + "     Fe " + formatInt(p_.steelGrade) + " N/mm2";
    }

    // The start joint becomes the lower (or smaller-coordinate) end of every member.
    void normaliseMembers() {
        FirstOf<int32_t> firstRow(p_.jointCount);
        for (int j = 1; j <= p_.jointCount; ++j)
            firstRow.add(p_.joints[static_cast<size_t>(j)][joint::Number], j);
        const std::array<int32_t, 4> absent{};
        auto jointRow = [&](int32_t number) -> const std::array<int32_t, 4>& {
            const int32_t row = firstRow.find(number);
            return row == 0 ? absent : p_.joints[static_cast<size_t>(row)];
        };
        for (int m = 1; m <= p_.memberCount; ++m) {
            auto& row = p_.memberIncidence[static_cast<size_t>(m)];
            const auto& a = jointRow(row[incidence::Start]);
            const auto& b = jointRow(row[incidence::End]);
            if (b[joint::X] < a[joint::X] || b[joint::Y] < a[joint::Y] || b[joint::Z] < a[joint::Z])
                std::swap(row[incidence::Start], row[incidence::End]);
        }
    }

    void swapBetaColumns() {
        std::unordered_map<int32_t, int> timesNamed;
        for (int i = 1; i <= p_.betaCount; ++i)
            ++timesNamed[p_.betaMembers[static_cast<size_t>(i)]];
        for (int c = 1; c <= p_.columnCount; ++c) {
            auto& row = p_.columns[static_cast<size_t>(c)];
            auto it = timesNamed.find(row[member_row::Member]);
            if (it != timesNamed.end() && it->second % 2 == 1)
                std::swap(row[member_row::Dim3], row[member_row::Dim4]);
        }
    }

    Project& p_;
    std::string_view text_;
    Lines lines_;
    Prompts& prompts_;
    std::string line_;
    bool atEnd_ = false;
    int unitFactor_ = 1000;
};

} // namespace

namespace {

std::optional<InputFailure> readText(Project& p, const std::string& path, std::string_view text,
                                     Prompts& prompts) {
    p = Project{};
    p.analysisFilePath = path;
    try {
        Reader(p, text, prompts).run();
        return std::nullopt;
    } catch (const EndProgram& end) {
        p = Project{};
        return InputFailure{end.message};
    } catch (const CapacityError& e) {
        p = Project{};
        return InputFailure{e.what()};
    } catch (const RangeError& e) {
        p = Project{};
        return InputFailure{std::string(e.what()) + ". The file was not read."};
    }
}

// A regular file's bytes mapped read-only from the page cache: no copy, and no freshly zeroed
// memory to fault in page by page. Empty while the system cannot map the file (an empty file, a
// file system without mapping); the file is then read the ordinary way.
class MappedFile {
  public:
    MappedFile(int fd, off_t size) {
        if (size <= 0) return;
        void* at = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                          fd, 0);
        if (at == MAP_FAILED) return;
        at_ = at;
        size_ = static_cast<size_t>(size);
    }
    ~MappedFile() {
        // Unmapping a large file takes a while (every page is let go): nothing waits for it.
        if (at_ != nullptr) inBackground([at = at_, size = size_] { ::munmap(at, size); });
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool mapped() const { return at_ != nullptr; }
    std::string_view text() const { return {static_cast<const char*>(at_), size_}; }

  private:
    void* at_ = nullptr;
    size_t size_ = 0;
};

} // namespace

std::optional<InputFailure> readAnalysisText(Project& p, const std::string& path,
                                             const std::string& text, Prompts& prompts) {
    return readText(p, path, text, prompts);
}

std::optional<InputFailure> readAnalysisFile(Project& p, const std::string& path,
                                             Prompts& prompts) {
    p = Project{};
    // Opened without waiting and judged by what was opened: a folder or a FIFO is refused before
    // any read (a folder reports a size no read can fill, a FIFO would wait for ever).
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return InputFailure{"Cannot open the analysis file " + path + ": " + std::strerror(errno)};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return InputFailure{path + " is not a file that can be read"};
    }
    const MappedFile mapped(fd, st.st_size);
    if (mapped.mapped()) {
        ::close(fd);
        return readText(p, path, mapped.text(), prompts);
    }
    std::string text;
    text.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (error != 0)
        return InputFailure{"Cannot read the analysis file " + path + ": " + std::strerror(error)};
    return readText(p, path, text, prompts);
}

std::optional<InputFailure> runInputPhase(Project& p, const std::string& path, Prompts& prompts) {
    if (auto failure = readAnalysisFile(p, path, prompts)) return failure;
    try {
        buildMemberGrids(p);
        linkSupportColumns(p);
    } catch (const CapacityError& e) {
        p = Project{};
        return InputFailure{e.what()};
    }
    return std::nullopt;
}

} // namespace ormevak
