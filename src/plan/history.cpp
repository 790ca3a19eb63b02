// The edit history: snapshots of the editable model before each edit.
#include "plan/history.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

#include "model/numbers.h"

namespace ormevak {

namespace {

// The tables the analysis file and the load build, which no edit changes. Moved aside while the
// rest of the project is copied, so that a snapshot holds only what an edit can change.
struct AnalysisTables {
    std::vector<std::array<int32_t, 4>> joints;
    std::vector<std::array<int32_t, 3>> memberIncidence;
    std::vector<int32_t> betaMembers;
    std::vector<std::array<int32_t, 5>> columns;
    std::vector<std::array<float, 5>> beams;
    std::vector<SupportCases> supportReaction;
    std::vector<float> levelsX, levelsY, levelsZ;
    Grid3 nodeGrid, columnGrid, beamGridX, beamGridZ;

    void swapWith(Project& p) {
        std::swap(joints, p.joints);
        std::swap(memberIncidence, p.memberIncidence);
        std::swap(betaMembers, p.betaMembers);
        std::swap(columns, p.columns);
        std::swap(beams, p.beams);
        std::swap(supportReaction, p.supportReaction);
        std::swap(levelsX, p.levelsX);
        std::swap(levelsY, p.levelsY);
        std::swap(levelsZ, p.levelsZ);
        std::swap(nodeGrid, p.nodeGrid);
        std::swap(columnGrid, p.columnGrid);
        std::swap(beamGridX, p.beamGridX);
        std::swap(beamGridZ, p.beamGridZ);
    }
};

// Holds the analysis tables aside for the life of one copy, and puts them back even when the
// copy fails.
class TablesAside {
  public:
    explicit TablesAside(Project& p) : p_(p) { tables_.swapWith(p_); }
    ~TablesAside() { tables_.swapWith(p_); }
    TablesAside(const TablesAside&) = delete;
    TablesAside& operator=(const TablesAside&) = delete;

  private:
    Project& p_;
    AnalysisTables tables_;
};

// Records of plain 32-bit fields: equal when their bits are equal (an edit that stores the same
// value leaves the same bits).
template <typename T> bool sameBits(const std::vector<T>& a, const std::vector<T>& b) {
    static_assert(std::is_trivially_copyable_v<T>);
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Rows 1..count only: the Combine command writes its tentative record past the last one, which
// no one reads until a combine is accepted.
template <typename T> bool sameRows(const std::vector<T>& a, const std::vector<T>& b, int count) {
    static_assert(std::is_trivially_copyable_v<T>);
    const auto n = static_cast<size_t>(std::max(0, count)) + 1;
    if (a.size() < n || b.size() < n) return a.size() == b.size() && sameBits(a, b);
    return std::memcmp(a.data(), b.data(), n * sizeof(T)) == 0;
}

bool sameGroups(const std::vector<GroupRecord>& a, const std::vector<GroupRecord>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const GroupRecord& x = a[i];
        const GroupRecord& y = b[i];
        if (x.baseSize != y.baseSize || x.size != y.size || x.depth != y.depth ||
            x.pedestal != y.pedestal || x.barDia != y.barDia || x.nosCount != y.nosCount ||
            x.footingNos != y.footingNos || x.groupNo != y.groupNo ||
            x.netPressure != y.netPressure || x.govFooting != y.govFooting ||
            x.govCase != y.govCase)
            return false;
    }
    return true;
}

bool sameCaptions(const std::vector<GroupCaptions>& a, const std::vector<GroupCaptions>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].check != b[i].check || a[i].side != b[i].side || a[i].count != b[i].count)
            return false;
    return true;
}

size_t stringBytes(const std::string& s) {
    // Short texts live inside the string object.
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

template <typename T> size_t vectorBytes(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

std::string jointOf(const Project& p, int footing) {
    if (footing >= 1 && footing < static_cast<int>(p.footings.size()))
        return formatInt(p.footings[static_cast<size_t>(footing)].jointNo);
    return formatInt(footing);
}

// The group as its check box reads ("F3"); a switched-off group's box has no caption, and is
// named by its place among the boxes.
std::string groupOf(const Project& p, int group) {
    if (group >= 1 && group < static_cast<int>(p.groupCaptions.size()) &&
        !p.groupCaptions[static_cast<size_t>(group)].check.empty())
        return p.groupCaptions[static_cast<size_t>(group)].check;
    return "F" + formatInt(group);
}

std::string rowOf(const Project& p, int row) {
    if (row >= 1 && row < static_cast<int>(p.designRowTexts.size()) &&
        !p.designRowTexts[static_cast<size_t>(row)][0].empty())
        return p.designRowTexts[static_cast<size_t>(row)][0];
    return formatInt(row);
}

} // namespace

// ---- ModelSnapshot ----

ModelSnapshot ModelSnapshot::take(Project& p) {
    ModelSnapshot s;
    TablesAside aside(p);
    s.part_ = p;
    return s;
}

void ModelSnapshot::restore(Project& p) const {
    TablesAside aside(p);
    p = part_;
}

size_t ModelSnapshot::bytes() const {
    const Project& p = part_;
    size_t n = sizeof(ModelSnapshot);
    n += vectorBytes(p.footings) + vectorBytes(p.groupEnabled) + vectorBytes(p.gridX) +
         vectorBytes(p.gridZ) + vectorBytes(p.combinedFootings) + vectorBytes(p.sizedAsOneKn);
    n += vectorBytes(p.groups) + vectorBytes(p.designRows);
    for (const GroupRecord& g : p.groups) n += vectorBytes(g.footingNos);
    for (const GroupRecord& g : p.designRows) n += vectorBytes(g.footingNos);
    n += vectorBytes(p.groupCaptions);
    for (const GroupCaptions& c : p.groupCaptions)
        n += stringBytes(c.check) + stringBytes(c.side) + stringBytes(c.count);
    n += vectorBytes(p.designRowTexts);
    for (const auto& texts : p.designRowTexts)
        for (const std::string& t : texts) n += stringBytes(t);
    for (const std::string* s : {&p.analysisFilePath, &p.supportsCaption, &p.loadCasesCaption,
                                 &p.gradesCaption, &p.mainCaption, &p.sizeLabelCaption})
        n += stringBytes(*s);
    return n;
}

namespace {

// The R and C rows: what the engineer set (pedestal, depth, diameter) and every text shown.
bool sameDesignedRows(const Project& a, const Project& b) {
    const auto same = [](float x, float y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    if (a.rectRows.size() != b.rectRows.size() || a.combinedRows.size() != b.combinedRows.size())
        return false;
    for (size_t i = 0; i < a.rectRows.size(); ++i) {
        const RectRow &x = a.rectRows[i], &y = b.rectRows[i];
        if (x.footing != y.footing || !same(x.lenL, y.lenL) || !same(x.widB, y.widB) ||
            !same(x.depth, y.depth) || !same(x.pedestal, y.pedestal) || x.barDia != y.barDia ||
            x.pedestalEdited != y.pedestalEdited || x.designed != y.designed || x.texts != y.texts)
            return false;
    }
    for (size_t i = 0; i < a.combinedRows.size(); ++i) {
        const CombinedRow &x = a.combinedRows[i], &y = b.combinedRows[i];
        if (x.combined != y.combined || !same(x.depth, y.depth) || !same(x.pedestal, y.pedestal) ||
            x.barDia != y.barDia || x.pedestalEdited != y.pedestalEdited ||
            x.designed != y.designed || x.texts != y.texts)
            return false;
    }
    return true;
}

} // namespace

bool ModelSnapshot::sameAs(const ModelSnapshot& other) const {
    const Project& a = part_;
    const Project& b = other.part_;
    return a.footingCount == b.footingCount && sameBits(a.footings, b.footings) &&
           a.groupCount == b.groupCount && sameGroups(a.groups, b.groups) &&
           a.groupEnabled == b.groupEnabled && sameCaptions(a.groupCaptions, b.groupCaptions) &&
           a.gridX == b.gridX && a.gridZ == b.gridZ && a.combinedCount == b.combinedCount &&
           sameRows(a.combinedFootings, b.combinedFootings, a.combinedCount) &&
           a.designRowCount == b.designRowCount && sameGroups(a.designRows, b.designRows) &&
           a.designRowTexts == b.designRowTexts && a.loadCaseCount == b.loadCaseCount &&
           a.currentFooting == b.currentFooting && a.sizeLabelCaption == b.sizeLabelCaption &&
           a.mainCaption == b.mainCaption && a.sizedAsOneKn == b.sizedAsOneKn &&
           a.allowableBearing == b.allowableBearing && a.earthPressure == b.earthPressure &&
           a.concreteGrade == b.concreteGrade && a.steelGrade == b.steelGrade &&
           sameDesignedRows(a, b);
}

// ---- names ----

namespace edit_name {

std::string resize(const Project& p, int footing) {
    if (footing >= 1 && footing < static_cast<int>(p.footings.size()) &&
        p.footings[static_cast<size_t>(footing)].isCombined())
        return "resize of combined footing C" +
               formatInt(p.footings[static_cast<size_t>(footing)].combinedIndex());
    return "resize of footing " + jointOf(p, footing);
}

std::string shiftDelete(const Project& p, int footing) {
    if (footing >= 1 && footing < static_cast<int>(p.footings.size()) &&
        p.footings[static_cast<size_t>(footing)].isCombined())
        return "deletion of combined footing C" +
               formatInt(p.footings[static_cast<size_t>(footing)].combinedIndex());
    return "return of footing " + jointOf(p, footing) + " to its group";
}

std::string nudge(const Project& p, int group) {
    return "nudge of group " + groupOf(p, group);
}

std::string toggle(const Project& p, int group) {
    const bool on = group >= 1 && group < static_cast<int>(p.groupEnabled.size()) &&
                    p.groupEnabled[static_cast<size_t>(group)] != 0;
    return std::string(on ? "switching off group " : "switching on group ") + groupOf(p, group);
}

std::string disablePress(const Project& p, int footing) {
    const bool disabled = footing >= 1 && footing < static_cast<int>(p.footings.size()) &&
                          p.footings[static_cast<size_t>(footing)].isDisabled();
    return std::string(disabled ? "enabling of footing " : "disabling of footing ") +
           jointOf(p, footing);
}

std::string combine() {
    return "Combine";
}

std::string offset(const Project& p, int footing) {
    return "offset of footing " + jointOf(p, footing);
}

std::string offsetsReset() {
    return "reset of the column offsets";
}

std::string refresh() {
    return "Refresh";
}

std::string design() {
    return "Design";
}

std::string depth(const Project& p, int row) {
    return "depth of row " + rowOf(p, row);
}

std::string pedestal(const Project& p, int row) {
    return "pedestal of row " + rowOf(p, row);
}

std::string diameter(const Project& p, int row) {
    return "bar diameter of row " + rowOf(p, row);
}

} // namespace edit_name

// ---- EditHistory ----

void EditHistory::begin(Project& p, std::string name) {
    pending_.name = std::move(name);
    pending_.model = ModelSnapshot::take(p);
    pending_.bytes = pending_.model.bytes() + pending_.name.capacity();
    open_ = true;
}

bool EditHistory::commit(Project& p) {
    if (!open_) return false;
    open_ = false;
    if (pending_.model.sameAs(ModelSnapshot::take(p))) {
        pending_ = Entry{};
        return false;
    }
    for (const Entry& e : redo_) bytes_ -= e.bytes;
    redo_.clear();
    bytes_ += pending_.bytes;
    undo_.push_back(std::move(pending_));
    pending_ = Entry{};
    trim();
    return true;
}

void EditHistory::cancel() {
    open_ = false;
    pending_ = Entry{};
}

bool EditHistory::undo(Project& p) {
    return step(undo_, redo_, p);
}

bool EditHistory::redo(Project& p) {
    return step(redo_, undo_, p);
}

bool EditHistory::step(std::deque<Entry>& from, std::deque<Entry>& to, Project& p) {
    if (from.empty()) return false;
    Entry e = std::move(from.back());
    from.pop_back();
    // The model as it stands goes to the other list under the same name, so the step can be
    // taken back.
    Entry now{e.name, ModelSnapshot::take(p), 0};
    now.bytes = now.model.bytes() + now.name.capacity();
    e.model.restore(p);
    bytes_ = bytes_ - e.bytes + now.bytes;
    to.push_back(std::move(now));
    trim();
    return true;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
    cancel();
    bytes_ = 0;
}

void EditHistory::trim() {
    while (undo_.size() > kMinimumEdits && bytes_ > kByteBudget) {
        bytes_ -= undo_.front().bytes;
        undo_.pop_front();
    }
}

} // namespace ormevak
