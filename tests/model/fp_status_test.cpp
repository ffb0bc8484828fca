// Built at the project's release optimisation: proves that the status tests
// see faults the optimiser would otherwise move past them or merge.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "fp_status.h"

namespace ostrevo {
namespace {

TEST(FpStatusTest, DetectsEachFaultKind) {
    const struct {
        double a;
        double b;
        int flag;
    } cases[] = {{1, 0, FE_DIVBYZERO}, {0, 0, FE_INVALID}, {DBL_MAX, 1e-10, FE_OVERFLOW}, {-1, 0, FE_DIVBYZERO}};
    for (const auto& c : cases) {
        const fp::Checked result = fp::Evaluate([](double x, double y) { return x / y; }, c.a, c.b);
        EXPECT_TRUE(result.faults & c.flag) << c.a << "/" << c.b;
    }
    EXPECT_TRUE(fp::Evaluate([](double x) { return x * 2; }, DBL_MAX).failed());
}

TEST(FpStatusTest, UnderflowAndInexactAreNoFault) {
    EXPECT_FALSE(fp::Evaluate([](double x, double y) { return x / y; }, 1e-300, 1e300).failed());
    EXPECT_FALSE(fp::Evaluate([](double x, double y) { return x / y; }, 1, 3).failed());
    EXPECT_FALSE(fp::Evaluate([](double x) { return std::exp(x); }, -1000.0).failed());
}

TEST(FpStatusTest, EachEvaluationReportsOnlyItsOwnFaults) {
    // The same division twice: the second must not be merged into the first,
    // and a clean evaluation after a faulty one reports nothing.
    EXPECT_TRUE(fp::Evaluate([](double x, double y) { return x / y; }, 1, 0).failed());
    EXPECT_TRUE(fp::Evaluate([](double x, double y) { return x / y; }, 1, 0).failed());
    EXPECT_FALSE(fp::Evaluate([](double x, double y) { return x / y; }, 1, 2).failed());
    EXPECT_EQ(fp::Evaluate([](double x, double y) { return x / y; }, 6, 3).value, 2);
}

TEST(FpStatusTest, LibraryCallsReportTheirFaults) {
    EXPECT_TRUE(fp::Evaluate([](double x) { return std::exp(x); }, 1000.0).faults & FE_OVERFLOW);
    EXPECT_TRUE(fp::Evaluate([](double x) { return std::log(x); }, 0.0).faults & FE_DIVBYZERO);
    EXPECT_TRUE(fp::Evaluate([](double x) { return std::log(x); }, -1.0).faults & FE_INVALID);
}

TEST(FpStatusTest, DescribesTheFaultInItalian) {
    EXPECT_EQ(fp::DescribeFaults(FE_DIVBYZERO), "divisione per zero");
    EXPECT_EQ(fp::DescribeFaults(FE_OVERFLOW | FE_INVALID), "il risultato supera il massimo numero rappresentabile");
    EXPECT_EQ(fp::DescribeFaults(FE_INVALID), "operazione non valida (0/0 o simile)");
}

}  // namespace
}  // namespace ostrevo
