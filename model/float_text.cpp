#include "float_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ostrevo {
namespace {

// Room for a sign, 41 digits, a point and "e-308".
constexpr int kTextCapacity = 64;

// printf's conversions equal std::to_chars' by definition, in the "C" locale,
// but for the sign of a NaN, which some C libraries (MinGW's) leave out.
// Their decimal point is the locale's: glibc's follows setlocale, but these run
// where the standard's conversions are missing, on musl (emscripten), whose
// point is always ".".
std::string Printed(const char* format, double value, int precision) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    char buffer[kTextCapacity];
    const int length = std::snprintf(buffer, sizeof buffer, format, precision, value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

namespace c_library {

std::string ToScientificText(double value, int precision) { return Printed("%.*e", value, precision); }
std::string ToGeneralText(double value, int precision) { return Printed("%.*g", value, precision); }

// strtod reports a range error also for a result below the normal range
// that is still above zero; std::from_chars accepts that one.
ParsedDouble ParseDecimal(std::string_view ascii) {
    const std::string text(ascii);  // strtod needs the terminating zero
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    const bool outOfRange = errno == ERANGE && (value == 0 || std::isinf(value));
    return {value, outOfRange};
}

}  // namespace c_library

#if defined(__cpp_lib_to_chars)

namespace standard {

std::string ToScientificText(double value, int precision) {
    char buffer[kTextCapacity];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision);
    return std::string(buffer, result.ptr);
}

std::string ToGeneralText(double value, int precision) {
    char buffer[kTextCapacity];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

ParsedDouble ParseDecimal(std::string_view ascii) {
    ParsedDouble parsed;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), parsed.value);
    parsed.outOfRange = result.ec == std::errc::result_out_of_range;
    return parsed;
}

}  // namespace standard
namespace conversions = standard;

#else

namespace conversions = c_library;

#endif

std::string ToScientificText(double value, int precision) { return conversions::ToScientificText(value, precision); }
std::string ToGeneralText(double value, int precision) { return conversions::ToGeneralText(value, precision); }
ParsedDouble ParseDecimal(std::string_view ascii) { return conversions::ParseDecimal(ascii); }

}  // namespace ostrevo
