// The reader's position helpers: a piece of a line never reaches past its end, and the search
// for a kind of character, sixteen at a time, finds what looking at each character finds.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "model/kind_scan.h"
#include "model/text_scan.h"

namespace ormevak {
namespace {

TEST(TextScan, aPieceIsClippedToTheLine) {
    EXPECT_EQ(scan::mid("LENGTH: 3300.0", 9, 10), "3300.0");
    EXPECT_EQ(scan::mid("LENGTH:", 8, 10), "");
    EXPECT_EQ(scan::mid("LENGTH:", 0, 3), "LEN");
    EXPECT_EQ(scan::from("LENGTH: 3300.0", 9), "3300.0");
}

template <typename Kind> const char* oneByOne(const char* p, const char* end) {
    while (p != end && !Kind::of(*p)) ++p;
    return p;
}

// Every start and end in texts of up to 70 characters, each held in a block of exactly its size
// (the sanitizer build stops at a read past it): the first of the kind, or the end.
TEST(TextScan, aKindIsFoundWhereLookingAtEachCharacterFindsIt) {
    std::mt19937 rng(1612);
    const std::string alphabet = "     \t0001239.-/+EDx*";
    for (int k = 0; k < 400; ++k) {
        const size_t n = rng() % 71;
        const std::unique_ptr<char[]> block(new char[n == 0 ? 1 : n]);
        for (size_t i = 0; i < n; ++i) block[i] = alphabet[rng() % alphabet.size()];
        const char* const text = block.get();
        for (size_t from = 0; from <= n; ++from) {
            for (size_t to = from; to <= n; ++to) {
                const char* p = text + from;
                const char* end = text + to;
                ASSERT_EQ(scan::findKind<scan::NumberChar>(p, end),
                          oneByOne<scan::NumberChar>(p, end));
                ASSERT_EQ(scan::findKind<scan::NotBlank>(p, end), oneByOne<scan::NotBlank>(p, end));
                ASSERT_EQ(scan::findKind<scan::NotBlankOrZero>(p, end),
                          oneByOne<scan::NotBlankOrZero>(p, end));
                ASSERT_EQ(scan::findKind<scan::NotBlankOrDigit>(p, end),
                          oneByOne<scan::NotBlankOrDigit>(p, end));
            }
        }
    }
}

// Positions count from 1; the scan never looks at the last character and stops there, and a
// start at or past the line's length is given back as it is.
TEST(TextScan, theNextNumberStopsAtTheLastCharacter) {
    EXPECT_EQ(scan::skipToNumber("      1    1     -0.18", 1), 7u);
    EXPECT_EQ(scan::skipToNumber("      1    1     -0.18", 8), 12u);
    EXPECT_EQ(scan::skipToNumber("      1    1     -0.18", 13), 18u);
    // A line of blanks ends the scan on its last character, whatever it is.
    EXPECT_EQ(scan::skipToNumber(std::string(40, ' '), 1), 40u);
    EXPECT_EQ(scan::skipToNumber(std::string(39, ' ') + "5", 1), 40u);
    EXPECT_EQ(scan::skipToNumber(std::string(20, ' ') + "5" + std::string(20, ' '), 3), 21u);
    EXPECT_EQ(scan::skipToNumber("abc", 3), 3u);
    EXPECT_EQ(scan::skipToNumber("abc", 7), 7u);
}

} // namespace
} // namespace ormevak
