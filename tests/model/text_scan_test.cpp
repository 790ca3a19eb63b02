// The reader's position helpers: a piece of a line never reaches past its end.
#include <gtest/gtest.h>

#include <string>

#include "model/text_scan.h"

namespace ormevak {
namespace {

TEST(TextScan, aPieceIsClippedToTheLine) {
    EXPECT_EQ(scan::mid("LENGTH: 3300.0", 9, 10), "3300.0");
    EXPECT_EQ(scan::mid("LENGTH:", 8, 10), "");
    EXPECT_EQ(scan::mid("LENGTH:", 0, 3), "LEN");
    EXPECT_EQ(scan::from("LENGTH: 3300.0", 9), "3300.0");
}

} // namespace
} // namespace ormevak
