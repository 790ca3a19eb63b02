// Opening a project: a fresh model from the analysis file, then the saved decisions, restored
// exactly when the supports and loads are as saved, otherwise carried over by joint number.
#include "project/open_project.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>

#include "model/analysis_reader.h"
#include "model/marks.h"
#include "model/numbers.h"
#include "model/prompts.h"
#include "model/sha256.h"
#include "model/soil_values.h"
#include "sizing/pipeline.h"
#include "sizing/sizing.h"

namespace ormevak {

namespace {

namespace fs = std::filesystem;

size_t at(int i) {
    return static_cast<size_t>(i);
}

// Keeps what the input phase and the load pipeline say until the project is known to open.
class BufferedPrompts : public Prompts {
  public:
    void inform(const std::string& text, const std::string&, MessageIcon) override {
        messages.push_back(text);
    }
    bool confirm(const std::string& text, const std::string&) override {
        messages.push_back(text + " [OK]");
        return true;
    }
    std::vector<std::string> messages;
};

// Reaction lines by load case number.
using CaseLoads = std::map<int, std::array<float, 3>>;

CaseLoads storedLoads(const StoredFooting& s) {
    CaseLoads out;
    for (const auto& l : s.loads) out[static_cast<int>(std::lround(l[0]))] = {l[1], l[2], l[3]};
    return out;
}

CaseLoads currentLoads(const Project& p, int i) {
    CaseLoads out;
    if (at(i) >= p.supportReaction.size()) return out;
    for (int c = 0; c < cap::casesPerSupport; ++c) {
        const float number = p.reaction(i, c, reaction::CaseNo);
        if (number != 0)
            out[static_cast<int>(std::lround(number))] = {p.reaction(i, c, reaction::ForceY),
                                                          p.reaction(i, c, reaction::MomX),
                                                          p.reaction(i, c, reaction::MomZ)};
    }
    return out;
}

bool differsMoreThanOnePercent(float before, float after) {
    const double change = std::abs(double(after) - double(before));
    return change > std::max(0.01 * std::abs(double(before)), 1e-3);
}

// Load case numbers (of the common cases) whose reactions changed by more than 1 %.
std::vector<int> changedCases(const CaseLoads& before, const CaseLoads& after) {
    std::vector<int> out;
    for (const auto& [number, old] : before) {
        auto it = after.find(number);
        if (it == after.end()) continue;
        for (size_t k = 0; k < 3; ++k) {
            if (differsMoreThanOnePercent(old[k], it->second[k])) {
                out.push_back(number);
                break;
            }
        }
    }
    return out;
}

std::string joinInts(const std::vector<int>& values) {
    std::string out;
    for (int v : values) out += (out.empty() ? "" : ", ") + std::to_string(v);
    return out;
}

std::string counted(size_t n, const char* one, const char* many) {
    return n == 1 ? one : many;
}

std::string sizeText(float lenL, float widB) {
    return sizeCaption(lenL, widB) + " m";
}

std::unordered_map<int, int> jointIndex(const Project& p) {
    std::unordered_map<int, int> out;
    for (int i = 1; i <= p.footingCount; ++i) out.emplace(p.footings[at(i)].jointNo, i);
    return out;
}

bool moved(const FootingRecord& before, const FootingRecord& after) {
    return before.nodeX != after.nodeX || before.nodeZ != after.nodeZ;
}

// True when the supports, their positions, their loads and the grades are exactly as saved:
// the saved decisions then fit the fresh model as they are.
bool sameAnalysis(const StoredProject& s, const Project& p) {
    if (s.concreteGrade != p.concreteGrade || s.steelGrade != p.steelGrade) return false;
    if (static_cast<int>(s.footings.size()) != p.footingCount) return false;
    for (int i = 1; i <= p.footingCount; ++i) {
        const StoredFooting& sf = s.footings[at(i - 1)];
        const FootingRecord& f = p.footings[at(i)];
        if (sf.record.jointNo != f.jointNo || moved(sf.record, f)) return false;
        if (storedLoads(sf) != currentLoads(p, i)) return false;
    }
    return true;
}

void restoreExactly(Project& p, const StoredProject& s) {
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& from = s.footings[at(i - 1)].record;
        FootingRecord& f = p.footings[at(i)];
        f.state = from.state;
        f.groupIndex = from.groupIndex;
        f.markNo = from.markNo;
        f.x = from.x;
        f.z = from.z;
        f.offX = from.offX;
        f.offZ = from.offZ;
        f.lenL = from.lenL;
        f.widB = from.widB;
    }
    p.groupCount = s.groupCount;
    p.groups = s.groups;
    p.groupEnabled = s.groupEnabled;
    p.groupCaptions = s.groupCaptions;
    p.combinedCount = s.combinedCount;
    p.combinedFootings = s.combinedFootings;
    p.designRowCount = s.designRowCount;
    p.designRows = s.designRows;
    p.designRowTexts = s.designRowTexts;
    p.rectRows = s.rectRows;
    p.combinedRows = s.combinedRows;
    p.currentFooting = s.currentFooting;
    p.sizeLabelCaption = s.sizeLabel;
}

void carryGroups(Project& p, const StoredProject& s, std::vector<std::string>& lines) {
    std::vector<bool> used(at(s.groupCount) + 1, false);
    for (int g = 1; g <= p.groupCount; ++g) {
        for (int k = 1; k <= s.groupCount; ++k) {
            if (used[at(k)] || s.groups[at(k)].baseSize != p.groups[at(g)].baseSize) continue;
            used[at(k)] = true;
            p.groups[at(g)].size = s.groups[at(k)].size;
            p.groups[at(g)].pedestal = s.groups[at(k)].pedestal;
            p.groups[at(g)].barDia = s.groups[at(k)].barDia;
            p.groupEnabled[at(g)] = s.groupEnabled[at(k)];
            break;
        }
    }
    for (int k = 1; k <= s.groupCount; ++k) {
        const GroupRecord& g = s.groups[at(k)];
        if (used[at(k)]) continue;
        std::string what;
        if (!s.groupEnabled[at(k)]) what = "unticked";
        if (g.size != g.baseSize)
            what += (what.empty() ? "" : " and ") + std::string("its side set to ") +
                    formatNumber(g.size) + " m";
        if (!what.empty())
            lines.push_back("Not carried over: the group formed at " + formatNumber(g.baseSize) +
                            " m (" + what + "): no footing needs that side now");
    }
    // The largest group's check box cannot be unticked.
    if (p.groupCount >= 1 && !p.groupEnabled[at(p.groupCount)]) {
        p.groupEnabled[at(p.groupCount)] = 1;
        lines.push_back("Not carried over: unticking the group of side " +
                        formatNumber(p.groups[at(p.groupCount)].baseSize) +
                        " m: it is now the largest group and stays ticked");
    }
}

// Combined footings whose members all still stand where they stood; returns the new number of
// each saved combined footing (0 when dropped).
std::vector<int> carryCombined(Project& p, const StoredProject& s,
                               const std::unordered_map<int, int>& index,
                               std::vector<std::string>& lines) {
    std::vector<int> renumber(at(s.combinedCount) + 1, 0);
    p.combinedCount = 0;
    p.combinedFootings.assign(1, CombinedRecord{});
    for (int k = 1; k <= s.combinedCount; ++k) {
        CombinedRecord c = s.combinedFootings[at(k)];
        std::string reason;
        std::vector<int> joints;
        int previous = 0;
        for (int m = 1; m <= c.memberCount; ++m) {
            const FootingRecord& old = s.footings[at(c.members[at(m)] - 1)].record;
            joints.push_back(old.jointNo);
            auto it = index.find(old.jointNo);
            if (it == index.end()) {
                if (reason.empty())
                    reason = "joint " + std::to_string(old.jointNo) + " was removed";
                continue;
            }
            if (moved(old, p.footings[at(it->second)]) && reason.empty())
                reason = "the support at joint " + std::to_string(old.jointNo) + " moved";
            if (it->second < previous && reason.empty())
                reason = "its footings are numbered in another order now";
            previous = it->second;
            c.members[at(m)] = it->second;
        }
        if (!reason.empty()) {
            lines.push_back("Not carried over: combined footing C" + std::to_string(k) +
                            " (joints " + joinInts(joints) + "): " + reason +
                            "; its remaining footings are grouped again");
            continue;
        }
        p.combinedFootings.push_back(c);
        renumber[at(k)] = ++p.combinedCount;
    }
    return renumber;
}

void carryOver(Project& p, const StoredProject& s, Prompts& prompts,
               std::vector<std::string>& lines) {
    const std::unordered_map<int, int> index = jointIndex(p);
    carryGroups(p, s, lines);
    const std::vector<int> renumber = carryCombined(p, s, index, lines);

    for (const StoredFooting& sf : s.footings) {
        const FootingRecord& old = sf.record;
        auto it = index.find(old.jointNo);
        if (it == index.end()) {
            std::vector<std::string> lost;
            if (old.isResized()) lost.push_back("its resized size " + sizeText(old.lenL, old.widB));
            if (old.isDisabled()) lost.push_back("its disabling");
            if (old.offX != 0 || old.offZ != 0) lost.push_back("its column offset");
            std::string list;
            for (size_t k = 0; k < lost.size(); ++k)
                list += (k == 0 ? "" : k + 1 == lost.size() ? " and " : ", ") + lost[k];
            if (!list.empty())
                lines.push_back("Not carried over: the footing at joint " +
                                std::to_string(old.jointNo) + " (removed): " + list);
            continue;
        }
        FootingRecord& f = p.footings[at(it->second)];
        const bool loadsChanged =
            !changedCases(storedLoads(sf), currentLoads(p, it->second)).empty();
        f.offX = old.offX;
        f.offZ = old.offZ;
        f.x = f.nodeX + (old.x - old.nodeX);
        f.z = f.nodeZ + (old.z - old.nodeZ);
        if (old.isDisabled() || old.isResized()) {
            f.state = old.state;
            f.lenL = old.lenL;
            f.widB = old.widB;
            f.markNo = old.markNo;
            if (old.isResized() && loadsChanged)
                lines.push_back("The footing at joint " + std::to_string(old.jointNo) +
                                " keeps its resized size " + sizeText(old.lenL, old.widB) +
                                " although its loads changed: check it");
        } else if (old.isCombined() && renumber[at(old.state)] != 0) {
            f.state = renumber[at(old.state)];
            f.lenL = old.lenL;
            f.widB = old.widB;
            f.markNo = old.markNo;
            if (loadsChanged)
                lines.push_back("Combined footing C" + std::to_string(f.state) +
                                " keeps its size although the loads at joint " +
                                std::to_string(old.jointNo) + " changed: check it");
        }
    }
    if (s.currentFooting >= 1) {
        auto it = index.find(s.footings[at(s.currentFooting - 1)].record.jointNo);
        p.currentFooting = it == index.end() ? 0 : it->second;
    }
    p.sizeLabelCaption = s.sizeLabel;
    if (s.designRowCount > 0)
        lines.push_back("Not carried over: the schedule (" + std::to_string(s.designRowCount) +
                        " " + counted(at(s.designRowCount), "row", "rows") +
                        ", with their depth, pedestal and bar diameter edits): "
                        "press Design to design it again");
    assignGroups(p, prompts);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

std::vector<std::string> analysisChanges(const StoredProject& s, const Project& p) {
    std::vector<std::string> lines;
    const std::unordered_map<int, int> index = jointIndex(p);
    std::set<int> before;
    for (const StoredFooting& f : s.footings) before.insert(f.record.jointNo);

    std::vector<int> added, removed;
    for (int i = 1; i <= p.footingCount; ++i)
        if (!before.count(p.footings[at(i)].jointNo)) added.push_back(p.footings[at(i)].jointNo);
    for (const StoredFooting& f : s.footings)
        if (!index.count(f.record.jointNo)) removed.push_back(f.record.jointNo);
    if (!added.empty())
        lines.push_back(
            counted(added.size(), "Support added at joint ", "Supports added at joints ") +
            joinInts(added));
    if (!removed.empty())
        lines.push_back(
            counted(removed.size(), "Support removed at joint ", "Supports removed at joints ") +
            joinInts(removed));
    for (const StoredFooting& f : s.footings) {
        auto it = index.find(f.record.jointNo);
        if (it == index.end()) continue;
        const FootingRecord& now = p.footings[at(it->second)];
        if (moved(f.record, now))
            lines.push_back("Support at joint " + std::to_string(f.record.jointNo) +
                            " moved from (" + std::to_string(f.record.nodeX) + ", " +
                            std::to_string(f.record.nodeZ) + ") to (" + std::to_string(now.nodeX) +
                            ", " + std::to_string(now.nodeZ) + ") mm");
    }

    std::set<int> casesBefore, casesNow;
    for (const StoredFooting& f : s.footings)
        for (const auto& [number, loads] : storedLoads(f)) casesBefore.insert(number);
    for (int i = 1; i <= p.footingCount; ++i)
        for (const auto& [number, loads] : currentLoads(p, i)) casesNow.insert(number);
    std::vector<int> casesAdded, casesRemoved;
    std::set_difference(casesNow.begin(), casesNow.end(), casesBefore.begin(), casesBefore.end(),
                        std::back_inserter(casesAdded));
    std::set_difference(casesBefore.begin(), casesBefore.end(), casesNow.begin(), casesNow.end(),
                        std::back_inserter(casesRemoved));
    if (!casesAdded.empty())
        lines.push_back(counted(casesAdded.size(), "Load case added: ", "Load cases added: ") +
                        joinInts(casesAdded));
    if (!casesRemoved.empty())
        lines.push_back(
            counted(casesRemoved.size(), "Load case removed: ", "Load cases removed: ") +
            joinInts(casesRemoved));

    for (const StoredFooting& f : s.footings) {
        auto it = index.find(f.record.jointNo);
        if (it == index.end()) continue;
        const std::vector<int> cases = changedCases(storedLoads(f), currentLoads(p, it->second));
        if (!cases.empty())
            lines.push_back("Reactions at joint " + std::to_string(f.record.jointNo) +
                            " changed by more than 1 % in " +
                            counted(cases.size(), "load case ", "load cases ") + joinInts(cases));
    }
    if (s.concreteGrade != p.concreteGrade)
        lines.push_back("Concrete grade changed from " + std::to_string(s.concreteGrade) + " to " +
                        std::to_string(p.concreteGrade) + " N/mm2");
    if (s.steelGrade != p.steelGrade)
        lines.push_back("Steel grade changed from " + std::to_string(s.steelGrade) + " to " +
                        std::to_string(p.steelGrade) + " N/mm2");
    return lines;
}

OpenedProject openStoredProject(const StoredProject& s, const std::string& projectPath) {
    const std::string& analysis = s.analysisResolved;
    std::error_code ec;
    if (!fs::is_regular_file(analysis, ec))
        throw ProjectFileError(projectPath, "its analysis file " + analysis + " does not exist");
    const bool sameBytes = sha256Hex(readBytes(analysis)) == s.analysisSha256;

    OpenedProject out;
    Project& p = out.project;
    BufferedPrompts prompts;
    if (auto failure = runInputPhase(p, analysis, prompts))
        throw AnalysisInputError(failure->message);
    SoilValuesResult soil = applySoilValues(p, s.soil.depth, s.soil.sbc);
    if (!soil.accepted)
        throw ProjectFileError(projectPath, "its soil values are refused: " + soil.reason);
    out.soil = s.soil;
    loadMainWindow(p, prompts);

    if (sameAnalysis(s, p)) {
        restoreExactly(p, s);
        out.scheduleRestored = s.designRowCount > 0;
        if (!sameBytes)
            out.changes = {"The analysis file " + analysis + " changed since the project was saved",
                           "Its supports, load cases and reactions are as they were: every "
                           "decision is kept"};
    } else {
        out.changes.push_back("The analysis file " + analysis +
                              (sameBytes ? " does not match the saved project"
                                         : " changed since the project was saved"));
        std::vector<std::string> found = analysisChanges(s, p);
        if (found.empty())
            found.push_back("No support, load case or reaction changed by more than 1 %; the "
                            "grouped footings are sized again");
        out.changes.insert(out.changes.end(), found.begin(), found.end());
        carryOver(p, s, prompts, out.changes);
    }
    out.messages = std::move(prompts.messages);
    return out;
}

OpenedProject openProject(const std::string& projectPath) {
    return openStoredProject(readProjectFile(projectPath), projectPath);
}

} // namespace ormevak
