#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cfloat>

#include "float_text.h"

namespace ostrevo {
namespace {

// Decimal digits shown by every conversion: what a double can carry reliably.
constexpr int kSignificantDigits = 15;

// value = 0 or digits[0].digits[1..] x 10^exponent, digits without sign.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalDigits ToDecimalDigits(double value) {
    const std::string text = ToScientificText(std::fabs(value), kSignificantDigits - 1);
    const auto exponentMark = text.find('e');
    DecimalDigits decimal;
    decimal.negative = std::signbit(value);
    decimal.digits.push_back(text[0]);
    decimal.digits.append(text, 2, exponentMark - 2);
    std::from_chars(text.data() + exponentMark + 1 + (text[exponentMark + 1] == '+'), text.data() + text.size(),
                    decimal.exponent);
    return decimal;
}

// Keeps the first `keep` digits, rounding the rest half away from zero; a carry
// out of the first digit prepends a 1 and moves the exponent. keep 0 rounds to one unit of the
// place just before the first digit; below 0 no digit is left, the value rounds to zero.
void KeepDigits(DecimalDigits& decimal, int keep) {
    if (keep < 0) {
        decimal.digits.clear();
        return;
    }
    if (keep >= static_cast<int>(decimal.digits.size())) return;
    const bool roundUp = decimal.digits[keep] >= '5';
    decimal.digits.resize(keep);
    if (!roundUp) return;
    int position = keep - 1;
    while (position >= 0 && decimal.digits[position] == '9') decimal.digits[position--] = '0';
    if (position >= 0) {
        ++decimal.digits[position];
    } else {
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.exponent;
    }
}

bool AllZero(const std::string& digits) {
    return std::all_of(digits.begin(), digits.end(), [](char digit) { return digit == '0'; });
}

// "E", the exponent's sign and at least two digits.
std::string ExponentText(int exponent) {
    std::string text(1, 'E');
    text.push_back(exponent < 0 ? '-' : '+');
    if (std::abs(exponent) < 10) text.push_back('0');
    return text.append(std::to_string(std::abs(exponent)));
}

// Sign, integer digits and, when there are any, separator and decimals.
std::string Compose(bool minus, std::string_view integer, std::string_view decimals, std::string_view separator) {
    std::string text;
    if (minus) text.push_back('-');
    text.append(integer);
    if (!decimals.empty()) text.append(separator).append(decimals);
    return text;
}

std::string UpperCaseExponent(std::string text) {
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

std::string WithSeparator(std::string text, std::string_view separator) {
    const auto point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, separator);
    return text;
}

}  // namespace

double RoundHalfEven(double value) {
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(nearest - value) == 0.5 && std::fmod(nearest, 2.0) != 0) {
        return nearest - std::copysign(1.0, value);
    }
    return nearest;
}

double RoundToThreeDecimals(double value) {
    // Beyond this the value has no thousandths to round, and value * 1000 would overflow.
    // Just below it value * 1000 / 1000 gives value back exactly: a bound a little lower, or >=, rounds the same.
    if (std::fabs(value) > DBL_MAX / 1000) return value;  // mutants: skip (exact round trip near the bound)
    return RoundHalfEven(value * 1000) / 1000;
}

std::string FormatDefault(double value, std::string_view separator) {
    if (value == 0) value = 0;  // no "-0"
    return WithSeparator(UpperCaseExponent(ToGeneralText(value, kSignificantDigits)), separator);
}

std::string FormatScientific(double value, int decimals, std::string_view separator) {
    if (!std::isfinite(value)) return FormatDefault(value, separator);
    DecimalDigits decimal = ToDecimalDigits(value);
    KeepDigits(decimal, decimals + 1);
    decimal.digits.resize(static_cast<std::size_t>(decimals) + 1);  // a carry added a digit, a zero
    const bool zero = AllZero(decimal.digits);  // rounds to zero: no sign, exponent 0
    const std::string_view digits = decimal.digits;
    return Compose(decimal.negative && !zero, digits.substr(0, 1), digits.substr(1), separator)
        .append(ExponentText(zero ? 0 : decimal.exponent));
}

std::string FormatFixed(double value, int decimals, std::string_view separator) {
    if (!std::isfinite(value)) return FormatDefault(value, separator);
    DecimalDigits decimal = ToDecimalDigits(value);
    KeepDigits(decimal, decimal.exponent + 1 + decimals);
    // Place the kept digits on a grid of `decimals` decimals.
    const int integerDigits = decimal.exponent + 1;
    std::string digits = decimal.digits;
    if (integerDigits <= 0) digits.insert(0, static_cast<std::size_t>(1 - integerDigits), '0');
    const std::size_t pointAt = static_cast<std::size_t>(std::max(integerDigits, 1));
    digits.resize(std::max(digits.size(), pointAt + static_cast<std::size_t>(decimals)), '0');
    const std::string_view grid = digits;
    return Compose(decimal.negative && !AllZero(digits), grid.substr(0, pointAt),
                   grid.substr(pointAt, static_cast<std::size_t>(decimals)), separator);
}

}  // namespace ostrevo
