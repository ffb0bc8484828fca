// The aggregated trace renderer must put exactly the pixels of the
// per-segment reference on the canvas, whatever the shape of the plot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "circuit_examples.h"
#include "fast_trace_renderer.h"
#include "trace_renderer.h"

namespace ostrevo {
namespace {

constexpr std::uint32_t kBackground = 0xFFFFFFE1;  // light yellow

// Inner area of Picture1 at device pixel ratios 1 and 2.
struct CanvasSize { int width, height; };
constexpr CanvasSize kRatio1{921, 633};
constexpr CanvasSize kRatio2{1842, 1266};

//                                       Vcc  Rc  Rs   RoH    RoL    Ci     C  v+   v-    Vd   NP N
constexpr CircuitParameters kIdealExample{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 1, 1};
constexpr CircuitParameters kRealExample{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 1, 1};
// Thresholds swapped: negative times, a capacitor curve that leaves the plot.
constexpr CircuitParameters kSwappedThresholds{12, 22, 4.7, 0, 0, 0, 1, 4, 8, 0, 1, 1};

// One period of samples with their full scales, NP left 1.
struct Waveforms {
    CircuitParameters p;
    std::shared_ptr<const PeriodSamples> samples;
};

// The circuit's samples as "Grafici" draws them: from the closed formula.
Waveforms circuitWaveforms(CircuitParameters parameters, std::int32_t N) {
    parameters.N = N;
    return {parameters, testing::SamplePeriod(parameters, false).waveform};
}

// Samples from a rule, sample N + 1 0 as the circuit's.
Waveforms syntheticWaveforms(std::int32_t N, double VPlus, double Vcc, const std::function<double(std::int32_t)>& vc,
                             const std::function<double(std::int32_t)>& vo) {
    auto samples = std::make_shared<testing::BufferSamples>();
    for (std::int32_t k = 0; k <= N; ++k) {
        samples->vc.push_back(vc(k));
        samples->vo.push_back(vo(k));
    }
    samples->vc.push_back(0), samples->vo.push_back(0);
    return {{.Vcc = Vcc, .VPlus = VPlus, .NP = 1, .N = N}, samples};
}

// Jumps over nearly the whole height about 200 times a period (at every
// sample when N is small) and wanders irregularly in between.
double steep(std::int32_t k, std::int32_t N) {
    const std::int32_t stride = std::max(1, N / 200);
    return ((k / stride) % 2 == 0 ? -1.0 : 0.9) + std::fmod(k * 7919.0, 101.0) / 10000.0;
}

enum class Shape { Ideal, Real, Swapped, Steep, Flat, Overlapping };
const std::string kShapeNames[] = {"Ideal", "Real", "Swapped", "Steep", "Flat", "Overlapping"};

Waveforms waveformsOf(Shape shape, std::int32_t N) {
    switch (shape) {
        case Shape::Ideal: return circuitWaveforms(kIdealExample, N);
        case Shape::Real: return circuitWaveforms(kRealExample, N);
        case Shape::Swapped: return circuitWaveforms(kSwappedThresholds, N);
        // Spans beyond both edges; v+ below zero turns the capacitor half upside down.
        case Shape::Steep:
            return syntheticWaveforms(N, -1.0, 1.0, [N](std::int32_t k) { return steep(k, N); },
                                      [N](std::int32_t k) { return 1.5 * steep(k + 1, N); });
        case Shape::Flat: return syntheticWaveforms(N, 8, 12, [](std::int32_t) { return 6.0; }, [](std::int32_t) { return 12.0; });
        // Red and blue cross each other, so the drawing order shows in the colours.
        case Shape::Overlapping:
            return syntheticWaveforms(N, 8, 12, [N](std::int32_t k) { return -8.0 + 16.0 * k / N; },
                                      [N](std::int32_t k) { return 24.0 - 24.0 * k / N; });
    }
    return {};
}

TraceRequest requestFor(const Waveforms& w, std::int32_t NP, std::optional<TraceStop> stop = {}) {
    return TraceRequest{w.samples, w.p.N, NP, w.p.VPlus, w.p.Vcc, stop};
}

std::vector<std::uint32_t> render(void (*renderer)(PlotCanvas&, const TraceRequest&), const TraceRequest& request,
                                  CanvasSize size) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height);
    PlotCanvas canvas(pixels.data(), size.width, size.height, size.width);
    canvas.fill(kBackground);
    renderer(canvas, request);
    return pixels;
}

void expectIdentical(const TraceRequest& request, CanvasSize size) {
    const auto reference = render(DrawTracesPerSegment, request, size);
    const auto aggregated = render(DrawTracesAggregated, request, size);
    EXPECT_EQ(std::inner_product(reference.begin(), reference.end(), aggregated.begin(), std::int64_t{0},
                                 std::plus<>(), std::not_equal_to<>()),
              0)
        << "pixels differ";
}

// N: one to three samples, fewer and more samples than pixel columns; NP up
// to periods a few pixels wide; Picture1 at both pixel ratios and tiny canvases.
TEST(AggregatedRenderer, MatchesReferenceForEveryShapeAndSize) {
    for (const Shape shape :
         {Shape::Ideal, Shape::Real, Shape::Swapped, Shape::Steep, Shape::Flat, Shape::Overlapping}) {
        for (const std::int32_t N : {1, 2, 3, 10, 999, 4000}) {
            const Waveforms w = waveformsOf(shape, N);
            for (const std::int32_t NP : {1, 5, 37, 400}) {
                if (N * NP > 400'000) continue;  // the reference's time grows with N x NP
                SCOPED_TRACE(kShapeNames[static_cast<int>(shape)] + " N " + std::to_string(N) + " NP " + std::to_string(NP));
                for (const CanvasSize size : {kRatio1, kRatio2, CanvasSize{1, 1}, CanvasSize{7, 5}}) {
                    expectIdentical(requestFor(w, NP), size);
                }
            }
        }
    }
}

TEST(AggregatedRenderer, StopsLikeReferenceInEitherTrace) {
    const struct {
        std::int32_t N, NP;
        TraceStop stop;
    } cases[] = {{1000, 5, {Trace::Vc, 1}}, {4000, 5, {Trace::Vc, 2345}}, {999, 37, {Trace::Vc, 998}},
                 {1000, 5, {Trace::Vo, 1}}, {4000, 37, {Trace::Vo, 777}}, {10, 5, {Trace::Vo, 10}}};
    for (const auto& c : cases) {
        SCOPED_TRACE("segment " + std::to_string(c.stop.segment));
        expectIdentical(requestFor(waveformsOf(Shape::Real, c.N), c.NP, c.stop), kRatio1);
    }
}

// Far more periods than pixel columns: most periods lie inside one column.
TEST(AggregatedRenderer, MatchesReferenceWithPeriodsNarrowerThanAPixel) {
    for (const Shape shape : {Shape::Overlapping, Shape::Steep}) {
        for (const std::int32_t N : {1, 2, 3}) expectIdentical(requestFor(waveformsOf(shape, N), 200'000), kRatio1);
    }
}

TEST(AggregatedRenderer, MatchesReferenceOnSamplesThatAreNotFinite) {
    for (const double odd : {std::numeric_limits<double>::infinity(), std::nan("")}) {
        const Waveforms real = waveformsOf(Shape::Real, 999);
        auto samples = std::make_shared<testing::BufferSamples>();
        samples->vc = testing::SamplesOf(requestFor(real, 1), Trace::Vc);
        samples->vo = testing::SamplesOf(requestFor(real, 1), Trace::Vo);
        samples->vc[600] = -odd;
        samples->vo[30] = odd;
        expectIdentical(requestFor({real.p, samples}, 5), kRatio1);
    }
}

TEST(AggregatedRenderer, DrawsNothingWithoutPeriodsOrSamples) {
    const Waveforms w = waveformsOf(Shape::Ideal, 10);
    for (const auto& [N, NP] : {std::pair{10, 0}, std::pair{10, -3}, std::pair{0, 5}, std::pair{-1, 5}}) {
        const auto pixels = render(DrawTracesAggregated, {w.samples, N, NP, 8, 12, std::nullopt}, CanvasSize{7, 5});
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kBackground), 35);
    }
}

// Guards the comparisons above against a setup that draws nothing at all.
TEST(AggregatedRenderer, ComparedPlotsDoDrawTraces) {
    const Waveforms w = waveformsOf(Shape::Ideal, 999);
    const auto pixels = render(DrawTracesPerSegment, requestFor(w, 5), kRatio1);
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](auto p) { return p != kBackground; }), 2 * 921);
}

}  // namespace
}  // namespace ostrevo
