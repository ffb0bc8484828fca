#pragma once
#include <string_view>
#include <vector>

#include "circuit.h"
#include "fakes.h"

namespace ostrevo::testing {

// The texts of the twelve fields of the real circuit.
struct CircuitTexts {
    const char *vcc, *rc, *rs, *roh, *rol, *ci, *c, *vPlus, *vMinus, *vd, *np, *n;
};

CircuitTexts ExampleTexts(Example example);  // what an example button writes

void TypeCircuit(FakeForm& form, const CircuitTexts& texts);
// The twelve texts in the order of CircuitTexts, separated by blanks; "_" for an empty field.
void TypeCircuit(FakeForm& form, std::string_view texts);

// One period of a circuit as "Grafici" samples it: its times, its step and
// N + 2 samples of each trace, the last one left 0.
struct SampledPeriod {
    CircuitParameters p;
    Times times;
    double step = 0;
    std::vector<double> vc, vo;

    // The traces of NP periods of these samples, with no stop.
    TraceRequest request() const { return {vc, vo, p.N, p.NP, p.VPlus, p.Vcc, std::nullopt}; }
};

SampledPeriod SamplePeriod(const CircuitParameters& p);

}  // namespace ostrevo::testing
