// The one place where the product rounds, converts and writes numbers.
// Every caption, cell and message goes through formatNumber, so the rules live here only.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/kind_scan.h"

namespace ormevak {

// A real value that does not fit the integer type it must be converted to.
class RangeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Round(x, n): x times 10^n in double precision, nearest integer with ties to even, divided back.
double roundTo(double x, int decimals);

// Conversion of a real to a 16- or 32-bit integer, ties to even; throws RangeError when out of
// range (or not a number). `what` names the value in the message.
int16_t toInt16(double x, std::string_view what = "value");
[[noreturn]] void throwOutOfInt32(double x, std::string_view what);
// Inline: the reader converts every joint, member and column number it meets.
inline int32_t toInt32(double x, std::string_view what = "value") {
    // A NaN fails both comparisons.
    const double r = std::nearbyint(x);
    if (r >= -2147483648.0 && r <= 2147483647.0) return static_cast<int32_t>(r);
    throwOutOfInt32(x, what);
}

// Int(x): the largest integer not above x (as a double, so it never overflows).
double intFloor(double x);

// The number at the start of a text: blanks (space, tab) skipped anywhere, optional sign,
// digits, optional point and digits, optional exponent (E or D, sign, digits); stops at the
// first other character; 0 when there is no number. Defined below: it tries the common shape
// inline and leaves the rest to readNumberInFull.
double readNumberInFull(std::string_view text);

namespace detail {

inline constexpr double kPlainScale[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

inline bool isExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Whether `c` (and what follows it up to `end`) would make the full reader read on after the
// digits of a number. Blanks after digits are read on by it; what follows them decides: more
// digits or a point continue the number, and an exponent letter counts only with a sign or
// digits after it. With `blanksEnd` a blank is an end.
template <bool blanksEnd> inline bool continuesNumber(const char* next, const char* end, char c) {
    if ((c >= '0' && c <= '9') || c == '.' || isExponentLetter(c)) return true;
    if (blanksEnd || (c != ' ' && c != '\t')) return false;
    while (next != end && (*next == ' ' || *next == '\t')) ++next;
    if (next == end) return false;
    c = *next++;
    if ((c >= '0' && c <= '9') || c == '.') return true;
    if (!isExponentLetter(c)) return false;
    while (next != end && (*next == ' ' || *next == '\t')) ++next;
    return next != end && ((*next >= '0' && *next <= '9') || *next == '+' || *next == '-');
}

// The common shape, "-123.45" after optional blanks with at most 15 digits, ended by the end
// of the text or a character that cannot continue a number (blanks before it allowed): its value,
// as the full reader gives it (a mantissa below 2^53 over an exact power of ten is one correctly
// rounded division), and the count of characters read. 0 for every other text. Inline, since the
// analysis reader meets hundreds of thousands of numbers.
//
// With `blanksEnd` a blank is read as any other character that ends a number (and none is
// skipped before it): the value the text would give with its blanks made "*".
template <bool blanksEnd = false>
inline size_t readPlainNumber(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if constexpr (!blanksEnd)
        while (p != end && (*p == ' ' || *p == '\t')) ++p;
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    for (; p != end && digits < 15; ++p, ++digits) {
        const unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (d > 9) break;
        mantissa = mantissa * 10 + d;
    }
    if (p != end && *p == '.') {
        ++p;
        for (; p != end && digits < 15; ++p, ++digits, ++fraction) {
            const unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (d > 9) break;
            mantissa = mantissa * 10 + d;
        }
    }
    if (digits == 0) return 0;
    if (p != end && continuesNumber<blanksEnd>(p + 1, end, *p)) return 0;
    const double v = static_cast<double>(mantissa) / kPlainScale[fraction];
    value = negative ? -v : v;
    return static_cast<size_t>(p - text.data());
}

} // namespace detail

// The number at the start of a text (see readNumberInFull for the form it takes).
inline double readNumber(std::string_view text) {
    double value;
    if (detail::readPlainNumber(text, value) != 0) return value;
    return readNumberInFull(text);
}

// readNumber(text) == 0, told from the digits without converting them: a number without an
// exponent is 0 exactly when none of its digits is. An exponent, or a number so long that its
// digits could fall below the smallest double, is read in full.
inline bool readsAsZero(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    p = scan::findKind<scan::NotBlank>(p, end);
    if (p != end && (*p == '+' || *p == '-')) ++p;
    bool nonzero = false;
    // A run of digits, blanks between them allowed, as the full reader reads it; once a digit
    // other than 0 is met, only its end is looked for.
    auto digitRun = [&] {
        if (!nonzero) {
            p = scan::findKind<scan::NotBlankOrZero>(p, end);
            if (p == end || *p < '1' || *p > '9') return;
            nonzero = true;
        }
        p = scan::findKind<scan::NotBlankOrDigit>(p, end);
    };
    digitRun();
    if (p != end && *p == '.') {
        ++p;
        digitRun();
    }
    if ((p != end && detail::isExponentLetter(*p)) || p - text.data() > 300)
        return readNumberInFull(text) == 0;
    return !nonzero;
}

// True when the whole text (blanks around it allowed) is one number in the form readNumber
// takes; used where a typed text must be numeric as a whole.
bool isNumericText(std::string_view text);

// Shortest plain decimal of a Single: at most 7 significant digits, no exponent, no trailing
// zeros, a leading zero before the point, "-" only for negative values.
std::string formatNumber(float value);
std::string formatNumber(double value) = delete; // say which precision: cast to float
std::string formatInt(long long value);

} // namespace ormevak
