#pragma once
#include <memory>
#include <string_view>
#include <vector>

#include "circuit.h"
#include "fakes.h"
#include "waveform_samples.h"

namespace ostrevo::testing {

// The texts of the twelve fields of the real circuit.
struct CircuitTexts {
    const char *vcc, *rc, *rs, *roh, *rol, *ci, *c, *vPlus, *vMinus, *vd, *np, *n;
};

CircuitTexts ExampleTexts(Example example);  // what an example button writes

void TypeCircuit(FakeForm& form, const CircuitTexts& texts);
// The twelve texts in the order of CircuitTexts, separated by blanks; "_" for an empty field.
void TypeCircuit(FakeForm& form, std::string_view texts);

// A period's samples held in buffers, k = 0..N + 1: samples of any shape.
struct BufferSamples : PeriodSamples {
    std::vector<double> vc, vo;

    double sample(Trace trace, std::int64_t k) const override { return (trace == Trace::Vc ? vc : vo).at(k); }
    SampleRange range(Trace trace, std::int64_t first, std::int64_t last) const override {
        SampleRange range = SampleRange::Of(sample(trace, first));
        for (std::int64_t k = first + 1; k <= last; ++k) range.include(sample(trace, k));
        return range;
    }
};

// One period of a circuit as "Grafici" samples it: its times, its step, its
// closed formula, and (when kept) samples 0..N + 1 of each trace as the
// sampling handed them over, the last one 0.
struct SampledPeriod {
    CircuitParameters p;
    Times times;
    double step = 0;
    std::shared_ptr<const WaveformSamples> waveform;
    std::vector<double> vc, vo;

    // The traces of NP periods of the circuit, with no stop.
    TraceRequest request() const { return {waveform, p.N, p.NP, p.VPlus, p.Vcc, std::nullopt}; }
};

SampledPeriod SamplePeriod(const CircuitParameters& p, bool keepSamples = true);

}  // namespace ostrevo::testing
