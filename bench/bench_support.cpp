#include "bench_support.h"

#include <sys/resource.h>

#include <fstream>
#include <stdexcept>

namespace ostrevo::bench {

void PlotSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"NP", "N"});
    for (const auto& [NP, N] : std::vector<std::pair<std::int64_t, std::int64_t>>{
             {5, 1'000}, {5, 100'000}, {100, 100'000}, {5, 1'000'000}, {100, 1'000'000}, {5, 10'000'000},
             {5, 100'000'000}}) {
        benchmark->Args({NP, N});
    }
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

double SampleBuffersMiB(std::int64_t N) { return 2.0 * static_cast<double>(N + 2) * sizeof(double) / (1024.0 * 1024.0); }

void ReportMemory(benchmark::State& state, std::int64_t N) {
    state.counters["peak_MiB"] = PeakMemoryMiB();
    state.counters["buffers_MiB"] = SampleBuffersMiB(N);
}

ExampleForm::ExampleForm(std::int64_t NP, std::int64_t N)
    : fields_{{"Text1", "12"},  {"Text2", "22"},  {"Text9", "4.7"}, {"Text10", "195"},
              {"Text11", "75"}, {"Text12", "5"},  {"Text8", "1"},   {"Text3", "6.7"},
              {"Text4", "5.33"}, {"Text5", "0.6"}, {"Text6", std::to_string(NP)}, {"Text16", std::to_string(N)}} {}

std::u16string ExampleForm::text(std::string_view control) const {
    const auto field = fields_.find(control);
    if (field == fields_.end()) return {};
    return std::u16string(field->second.begin(), field->second.end());  // ASCII digits only
}

void ExampleForm::setText(std::string_view control, const std::string& utf8) { fields_[std::string(control)] = utf8; }

void FailingMessages::show(const std::string& utf8Message) { throw std::runtime_error(utf8Message); }

SampledExample::SampledExample(std::int64_t NP, std::int64_t N) : form(NP, N), module(form, messages) {
    module.ReadParameters(ReadOrder::DrawWaveforms);
    module.VcSamples.assign(static_cast<std::size_t>(N) + 2, 0.0);
    module.VoSamples.assign(static_cast<std::size_t>(N) + 2, 0.0);
    module.ComputeDischargeTime();
    module.ComputeChargeTime();
    module.SampleStep = (module.tc + module.ts) / static_cast<double>(N);
    module.SampleWaveforms();
}

TraceRequest SampledExample::request() const {
    const CircuitParameters& p = module.Parameters;
    return TraceRequest{module.VcSamples, module.VoSamples, p.N, p.NP, p.VPlus, p.Vcc, {}};
}

}  // namespace ostrevo::bench
