// Built at the project's release optimisation: proves that the fault checks
// see faults the optimiser would otherwise move past them or merge, and that
// they name each fault alike whatever the math library reports (the status
// flags, errno, or nothing: Windows' runtime raises no flag in exp or log).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "fp_status.h"

namespace ostrevo {
namespace {

constexpr const char* kNone = "";
constexpr const char* kDivision = "divisione per zero";
constexpr const char* kOverflow = "il risultato supera il massimo numero rappresentabile";
constexpr const char* kInvalid = "operazione non valida (0/0 o simile)";

std::string FaultOf(const fp::Checked& result) { return result.failed() ? fp::DescribeFaults(result.faults) : kNone; }

// The evaluations run in the order of the table: the same division twice in
// a row must not be merged, and a clean one after faulty ones reports nothing.
TEST(FpStatusTest, EachEvaluationReportsExactlyItsOwnFault) {
    const auto divide = [](double x, double y) { return x / y; };
    // The library's functions: their faults are seen whether they raise a flag,
    // set errno or only return the result.
    const auto exp = [](double x) { return std::exp(x); };
    const auto log = [](double x) { return std::log(x); };
    const auto scaledExp = [](double span, double x) { return span * std::exp(x); };
    const struct {
        const char* what;
        fp::Checked result;
        const char* fault;
    } cases[] = {
        {"1/0", fp::Evaluate(divide, 1.0, 0.0), kDivision},
        {"1/0 again", fp::Evaluate(divide, 1.0, 0.0), kDivision},
        {"-1/0", fp::Evaluate(divide, -1.0, 0.0), kDivision},
        {"0/0", fp::Evaluate(divide, 0.0, 0.0), kInvalid},
        {"overflowing quotient", fp::Evaluate(divide, DBL_MAX, 1e-10), kOverflow},
        {"overflowing product", fp::Evaluate([](double x) { return x * 2; }, DBL_MAX), kOverflow},
        {"exp overflow", fp::Evaluate(exp, 1000.0), kOverflow},
        {"exp overflow times zero", fp::Evaluate(scaledExp, 0.0, 1000.0), kOverflow},
        {"log -1", fp::Evaluate(log, -1.0), kInvalid},
        {"exp of infinity", fp::Evaluate(exp, HUGE_VAL), kNone},
        {"underflow", fp::Evaluate(divide, 1e-300, 1e300), kNone},
        {"exp underflow", fp::Evaluate(exp, -1000.0), kNone},
        {"inexact", fp::Evaluate(divide, 1.0, 3.0), kNone},
        {"6/3", fp::Evaluate(divide, 6.0, 3.0), kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(FaultOf(c.result), c.fault) << c.what;
    EXPECT_EQ(cases[std::size(cases) - 1].result.value, 2);
}

}  // namespace
}  // namespace ostrevo
