// Numbers in and out: the entry check, the reading of a typed number and the
// patterns the windows show.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "entry_check.h"
#include "fault.h"
#include "field_reading.h"
#include "float_text.h"
#include "number_format.h"

namespace ostrevo {
namespace {

TEST(EntryCheckTest, AcceptsOnlyTheCharactersOfANumberInAnyOrder) {
    using enum EntryVerdict;
    const struct {
        std::u16string text;
        EntryVerdict verdict;
    } cases[] = {{u"0123456789", Accepted}, {u"+-.Ee", Accepted}, {u"1.2.3e5e--", Accepted}, {u"", Missing},
                 {std::u16string(100000, u'9'), Accepted}, {u" 1", Invalid}, {u"4,7", Invalid}, {u"1\t", Invalid},
                 {u"1D3", Invalid}, {u"/", Invalid}, {u":", Invalid}, {u"\u00B2", Invalid}, {u"\uFF11", Invalid},
                 {std::u16string(40000, u'1') + u"x", Invalid}};
    for (const auto& c : cases) EXPECT_EQ(CheckEntry(c.text), c.verdict) << c.text.size();
}

TEST(ParseLeadingNumberTest, TakesTheLongestLeadingNumber) {
    const struct {
        std::u16string text;
        double value;
    } cases[] = {
        {u"4.7", 4.7},     {u"1E-5", 0.00001}, {u"5E3", 5000},  {u"1-2", 1},       {u"1.2.3", 1.2},  {u"e5", 0},
        {u"12abc", 12},    {u"-.5", -0.5},     {u"4,7", 4},     {u"1 000", 1000},  {u"", 0},         {u".", 0},
        {u"-", 0},         {u"+3", 3},         {u"--1", 0},     {u"5e", 5},        {u"E5", 0},       {u"1e5e5", 1e5},
        {u"5e+", 5},       {u"5e-2", 0.05},    {u"\t7\n", 7},   {u"1 e 3", 1000},  {u"2.", 2},        {u"007", 7},
        {u"1.5E+2x", 150}, {u"1D3", 1},        {u"1e-400", 0},  {u"0e999999", 0},  {u"-1e-400", -0.0},
        {u"1\uFF12", 1},   {u"3\u00A04", 3},  // digits of other scripts and the no-break space end it
        {std::u16string(500, u'0') + u"1e-400", 0}, {u"0." + std::u16string(500, u'0') + u"1e-100", 0},
        {u"0." + std::u16string(400, u'0') + u"1e10", 0}, {u"1e-99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        const double value = ParseLeadingNumber(c.text);
        EXPECT_EQ(value, c.value) << c.value;
        EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.value;
    }
    for (const std::u16string text : {u"1E400", u"-1E400", u"1e99999999999999999999", u"0.00000001e320"}) {
        EXPECT_THROW(ParseLeadingNumber(text), Fault);
    }
    EXPECT_THROW(ParseLeadingNumber(std::u16string(400, u'9')), Fault);
    EXPECT_THROW(ParseLeadingNumber(u"1" + std::u16string(400, u'0') + u"e-10"), Fault);
}

TEST(RoundToInt32Test, NearestWithHalvesToEvenAndAFaultOutsideTheRange) {
    const double cases[][2] = {{2.5, 2},     {3.5, 4},     {-2.5, -2}, {-3.5, -4},  {0.5, 0},  {1000.4, 1000},
                               {2.6, 3},     {-0.4, 0},    {2147483647.4, 2147483647}, {-2147483648.5, -2147483648},
                               {2147483647.5, NAN},        {-2147483649.0, NAN},       {-1e300, NAN}};
    for (const auto& [value, rounded] : cases) {
        if (std::isnan(rounded)) {
            EXPECT_THROW(RoundToInt32(value), Fault) << value;
        } else {
            EXPECT_EQ(RoundToInt32(value), rounded) << value;
        }
    }
}

TEST(FormatTest, TimesRoundedToThreeDecimalsWithFifteenDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{15.2492379, "15.249"}, {0.0625, "0.062"},     {0.1875, "0.188"},   {-0.0625, "-0.062"},
                 {-0.0004, "0"},         {1234567.5, "1234567.5"}, {1e15, "1E+15"}, {-2.5e20, "-2.5E+20"},
                 {123456789012.345, "123456789012.345"},         {DBL_MAX, "1.79769313486232E+308"}};
    for (const auto& c : cases) EXPECT_EQ(FormatDefault(RoundToThreeDecimals(c.value), "."), c.text) << c.value;
    EXPECT_EQ(FormatDefault(-2.5e-3, ","), "-0,0025");
    EXPECT_EQ(FormatDefault(0.1 + 0.2, "."), "0.3");
}

TEST(FormatTest, ScientificAndFixedPatterns) {
    const struct {
        double value;
        int decimals;
        const char* scientific;
        const char* fixed;
    } cases[] = {
        {14.42695, 3, "1.443E+01", "14.427"},    {0.1442695, 3, "1.443E-01", "0.144"},
        {-14.42695, 3, "-1.443E+01", "-14.427"}, {0, 3, "0.000E+00", "0.000"},
        {46.2676, 2, "4.63E+01", "46.27"},       {-0.0, 2, "0.00E+00", "0.00"},
        {-0.001, 2, "-1.00E-03", "0.00"},        {9.995, 2, "1.00E+01", "10.00"},
        {-9.9996, 3, "-1.000E+01", "-10.000"},   {0.0005, 3, "5.000E-04", "0.001"},
        {-0.00004, 3, "-4.000E-05", "0.000"},      {1.5e-200, 2, "1.50E-200", "0.00"},
        {1e20, 2, "1.00E+20", "100000000000000000000.00"}, {4.9e-324, 2, "4.94E-324", "0.00"},
        {1.5e10, 2, "1.50E+10", "15000000000.00"},   {INFINITY, 2, "inf", "inf"},
        {1.995, 2, "2.00E+00", "2.00"},           {1234567890123.45, 2, "1.23E+12", "1234567890123.45"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatScientific(c.value, c.decimals, "."), c.scientific) << c.value;
        EXPECT_EQ(FormatFixed(c.value, c.decimals, "."), c.fixed) << c.value;
    }
    EXPECT_EQ(FormatScientific(-0.5, 2, ","), "-5,00E-01");
    EXPECT_EQ(FormatFixed(3.2577, 3, ","), "3,258");
}

// std::bit_cast, which the libc++ of emscripten 3.1.6 lacks.
template <typename To, typename From>
To BitCast(From from) {
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// Doubles of every magnitude (random bits: also infinities, NaNs, subnormals),
// exact halves at the 15th digit, and random 17 to 20-digit texts from 1E-330
// to 1E+310 read back (subnormals, underflow to zero, overflow), as well as
// texts exactly halfway between two doubles. Their texts
// and values, hashed, are those std::to_chars and std::from_chars gave on
// Linux; where the C library's conversions stand in for them (WebAssembly)
// this checks them bit for bit, and where both exist they are compared too.
TEST(FloatTextTest, TheSameTextsAndValuesOnEveryPlatform) {
    std::uint64_t state = 7, digest = 14695981039346656037u;  // FNV-1a
    const auto hash = [&digest](std::string_view bytes) {
        for (const char byte : bytes) digest = (digest ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    };
    const auto read = [&hash](const std::string& text) {
        const ParsedDouble parsed = ParseDecimal(text), c = c_library::ParseDecimal(text);
        const std::uint64_t bits = parsed.outOfRange ? ~std::uint64_t{0} : BitCast<std::uint64_t>(parsed.value);
        EXPECT_EQ(c.outOfRange ? ~std::uint64_t{0} : BitCast<std::uint64_t>(c.value), bits) << text;
        hash(std::to_string(bits));
    };
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = SplitMix64(state);
        for (const double value : {BitCast<double>(bits), static_cast<double>((bits >> 14) | 1) / 2}) {
            const std::string scientific = ToScientificText(value, 14), general = ToGeneralText(value, 15);
            EXPECT_EQ(c_library::ToScientificText(value, 14), scientific);
            EXPECT_EQ(c_library::ToGeneralText(value, 15), general);
            hash(scientific + general);
            if (std::isfinite(value)) read(general);
        }
        std::string digits = std::to_string(bits % 9 + 1);
        digits.append(".").append(std::to_string(SplitMix64(state) >> (bits % 8)));
        read(digits.append("e").append(std::to_string(static_cast<int>(bits % 641) - 330)));
        // Halfway between two doubles: ties to the even one.
        read(std::to_string(bits >> 11 | std::uint64_t{1} << 52).append(".5"));
        read(std::to_string(bits >> 10 | std::uint64_t{1} << 53 | 1));
    }
    EXPECT_EQ(digest, 913831813143851369u);  // recorded from std::to_chars and std::from_chars (GCC 12, Linux)
}

}  // namespace
}  // namespace ostrevo
