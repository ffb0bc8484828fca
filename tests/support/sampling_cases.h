#pragma once
// Periods whose sampling stops at a fault, or runs through, in every way the
// sampling can: shared by the tests of one pass and of the chunked sampling.
#include <cmath>
#include <cstdint>
#include <span>

#include "circuit.h"
#include "timing.h"

namespace ostrevo::testing {

// A period with its sampling's outcome: the sample where it stops, with the
// reason of its message.
struct SamplingCase {
    const char* name;
    CircuitParameters p;
    double ts = NAN;    // computed from p when not given
    double step = NAN;  // (tc + ts) / N when not given
    std::int64_t fault = -1;  // the sample where the sampling stops
    const char* reason = "";
    const char* trace = "vc(t)";
};

// The discharge time and the step the case samples with.
struct SamplingSteps {
    double ts;
    double step;
};
inline SamplingSteps StepsOf(const SamplingCase& c) {
    const double ts = std::isnan(c.ts) ? DischargeTime(c.p) : c.ts;
    return {ts, std::isnan(c.step) ? (ChargeTime(c.p) + ts) / c.p.N : c.step};
}

std::span<const SamplingCase> SamplingCases();

}  // namespace ostrevo::testing
