#pragma once
#include <string>
#include <string_view>

namespace ostrevo {

// Nearest whole number, halves to the even one.
double RoundHalfEven(double value);

// Three decimals, halves to even: value*1000 rounded, divided by 1000.
double RoundToThreeDecimals(double value);

// The default conversion of a number to text: 15 significant digits, trailing
// zeros (and a trailing separator) removed, no grouping, `separator` as the
// decimal separator. Exponent form at magnitudes of 1E15 and beyond.
std::string FormatDefault(double value, std::string_view separator);

// Scientific pattern with one integer digit, `decimals` decimals, "E", the
// exponent's sign and at least two exponent digits: decimals 3 is "0.000E+00",
// decimals 2 is "0.00E+00".
std::string FormatScientific(double value, int decimals, std::string_view separator);

// Fixed pattern "0.000" (decimals 3) or "0.00" (decimals 2).
std::string FormatFixed(double value, int decimals, std::string_view separator);

}  // namespace ostrevo
