// The schedule rows after the Design command: redesign of one row and the row edits.
#include "design/schedule.h"

#include <algorithm>
#include <cmath>

#include "design/section.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

GroupRecord& rowOf(Project& p, int n) {
    return p.designRows[static_cast<std::size_t>(n)];
}

RowTexts& textsOf(Project& p, int n) {
    if (p.designRowTexts.size() < p.designRows.size()) p.designRowTexts.resize(p.designRows.size());
    return p.designRowTexts[static_cast<std::size_t>(n)];
}

std::string rowName(int n) {
    return "Schedule row F" + formatInt(n);
}

struct Outcome {
    bool done = false;   // false: the row and its texts are as they were
    std::string message; // why not done, or a note on a row that was done
};

Outcome redesign(Project& p, int n) {
    if (!p.hasDesignRow(n)) return {false, "There is no schedule row " + formatInt(n)};
    if (std::string problem = section::gradeProblem(p, rowName(n) + " not redesigned");
        !problem.empty())
        return {false, problem};

    GroupRecord& row = rowOf(p, n);
    const float B = row.size;
    const float a = row.pedestal;
    const float q = row.netPressure;
    float depth = row.depth;
    if (std::string problem = section::sideProblem(n, B, a); !problem.empty())
        return {false, problem};
    try {
        const section::Bending b = section::bending(B, a, q, p.concreteGrade);
        // A depth the user entered that is deep enough stays.
        if (static_cast<float>(double(depth) - 0.06) < b.d)
            depth = static_cast<float>(double(b.d) + 0.06);
        const auto d = static_cast<float>(double(depth) - 0.06);
        const section::Checks k =
            section::depthLoop(p, B, a, q, b.c, b.Mu, d, section::Rules::Schedule);
        const float Ast = section::steelArea(k.pt, B, k.d);
        depth = section::overallDepth(k.d);
        const section::Bars bars = section::bars(Ast, row.barDia, B, section::Rules::Schedule);

        row.depth = depth;
        RowTexts& t = textsOf(p, n);
        section::writeResultTexts(t, n, row.depth, a, b, k, Ast, row.barDia, bars,
                                  section::Rules::Schedule);
        // A row the Design command could not design shows its net pressure once it can be.
        if (t[col::LabNetP].empty()) t[col::LabNetP] = formatNumber(q);
        return {true, k.gaveUp ? section::gaveUpMessage(n, row.depth) : std::string()};
    } catch (const RangeError& e) {
        return {false, rowName(n) + ": " + e.what() + "; the row was not redesigned"};
    }
}

// Whether row n shows a design: a row refused for its side shows none.
bool designed(Project& p, int n) {
    return !textsOf(p, n)[col::LabCant].empty();
}

void tell(Prompts* prompts, const std::string& message) {
    if (prompts != nullptr && !message.empty()) prompts->inform(message);
}

// A typed value that is a number as a whole and fits a Single.
bool typedValue(const std::string& text, float& value) {
    if (!isNumericText(text)) return false;
    value = static_cast<float>(readNumber(text));
    return std::isfinite(value);
}

} // namespace

std::string redesignRow(Project& p, int n) {
    return redesign(p, n).message;
}

RowTexts editDepth(Project& p, int n, const std::string& text, Prompts* prompts) {
    if (!p.hasDesignRow(n)) return {};
    GroupRecord& row = rowOf(p, n);
    const float before = row.depth;
    float value = 0;
    if (typedValue(text, value)) {
        row.depth = value;
        const Outcome out = redesign(p, n);
        tell(prompts, out.message);
        if (out.done) return textsOf(p, n);
        row.depth = before;
    }
    RowTexts& t = textsOf(p, n);
    // A row that has no design keeps its depth box empty.
    t[col::TxtDepth] = designed(p, n) ? formatNumber(row.depth) : std::string();
    return t;
}

RowTexts editPedestal(Project& p, int n, const std::string& text, Prompts* prompts) {
    if (!p.hasDesignRow(n)) return {};
    GroupRecord& row = rowOf(p, n);
    const float pedestalBefore = row.pedestal;
    const float depthBefore = row.depth;
    float value = 0;
    // A negative side is no pedestal, and could make the punching square's side zero.
    if (typedValue(text, value) && value >= 0 && row.size > value) {
        row.pedestal = value;
        row.depth = 0; // the depth is designed afresh for the new pedestal
        const Outcome out = redesign(p, n);
        tell(prompts, out.message);
        if (out.done) return textsOf(p, n);
        row.pedestal = pedestalBefore;
        row.depth = depthBefore;
    }
    RowTexts& t = textsOf(p, n);
    t[col::TxtPeda] = formatNumber(row.pedestal);
    return t;
}

RowTexts escapeDepth(Project& p, int n) {
    if (!p.hasDesignRow(n)) return {};
    RowTexts& t = textsOf(p, n);
    t[col::TxtDepth] = designed(p, n) ? formatNumber(rowOf(p, n).depth) : std::string();
    return t;
}

RowTexts escapePedestal(Project& p, int n) {
    if (!p.hasDesignRow(n)) return {};
    RowTexts& t = textsOf(p, n);
    t[col::TxtPeda] = formatNumber(rowOf(p, n).pedestal);
    return t;
}

RowTexts clickDiameter(Project& p, int n, Prompts* prompts) {
    if (!p.hasDesignRow(n)) return {};
    GroupRecord& row = rowOf(p, n);
    const int before = row.barDia;
    switch (row.barDia) {
    case 10:
        row.barDia = 12;
        break;
    case 12:
        row.barDia = 16;
        break;
    case 16:
        row.barDia = 20;
        break;
    case 20:
        row.barDia = 10;
        break;
    default:
        break;
    }
    const Outcome out = redesign(p, n);
    tell(prompts, out.message);
    if (!out.done) row.barDia = before;
    return textsOf(p, n);
}

std::string govMessage(const Project& p, int n) {
    if (!p.hasDesignRow(n)) return {};
    const GroupRecord& row = p.designRows[static_cast<std::size_t>(n)];
    return formatInt(row.govFooting) + "   " + formatInt(row.govCase);
}

std::vector<std::string> memberMessages(const Project& p, int n) {
    std::vector<std::string> messages;
    if (!p.hasDesignRow(n)) return messages;
    const GroupRecord& row = p.designRows[static_cast<std::size_t>(n)];
    const int last = row.lastMember();
    for (int k = 1; k <= last; ++k)
        messages.push_back(formatInt(row.footingNos[static_cast<std::size_t>(k)]));
    return messages;
}

std::string alignedTable(const std::vector<std::vector<std::string>>& lines) {
    std::vector<std::size_t> width;
    for (const auto& line : lines) {
        if (width.size() < line.size()) width.resize(line.size(), 0);
        for (std::size_t c = 0; c < line.size(); ++c) width[c] = std::max(width[c], line[c].size());
    }
    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c > 0) text += "  ";
            text += line[c];
            text.append(width[c] - line[c].size(), ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text;
        out += '\n';
    }
    return out;
}

std::string scheduleTable(const Project& p) {
    std::vector<std::vector<std::string>> lines;
    lines.emplace_back(scheduleHeadings().begin(), scheduleHeadings().end());
    const int last = p.lastDesignRowTexts();
    for (int n = 1; n <= last; ++n) {
        const RowTexts& t = p.designRowTexts[static_cast<std::size_t>(n)];
        lines.emplace_back(t.begin(), t.end());
    }
    return alignedTable(lines);
}

} // namespace ormevak
