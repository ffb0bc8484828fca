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

std::string_view FaultOf(const fp::Checked& result) { return result.failed() ? fp::DescribeFaults(result.faults) : kNone; }

// The evaluations run in the order of the table: the same division twice in
// a row must not be merged, and a clean one after faulty ones reports nothing.
TEST(FpStatusTest, EachEvaluationReportsExactlyItsOwnFault) {
    const auto divide = [](auto x, auto y) { return x / y; };
    // The library's functions: their faults are seen whether they raise a flag,
    // set errno or only return the result.
    const auto exp = [](auto x) { return fp::Exp(x); };
    const auto log = [](auto x) { return fp::Log(x); };
    const auto scaledExp = [](auto span, auto x) { return span * fp::Exp(x); };
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
        {"overflowing product", fp::Evaluate([](auto x) { return x * 2; }, DBL_MAX), kOverflow},
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

// The hardware flags, mapped to the program's own bits, where the build reads
// them; nothing at all in a build without them, as on WebAssembly.
TEST(FpStatusTest, HardwareFlagsOnlyWhereTheBuildReadsThem) {
    const struct {
        double x, y;
        int flag;
    } cases[] = {{1, 0, fp::kDivisionByZero}, {0, 0, fp::kInvalid}, {DBL_MAX, 0.5, fp::kOverflow}, {1, 2, 0}};
    for (const auto& c : cases) {
        double x = c.x, y = c.y;
        fp::ClearFlags();
        fp::Pin(x), fp::Pin(y);
        double quotient = x / y;
        fp::Pin(quotient);
#ifdef OSTREVO_WITHOUT_FP_FLAGS
        EXPECT_EQ(fp::RaisedFlags(), 0) << c.x << " / " << c.y;
#else
        EXPECT_EQ(fp::RaisedFlags(), c.flag) << c.x << " / " << c.y;
#endif
    }
}

}  // namespace
}  // namespace ostrevo
