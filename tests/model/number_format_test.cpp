#include <gtest/gtest.h>

#include <cfloat>

#include "number_format.h"

namespace ostrevo {
namespace {

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        double rounded;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {1000.4, 1000}, {2.6, 3}, {-0.4, 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(FormatDefaultTest, TimeResultsRoundedToThreeDecimals) {
    const struct {
        double value;
        const char* point;
        const char* comma;
    } cases[] = {
        {3.2577917, "3.258", "3,258"},
        {15.2492379, "15.249", "15,249"},
        {1.2206589, "1.221", "1,221"},
        {5.7057813, "5.706", "5,706"},
        {0.0625, "0.062", "0,062"},  // halfway: to the even third decimal
        {0.1875, "0.188", "0,188"},
        {-0.0625, "-0.062", "-0,062"},
        {0.0004, "0", "0"},
        {-0.0004, "0", "0"},  // no "-0"
        {0, "0", "0"},
        {-3.2577917, "-3.258", "-3,258"},
        {1234567.5, "1234567.5", "1234567,5"},  // no grouping
        {1e15, "1E+15", "1E+15"},
        {-2.5e20, "-2.5E+20", "-2,5E+20"},
        {1e300, "1E+300", "1E+300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDefault(RoundToThreeDecimals(c.value), "."), c.point) << c.value;
        EXPECT_EQ(FormatDefault(RoundToThreeDecimals(c.value), ","), c.comma) << c.value;
    }
}

TEST(FormatDefaultTest, KeepsFifteenSignificantDigits) {
    EXPECT_EQ(FormatDefault(0.1 + 0.2, "."), "0.3");
    EXPECT_EQ(FormatDefault(123456789012.345, "."), "123456789012.345");
    EXPECT_EQ(FormatDefault(DBL_MAX, "."), "1.79769313486232E+308");
}

TEST(FormatScientificTest, PatternsOfTheWindows) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {14.42695, 3, "1.443E+01"},   {7.213475, 3, "7.213E+00"},  {1, 3, "1.000E+00"},
        {0.1442695, 3, "1.443E-01"},  {65.5798, 3, "6.558E+01"},   {30.8226, 3, "3.082E+01"},
        {2.2, 3, "2.200E+00"},        {-14.42695, 3, "-1.443E+01"}, {0, 3, "0.000E+00"},
        {46.2676, 2, "4.63E+01"},     {8.658, 2, "8.66E+00"},      {0.5, 2, "5.00E-01"},
        {-46.2676, 2, "-4.63E+01"},   {0, 2, "0.00E+00"},          {-0.0, 2, "0.00E+00"},
        {9.995, 2, "1.00E+01"},       {-9.9996, 3, "-1.000E+01"},  {99.95, 2, "1.00E+02"},
        {1.5e-200, 2, "1.50E-200"},   {1e100, 3, "1.000E+100"},    {DBL_MAX, 2, "1.80E+308"},
        {4.9e-324, 2, "4.94E-324"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatScientific(c.value, c.decimals, "."), c.text) << c.value;
}

TEST(FormatScientificTest, UsesTheGivenSeparator) {
    EXPECT_EQ(FormatScientific(46.2676, 2, ","), "4,63E+01");
    EXPECT_EQ(FormatScientific(-0.5, 2, ","), "-5,00E-01");
}

TEST(FormatFixedTest, ReadoutPatterns) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {3.2577, 3, "3.258"}, {0.5, 3, "0.500"},     {0.0004, 3, "0.000"},  {0.0005, 3, "0.001"},
        {0.9996, 3, "1.000"}, {123.456, 2, "123.46"}, {-7.891, 2, "-7.89"}, {-0.001, 2, "0.00"},
        {0, 2, "0.00"},       {12, 2, "12.00"},      {1e20, 2, "100000000000000000000.00"},
        {0.00004, 3, "0.000"}, {9.995, 2, "10.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, c.decimals, "."), c.text) << c.value;
    EXPECT_EQ(FormatFixed(3.2577, 3, ","), "3,258");
}

}  // namespace
}  // namespace ostrevo
