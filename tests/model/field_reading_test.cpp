#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "circuit_examples.h"
#include "fault.h"
#include "field_reading.h"

namespace ostrevo {
namespace {

using testing::U16;

TEST(ParseLeadingNumberTest, TakesTheLongestLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"4.7", 4.7},    {"1E-5", 0.00001}, {"5E3", 5000}, {"1-2", 1},     {"1.2.3", 1.2},  {"e5", 0},
        {"12abc", 12},   {"-.5", -0.5},     {"4,7", 4},    {"1 000", 1000}, {"", 0},        {".", 0},
        {"-", 0},        {"+", 0},          {"e", 0},      {"E", 0},        {"--", 0},      {"5e", 5},
        {"E5", 0},       {"1e5e5", 100000}, {"+-", 0},     {"+3", 3},       {"5e+", 5},     {"5e-2", 0.05},
        {"\t7\n", 7},    {"1 e 3", 1000},   {"2.", 2},     {"007", 7},      {"1.5E+2x", 150}, {"1D3", 1},
        {"1e-400", 0},   {"0e999999", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLeadingNumber(U16(c.text)), c.value) << '"' << c.text << '"';
    // Digits of other scripts and the non-breaking space end the number.
    EXPECT_EQ(ParseLeadingNumber(u"1\uFF12"), 1);
    EXPECT_EQ(ParseLeadingNumber(u"\u00B2"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"3\u00A04"), 3);
}

TEST(ParseLeadingNumberTest, NumbersBeyondTheDoubleRangeAreRefused) {
    const std::string cases[] = {"1E400", "-1E400", std::string(400, '9'), "1e99999999999999999999",
                                 "0.00000001e320"};
    for (const std::string& text : cases) {
        EXPECT_THROW(ParseLeadingNumber(U16(text)), Fault) << text;
    }
}

TEST(RoundToInt32Test, NearestWithHalvesToEvenAndAFaultOutsideTheRange) {
    const struct {
        double value;
        std::optional<std::int32_t> rounded;
    } cases[] = {{2.5, 2},      {3.5, 4},    {-2.5, -2},       {1000.4, 1000}, {-5, -5},
                 {2147483647.4, 2147483647}, {-2147483648.5, -2147483648}, {2147483647.5, {}},
                 {1e10, {}},    {-2147483649.0, {}}, {-1e300, {}}};
    for (const auto& c : cases) {
        if (c.rounded) {
            EXPECT_EQ(RoundToInt32(c.value), *c.rounded) << c.value;
        } else {
            EXPECT_THROW(RoundToInt32(c.value), Fault) << c.value;
        }
    }
}

// The scale of each field shows in the worked examples; here the rounding of
// the two counts.
TEST(ReadCircuitTest, CountsAreRoundedHalfToEven) {
    testing::FakeForm form;
    testing::TypeCircuit(form, testing::ExampleTexts(Example::Real));
    form.type("Text16", "1000.4");
    form.type("Text6", "2.5");
    const CircuitParameters p = ReadCircuit(form, kCircuitFields);
    EXPECT_EQ(p.NP, 2);
    EXPECT_EQ(p.N, 1000);
}

// The first field that cannot be read stops the reading with its subject; the
// two orders differ in where N, Vd and NP stand.
TEST(ReadCircuitTest, AFaultStopsAtTheFirstUnreadableFieldOfEitherOrder) {
    const struct {
        std::span<const FieldId, 12> order;
        std::vector<std::pair<const char*, const char*>> typed;
        const char* subject;
    } cases[] = {
        {kTimingReadOrder, {{"Text16", "1E10"}, {"Text5", "1E400"}}, "il numero di campioni N"},
        {kCircuitFields, {{"Text16", "1E10"}, {"Text5", "1E400"}}, "la tensione di soglia dei diodi Vd"},
        {kTimingReadOrder, {{"Text16", "1E10"}, {"Text6", "-3E9"}}, "il numero di campioni N"},
        {kCircuitFields, {{"Text16", "1E10"}, {"Text6", "-3E9"}}, "il numero di periodi visualizzati NP"},
        {kCircuitFields, {{"Text4", "1E400"}, {"Text5", "1E400"}}, "la tensione di soglia inferiore v-"},
    };
    for (const auto& c : cases) {
        testing::FakeForm form;
        testing::TypeCircuit(form, testing::ExampleTexts(Example::Real));
        for (const auto& [field, text] : c.typed) form.type(field, text);
        try {
            ReadCircuit(form, c.order);
            ADD_FAILURE() << c.subject << ": read without fault";
        } catch (const Fault& fault) {
            EXPECT_EQ(std::string(fault.what()).rfind(std::string("Impossibile leggere ") + c.subject + ". ", 0), 0u)
                << fault.what();
        }
    }
}

}  // namespace
}  // namespace ostrevo
