// Numbers in and out: the entry check, the reading of the fields and the
// patterns the windows show.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "circuit_examples.h"
#include "entry_check.h"
#include "fault.h"
#include "field_reading.h"
#include "number_format.h"

namespace ostrevo {
namespace {

TEST(EntryCheckTest, AcceptsOnlyTheCharactersOfANumberInAnyOrder) {
    using enum EntryVerdict;
    const struct {
        std::u16string text;
        EntryVerdict verdict;
    } cases[] = {{u"0123456789", Accepted}, {u"+-.Ee", Accepted},  {u"1.2.3e5e--", Accepted},
                 {std::u16string(100000, u'9'), Accepted},     {u" 1", Invalid}, {u"4,7", Invalid},
                 {u"1\t", Invalid},        {u"1D3", Invalid},  {u"/", Invalid}, {u":", Invalid},
                 {u"\u00B2", Invalid},     {u"\uFF11", Invalid}, {std::u16string(40000, u'1') + u"x", Invalid},
                 {u"", Missing}};
    for (const auto& c : cases) EXPECT_EQ(CheckEntry(c.text), c.verdict) << c.text.size();
}

TEST(EntryCheckTest, AChainStopsAtItsFirstRefusedField) {
    testing::FakeForm form;
    testing::TypeCircuit(form, "12 22 4.7 0 0 0 1 8 4 0 5 1,5");
    EXPECT_EQ(FirstEntryMessage(form, kCircuitFields), FieldOf(FieldId::N).invalidMessage);
    form.type("Text5", "");
    EXPECT_EQ(FirstEntryMessage(form, kCircuitFields), FieldOf(FieldId::Vd).missingMessage);
    form.type("Text5", "0");
    form.type("Text16", "1000");
    EXPECT_EQ(FirstEntryMessage(form, kCircuitFields), std::nullopt);
    EXPECT_EQ(FirstEntryMessage(form, kDesignFields), FieldOf(FieldId::DesignC).missingMessage);
}

TEST(ParseLeadingNumberTest, TakesTheLongestLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"4.7", 4.7},   {"1E-5", 0.00001}, {"5E3", 5000},    {"1-2", 1},        {"1.2.3", 1.2}, {"e5", 0},
        {"12abc", 12},  {"-.5", -0.5},     {"4,7", 4},       {"1 000", 1000},   {"", 0},        {".", 0},
        {"-", 0},       {"+3", 3},         {"--1", 0},       {"5e", 5},         {"E5", 0},      {"1e5e5", 100000},
        {"5e+", 5},     {"5e-2", 0.05},    {"\t7\n", 7},     {"1 e 3", 1000},   {"2.", 2},      {"007", 7},
        {"1.5E+2x", 150}, {"1D3", 1},      {"1e-400", 0},    {"0e999999", 0},   {"-1e-400", -0.0},
    };
    for (const auto& c : cases) {
        const double value = ParseLeadingNumber(std::u16string(c.text, c.text + std::strlen(c.text)));
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << '"' << c.text << '"';
    }
    EXPECT_EQ(ParseLeadingNumber(u"1\uFF12"), 1);  // digits of other scripts and the no-break space end it
    EXPECT_EQ(ParseLeadingNumber(u"3\u00A04"), 3);
    for (const std::u16string text : {u"1E400", u"-1E400", u"1e99999999999999999999", u"0.00000001e320"}) {
        EXPECT_THROW(ParseLeadingNumber(text), Fault);
    }
    EXPECT_THROW(ParseLeadingNumber(std::u16string(400, u'9')), Fault);
}

TEST(RoundToInt32Test, NearestWithHalvesToEvenAndAFaultOutsideTheRange) {
    const struct {
        double value;
        std::optional<std::int32_t> rounded;
    } cases[] = {{2.5, 2},     {3.5, 4},   {-2.5, -2},        {-3.5, -4}, {0.5, 0}, {1000.4, 1000}, {2.6, 3},
                 {-0.4, 0},    {2147483647.4, 2147483647},    {-2147483648.5, -2147483648},
                 {2147483647.5, {}}, {-2147483649.0, {}}, {-1e300, {}}};
    for (const auto& c : cases) {
        if (c.rounded) {
            EXPECT_EQ(RoundToInt32(c.value), *c.rounded) << c.value;
        } else {
            EXPECT_THROW(RoundToInt32(c.value), Fault) << c.value;
        }
    }
}

TEST(ReadCircuitTest, ScalesEachField) {
    testing::FakeForm form;
    testing::TypeCircuit(form, "12 22 4.7 195 75 5 1 6.7 5.33 0.6 3.5 1000.5");
    const CircuitParameters p = ReadCircuit(form, kCircuitFields);
    EXPECT_EQ(std::tie(p.RoH, p.RoL, p.Ci, p.NP, p.N), std::make_tuple(195 * 0.001, 75 * 0.001, 5 * 0.001, 4, 1000));
}

TEST(FormatTest, TimesRoundedToThreeDecimalsWithFifteenDigits) {
    const struct {
        double value;
        const char* point;
        const char* comma;
    } cases[] = {
        {15.2492379, "15.249", "15,249"}, {0.0625, "0.062", "0,062"}, {0.1875, "0.188", "0,188"},
        {-0.0625, "-0.062", "-0,062"},    {-0.0004, "0", "0"},        {-3.2577917, "-3.258", "-3,258"},
        {1234567.5, "1234567.5", "1234567,5"}, {1e15, "1E+15", "1E+15"}, {-2.5e20, "-2.5E+20", "-2,5E+20"},
        {123456789012.345, "123456789012.345", "123456789012,345"}, {DBL_MAX, "1.79769313486232E+308", "1,79769313486232E+308"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDefault(RoundToThreeDecimals(c.value), "."), c.point) << c.value;
        EXPECT_EQ(FormatDefault(RoundToThreeDecimals(c.value), ","), c.comma) << c.value;
    }
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
        {0.00004, 3, "4.000E-05", "0.000"},      {1.5e-200, 2, "1.50E-200", "0.00"},
        {1e20, 2, "1.00E+20", "100000000000000000000.00"}, {4.9e-324, 2, "4.94E-324", "0.00"},
        {INFINITY, 2, "inf", "inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatScientific(c.value, c.decimals, "."), c.scientific) << c.value;
        EXPECT_EQ(FormatFixed(c.value, c.decimals, "."), c.fixed) << c.value;
    }
    EXPECT_EQ(FormatScientific(-0.5, 2, ","), "-5,00E-01");
    EXPECT_EQ(FormatFixed(3.2577, 3, ","), "3,258");
}

}  // namespace
}  // namespace ostrevo
