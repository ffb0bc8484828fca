#pragma once
#include <cstdint>
#include <span>

#include "circuit.h"

namespace ostrevo {

// The sampling step (tc + ts) / N of one period. Stops when it cannot be computed.
double SampleStep(const Times& times, std::int32_t N);

// Samples k = 0..N of one period into vc and vo (at least N + 2 elements;
// nothing happens for N < 0): the capacitor discharges while ts / step >= k
// and charges after. Stops at the first sample that cannot be computed, with
// the samples before it stored, as a loop over k computing every sample in
// turn would; the result is that loop's to the last bit.
void SampleWaveforms(const CircuitParameters& p, double ts, double step, std::span<double> vc,
                     std::span<double> vo);

}  // namespace ostrevo
