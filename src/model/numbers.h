// The one place where the product rounds, converts and writes numbers.
// Every caption, cell and message goes through formatNumber, so the rules live here only.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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
int32_t toInt32(double x, std::string_view what = "value");

// Int(x): the largest integer not above x (as a double, so it never overflows).
double intFloor(double x);

// The number at the start of a text: blanks (space, tab) skipped anywhere, optional sign,
// digits, optional point and digits, optional exponent (E or D, sign, digits); stops at the
// first other character; 0 when there is no number.
double readNumber(std::string_view text);

// True when the whole text (blanks around it allowed) is one number in the form readNumber
// takes; used where a typed text must be numeric as a whole.
bool isNumericText(std::string_view text);

// Shortest plain decimal of a Single: at most 7 significant digits, no exponent, no trailing
// zeros, a leading zero before the point, "-" only for negative values.
std::string formatNumber(float value);
std::string formatNumber(double value) = delete; // say which precision: cast to float
std::string formatInt(long long value);

} // namespace ormevak
