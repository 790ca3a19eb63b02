// The number rules decide every caption, cell and message: rounding, conversions, reading, text.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/numbers.h"

using namespace ormevak;

TEST(RoundTo, tiesGoToEven) {
    EXPECT_DOUBLE_EQ(roundTo(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(roundTo(3.5, 0), 4);
    EXPECT_DOUBLE_EQ(roundTo(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(roundTo(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(roundTo(0.375, 2), 0.38);
}

TEST(RoundTo, decimalTieReadInDoubleIsATie) {
    // 0.215 times 100 lands exactly on 21.5 in double precision: a tie, rounded to even.
    EXPECT_DOUBLE_EQ(roundTo(0.215, 2), 0.22);
    // A Single is rounded as the value it holds: 2.675f lies below the tie.
    EXPECT_DOUBLE_EQ(roundTo(2.675f, 2), 2.67);
    EXPECT_DOUBLE_EQ(roundTo(1.5 + 0.00049, 3), 1.5);
    EXPECT_DOUBLE_EQ(roundTo(1.5001 + 0.00049, 3), 1.501);
    EXPECT_DOUBLE_EQ(roundTo(1.632 + 0.049999, 1), 1.7);
    EXPECT_DOUBLE_EQ(roundTo(1.701 + 0.049999, 1), 1.8);
}

TEST(CheckedConversion, roundsHalfToEvenWithinRange) {
    EXPECT_EQ(toInt16(120.5), 120);
    EXPECT_EQ(toInt16(121.5), 122);
    EXPECT_EQ(toInt16(-0.5), 0);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt32(4500.0 * 1000), 4500000);
    // The ends of a 32-bit integer: -2147483648.5 is a tie that goes to the even end.
    EXPECT_EQ(toInt32(2147483647.4), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.5), -2147483648LL);
}

TEST(CheckedConversion, outOfRangeIsAnErrorTheCallerSees) {
    EXPECT_THROW(toInt16(32767.5), RangeError);
    EXPECT_THROW(toInt16(-32769), RangeError);
    EXPECT_THROW(toInt32(3e9), RangeError);
    EXPECT_THROW(toInt32(2147483647.5), RangeError); // rounds to 2^31
    EXPECT_THROW(toInt32(std::numeric_limits<double>::quiet_NaN()), RangeError);
    EXPECT_THROW(toInt32(std::numeric_limits<double>::infinity()), RangeError);
    try {
        toInt32(std::numeric_limits<double>::quiet_NaN(), "A joint number");
        FAIL();
    } catch (const RangeError& e) {
        EXPECT_STREQ(e.what(), "A joint number is not a number for a 32-bit integer");
    }
    try {
        toInt16(40000, "The SBC");
        FAIL();
    } catch (const RangeError& e) {
        EXPECT_NE(std::string(e.what()).find("The SBC"), std::string::npos);
    }
}

TEST(IntFloor, isTheLargestIntegerNotAbove) {
    EXPECT_EQ(intFloor(5.99), 5);
    EXPECT_EQ(intFloor(-0.5), -1);
    EXPECT_EQ(intFloor(6.0), 6);
}

struct ReadCase {
    const char* text;
    double value;
};

class ReadNumberCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberCases, readsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(readNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberCases,
    ::testing::Values(ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"   ", 0}, ReadCase{"-", 0},
                      ReadCase{".", 0}, ReadCase{"-----", 0}, ReadCase{"12", 12},
                      ReadCase{"  12.5 mm", 12.5}, ReadCase{"1 2", 12}, ReadCase{"\t-3.14", -3.14},
                      ReadCase{"- 5", -5}, ReadCase{"+7", 7}, ReadCase{".5", 0.5},
                      ReadCase{"5.", 5}, ReadCase{"1.25E-03", 0.00125}, ReadCase{"2D3", 2000},
                      ReadCase{"2e+2", 200}, ReadCase{"1E", 1}, ReadCase{"     1  D ", 1},
                      ReadCase{"    61   D", 61}, ReadCase{"  3300.0 m", 3300},
                      ReadCase{"4.2*0*0;", 4.2}, ReadCase{"8. 1 0", 8.10}, ReadCase{"1.2.3", 1.2},
                      ReadCase{"NaN", 0}, ReadCase{"12abc", 12}));

TEST(ReadNumber, hugeExponentsDoNotWrapAround) {
    EXPECT_TRUE(std::isinf(readNumber("1E999999999")));
    EXPECT_EQ(readNumber("1E-999999999"), 0);
}

TEST(IsNumericText, acceptsOnlyOneWholeNumber) {
    EXPECT_TRUE(isNumericText("1.5"));
    EXPECT_TRUE(isNumericText(" 200 "));
    EXPECT_TRUE(isNumericText("-0.5"));
    EXPECT_TRUE(isNumericText("1E2"));
    EXPECT_FALSE(isNumericText("Select"));
    EXPECT_FALSE(isNumericText(""));
    EXPECT_FALSE(isNumericText("1.5m"));
    EXPECT_FALSE(isNumericText("1 5"));
    EXPECT_FALSE(isNumericText("."));
    EXPECT_FALSE(isNumericText("1E999"));
}

struct TextCase {
    float value;
    const char* text;
};

class FormatNumberCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatNumberCases, writesTheShortestPlainDecimal) {
    EXPECT_EQ(formatNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatNumberCases,
    ::testing::Values(TextCase{0.0f, "0"}, TextCase{-0.0f, "0"}, TextCase{1.0f, "1"},
                      TextCase{200.0f, "200"}, TextCase{250.0f, "250"}, TextCase{1.7f, "1.7"},
                      TextCase{0.45f, "0.45"}, TextCase{0.1f, "0.1"}, TextCase{2.02f, "2.02"},
                      TextCase{-92.44f, "-92.44"}, TextCase{0.3598f, "0.3598"},
                      TextCase{1.0000001f, "1"}, TextCase{123456.78f, "123456.8"},
                      TextCase{1234567.0f, "1234567"}, TextCase{12345678.0f, "12345680"},
                      TextCase{1.5e10f, "15000000000"}, TextCase{0.000012345f, "0.000012345"},
                      TextCase{3.54f, "3.54"}, TextCase{0.19f + 0.06f, "0.25"},
                      TextCase{2.0217f, "2.0217"}, TextCase{-0.5f, "-0.5"}));

TEST(FormatNumber, roundsToSevenSignificantDigits) {
    EXPECT_EQ(formatNumber(2.1234567f), "2.123457");
    EXPECT_EQ(formatNumber(0.999999999f), "1");
    EXPECT_EQ(formatNumber(99.99999f), "99.99999");
}

namespace {

// printf's "%.6e" is the rounding the written numbers follow: its seven digits, trailing zeros
// dropped, placed around the point by the exponent.
std::string sevenDigitsOfPrintf(float value) {
    char sci[32];
    std::snprintf(sci, sizeof sci, "%.6e", static_cast<double>(std::fabs(value)));
    std::string digits = std::string(1, sci[0]) + std::string(sci + 2, 6);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = std::atoi(sci + 9);
    std::string text;
    if (exponent < 0)
        text = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    else if (digits.size() <= static_cast<size_t>(exponent) + 1)
        text = digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    else
        text = digits.insert(static_cast<size_t>(exponent) + 1, ".");
    return (value < 0 ? "-" : "") + text;
}

} // namespace

TEST(FormatNumber, roundsAsPrintfOverTheWholeRangeOfASingle) {
    std::mt19937 rng(77);
    std::vector<float> values = {std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::denorm_min(),
                                 9.9999995e-5f,
                                 9999999.5f,
                                 0.5f,
                                 1e38f};
    for (int k = 0; k < 300000; ++k) {
        const float f = std::bit_cast<float>(static_cast<uint32_t>(rng()));
        if (std::isfinite(f) && f != 0) values.push_back(f);
    }
    for (float f : values) ASSERT_EQ(formatNumber(f), sevenDigitsOfPrintf(f)) << f;
}

TEST(FormatInt, writesIntegersPlainly) {
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(-25), "-25");
    EXPECT_EQ(formatInt(105), "105");
}

TEST(ReadNumber, givesTheLibraryConversionForEveryShape) {
    std::mt19937 rng(11);
    for (int k = 0; k < 20000; ++k) {
        std::string text;
        const int intDigits = static_cast<int>(rng() % 22);
        for (int d = 0; d < intDigits; ++d) text += static_cast<char>('0' + rng() % 10);
        if (rng() % 2) {
            text += '.';
            const int fracDigits = static_cast<int>(rng() % 25);
            for (int d = 0; d < fracDigits; ++d) text += static_cast<char>('0' + rng() % 10);
        }
        if (text.find_first_of("0123456789") == std::string::npos) continue;
        if (rng() % 4 == 0) text += "E" + std::to_string(static_cast<int>(rng() % 60) - 30);
        const double expected = std::strtod(text.c_str(), nullptr);
        EXPECT_EQ(readNumber(text), expected) << text;
        EXPECT_EQ(readNumber("-" + text), -expected) << text;
    }
}

namespace {

// Up to `longest` characters drawn from `alphabet`.
std::string randomText(std::mt19937& rng, const std::string& alphabet, unsigned longest = 23) {
    std::string text;
    const int length = static_cast<int>(rng() % (longest + 1));
    for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    return text;
}

} // namespace

// Telling a zero from the digits is a shortcut only: on every text it must agree with reading
// the number, also where an exponent or a very long fraction takes a nonzero mantissa to 0.
TEST(ReadNumber, aZeroIsToldAsReadingTheNumberTellsIt) {
    std::mt19937 rng(909);
    const std::string alphabet = "0000000123456789--..  \t*EDe+/x";
    for (int k = 0; k < 200000; ++k) {
        const std::string text = randomText(rng, alphabet);
        ASSERT_EQ(readsAsZero(text), readNumber(text) == 0) << text;
    }
    // Lines as long as the reaction lines, mostly blanks and zeros: runs that go on past sixteen
    // characters, looked at sixteen at a time.
    for (int k = 0; k < 50000; ++k) {
        const std::string text = randomText(rng, "         00000000\t1.-E", 90);
        ASSERT_EQ(readsAsZero(text), readNumber(text) == 0) << text;
    }
    const std::string tiny = "0." + std::string(330, '0') + "1";
    for (const std::string& text :
         std::vector<std::string>{tiny, tiny + " 5", "1E-400", "1 E - 4 0 0", "  -0 0 . 0 0 x",
                                  "- 3", "+", "0.0001", "  "})
        EXPECT_EQ(readsAsZero(text), readNumber(text) == 0) << text;
}

// The inline reading of the common shape is a shortcut only: on every text it must give what the
// full reader gives, and with blanks read as ends what the full reader gives on the text whose
// blanks are "*" (the way the reaction table is read).
TEST(ReadNumber, theCommonShapeReadsAsTheFullReaderReadsIt) {
    std::mt19937 rng(2026);
    const std::string alphabet = "0123456789012345678901234567890123456789--..  \t*EDe+/x";
    for (int k = 0; k < 200000; ++k) {
        const std::string text = randomText(rng, alphabet);
        double plain = 0;
        if (detail::readPlainNumber(text, plain) != 0) {
            ASSERT_EQ(std::bit_cast<uint64_t>(plain),
                      std::bit_cast<uint64_t>(readNumberInFull(text)))
                << text;
        }
        std::string starred = text;
        for (char& c : starred)
            if (c == ' ' || c == '\t') c = '*';
        if (const size_t read = detail::readPlainNumber<true>(text, plain)) {
            ASSERT_EQ(std::bit_cast<uint64_t>(plain),
                      std::bit_cast<uint64_t>(readNumberInFull(starred)))
                << text;
            // What it read is a number's characters only: "-", "." and digits.
            ASSERT_LE(read, text.size());
            ASSERT_EQ(text.substr(0, read).find_first_not_of("-.0123456789"), std::string::npos)
                << text;
        }
    }
}
