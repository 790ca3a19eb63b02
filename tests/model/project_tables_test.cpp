// The numbered tables of the model: a checked count, the footing index a plan holds, the state
// names.
#include <map>
#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include "model/project.h"

namespace ormevak {
namespace {

TEST(ProjectTables, aFootingIndexOutsideThePlanIsNotAFooting) {
    Project p;
    p.footings.resize(3);
    p.footingCount = 2;
    p.supportReaction.resize(2);
    EXPECT_FALSE(p.hasFooting(0));
    EXPECT_TRUE(p.hasFooting(2));
    EXPECT_FALSE(p.hasFooting(3));
    EXPECT_TRUE(p.hasFootingLoads(1));
    EXPECT_FALSE(p.hasFootingLoads(2)); // no reaction row for it
}

TEST(ProjectTables, aCountBeyondItsTableStopsWithTheCondition) {
    Project p;
    p.footingCount = 4; // the table holds only its row 0
    EXPECT_DEATH(p.lastFooting(), "ORMEVAK_ASSERT\\(count >= 0");
}

TEST(ProjectTables, footingStatesReadByName) {
    FootingRecord f;
    EXPECT_TRUE(f.isGrouped());
    f.state = kStateResized;
    EXPECT_TRUE(f.isResized());
    EXPECT_EQ(f.combinedIndex(), 0);
    f.state = kStateDisabled;
    EXPECT_TRUE(f.isDisabled());
    EXPECT_FALSE(f.isCombined());
    f.state = 3;
    EXPECT_TRUE(f.isCombined());
    EXPECT_EQ(f.combinedIndex(), 3);
}

// The sparse grid against an ordered map: writes, overwrites, erasures by writing 0 (which must
// keep every other cell findable behind the hole), room made ahead, clearing, and the visit of
// every cell.
TEST(ProjectTables, sparseGridKeepsEveryCellThroughWritesAndErasures) {
    std::mt19937 rng(42);
    Grid3 grid;
    std::map<std::tuple<int, int, int>, int> expected;
    for (int round = 0; round < 3; ++round) {
        // Room made for more cells keeps the ones held.
        if (round == 1) grid.reserve(5000);
        for (int op = 0; op < 20000; ++op) {
            // A small box, so that positions repeat and the table's probe runs collide.
            const int x = static_cast<int>(rng() % 40) + 1, y = static_cast<int>(rng() % 6) + 1,
                      z = static_cast<int>(rng() % 40) + 1;
            const int value = rng() % 3 == 0 ? 0 : static_cast<int>(rng() % 32767) + 1;
            grid.set(x, y, z, value);
            if (value == 0)
                expected.erase({x, y, z});
            else
                expected[{x, y, z}] = value;
            const int qx = static_cast<int>(rng() % 40) + 1, qy = static_cast<int>(rng() % 6) + 1,
                      qz = static_cast<int>(rng() % 40) + 1;
            const auto it = expected.find({qx, qy, qz});
            ASSERT_EQ(grid.get(qx, qy, qz), it == expected.end() ? 0 : it->second);
        }
        ASSERT_EQ(grid.size(), expected.size());
        std::map<std::tuple<int, int, int>, int> visited;
        grid.forEach([&](int x, int y, int z, int v) { visited[{x, y, z}] = v; });
        ASSERT_EQ(visited, expected);
        for (const auto& [at, v] : expected)
            ASSERT_EQ(grid.get(std::get<0>(at), std::get<1>(at), std::get<2>(at)), v);
        if (round == 1) {
            grid.clear();
            expected.clear();
            EXPECT_EQ(grid.size(), 0u);
            EXPECT_EQ(grid.get(1, 1, 1), 0);
        }
    }
    // Negative joint numbers are cells like any other.
    grid.set(300, 300, 300, -32768);
    EXPECT_EQ(grid.get(300, 300, 300), -32768);
}

} // namespace
} // namespace ormevak
