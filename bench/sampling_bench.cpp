// SampleWaveforms alone: one period of N samples of both traces, in one pass.
#include "bench_support.h"
#include "waveform_sampling.h"

namespace ostrevo::bench {
namespace {

void BM_SampleWaveforms(benchmark::State& state) {
    ResetPeakMemory();
    const testing::SampledPeriod period = SampledRealExample(5, state.range(0));
    double last = 0;
    for (auto _ : state) {
        SampleWaveforms(period.waveform->waveform(), [&](const SampleBlock& block) { last = block.vo.back(); });
        benchmark::DoNotOptimize(last);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ReportMemory(state);
}
BENCHMARK(BM_SampleWaveforms)->ArgName("N")->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Arg(100'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevo::bench
