// The list of failing design checks and the helpers every front end shares: names, units,
// counts, the footings a check concerns and the text table.
#include "checks/checks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "checks/rules.h"
#include "model/marks.h"
#include "model/numbers.h"

namespace ormevak {

namespace checks {

double bondStress(int fck) {
    // 26.2.1.1: plain bars in tension.
    struct Step {
        int grade;
        double tau;
    };
    static constexpr std::array<Step, 6> table{
        {{15, 1.0}, {20, 1.2}, {25, 1.4}, {30, 1.5}, {35, 1.7}, {40, 1.9}}};
    double tau = table[0].tau;
    for (const Step& s : table)
        if (fck >= s.grade) tau = s.tau;
    return tau;
}

double developmentLength(int dia, int fy, int fck) {
    double tau = bondStress(fck);
    if (fy > kPlainBarFy) tau *= kDeformedBondFactor;
    return dia * kSteelTension * fy / (4 * tau);
}

int lastCaseIndex(const Project& p) {
    return std::clamp(p.loadCaseCount, 0, cap::casesPerSupport - 1);
}

bool completeCombined(const Project& p, int k) {
    if (!p.hasCombined(k)) return false;
    const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(k)];
    if (rec.memberCount < 2) return false;
    for (int j : {1, 2}) {
        const int m = rec.members[static_cast<size_t>(j)];
        if (!p.hasFootingLoads(m) || p.footings[static_cast<size_t>(m)].state != k) return false;
    }
    return true;
}

std::string markOf(const Project& p, int f) {
    return footingMark(p.footings[static_cast<size_t>(f)]);
}

std::string footingName(const Project& p, int f) {
    return markOf(p, f) + " at joint " + formatInt(p.footings[static_cast<size_t>(f)].jointNo);
}

std::string combinedName(const Project& p, int k) {
    const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(k)];
    return "C" + formatInt(k) + " (joints " +
           formatInt(p.footings[static_cast<size_t>(rec.members[1])].jointNo) + " and " +
           formatInt(p.footings[static_cast<size_t>(rec.members[2])].jointNo) + ")";
}

std::string num(double v, int decimals) {
    const double r = roundTo(v, decimals);
    return formatNumber(static_cast<float>(r == 0 ? 0.0 : r)); // never "-0"
}

} // namespace checks

namespace {

// Checks that concern a schedule row rather than a footing on the plan.
bool onScheduleRow(const Check& c) {
    static constexpr std::array<const char*, 6> ids{"pedestal-column", "spacing-max",
                                                    "spacing-min",     "development",
                                                    "column-bearing",  "steel-provided"};
    if (std::find(ids.begin(), ids.end(), c.id) != ids.end()) return true;
    return c.id == "not-designed" && c.footing == 0 && c.row.size() > 1 && c.row[0] == 'F';
}

void append(std::vector<Check>& out, std::vector<Check>& part) {
    out.insert(out.end(), std::make_move_iterator(part.begin()),
               std::make_move_iterator(part.end()));
}

std::vector<Check> gradeCheck(const Project& p) {
    // A missing grade is the Design command's message; only a grade read and too low is a check.
    if (p.concreteGrade <= 0 || p.concreteGrade >= checks::kMinGrade) return {};
    Check c;
    c.id = "grade";
    c.severity = Severity::Warning;
    c.value = static_cast<float>(p.concreteGrade);
    c.limit = static_cast<float>(checks::kMinGrade);
    c.text = "The concrete grade M" + formatInt(p.concreteGrade) +
             " is below M20, the least grade for reinforced concrete footings in moderate "
             "exposure: specify M20 or better.";
    return {c};
}

} // namespace

std::vector<Check> runChecks(const Project& p) {
    std::vector<Check> contact, overturning, uplift, overlap, notDesigned;
    checks::soilChecks(p, contact, overturning, uplift);
    checks::overlapChecks(p, overlap);
    checks::RowChecks rows;
    checks::rowChecks(p, rows);
    checks::notDesignedFootings(p, notDesigned);
    std::vector<Check> grade = gradeCheck(p);

    std::vector<Check> out;
    for (std::vector<Check>* part :
         {&contact, &overturning, &uplift, &overlap, &rows.pedestal, &rows.spacingMax,
          &rows.spacingMin, &rows.development, &rows.bearing, &rows.steel, &grade})
        append(out, *part);
    // Footings not designed first (plan order), then schedule rows the design refused.
    append(out, notDesigned);
    append(out, rows.notDesigned);
    return out;
}

const char* severityName(Severity s) {
    return s == Severity::Error ? "error" : "warning";
}

const char* checkUnit(const std::string& id) {
    if (id == "contact") return "kN/m2";
    if (id == "overturning") return "m";
    if (id == "uplift") return "kN";
    if (id == "overlap" || id == "pedestal-column" || id == "spacing-max" || id == "spacing-min" ||
        id == "development")
        return "mm";
    if (id == "column-bearing" || id == "grade") return "N/mm2";
    if (id == "steel-provided") return "mm2";
    return "";
}

CheckCounts countChecks(const std::vector<Check>& checks) {
    CheckCounts n;
    for (const Check& c : checks) (c.severity == Severity::Error ? n.errors : n.warnings) += 1;
    return n;
}

int checkScheduleRow(const Project& p, const Check& c) {
    // The checks of an R or C row name that row's own footing instead.
    if (!onScheduleRow(c) || c.row.empty() || c.row[0] != 'F') return 0;
    const int n = static_cast<int>(readNumber(std::string_view(c.row).substr(1)));
    return n >= 1 && n <= p.designRowCount ? n : 0;
}

std::vector<int> checkFootings(const Project& p, const Check& c) {
    std::vector<int> out;
    auto addWithPartner = [&](int f) {
        if (!p.hasFootingLoads(f)) return;
        const int k = p.footings[static_cast<size_t>(f)].combinedIndex();
        if (k >= 1 && checks::completeCombined(p, k)) {
            const CombinedRecord& rec = p.combinedFootings[static_cast<size_t>(k)];
            out.push_back(rec.members[1]);
            out.push_back(rec.members[2]);
        } else {
            out.push_back(f);
        }
    };
    if (c.footing != 0) {
        addWithPartner(c.footing);
        if (c.other != 0) addWithPartner(c.other);
    } else if (const int n = checkScheduleRow(p, c); n != 0) {
        const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
        for (int j = 1; j <= row.lastMember(); ++j) {
            const int f = row.footingNos[static_cast<size_t>(j)];
            if (p.hasFootingLoads(f) && p.footings[static_cast<size_t>(f)].isGrouped())
                out.push_back(f);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<int> checkRows(const Project& p, const Check& c) {
    if (const int n = checkScheduleRow(p, c); n != 0) return {n};
    std::vector<int> out;
    const std::vector<int> fs = checkFootings(p, c);
    const int last = p.lastDesignRow();
    for (int n = 1; n <= last; ++n) {
        const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
        for (int j = 1; j <= row.lastMember(); ++j) {
            const int f = row.footingNos[static_cast<size_t>(j)];
            if (std::binary_search(fs.begin(), fs.end(), f) &&
                p.footings[static_cast<size_t>(f)].isGrouped()) {
                out.push_back(n);
                break;
            }
        }
    }
    return out;
}

std::vector<char> footingSeverity(const Project& p, const std::vector<Check>& checks) {
    std::vector<char> marks(static_cast<size_t>(std::max(p.footingCount, 0)) + 1, 0);
    for (const Check& c : checks) {
        const char level = c.severity == Severity::Error ? 2 : 1;
        for (int f : checkFootings(p, c))
            if (f < static_cast<int>(marks.size()))
                marks[static_cast<size_t>(f)] = std::max(marks[static_cast<size_t>(f)], level);
    }
    return marks;
}

std::string checksTable(const std::vector<Check>& checks) {
    using Line = std::array<std::string, 9>;
    std::vector<Line> lines;
    lines.push_back(
        {"Check", "Severity", "Footing", "Row", "Other", "Case", "Value", "Limit", "Text"});
    for (const Check& c : checks) {
        const std::string unit = checkUnit(c.id);
        const std::string suffix = unit.empty() ? "" : " " + unit;
        lines.push_back({c.id, severityName(c.severity), formatInt(c.footing), c.row,
                         formatInt(c.other), formatInt(c.loadCase),
                         checks::num(c.value, 2) + suffix, checks::num(c.limit, 2) + suffix,
                         c.text});
    }
    std::array<size_t, 9> width{};
    for (const Line& line : lines)
        for (size_t i = 0; i < line.size(); ++i) width[i] = std::max(width[i], line[i].size());
    std::string out;
    for (const Line& line : lines) {
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            if (i > 0) text += "  ";
            text += line[i];
            text.append(width[i] - line[i].size(), ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text;
        out += '\n';
    }
    return out;
}

} // namespace ormevak
