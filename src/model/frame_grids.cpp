// Levels, node grid, column and beam grids, and the column standing on each support.
// The grids are sparse; look-ups by key give the results of the full scans.
#include "model/frame_grids.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/assert.h"
#include "model/errors.h"
#include "model/first_of.h"
#include "model/numbers.h"
#include "model/side_by_side.h"

namespace ormevak {

namespace {

// The distinct values of one axis, ascending. A frame has thousands of joints on a few dozen
// levels: the repeats are dropped through a look-up before the few that are left are sorted.
std::vector<int32_t> distinctSorted(const std::vector<int32_t>& values) {
    std::unordered_set<int32_t> seen;
    std::vector<int32_t> distinct;
    for (int32_t v : values)
        if (seen.insert(v).second) distinct.push_back(v);
    std::sort(distinct.begin(), distinct.end());
    return distinct;
}

void fillLevels(std::vector<float>& levels, const std::vector<int32_t>& distinct,
                const char* axis) {
    if (distinct.size() > static_cast<size_t>(cap::gridAxis)) {
        throw CapacityError("The frame has more than " + formatInt(cap::gridAxis) + " distinct " +
                            axis + " coordinates. The file was not read.");
    }
    levels.assign(1, static_cast<float>(distinct.size()));
    for (int32_t v : distinct) levels.push_back(static_cast<float>(v));
}

int levelCount(const std::vector<float>& levels) {
    return static_cast<int>(levels[0]);
}

// 1-based level index of a coordinate among the distinct ones of its axis (which hold it).
int levelIndex(const std::vector<int32_t>& distinct, int32_t value) {
    return static_cast<int>(std::lower_bound(distinct.begin(), distinct.end(), value) -
                            distinct.begin()) +
           1;
}

uint64_t pairKey(int32_t a, int32_t b) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

// A node of the grid: position and joint number.
struct Node {
    int xi, yi, zi, joint;
};

// The member joining two joints, keyed once per build; where two members join the same ends,
// the first row counts, as a search from the top of the table finds it.
FirstOf<uint64_t> membersByEnds(const Project& p) {
    FirstOf<uint64_t> byEnds(p.memberCount);
    for (int m = 1; m <= p.memberCount; ++m) {
        const auto& row = p.memberIncidence[static_cast<size_t>(m)];
        byEnds.add(pairKey(row[incidence::Start], row[incidence::End]), row[incidence::Number]);
    }
    return byEnds;
}

} // namespace

void buildNodeGrid(Project& p) {
    std::vector<int32_t> xs, ys, zs;
    for (int j = 1; j <= p.jointCount; ++j) {
        const auto& row = p.joints[static_cast<size_t>(j)];
        if (row[joint::Number] > cap::gridCell || row[joint::Number] < -cap::gridCell - 1) {
            throw CapacityError(
                "Joint number " + formatInt(row[joint::Number]) + " is above " +
                formatInt(cap::gridCell) +
                ", the largest joint number the frame grid holds. The file was not read.");
        }
        xs.push_back(row[joint::X]);
        ys.push_back(row[joint::Y]);
        zs.push_back(row[joint::Z]);
    }
    const auto dx = distinctSorted(xs);
    const auto dy = distinctSorted(ys);
    const auto dz = distinctSorted(zs);
    fillLevels(p.levelsX, dx, "X");
    fillLevels(p.levelsY, dy, "Y");
    fillLevels(p.levelsZ, dz, "Z");
    // Joint by joint in table order, so that of two joints at one point the later one stands.
    p.nodeGrid.clear();
    p.nodeGrid.reserve(static_cast<size_t>(p.jointCount));
    for (int j = 1; j <= p.jointCount; ++j) {
        const auto& row = p.joints[static_cast<size_t>(j)];
        p.nodeGrid.set(levelIndex(dx, row[joint::X]), levelIndex(dy, row[joint::Y]),
                       levelIndex(dz, row[joint::Z]), row[joint::Number]);
    }
}

int findMember(const Project& p, int lower, int upper) {
    for (int m = 1; m <= p.memberCount; ++m) {
        const auto& row = p.memberIncidence[static_cast<size_t>(m)];
        if (row[incidence::Start] == lower && row[incidence::End] == upper)
            return row[incidence::Number];
    }
    return 0;
}

int columnRowOf(const Project& p, int member) {
    for (int c = 1; c <= p.columnCount; ++c)
        if (p.columns[static_cast<size_t>(c)][member_row::Member] == member) return c;
    return 0;
}

int beamRowOf(const Project& p, int member) {
    for (int b = 1; b <= p.beamCount; ++b)
        if (p.beams[static_cast<size_t>(b)][member_row::Member] == static_cast<float>(member))
            return b;
    return 0;
}

namespace {

std::vector<Node> gridNodes(const Project& p) {
    std::vector<Node> nodes;
    nodes.reserve(p.nodeGrid.size());
    p.nodeGrid.forEach([&](int xi, int yi, int zi, int joint) {
        nodes.push_back({xi, yi, zi, joint});
    });
    return nodes;
}

// Grid indices are at most 300 (10 bits), so a line of two indices fits its 20 bits.
constexpr uint32_t kIndexBits = 10;
static_assert(cap::gridAxis < (1 << kIndexBits));

uint32_t gridLine(int a, int b) {
    return static_cast<uint32_t>(a) << kIndexBits | static_cast<uint32_t>(b);
}

// The nodes' places in the order of their keys (line, then position along it), ties in the
// nodes' order: one counting pass for each of the three grid indices, from the last to the
// first, each keeping the order the pass before it left (a comparison sort was a twentieth of
// the run).
template <typename Key> std::vector<uint32_t> orderByKey(const std::vector<Node>& nodes, Key key) {
    constexpr uint32_t kValues = uint32_t{1} << kIndexBits;
    constexpr uint32_t kLow = kValues - 1;
    std::vector<uint32_t> order(nodes.size()), passed(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) order[i] = static_cast<uint32_t>(i);
    auto pass = [&](auto index) {
        std::vector<uint32_t> start(kValues + 1, 0);
        for (uint32_t i : order) ++start[index(nodes[i]) + 1];
        for (uint32_t v = 0; v < kValues; ++v) start[v + 1] += start[v];
        for (uint32_t i : order) passed[start[index(nodes[i])]++] = i;
        order.swap(passed);
    };
    pass([&](const Node& n) {
        const uint32_t along = key(n).second;
        ORMEVAK_ASSERT(along <= kLow);
        return along;
    });
    pass([&](const Node& n) { return key(n).first & kLow; });
    pass([&](const Node& n) {
        const uint32_t first = key(n).first >> kIndexBits;
        ORMEVAK_ASSERT(first <= kLow);
        return first;
    });
    return order;
}

// For every node, its neighbour along one grid line: the node before it (previous) or after it in
// the order of the third index. `key` gives (line, position on the line) of a node.
template <typename Key>
std::vector<const Node*> neighbours(const std::vector<Node>& nodes, Key key, bool previous) {
    const std::vector<uint32_t> order = orderByKey(nodes, key);
    std::vector<const Node*> result(nodes.size(), nullptr);
    for (size_t k = 0; k < order.size(); ++k) {
        if ((previous && k == 0) || (!previous && k + 1 == order.size())) continue;
        const Node& self = nodes[order[k]];
        const Node& other = nodes[order[previous ? k - 1 : k + 1]];
        if (key(other).first == key(self).first) result[order[k]] = &other;
    }
    return result;
}

// Member number -> row of the column table (first row counts).
FirstOf<int32_t> columnRows(const Project& p) {
    FirstOf<int32_t> rows(p.columnCount);
    for (int c = 1; c <= p.columnCount; ++c)
        rows.add(p.columns[static_cast<size_t>(c)][member_row::Member], c);
    return rows;
}

// Member number -> row of the beam table (first row counts). Beam member numbers are kept as
// read; only whole numbers can name a member.
FirstOf<int32_t> beamRows(const Project& p) {
    FirstOf<int32_t> rows(p.beamCount);
    for (int b = 1; b <= p.beamCount; ++b) {
        const float member = p.beams[static_cast<size_t>(b)][member_row::Member];
        if (member >= -2147483648.0f && member < 2147483648.0f && member == std::trunc(member))
            rows.add(static_cast<int32_t>(member), b);
    }
    return rows;
}

// The column below each node: the member from the nearest node below on the same vertical line
// (empty levels between are bridged).
void buildColumnGrid(Project& p, const std::vector<Node>& nodes, const FirstOf<uint64_t>& byEnds) {
    const FirstOf<int32_t> columnRow = columnRows(p);
    // At most one column stands on each node.
    p.columnGrid.reserve(nodes.size());
    const auto below = neighbours(
        nodes,
        [](const Node& n) { return std::pair(gridLine(n.xi, n.zi), static_cast<uint32_t>(n.yi)); },
        true);
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Node& n = nodes[i];
        if (n.yi < 2 || n.joint <= 0 || !below[i] || below[i]->joint <= 0) continue;
        if (int32_t m = byEnds.find(pairKey(below[i]->joint, n.joint)))
            p.columnGrid.set(n.xi, n.yi, n.zi, columnRow.find(m));
    }
}

// The beams from each node to the next node along X (`alongX`) or along Z.
void buildBeamGrid(Project& p, const std::vector<Node>& nodes, const FirstOf<uint64_t>& byEnds,
                   const FirstOf<int32_t>& beamRow, bool alongX) {
    Grid3& grid = alongX ? p.beamGridX : p.beamGridZ;
    const auto next = neighbours(
        nodes,
        [alongX](const Node& n) {
            return alongX ? std::pair(gridLine(n.yi, n.zi), static_cast<uint32_t>(n.xi))
                          : std::pair(gridLine(n.xi, n.yi), static_cast<uint32_t>(n.zi));
        },
        false);
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Node& n = nodes[i];
        if (n.yi < 2 || n.joint <= 0 || !next[i] || next[i]->joint <= 0) continue;
        if (int32_t m = byEnds.find(pairKey(n.joint, next[i]->joint)))
            grid.set(n.xi, n.yi, n.zi, beamRow.find(m));
    }
}

} // namespace

void buildMemberGrids(Project& p) {
    p.columnGrid.clear();
    p.beamGridX.clear();
    p.beamGridZ.clear();
    if (p.levelsX.empty() || levelCount(p.levelsY) < 2) return;
    const FirstOf<uint64_t> byEnds = membersByEnds(p);
    const FirstOf<int32_t> beamRow = beamRows(p);
    const std::vector<Node> nodes = gridNodes(p);
    // Each grid is its own: built side by side, sharing only what they read.
    SideBySide grids({[&] { buildColumnGrid(p, nodes, byEnds); },
                      [&] { buildBeamGrid(p, nodes, byEnds, beamRow, true); },
                      [&] { buildBeamGrid(p, nodes, byEnds, beamRow, false); }},
                     1);
    grids.finish();
}

void linkSupportColumns(Project& p) {
    const int n = p.supportCount();
    if (static_cast<int>(p.footings.size()) < n + 1) p.footings.resize(static_cast<size_t>(n) + 1);
    // Where two supports share a joint, the first one counts.
    FirstOf<int32_t> firstSupport(n);
    for (int s = 1; s <= n; ++s)
        firstSupport.add(static_cast<int32_t>(p.reaction(s, 0, reaction::JointNo)), s);

    // Lowest column above each ground position.
    std::unordered_map<uint64_t, std::pair<int, int>> lowestColumn; // (xi, zi) -> (yi, row)
    p.columnGrid.forEach([&](int xi, int yi, int zi, int row) {
        if (yi < 2) return;
        auto [it, fresh] = lowestColumn.try_emplace(pairKey(xi, zi), yi, row);
        if (!fresh && yi < it->second.first) it->second = {yi, row};
    });
    std::vector<Node> ground;
    p.nodeGrid.forEach([&](int xi, int yi, int zi, int joint) {
        if (yi == 1) ground.push_back({xi, yi, zi, joint});
    });
    // The grid is scanned along X, then Z: where two positions carry one support, the last wins.
    std::sort(ground.begin(), ground.end(), [](const Node& a, const Node& b) {
        return std::tie(a.xi, a.zi) < std::tie(b.xi, b.zi);
    });
    for (const Node& node : ground) {
        const int32_t support = firstSupport.find(node.joint);
        if (support == 0) continue;
        auto col = lowestColumn.find(pairKey(node.xi, node.zi));
        p.footings[static_cast<size_t>(support)].colIndex =
            col == lowestColumn.end() ? 0 : col->second.second;
    }
}

} // namespace ormevak
