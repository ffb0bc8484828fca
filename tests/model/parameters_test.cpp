#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes.h"
#include "module1.h"

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

using ReadParametersTest = testing::ModuleTest;

// The scale of each field shows in the worked examples; here the rounding of
// the two counts.
TEST_F(ReadParametersTest, CountsAreRoundedHalfToEven) {
    testing::TypeCircuit(form, testing::kRealCircuit);
    form.type("Text16", "1000.4");
    form.type("Text6", "2.5");
    module.ReadParameters(ReadOrder::DrawWaveforms);
    EXPECT_EQ(module.Parameters.NP, 2);
    EXPECT_EQ(module.Parameters.N, 1000);
}

// A fault at one field leaves the fields before it stored and those after it
// unchanged; the two orders differ in where N, Vd and NP stand.
TEST_F(ReadParametersTest, AFaultStopsAtItsFieldInEitherOrder) {
    const struct {
        ReadOrder order;
        const char* field;
        const char* text;
        bool vdStored;
        bool npStored;
        bool nStored;
        const char* subject;
    } cases[] = {
        {ReadOrder::TimingCommand, "Text16", "1E10", false, false, false, "il numero di campioni N"},
        {ReadOrder::DrawWaveforms, "Text16", "1E10", true, true, false, "il numero di campioni N"},
        {ReadOrder::TimingCommand, "Text5", "1E400", false, false, true,
         "la tensione di soglia dei diodi Vd"},
        {ReadOrder::DrawWaveforms, "Text6", "-3E9", true, false, false, "il numero di periodi visualizzati NP"},
    };
    for (const auto& c : cases) {
        Module1 fresh{form, messages};
        testing::TypeCircuit(form, testing::kRealCircuit);
        form.type(c.field, c.text);
        try {
            fresh.ReadParameters(c.order);
            ADD_FAILURE() << c.field << " read without fault";
        } catch (const Fault& fault) {
            EXPECT_EQ(std::string(fault.what()).rfind(std::string("Impossibile leggere ") + c.subject + ". ", 0), 0u)
                << fault.what();
        }
        EXPECT_EQ(fresh.Parameters.VMinus, 5.33);
        EXPECT_EQ(fresh.Parameters.Vd, c.vdStored ? 0.6 : 0) << c.field;
        EXPECT_EQ(fresh.Parameters.NP, c.npStored ? 5 : 0) << c.field;
        EXPECT_EQ(fresh.Parameters.N, c.nStored ? 1000 : 0) << c.field;
    }
}

}  // namespace
}  // namespace ostrevo
