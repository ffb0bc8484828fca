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
        {15.2492379, "15.249", "15,249"},
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

TEST(FormatScientificAndFixedTest, PatternsOfTheWindowsAndReadout) {
    const struct {
        double value;
        int decimals;
        const char* scientific;
        const char* fixed;
    } cases[] = {
        {14.42695, 3, "1.443E+01", "14.427"},  {0.1442695, 3, "1.443E-01", "0.144"},
        {-14.42695, 3, "-1.443E+01", "-14.427"}, {0, 3, "0.000E+00", "0.000"},
        {46.2676, 2, "4.63E+01", "46.27"},     {0.5, 2, "5.00E-01", "0.50"},
        {-0.0, 2, "0.00E+00", "0.00"},         {-0.001, 2, "-1.00E-03", "0.00"},
        {9.995, 2, "1.00E+01", "10.00"},       {-9.9996, 3, "-1.000E+01", "-10.000"},
        {0.0005, 3, "5.000E-04", "0.001"},     {0.00004, 3, "4.000E-05", "0.000"},
        {1.5e-200, 2, "1.50E-200", "0.00"},    {1e20, 2, "1.00E+20", "100000000000000000000.00"},
        {DBL_MAX, 2, "1.80E+308", nullptr},    {4.9e-324, 2, "4.94E-324", "0.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatScientific(c.value, c.decimals, "."), c.scientific) << c.value;
        if (c.fixed != nullptr) {
            EXPECT_EQ(FormatFixed(c.value, c.decimals, "."), c.fixed) << c.value;
        }
    }
    EXPECT_EQ(FormatScientific(-0.5, 2, ","), "-5,00E-01");
    EXPECT_EQ(FormatFixed(3.2577, 3, ","), "3,258");
}

}  // namespace
}  // namespace ostrevo
