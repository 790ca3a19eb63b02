// Rounding, checked conversions, the number reader and the number writer.
#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace ormevak {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// nearbyint follows the current rounding mode; the product never changes it, so this is
// round-half-to-even.
double roundHalfEven(double x) {
    return std::nearbyint(x);
}

[[noreturn]] void throwNotAnInteger(double x, std::string_view what, const char* typeName) {
    throw RangeError(std::string(what) + " " +
                     (std::isnan(x) ? "is not a number" : "is out of range") + " for a " +
                     typeName + " integer");
}

template <typename T> T checkedConvert(double x, std::string_view what, const char* typeName) {
    const double r = roundHalfEven(x);
    if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        throwNotAnInteger(x, what, typeName);
    return static_cast<T>(r);
}

// Reads one number from `text` starting at `pos`; returns the end position (blanks included).
// `value` is the number read, `any` whether digits were found.
struct Scan {
    double value = 0;
    bool any = false;
    size_t end = 0;
};

// The characters of a number with the blanks dropped, converted by the library: the slow path
// for long mantissas and exponents.
double convertSlowly(std::string_view text, size_t pos, size_t end, bool withExponent,
                     long long exponent) {
    std::string number;
    for (size_t i = pos; i < end; ++i) {
        const char c = text[i];
        if (isDigit(c) || c == '.' || c == '-' || c == '+') number += c;
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') break;
    }
    if (withExponent) number += "e" + std::to_string(exponent);
    double v = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    (void)ptr;
    // from_chars leaves v untouched on overflow and underflow; strtod gives inf or 0.
    if (ec == std::errc::result_out_of_range) v = std::strtod(number.c_str(), nullptr);
    return v;
}

// Small mantissas over a power of ten up to 1e22 are exact doubles, and one division of
// exact doubles is correctly rounded: the same value the full conversion gives.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

void skipBlanks(std::string_view text, size_t& i) {
    while (i < text.size() && isBlank(text[i])) ++i;
}

// The digits of a number, as far as 64 bits hold them.
struct Mantissa {
    uint64_t value = 0;
    int fraction = 0;  // digits after the point
    bool exact = true; // the mantissa fits and no exponent: the quick conversion is exact
    bool digits = false;
};

// A run of digits from i, blanks between them allowed.
void digitRun(std::string_view text, size_t& i, Mantissa& m, bool afterPoint) {
    const size_t n = text.size();
    for (;;) {
        if (i < n && isDigit(text[i])) {
            if (m.value <= (UINT64_MAX - 9) / 10) {
                m.value = m.value * 10 + static_cast<uint64_t>(text[i] - '0');
                if (afterPoint) ++m.fraction;
            } else {
                m.exact = false;
            }
            m.digits = true;
            ++i;
        } else if (i < n && isBlank(text[i])) {
            ++i;
        } else {
            break;
        }
    }
}

// The exponent after the letter at i (E, e, D or d), blanks allowed within it; i ends after
// it. Returns whether it counts: an exponent letter with no digits, or 0, adds nothing.
bool scanExponent(std::string_view text, size_t& i, long long& exponent) {
    const size_t n = text.size();
    ++i;
    skipBlanks(text, i);
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negativeExponent = text[i] == '-';
        ++i;
    }
    bool expDigits = false;
    for (;;) {
        skipBlanks(text, i);
        if (i < n && isDigit(text[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
            ++i;
            expDigits = true;
        } else {
            break;
        }
    }
    if (negativeExponent) exponent = -exponent;
    return expDigits && exponent != 0;
}

Scan scanNumber(std::string_view text, size_t pos) {
    size_t i = pos;
    const size_t n = text.size();
    Mantissa m;
    skipBlanks(text, i);
    const size_t signAt = i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    digitRun(text, i, m, false);
    if (i < n && text[i] == '.') {
        ++i;
        digitRun(text, i, m, true);
    }
    Scan s;
    if (!m.digits) {
        s.end = pos;
        return s;
    }
    size_t end = i;
    bool withExponent = false;
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        withExponent = scanExponent(text, i, exponent);
        end = i;
    }
    double value;
    if (m.exact && !withExponent && m.value < (uint64_t{1} << 53) && m.fraction <= 22)
        value = static_cast<double>(m.value) / kPowersOfTen[m.fraction];
    else
        value = convertSlowly(
            text, signAt + (i > signAt && (text[signAt] == '-' || text[signAt] == '+') ? 1 : 0),
            end, withExponent, exponent);
    s.value = negative ? -value : value;
    s.any = true;
    s.end = end;
    return s;
}

} // namespace

double roundTo(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return roundHalfEven(x * scale) / scale;
}

int16_t toInt16(double x, std::string_view what) {
    return checkedConvert<int16_t>(x, what, "16-bit");
}
void throwOutOfInt32(double x, std::string_view what) {
    throwNotAnInteger(x, what, "32-bit");
}

double intFloor(double x) {
    return std::floor(x);
}

double readNumberInFull(std::string_view text) {
    return scanNumber(text, 0).value;
}

bool isNumericText(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) --last;
    std::string_view core = text.substr(first, last - first);
    if (core.empty()) return false;
    // Inside the number no blanks are allowed for a typed value.
    for (char c : core)
        if (isBlank(c)) return false;
    Scan s = scanNumber(core, 0);
    return s.any && s.end == core.size() && std::isfinite(s.value);
}

std::string formatInt(long long value) {
    return std::to_string(value);
}

std::string formatNumber(float value) {
    const double v = static_cast<double>(value);
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    if (v == 0) return "0";
    // Seven significant digits, rounded as printf's "%.6e" rounds them: [-]d.dddddde[+-]xx.
    char sci[32];
    const char* const sciEnd =
        std::to_chars(sci, sci + sizeof sci, std::fabs(v), std::chars_format::scientific, 6).ptr;
    char digits[7];
    digits[0] = sci[0];
    std::copy(sci + 2, sci + 8, digits + 1);
    size_t count = 7;
    while (count > 1 && digits[count - 1] == '0') --count;
    int exponent = 0;
    std::from_chars(sci + 10, sciEnd, exponent);
    if (sci[9] == '-') exponent = -exponent;
    // A float's decimal exponent lies within -45..38: the text fits in 64 characters.
    char out[64];
    char* o = out;
    if (v < 0) *o++ = '-';
    if (exponent >= 0) {
        const size_t intLen = static_cast<size_t>(exponent) + 1;
        if (count <= intLen) {
            o = std::copy(digits, digits + count, o);
            o = std::fill_n(o, intLen - count, '0');
        } else {
            o = std::copy(digits, digits + intLen, o);
            *o++ = '.';
            o = std::copy(digits + intLen, digits + count, o);
        }
    } else {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, -exponent - 1, '0');
        o = std::copy(digits, digits + count, o);
    }
    return std::string(out, o);
}

} // namespace ormevak
