#include "bench_support.h"

#include <sys/resource.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "field_reading.h"

namespace ostrevo::bench {

const std::vector<std::pair<std::int64_t, std::int64_t>>& PlotSizeList() {
    static const std::vector<std::pair<std::int64_t, std::int64_t>> sizes{
        {5, 1'000}, {5, 100'000}, {100, 100'000}, {5, 1'000'000}, {100, 1'000'000}, {5, 10'000'000}, {5, 100'000'000}};
    return sizes;
}

void PlotSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"NP", "N"});
    for (const auto& [NP, N] : PlotSizeList()) benchmark->Args({NP, N});
}

void ResetPeakMemory() {
    // Linux: "5" resets the peak resident set size of the process.
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void ReportMemory(benchmark::State& state) { state.counters["peak_MiB"] = PeakMemoryMiB(); }

void TypeRealExample(testing::FakeForm& form, std::int64_t NP, std::int64_t N) {
    testing::CircuitTexts texts = testing::ExampleTexts(Example::Real);
    const std::string periods = std::to_string(NP);
    const std::string samples = std::to_string(N);
    texts.np = periods.c_str();
    texts.n = samples.c_str();
    testing::TypeCircuit(form, texts);
}

testing::SampledPeriod SampledRealExample(std::int64_t NP, std::int64_t N) {
    testing::FakeForm form;
    TypeRealExample(form, NP, N);
    return testing::SamplePeriod(ReadCircuit(form, kCircuitFields), false);
}

}  // namespace ostrevo::bench
