// Rounding, checked conversions, the number reader and the number writer.
#include "model/numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace ormevak {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// nearbyint follows the current rounding mode; the product never changes it, so this is
// round-half-to-even.
double roundHalfEven(double x) { return std::nearbyint(x); }

template <typename T> T checkedConvert(double x, std::string_view what, const char* typeName) {
    const double r = roundHalfEven(x);
    if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max())) {
        throw RangeError(std::string(what) + " " + (std::isnan(x) ? "is not a number" : "is out of range") +
                         " for a " + typeName + " integer");
    }
    return static_cast<T>(r);
}

// Reads one number from `text` starting at `pos`; returns the end position (blanks included).
// `value` is the number read, `any` whether digits were found.
struct Scan {
    double value = 0;
    bool any = false;
    size_t end = 0;
};

Scan scanNumber(std::string_view text, size_t pos) {
    std::string mantissa;
    size_t i = pos;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i])) ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') mantissa += '-';
        ++i;
    }
    bool digits = false;
    for (;;) {
        skipBlanks();
        if (i < text.size() && isDigit(text[i])) {
            mantissa += text[i++];
            digits = true;
        } else {
            break;
        }
    }
    if (i < text.size() && text[i] == '.') {
        mantissa += '.';
        ++i;
        for (;;) {
            skipBlanks();
            if (i < text.size() && isDigit(text[i])) {
                mantissa += text[i++];
                digits = true;
            } else {
                break;
            }
        }
    }
    Scan s;
    if (!digits) {
        s.end = pos;
        return s;
    }
    size_t afterMantissa = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        ++i;
        skipBlanks();
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        bool expDigits = false;
        for (;;) {
            skipBlanks();
            if (i < text.size() && isDigit(text[i])) {
                if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
                ++i;
                expDigits = true;
            } else {
                break;
            }
        }
        if (negative) exponent = -exponent;
        if (!expDigits) {
            // An exponent letter with no digits adds nothing; the text stops after it.
            exponent = 0;
        }
        afterMantissa = i;
    }
    std::string full = mantissa + "e" + std::to_string(exponent);
    s.value = std::strtod(full.c_str(), nullptr);
    s.any = true;
    s.end = afterMantissa;
    return s;
}

} // namespace

double roundTo(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return roundHalfEven(x * scale) / scale;
}

int16_t toInt16(double x, std::string_view what) { return checkedConvert<int16_t>(x, what, "16-bit"); }
int32_t toInt32(double x, std::string_view what) { return checkedConvert<int32_t>(x, what, "32-bit"); }

double intFloor(double x) { return std::floor(x); }

double readNumber(std::string_view text) { return scanNumber(text, 0).value; }

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

std::string formatInt(long long value) { return std::to_string(value); }

std::string formatNumber(float value) {
    const double v = static_cast<double>(value);
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    if (v == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6e", v);
    // buf: [-]d.dddddde[+-]xx
    std::string s(buf);
    bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    const size_t ePos = s.find('e');
    std::string digits = s.substr(0, 1) + s.substr(2, ePos - 2);
    int exponent = std::stoi(s.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out;
    if (exponent >= 0) {
        const size_t intLen = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out = digits + std::string(intLen - digits.size(), '0');
        } else {
            out = digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    } else {
        out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    return negative ? "-" + out : out;
}

} // namespace ormevak
