// The JSON writer's numbers: every float as printf's "%.9g" writes it, which is what the result
// files have always held and what readers of them compare.
#include "batch/json_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace ormevak::batch {
namespace {

std::string written(float v) {
    JsonWriter w;
    w.beginArray().value(v).endArray();
    const std::string& s = w.str();
    return s.substr(1, s.size() - 2);
}

std::string printed(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

TEST(JsonWriterNumbers, floatsReadAsPrintfWritesThem) {
    // The model's typical values, ties of the rounding, and the ends of the range.
    for (float v : {0.0f, -0.0f, 1.0f, 2.0f, 0.1f, 1.1f, 1.495f, 0.65f, 183.333328f, 1e-7f, 1e9f,
                    123456789.0f, 1e10f, -79.41f, std::numeric_limits<float>::min(),
                    std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max()})
        EXPECT_EQ(written(v), printed(v)) << v;
    // Random bit patterns over every exponent.
    std::mt19937 rng(20261209);
    for (int i = 0; i < 200000; ++i) {
        const float v = std::bit_cast<float>(static_cast<uint32_t>(rng()));
        if (!std::isfinite(v)) continue;
        ASSERT_EQ(written(v), printed(v)) << std::bit_cast<uint32_t>(v);
    }
    // Numbers of the size the plan shows: kN, m and mm with a few decimals.
    for (int i = -200000; i <= 200000; i += 7) {
        const float v = static_cast<float>(i) / 100.0f;
        ASSERT_EQ(written(v), printed(v)) << i;
    }
}

// The range written without an exponent (1e-4 to 1e9) has a conversion of its own: every exponent
// of it, both sides of every power of ten, and ties of the ninth digit, which go to even.
TEST(JsonWriterNumbers, floatsWithoutExponentReadAsPrintfWritesThem) {
    std::mt19937 rng(9);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t biased = 112 + static_cast<uint32_t>(rng() % 46); // 2^-15 .. 2^31
        const uint32_t bits = (static_cast<uint32_t>(rng() & 1) << 31) | (biased << 23) |
                              (static_cast<uint32_t>(rng()) & 0x7fffff);
        const float v = std::bit_cast<float>(bits);
        ASSERT_EQ(written(v), printed(v)) << bits;
    }
    for (int k = -6; k <= 10; ++k) {
        float v = static_cast<float>(std::pow(10.0, k));
        for (int step = 0; step < 50; ++step) v = std::nextafter(v, 0.0f);
        for (int step = 0; step < 100; ++step, v = std::nextafter(v, 1e30f))
            ASSERT_EQ(written(v), printed(v)) << k << " " << step;
    }
    // 1234567.125 holds ten digits; the ninth rounds to even: "1234567.12", and 1234567.375
    // to "1234567.38". 0.000123456789 and the like have no tie but many digits to round.
    EXPECT_EQ(written(1234567.125f), "1234567.12");
    EXPECT_EQ(written(1234567.375f), "1234567.38");
    for (int i = 1; i < 100000; ++i) {
        const float tie = static_cast<float>(1 << 20) + static_cast<float>(i) / 8.0f;
        ASSERT_EQ(written(tie), printed(tie)) << i;
    }
}

TEST(JsonWriterNumbers, infinitiesAndNotANumberAreNull) {
    EXPECT_EQ(written(std::numeric_limits<float>::infinity()), "null");
    EXPECT_EQ(written(-std::numeric_limits<float>::infinity()), "null");
    EXPECT_EQ(written(std::numeric_limits<float>::quiet_NaN()), "null");
}

// An array of numbers written at once is the array the values one by one give, in every
// place an array can stand.
TEST(JsonWriterNumbers, anArrayAtOnceIsTheArrayValueByValue) {
    const std::vector<int32_t> ints = {0, -1, 7, 2147483647, -2147483647 - 1, 15000};
    const std::vector<float> floats = {0.0f,
                                       -0.0f,
                                       1.5f,
                                       -79.41f,
                                       183.333328f,
                                       1e-7f,
                                       1e10f,
                                       std::numeric_limits<float>::infinity(),
                                       std::numeric_limits<float>::quiet_NaN()};
    for (size_t n : {size_t{0}, size_t{1}, ints.size()}) {
        JsonWriter atOnce, oneByOne;
        atOnce.beginObject().key("a").numbers(std::span(ints).first(n)).key("b");
        atOnce.numbers(std::span(floats).first(std::min(n, floats.size())));
        atOnce.key("c")
            .beginArray()
            .numbers(std::span(ints).first(n))
            .numbers(std::span(ints).first(n));
        atOnce.endArray().endObject();
        oneByOne.beginObject().key("a").beginArray();
        for (size_t i = 0; i < n; ++i) oneByOne.value(ints[i]);
        oneByOne.endArray().key("b").beginArray();
        for (size_t i = 0; i < std::min(n, floats.size()); ++i) oneByOne.value(floats[i]);
        oneByOne.endArray().key("c").beginArray();
        for (int twice = 0; twice < 2; ++twice) {
            oneByOne.beginArray();
            for (size_t i = 0; i < n; ++i) oneByOne.value(ints[i]);
            oneByOne.endArray();
        }
        oneByOne.endArray().endObject();
        EXPECT_EQ(atOnce.str(), oneByOne.str()) << n;
    }
    JsonWriter all;
    all.numbers(std::span(floats));
    EXPECT_EQ(all.str(), "[0,-0,1.5,-79.4100037,183.333328,1.00000001e-07,1e+10,null,null]");
}

} // namespace
} // namespace ormevak::batch
