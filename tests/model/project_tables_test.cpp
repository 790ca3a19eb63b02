// The numbered tables of the model: a checked count, the footing index a plan holds, the state
// names.
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

} // namespace
} // namespace ormevak
