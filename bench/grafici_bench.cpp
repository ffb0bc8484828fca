// The whole "Grafici" command: entry check, reading, buffers, times, labels,
// sampling and drawing, into a raster the size of Picture1.
#include "bench_support.h"
#include "fast_trace_renderer.h"

namespace ostrevo::bench {
namespace {

void BM_Grafici(benchmark::State& state) {
    ResetPeakMemory();
    ExampleForm form(state.range(0), state.range(1));
    FailingMessages messages;
    Module1 module(form, messages);
    RasterPlotWindow window(DrawTracesAggregated);
    for (auto _ : state) module.Command2_Click(window);
    ReportMemory(state, state.range(1));
}
BENCHMARK(BM_Grafici)->Apply(PlotSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevo::bench
