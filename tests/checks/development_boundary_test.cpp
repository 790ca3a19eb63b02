// The development length check at its boundary: a straight length equal to Ld is enough.
#include <gtest/gtest.h>

#include "checks/check_frames.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::load;
using testing::only;
using testing::scheduleRow;

TEST(DevelopmentCheck, aStraightLengthEqualToTheDevelopmentLengthPasses) {
    // Plain 12 mm bars (Fe 250) in M20: Ld = 12 x 0.87 x 250 / (4 x 1.2) = 2610 / 4.8 = 543.75.
    // Row of 1.5 m on a 312.5 mm pedestal: (1500 - 312.5) / 2 - 50 = 543.75 mm, exactly Ld
    // (every value here is exact in binary).
    Project p = checkFrame(1, 1);
    load(p, 1, 0, 300);
    p.steelGrade = 250;
    scheduleRow(p, 1, 1.5f, 0.36f, 0.3125f, 12, {1}, "1000", "9", "150");
    EXPECT_TRUE(only(runChecks(p), "development").empty());
    // A millimetre shorter (pedestal 314.5 mm: 542.75 mm) falls short.
    p.designRows[1].pedestal = 0.3145f;
    const auto c = only(runChecks(p), "development");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_NEAR(c[0].value, 542.75, 1e-3);
    EXPECT_NEAR(c[0].limit, 543.75, 1e-9);
}

} // namespace
} // namespace ormevak
