// Built at the project's release optimisation: proves that the status tests
// see faults the optimiser would otherwise move past them or merge.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "fp_status.h"

namespace ostrevo {
namespace {

// The evaluations run in the order of the table: the same division twice in
// a row must not be merged, and a clean one after faulty ones reports nothing.
TEST(FpStatusTest, EachEvaluationReportsExactlyItsOwnFaults) {
    const auto divide = [](double x, double y) { return x / y; };
    const auto exp = [](double x) { return std::exp(x); };
    const auto log = [](double x) { return std::log(x); };
    const struct {
        const char* what;
        fp::Checked result;
        int fault;  // 0: no fault at all
    } cases[] = {
        {"1/0", fp::Evaluate(divide, 1.0, 0.0), FE_DIVBYZERO},
        {"1/0 again", fp::Evaluate(divide, 1.0, 0.0), FE_DIVBYZERO},
        {"-1/0", fp::Evaluate(divide, -1.0, 0.0), FE_DIVBYZERO},
        {"0/0", fp::Evaluate(divide, 0.0, 0.0), FE_INVALID},
        {"overflowing quotient", fp::Evaluate(divide, DBL_MAX, 1e-10), FE_OVERFLOW},
        {"overflowing product", fp::Evaluate([](double x) { return x * 2; }, DBL_MAX), FE_OVERFLOW},
        {"exp overflow", fp::Evaluate(exp, 1000.0), FE_OVERFLOW},
        {"log 0", fp::Evaluate(log, 0.0), FE_DIVBYZERO},
        {"log -1", fp::Evaluate(log, -1.0), FE_INVALID},
        {"underflow", fp::Evaluate(divide, 1e-300, 1e300), 0},
        {"exp underflow", fp::Evaluate(exp, -1000.0), 0},
        {"inexact", fp::Evaluate(divide, 1.0, 3.0), 0},
        {"6/3", fp::Evaluate(divide, 6.0, 3.0), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result.failed(), c.fault != 0) << c.what;
        EXPECT_EQ(c.result.faults & c.fault, c.fault) << c.what;
    }
    EXPECT_EQ(cases[std::size(cases) - 1].result.value, 2);
}

}  // namespace
}  // namespace ostrevo
