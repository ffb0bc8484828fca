#pragma once
#include <string>
#include <string_view>

// Doubles to decimal text and back, exactly as std::to_chars and std::from_chars
// do. Where the standard library lacks their floating versions (the libc++ of
// emscripten 3.1.6), the C library's snprintf and strtod take their place:
// both convert exactly, rounding to nearest as std::to_chars and
// std::from_chars do, so every text and value stays the same bit for bit.
namespace ostrevo {

// std::to_chars(value, std::chars_format::scientific, precision), precision at most 40.
std::string ToScientificText(double value, int precision);

// std::to_chars(value, std::chars_format::general, precision), precision at most 40.
std::string ToGeneralText(double value, int precision);

struct ParsedDouble {
    double value = 0;
    bool outOfRange = false;  // too large for a double, or so small that it became zero
};

// std::from_chars on a whole decimal number of the form -ddd.ddde-ddd (sign,
// point, exponent optional; at least one digit before the exponent).
ParsedDouble ParseDecimal(std::string_view ascii);

// The same three through snprintf and strtod: what the three above use where
// the standard library has no floating conversions. Compared with it where it has.
namespace c_library {
std::string ToScientificText(double value, int precision);
std::string ToGeneralText(double value, int precision);
ParsedDouble ParseDecimal(std::string_view ascii);
}  // namespace c_library

}  // namespace ostrevo
