// The leading-number parse and the conversion of counts, on any text: the
// result is a finite number or a Fault, it agrees with the C library's reading
// of the same number, and nothing after the number changes it.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <optional>

#include "fault.h"
#include "field_reading.h"
#include "fuzz_support.h"

namespace {

using ostrevo::fuzz::Require;

std::optional<double> Parse(std::u16string_view text) {
    try {
        return ostrevo::ParseLeadingNumber(text);
    } catch (const ostrevo::Fault&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const bool pairs = provider.ConsumeBool();
    const std::size_t cut = provider.ConsumeIntegral<std::uint8_t>();
    const std::u16string text = ostrevo::fuzz::TextFromBytes(provider.ConsumeRemainingBytesAsString(), pairs);
    const std::optional<double> parsed = Parse(text);

    std::string number;  // for strtod: without blanks, up to the first character no number contains
    for (const char16_t c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && !ostrevo::fuzz::IsNumberCharacter(c)) break;
        if (ostrevo::fuzz::IsNumberCharacter(c)) number.push_back(static_cast<char>(c));
    }
    errno = 0;
    const double expected = std::strtod(number.c_str(), nullptr);
    Require(parsed.has_value() != (errno == ERANGE && std::isinf(expected)), "a Fault but for a number beyond range");
    // Below the smallest normal double, the subnormal neighbour or zero: both are underflow, no fault.
    Require(!parsed || *parsed == expected || (std::fabs(expected) < DBL_MIN && *parsed == 0), "parse is not strtod");
    Require(!parsed || std::signbit(*parsed) == std::signbit(expected), "the sign is lost");

    // Whatever follows a character that ends every number leaves the result alone.
    const std::u16string prefix = text.substr(0, std::min(cut, text.size())) + u"x";
    const std::optional<double> prefixParsed = Parse(prefix);
    const std::optional<double> wholeParsed = Parse(prefix + text.substr(std::min(cut, text.size())));
    Require(prefixParsed.has_value() == wholeParsed.has_value(), "text after the number decides on a Fault");
    Require(!prefixParsed || std::memcmp(&*prefixParsed, &*wholeParsed, sizeof(double)) == 0, "text after it counts");

    if (!parsed) return 0;
    try {
        const double rounded = ostrevo::RoundToInt32(*parsed);
        Require(std::fabs(rounded - *parsed) <= 0.5, "a count rounded to a far integer");
        Require(std::fabs(rounded - *parsed) != 0.5 || std::fmod(rounded, 2) == 0, "a half rounded to an odd count");
    } catch (const ostrevo::Fault&) {
        Require(std::fabs(std::nearbyint(*parsed) + 0.5) > 2147483647.5, "a count within range refused");
    }
    return 0;
}
