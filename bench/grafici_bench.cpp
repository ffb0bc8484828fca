// The whole "Grafici" command with the real waveform window under the
// offscreen platform: entry check, reading, buffers, times, labels, sampling
// and drawing into Picture1.
#include <chrono>

#include "bench_support.h"
#include "waveform_window_host.h"

namespace ostrevo::bench {
namespace {

void BM_Grafici(benchmark::State& state) {
    ResetPeakMemory();
    ExampleForm form(state.range(0), state.range(1));
    FailingMessages messages;
    Module1 module(form, messages);
    WaveformWindowHost window;

    // The first plot also takes the buffers' memory from the system; the
    // timed ones repeat it as a user pressing "Grafici" again does.
    const auto start = std::chrono::steady_clock::now();
    module.Command2_Click(window);
    state.counters["first_plot_ms"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    for (auto _ : state) module.Command2_Click(window);
    ReportMemory(state, state.range(1));
}
BENCHMARK(BM_Grafici)->Apply(PlotSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevo::bench
