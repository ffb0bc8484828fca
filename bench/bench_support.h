#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "circuit_examples.h"
#include "fakes.h"

namespace ostrevo::bench {

// Inner area of Picture1 in device pixels at a device pixel ratio of 1.
inline constexpr int kPictureWidth = 921;
inline constexpr int kPictureHeight = 633;

// The plot sizes of the suite: (NP, N) pairs, and as argument pairs.
const std::vector<std::pair<std::int64_t, std::int64_t>>& PlotSizeList();
void PlotSizes(benchmark::internal::Benchmark* benchmark);

// Peak resident memory of the process (getrusage ru_maxrss), in MiB. Each
// benchmark resets the peak (Linux) before it starts, so it reports its own.
void ResetPeakMemory();
double PeakMemoryMiB();
void ReportMemory(benchmark::State& state);

// The main window's fields holding the real example, NP and N as given.
void TypeRealExample(testing::FakeForm& form, std::int64_t NP, std::int64_t N);

// One period of the real example with NP periods of N samples, sampled
// (its samples not kept).
testing::SampledPeriod SampledRealExample(std::int64_t NP, std::int64_t N);

}  // namespace ostrevo::bench
