// The column drawn on each footing: its section from the column table, or the 300 mm square
// when the table gives no whole section.
#include <gtest/gtest.h>

#include "plan/plan_labels.h"
#include "support/project_builder.h"

namespace ormevak {
namespace {

TEST(ColumnOutline, isTheTablesSectionOrTheDefaultSquare) {
    Project p = testing::ProjectBuilder(4, 1)
                    .column(1, 600, 400) // 600 along X, 400 along Z
                    .column(2, 500, 0)   // no size along Z: not a section
                    .column(3, 0, 450)   // no size along X: not a section
                    .build();
    const ColumnOutline a = columnOutline(p, 1);
    EXPECT_EQ(a.halfX, 300);
    EXPECT_EQ(a.halfZ, 200);
    for (int f : {2, 3, 4}) { // half-given sections and a footing without a column row
        const ColumnOutline c = columnOutline(p, f);
        EXPECT_EQ(c.halfX, 150) << f;
        EXPECT_EQ(c.halfZ, 150) << f;
    }
}

} // namespace
} // namespace ormevak
