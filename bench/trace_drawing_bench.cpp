// Drawing the traces into Picture1's raster: the aggregated renderer timed,
// the per-segment reference timed once in the same run for the ratio.
#include <chrono>

#include "bench_support.h"
#include "fast_trace_renderer.h"
#include "trace_renderer.h"

namespace ostrevo::bench {
namespace {

// Beyond this many segments the reference, which computes both ends of
// every segment from the closed formula, would take about ten seconds or more
// on the suite's machine; it is then skipped and reported as 0.
constexpr double kReferenceSegmentLimit = 2.5e8;

using Clock = std::chrono::steady_clock;

double SecondsOf(void (*renderer)(PlotCanvas&, const TraceRequest&), PlotCanvas& canvas, const TraceRequest& request) {
    const auto start = Clock::now();
    renderer(canvas, request);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_DrawTraces(benchmark::State& state) {
    ResetPeakMemory();
    const testing::SampledPeriod period = SampledRealExample(state.range(0), state.range(1));
    const TraceRequest request = period.request();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kPictureWidth) * kPictureHeight);
    PlotCanvas canvas(pixels.data(), kPictureWidth, kPictureHeight, kPictureWidth);

    double aggregatedSeconds = 0;
    for (auto _ : state) aggregatedSeconds += SecondsOf(DrawTracesAggregated, canvas, request);
    aggregatedSeconds /= static_cast<double>(state.iterations());

    const double segments = static_cast<double>(request.NP) * (2.0 * request.N - 1);
    const double referenceSeconds =
        segments <= kReferenceSegmentLimit ? SecondsOf(DrawTracesPerSegment, canvas, request) : 0.0;
    state.counters["segments"] = segments;
    state.counters["reference_ms"] = referenceSeconds * 1e3;
    state.counters["speedup"] = referenceSeconds / aggregatedSeconds;
    ReportMemory(state);
}
BENCHMARK(BM_DrawTraces)->Apply(PlotSizes)->Unit(benchmark::kMillisecond);

// The drawing time must not grow with NP once the periods fill the width.
void NarrowPeriods(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"NP", "N"});
    for (const std::int64_t NP : {5, 100, 1'000, 10'000, 1'000'000}) benchmark->Args({NP, 100'000});
}

void BM_DrawTracesAggregatedOnly(benchmark::State& state) {
    const testing::SampledPeriod period = SampledRealExample(state.range(0), state.range(1));
    const TraceRequest request = period.request();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kPictureWidth) * kPictureHeight);
    PlotCanvas canvas(pixels.data(), kPictureWidth, kPictureHeight, kPictureWidth);
    for (auto _ : state) {
        DrawTracesAggregated(canvas, request);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_DrawTracesAggregatedOnly)->Apply(NarrowPeriods)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrevo::bench
