// Column offsets and the arithmetic of the column node window.
#include <gtest/gtest.h>

#include "model/numbers.h"
#include "plan/offsets.h"
#include "support/project_builder.h"
#include "support/test_projects.h"

namespace ormevak {
namespace {

using testing::placeFooting;
using testing::ProjectBuilder;
using testing::projectWithSupports;

// Footing 1 on a 300 x 450 column (dimension 4 along x), footing 2 without a column.
Project withColumn(int dim3 = 300, int dim4 = 450) {
    return ProjectBuilder(2, 1).at(1, 1000, 2000).at(2, 5000, 2000).column(1, dim4, dim3).build();
}

TEST(OffsetKeys, rightMovesTheCentreByHalfTheColumnLess115) {
    Project p = withColumn();
    pickFooting(p, 1);
    EXPECT_TRUE(offsetKeys(p, OffsetKey::Right));
    EXPECT_EQ(p.footings[1].offX, 1);
    EXPECT_EQ(p.footings[1].x, 1110);
    offsetKeys(p, OffsetKey::Right); // already at the limit
    EXPECT_EQ(p.footings[1].x, 1110);
    offsetKeys(p, OffsetKey::Left);
    EXPECT_EQ(p.footings[1].x, 1000);
    offsetKeys(p, OffsetKey::Left);
    EXPECT_EQ(p.footings[1].offX, -1);
    EXPECT_EQ(p.footings[1].x, 890);
    offsetKeys(p, OffsetKey::Left);
    EXPECT_EQ(p.footings[1].x, 890);
    EXPECT_EQ(p.footings[1].z, 2000);
}

TEST(OffsetKeys, aCentreBeyondA32BitValueIsRefusedAndTheFootingStaysAsItWas) {
    Project p = withColumn(300, 2000); // a step of 885 mm along x
    placeFooting(p, 1, 2147483000, 2000);
    pickFooting(p, 1);
    ASSERT_TRUE(offsetKeys(p, OffsetKey::Down));
    const FootingRecord before = p.footings[1];
    EXPECT_THROW(offsetKeys(p, OffsetKey::Right), RangeError);
    EXPECT_EQ(p.footings[1].offX, before.offX);
    EXPECT_EQ(p.footings[1].offZ, before.offZ);
    EXPECT_EQ(p.footings[1].x, before.x);
    EXPECT_EQ(p.footings[1].z, before.z);
    EXPECT_TRUE(offsetKeys(p, OffsetKey::Left)); // the other way still fits
    EXPECT_EQ(p.footings[1].x, 2147483000 - 885);
}

TEST(OffsetKeys, upAndDownUseDimensionThreeAndHomeReturns) {
    Project p = withColumn();
    pickFooting(p, 1);
    offsetKeys(p, OffsetKey::Up);
    EXPECT_EQ(p.footings[1].z, 1965); // 300 / 2 - 115 = 35 towards smaller z
    offsetKeys(p, OffsetKey::Up);
    EXPECT_EQ(p.footings[1].offZ, -1);
    offsetKeys(p, OffsetKey::Down);
    offsetKeys(p, OffsetKey::Down);
    EXPECT_EQ(p.footings[1].offZ, 1);
    EXPECT_EQ(p.footings[1].z, 2035);
    offsetKeys(p, OffsetKey::Down);
    EXPECT_EQ(p.footings[1].offZ, 1);
    offsetKeys(p, OffsetKey::Right);
    offsetKeys(p, OffsetKey::Home);
    EXPECT_EQ(p.footings[1].offX, 0);
    EXPECT_EQ(p.footings[1].offZ, 0);
    EXPECT_EQ(p.footings[1].x, 1000);
    EXPECT_EQ(p.footings[1].z, 2000);
}

TEST(OffsetKeys, halfMillimetreCentresRoundToEven) {
    Project p = withColumn(300, 455); // 227.5 - 115 = 112.5
    pickFooting(p, 1);
    offsetKeys(p, OffsetKey::Right);
    EXPECT_EQ(p.footings[1].x, 1112);
    offsetKeys(p, OffsetKey::Left);
    offsetKeys(p, OffsetKey::Left);
    EXPECT_EQ(p.footings[1].x, 888);
}

TEST(OffsetKeys, nothingHappensWithoutAPickOrAColumn) {
    Project p = withColumn();
    EXPECT_FALSE(offsetKeys(p, OffsetKey::Right));
    EXPECT_EQ(p.footings[1].x, 1000);
    EXPECT_EQ(pickFooting(p, 2), 0);
    EXPECT_FALSE(offsetKeys(p, OffsetKey::Right));
    EXPECT_EQ(p.footings[2].offX, 0);
    EXPECT_EQ(p.footings[2].x, 5000);

    Project flat = withColumn(300, 0); // a column without dimension 4
    pickFooting(flat, 1);
    EXPECT_FALSE(offsetKeys(flat, OffsetKey::Down));
    EXPECT_EQ(flat.footings[1].offZ, 0);
}

TEST(OffsetKeys, shiftDeletePutsEveryFootingBackOnItsJoint) {
    Project p = withColumn();
    pickFooting(p, 1);
    offsetKeys(p, OffsetKey::Right);
    offsetKeys(p, OffsetKey::Down);
    resetOffsets(p);
    EXPECT_EQ(p.footings[1].offX, 0);
    EXPECT_EQ(p.footings[1].offZ, 0);
    EXPECT_EQ(p.footings[1].x, 1000);
    EXPECT_EQ(p.footings[1].z, 2000);
    closeColumnWindow(p);
    EXPECT_EQ(p.currentFooting, 0);
}

TEST(ColumnWindow, labelSitsOnItsJointShiftedByItsOffsets) {
    FootingRecord f;
    f.nodeX = 1000;
    f.nodeZ = 2000;
    LabelPlace at = labelPlacement(f, 300, 181); // h = 90.5 rounds to 90
    EXPECT_DOUBLE_EQ(at.left, 850);
    EXPECT_DOUBLE_EQ(at.top, 1910);
    f.offX = 1;
    f.offZ = -1;
    at = labelPlacement(f, 300, 181);
    EXPECT_DOUBLE_EQ(at.left, 1000);
    EXPECT_DOUBLE_EQ(at.top, 1820);
    f.offX = -1;
    EXPECT_DOUBLE_EQ(labelPlacement(f, 300, 181).left, 700);
}

TEST(ColumnWindow, rangeKeepsEqualScalesInEitherDirection) {
    Project p;
    p.levelsX = {2, 0, 20000};
    p.levelsZ = {2, 0, 10000};
    PlanWindow wide = columnPlanWindow(p, 0.5); // x widened by 2 m each side
    EXPECT_DOUBLE_EQ(wide.left, -4000);
    EXPECT_DOUBLE_EQ(wide.right, 24000);
    EXPECT_DOUBLE_EQ(wide.top, -2000);
    EXPECT_DOUBLE_EQ(wide.bottom, 12000);
    PlanWindow tall = columnPlanWindow(p, 2.0); // z widened by 17 m each side
    EXPECT_DOUBLE_EQ(tall.left, -2000);
    EXPECT_DOUBLE_EQ(tall.right, 22000);
    EXPECT_DOUBLE_EQ(tall.top, -19000);
    EXPECT_DOUBLE_EQ(tall.bottom, 29000);
}

TEST(ColumnWindow, pageKeysStayWithinTheSecondAndTopLevels) {
    Project p;
    p.levelsY = {4, 0, 3000, 6000, 9000};
    EXPECT_EQ(stepLevel(p, 2, -1), 2); // Page Down on level 2
    EXPECT_EQ(stepLevel(p, 2, +1), 3);
    EXPECT_EQ(stepLevel(p, 4, +1), 4); // Page Up on the top level
    EXPECT_EQ(stepLevel(p, 4, -1), 3);
}

} // namespace
} // namespace ormevak
