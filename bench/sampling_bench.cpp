// SampleWaveforms alone: one period of N samples of both traces.
#include "bench_support.h"
#include "waveform_sampling.h"

namespace ostrevo::bench {
namespace {

void BM_SampleWaveforms(benchmark::State& state) {
    ResetPeakMemory();
    testing::SampledPeriod period = SampledRealExample(5, state.range(0));
    for (auto _ : state) {
        SampleWaveforms(period.p, period.times.ts, period.step, period.vc, period.vo);
        benchmark::DoNotOptimize(period.vo.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ReportMemory(state, state.range(0));
}
BENCHMARK(BM_SampleWaveforms)->ArgName("N")->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Arg(100'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevo::bench
