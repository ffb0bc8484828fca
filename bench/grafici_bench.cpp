// The whole "Grafici" command with the real waveform window under the
// offscreen platform: entry check, reading, buffers, times, labels, sampling
// and drawing into Picture1.
#include <chrono>

#include "bench_support.h"
#include "circuit_commands.h"
#include "waveform_window_host.h"

namespace ostrevo::bench {
namespace {

void BM_Grafici(benchmark::State& state) {
    ResetPeakMemory();
    testing::FakeForm form;
    TypeRealExample(form, state.range(0), state.range(1));
    testing::FakeMessages messages;
    CircuitCommands commands(form, messages, ".");
    WaveformWindowHost window;

    // The first plot also takes the buffers' memory from the system; the
    // timed ones repeat it as a user pressing "Grafici" again does.
    const auto start = std::chrono::steady_clock::now();
    commands.plotWaveforms(window);
    state.counters["first_plot_ms"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    for (auto _ : state) commands.plotWaveforms(window);
    if (!messages.shown.empty()) state.SkipWithError(messages.shown.front().c_str());
    ReportMemory(state, state.range(1));
}
BENCHMARK(BM_Grafici)->Apply(PlotSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevo::bench
