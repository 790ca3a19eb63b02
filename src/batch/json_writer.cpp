// JSON text for the batch tool's result.
#include "batch/json_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <concepts>
#include <cstdio>

namespace ormevak::batch {

namespace {

bool needsEscape(unsigned char c) {
    return c < 0x20 || c >= 0x80 || c == '"' || c == '\\';
}

void appendEscaped(std::string& out, std::string_view text) {
    out += '"';
    // The keys and most texts are plain: appended whole.
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return needsEscape(static_cast<unsigned char>(c)); })) {
        out.append(text);
        out += '"';
        return;
    }
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c >= 0x80) {
                // The analysis file is single-byte text; bytes above 127 are written as Latin-1.
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

constexpr uint64_t kTenTo[] = {1,           10,           100,          1000,      10000,
                               100000,      1000000,      10000000,     100000000, 1000000000,
                               10000000000, 100000000000, 1000000000000};
constexpr double kDecade[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2,
                              1e3,  1e4,  1e5,  1e6,  1e7, 1e8}; // 10^x for x = -4..8

// The floats printf's "%.9g" writes without an exponent (decimal exponent -4 to 8 after rounding
// to nine digits), from exact integer arithmetic: a float is m * 2^e with m below 2^24, so its
// nine digits are m * 10^s * 2^e, rounded half to even as printf rounds. False leaves the rest
// (zero, tiny, huge values) to the general conversion.
bool appendPlain9g(std::string& out, float number) {
    const uint32_t bits = std::bit_cast<uint32_t>(number);
    const int biased = static_cast<int>((bits >> 23) & 0xff);
    if (biased == 0 || biased == 0xff) return false; // zero, subnormal, infinity, NaN
    const uint64_t m = (bits & 0x7fffffu) | 0x800000u;
    const int e2 = biased - 127 - 23; // |number| = m * 2^e2
    const double a = std::fabs(static_cast<double>(number));
    if (!(a >= 1e-4 && a < 1e9)) return false;
    int x = 8; // decimal exponent: 10^x <= a < 10^(x+1), checked below in integers
    while (x > -4 && a < kDecade[x + 4]) --x;
    uint64_t q = 0;
    for (;;) {
        const int s = 8 - x; // 0..12: m * 10^s stays below 2^64
        const uint64_t n = m * kTenTo[s];
        q = e2 >= 0 ? n << e2 : n >> -e2;
        if (q < kTenTo[8]) {
            if (--x < -4) return false;
        } else if (q >= kTenTo[9]) {
            if (++x > 8) return false;
        } else {
            if (e2 < 0) {
                const uint64_t rest = n & ((uint64_t{1} << -e2) - 1);
                const uint64_t half = uint64_t{1} << (-e2 - 1);
                if (rest > half || (rest == half && (q & 1) != 0)) ++q;
            }
            break;
        }
    }
    if (q == kTenTo[9]) { // rounded up to the next decade
        q = kTenTo[8];
        if (++x > 8) return false;
    }
    char digits[9];
    for (int i = 8; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + q % 10);
        q /= 10;
    }
    int last = 8; // the last digit kept: trailing zeros of the fraction go
    const int lastWhole = x >= 0 ? x : -1;
    while (last > lastWhole && digits[last] == '0') --last;
    if (number < 0) out += '-';
    if (x >= 0) {
        out.append(digits, static_cast<size_t>(x) + 1);
        if (last > x) {
            out += '.';
            out.append(digits + x + 1, static_cast<size_t>(last - x));
        }
    } else {
        out += "0.";
        out.append(static_cast<size_t>(-x - 1), '0');
        out.append(digits, static_cast<size_t>(last) + 1);
    }
    return true;
}

// The float as printf's "%.9g" writes it (the same text, byte for byte).
void appendFloat9g(std::string& out, float number) {
    if (appendPlain9g(out, number)) return;
    char buf[32];
    const auto written = std::to_chars(buf, buf + sizeof buf, static_cast<double>(number),
                                       std::chars_format::general, 9);
    out.append(buf, static_cast<size_t>(written.ptr - buf));
}

template <std::integral Integer> void appendNumber(std::string& out, Integer number) {
    char buf[24];
    const auto written = std::to_chars(buf, buf + sizeof buf, number);
    // By count: the iterator-pair append goes through a temporary string.
    out.append(buf, static_cast<size_t>(written.ptr - buf));
}

// A float as JSON: "%.9g" without printf (the JSON of a large plan holds tens of thousands of
// numbers), and null for what JSON cannot hold, the infinities the model never should.
void appendNumber(std::string& out, float number) {
    if (std::isfinite(number))
        appendFloat9g(out, number);
    else
        out += "null";
}

template <typename T> void appendNumbers(std::string& out, std::span<const T> list) {
    out += '[';
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += ',';
        appendNumber(out, list[i]);
    }
    out += ']';
}

} // namespace

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::continueObject() {
    first_.push_back(false);
    return *this;
}
JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    appendEscaped(out_, name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}
JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    appendEscaped(out_, text);
    return *this;
}
JsonWriter& JsonWriter::value(long long number) {
    separate();
    appendNumber(out_, number);
    return *this;
}
JsonWriter& JsonWriter::value(float number) {
    separate();
    appendNumber(out_, number);
    return *this;
}
JsonWriter& JsonWriter::numbers(std::span<const int32_t> list) {
    separate();
    appendNumbers(out_, list);
    return *this;
}
JsonWriter& JsonWriter::numbers(std::span<const float> list) {
    separate();
    appendNumbers(out_, list);
    return *this;
}
JsonWriter& JsonWriter::raw(const std::string& json) {
    separate();
    out_ += json;
    return *this;
}
JsonWriter& JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

} // namespace ormevak::batch
