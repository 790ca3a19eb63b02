// The sparse frame grids against the full scans that define them, on small random frames.
#include <random>

#include <gtest/gtest.h>

#include "model/frame_grids.h"

using namespace ormevak;

namespace {

// Dense grids filled by the defining scans: every grid position against every joint.
struct Dense {
    int nx = 0, ny = 0, nz = 0;
    std::vector<int> node, column, beamX, beamZ;
    int& at(std::vector<int>& g, int x, int y, int z) {
        return g[static_cast<size_t>(((x * (ny + 2)) + y) * (nz + 2) + z)];
    }
};

Dense bruteForce(const Project& p, std::vector<int>& colIndex) {
    Dense d;
    d.nx = static_cast<int>(p.levelsX[0]);
    d.ny = static_cast<int>(p.levelsY[0]);
    d.nz = static_cast<int>(p.levelsZ[0]);
    const size_t cells = static_cast<size_t>((d.nx + 2) * (d.ny + 2) * (d.nz + 2));
    d.node.assign(cells, 0);
    d.column.assign(cells, 0);
    d.beamX.assign(cells, 0);
    d.beamZ.assign(cells, 0);
    for (int xi = 1; xi <= d.nx; ++xi)
        for (int yi = 1; yi <= d.ny; ++yi)
            for (int zi = 1; zi <= d.nz; ++zi)
                for (int j = 1; j <= p.jointCount; ++j) {
                    const auto& r = p.joints[static_cast<size_t>(j)];
                    auto same = [](int32_t v, float level) {
                        return static_cast<double>(v) == static_cast<double>(level);
                    };
                    if (same(r[1], p.levelsX[static_cast<size_t>(xi)]) &&
                        same(r[2], p.levelsY[static_cast<size_t>(yi)]) &&
                        same(r[3], p.levelsZ[static_cast<size_t>(zi)]))
                        d.at(d.node, xi, yi, zi) = r[0];
                }
    for (int yi = 2; yi <= d.ny; ++yi)
        for (int xi = 1; xi <= d.nx; ++xi)
            for (int zi = 1; zi <= d.nz; ++zi) {
                int t = d.at(d.node, xi, yi, zi);
                if (t <= 0) continue;
                int k = yi - 1;
                while (k > 1 && d.at(d.node, xi, k, zi) == 0) --k;
                int a = d.at(d.node, xi, k, zi);
                if (a > 0)
                    if (int m = findMember(p, a, t)) d.at(d.column, xi, yi, zi) = columnRowOf(p, m);
                k = xi + 1;
                while (k < d.nx && d.at(d.node, k, yi, zi) == 0) ++k;
                int w = d.at(d.node, k, yi, zi);
                if (w > 0)
                    if (int m = findMember(p, t, w)) d.at(d.beamX, xi, yi, zi) = beamRowOf(p, m);
                k = zi + 1;
                while (k < d.nz && d.at(d.node, xi, yi, k) == 0) ++k;
                w = d.at(d.node, xi, yi, k);
                if (w > 0)
                    if (int m = findMember(p, t, w)) d.at(d.beamZ, xi, yi, zi) = beamRowOf(p, m);
            }
    const int n = p.supportCount();
    colIndex.assign(static_cast<size_t>(n) + 1, 0);
    for (int xi = 1; xi <= d.nx; ++xi)
        for (int zi = 1; zi <= d.nz; ++zi)
            for (int s = 1; s <= n; ++s)
                if (d.at(d.node, xi, 1, zi) != 0 &&
                    d.at(d.node, xi, 1, zi) ==
                        static_cast<int>(p.reaction(s, 0, reaction::JointNo))) {
                    int yi = 2;
                    while (yi < d.ny && d.at(d.column, xi, yi, zi) == 0) ++yi;
                    colIndex[static_cast<size_t>(s)] = d.ny >= 2 ? d.at(d.column, xi, yi, zi) : 0;
                    break;
                }
    return d;
}

Project randomFrame(std::mt19937& rng) {
    Project p;
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int nx = 2 + pick(4), ny = 2 + pick(4), nz = 1 + pick(4);
    p.joints.assign(1, {});
    int number = 0;
    for (int y = 0; y < ny; ++y)
        for (int z = 0; z < nz; ++z)
            for (int x = 0; x < nx; ++x) {
                if (pick(5) == 0) continue; // missing node
                ++number;
                p.joints.push_back({number, x * 5000, y * 3000, z * 4000});
                if (pick(12) == 0)
                    p.joints.push_back({number + 500, x * 5000, y * 3000, z * 4000}); // same point
            }
    p.jointCount = static_cast<int>(p.joints.size()) - 1;
    p.memberIncidence.assign(1, {});
    p.columns.assign(1, {});
    p.beams.assign(1, {});
    int member = 0;
    for (int i = 1; i <= p.jointCount; ++i)
        for (int j = 1; j <= p.jointCount; ++j) {
            const auto& a = p.joints[static_cast<size_t>(i)];
            const auto& b = p.joints[static_cast<size_t>(j)];
            bool vertical = a[1] == b[1] && a[3] == b[3] && b[2] > a[2];
            bool alongX = a[2] == b[2] && a[3] == b[3] && b[1] > a[1];
            bool alongZ = a[1] == b[1] && a[2] == b[2] && b[3] > a[3];
            if (!(vertical || alongX || alongZ) || pick(3) == 0) continue;
            ++member;
            p.memberIncidence.push_back({member, a[0], b[0]});
            if (vertical && pick(4) != 0) {
                p.columns.push_back({0, member, 3000, 300 + 10 * pick(5), 450});
                if (pick(6) == 0) p.columns.push_back({0, member, 3000, 999, 999}); // second block
            } else if (!vertical && pick(4) != 0) {
                p.beams.push_back({0, static_cast<float>(member), 5000, 230, 450});
            }
        }
    p.memberCount = member;
    p.columnCount = static_cast<int>(p.columns.size()) - 1;
    p.beamCount = static_cast<int>(p.beams.size()) - 1;
    p.supportReaction.assign(1, SupportCases{});
    int s = 0;
    for (int j = 1; j <= p.jointCount; ++j) {
        if (pick(2) == 0) continue;
        ++s;
        p.supportReaction.push_back(SupportCases{});
        p.reaction(s, 0, reaction::JointNo) =
            static_cast<float>(p.joints[static_cast<size_t>(j)][0]);
    }
    p.supportReaction[0][0][reaction::SupportCount] = static_cast<float>(s);
    return p;
}

} // namespace

TEST(FrameGrids, levelsAreDistinctAndAscendingWhateverTheJointOrder) {
    Project p;
    p.joints = {{}, {1, 10000, 0, 0}, {2, 0, 0, 0}, {3, 5000, 0, 0}, {4, 5000, 3000, 0}};
    p.jointCount = 4;
    buildNodeGrid(p);
    EXPECT_EQ(p.levelsX, (std::vector<float>{3, 0, 5000, 10000}));
    EXPECT_EQ(p.levelsY, (std::vector<float>{2, 0, 3000}));
    EXPECT_EQ(p.nodeGrid.get(2, 2, 1), 4);
}

TEST(FrameGrids, columnBridgingAnEmptyLevelIsFoundForItsSupport) {
    Project p;
    // Joint 1 on the ground, joint 3 two levels up; joint 2 elsewhere makes the middle level.
    p.joints = {{}, {1, 0, 0, 0}, {2, 5000, 3000, 0}, {3, 0, 6000, 0}, {4, 5000, 0, 0}};
    p.jointCount = 4;
    p.memberIncidence = {{}, {7, 1, 3}, {8, 4, 2}};
    p.memberCount = 2;
    p.columns = {{}, {0, 8, 3000, 300, 450}, {0, 7, 6000, 230, 600}};
    p.columnCount = 2;
    p.supportReaction.assign(3, SupportCases{});
    p.supportReaction[0][0][reaction::SupportCount] = 2;
    p.reaction(1, 0, reaction::JointNo) = 1;
    p.reaction(2, 0, reaction::JointNo) = 2; // joint 2 is not on the lowest level
    buildNodeGrid(p);
    buildMemberGrids(p);
    linkSupportColumns(p);
    EXPECT_EQ(p.columnGrid.get(1, 3, 1), 2);
    EXPECT_EQ(p.footings[1].colIndex, 2);
    EXPECT_EQ(p.footings[2].colIndex, 0);
}

TEST(FrameGrids, sparseGridsEqualTheFullScansOnRandomFrames) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 150; ++round) {
        Project p = randomFrame(rng);
        buildNodeGrid(p);
        buildMemberGrids(p);
        linkSupportColumns(p);
        std::vector<int> colIndex;
        Dense d = bruteForce(p, colIndex);
        for (int xi = 1; xi <= d.nx; ++xi)
            for (int yi = 1; yi <= d.ny; ++yi)
                for (int zi = 1; zi <= d.nz; ++zi) {
                    ASSERT_EQ(p.nodeGrid.get(xi, yi, zi), d.at(d.node, xi, yi, zi)) << round;
                    ASSERT_EQ(p.columnGrid.get(xi, yi, zi), d.at(d.column, xi, yi, zi)) << round;
                    ASSERT_EQ(p.beamGridX.get(xi, yi, zi), d.at(d.beamX, xi, yi, zi)) << round;
                    ASSERT_EQ(p.beamGridZ.get(xi, yi, zi), d.at(d.beamZ, xi, yi, zi)) << round;
                }
        for (int s = 1; s <= p.supportCount(); ++s)
            ASSERT_EQ(p.footings[static_cast<size_t>(s)].colIndex, colIndex[static_cast<size_t>(s)])
                << round;
    }
}

TEST(FrameGrids, beamNumbersThatNameNoMemberAreLeftOut) {
    Project p;
    p.joints = {{}, {1, 0, 3000, 0}, {2, 5000, 3000, 0}, {3, 0, 0, 0}};
    p.jointCount = 3;
    p.memberIncidence = {{}, {4, 1, 2}};
    p.memberCount = 1;
    p.beams = {{}, {0, 2.2e9f, 5000, 230, 450}, {0, 4.5f, 5000, 230, 450}, {0, 4, 5000, 230, 450}};
    p.beamCount = 3;
    buildNodeGrid(p);
    buildMemberGrids(p);
    EXPECT_EQ(p.beamGridX.get(1, 2, 1), 3);
}

// Where the tables name a thing twice, the first row counts, as a search from the top finds it:
// two members between the same joints, and two beam blocks for one member.
TEST(FrameGrids, theFirstOfTwoRowsNamingOneThingCounts) {
    Project p;
    p.joints = {{}, {1, 0, 0, 0}, {2, 5000, 3000, 0}, {3, 0, 3000, 0}};
    p.jointCount = 3;
    p.memberIncidence = {{}, {9, 1, 3}, {5, 3, 2}, {7, 1, 3}, {6, 3, 2}};
    p.memberCount = 4;
    p.columns = {{}, {0, 7, 3000, 300, 450}, {0, 9, 3000, 230, 600}, {0, 9, 3000, 999, 999}};
    p.columnCount = 3;
    p.beams = {{}, {0, 6, 5000, 230, 450}, {0, 5, 5000, 300, 600}, {0, 5, 5000, 999, 999}};
    p.beamCount = 3;
    // Two supports at joint 1: the first one stands on the column.
    p.supportReaction.assign(3, SupportCases{});
    p.supportReaction[0][0][reaction::SupportCount] = 2;
    p.reaction(1, 0, reaction::JointNo) = 1;
    p.reaction(2, 0, reaction::JointNo) = 1;
    buildNodeGrid(p);
    buildMemberGrids(p);
    linkSupportColumns(p);
    // Joints 1 -> 3 are members 9 (row 1) and 7 (row 3): member 9, column row 2.
    EXPECT_EQ(p.columnGrid.get(1, 2, 1), 2);
    EXPECT_EQ(p.footings[1].colIndex, 2);
    EXPECT_EQ(p.footings[2].colIndex, 0);
    // Joints 3 -> 2 are members 5 (row 2) and 6 (row 4): member 5, beam row 2.
    EXPECT_EQ(p.beamGridX.get(1, 2, 1), 2);
}
