// The overlap check's listing: ordered by the first footing of each pair wherever the pairs lie
// on the plan, and the Combine advice only for a pair in line.
#include <gtest/gtest.h>

#include "checks/check_frames.h"

namespace ormevak {
namespace {

using testing::checkFrame;
using testing::only;
using testing::place;

TEST(OverlapListing, pairsFollowTheirFirstFootingNotTheirPlaceAlongX) {
    // Footings 2 and 3 overlap at the left of the plan, 1 and 4 at the right: the sweep along
    // X meets (2, 3) first, the listing gives (1, 4) first.
    Project p = checkFrame(4, 1);
    place(p, 2, 0, 0, 2.2f, 2.2f);
    place(p, 3, 0, 2000, 2.2f, 2.2f);
    place(p, 1, 10000, 0, 2.2f, 2.2f);
    place(p, 4, 10000, 2000, 2.2f, 2.2f);
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].footing, 1);
    EXPECT_EQ(c[0].other, 4);
    EXPECT_EQ(c[1].footing, 2);
    EXPECT_EQ(c[1].other, 3);
}

TEST(OverlapListing, aPairOffLineBothWaysIsNotOfferedForCombining) {
    // 3 m footings 700 mm apart along X and 1500 mm along Z overlap by 2300 and 1500 mm. In line
    // along Z would need at most 600 mm along X; along X at most 600 mm along Z: neither.
    Project p = checkFrame(2, 1);
    place(p, 1, 0, 0, 3.0f, 3.0f);
    place(p, 2, 700, 1500, 3.0f, 3.0f);
    const auto c = only(runChecks(p), "overlap");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].value, 1500.0f);
    EXPECT_NE(c[0].text.find("move them apart or make them smaller."), std::string::npos)
        << c[0].text;
    // Swapped round (1500 along X, 700 along Z): neither again.
    Project q = checkFrame(2, 1);
    place(q, 1, 0, 0, 3.0f, 3.0f);
    place(q, 2, 1500, 700, 3.0f, 3.0f);
    const auto d = only(runChecks(q), "overlap");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NE(d[0].text.find("move them apart or make them smaller."), std::string::npos)
        << d[0].text;
}

} // namespace
} // namespace ormevak
