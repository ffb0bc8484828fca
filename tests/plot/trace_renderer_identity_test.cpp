// The aggregated trace renderer must put exactly the pixels of the
// per-segment reference on the canvas, whatever the shape of the plot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "circuit_examples.h"
#include "fast_trace_renderer.h"
#include "plot_canvas.h"
#include "trace_renderer.h"

namespace ostrevo {
namespace {

constexpr std::uint32_t kBackground = 0xFFFFFFE1;  // light yellow

// Inner area of Picture1 at device pixel ratios 1 and 2.
struct CanvasSize {
    int width;
    int height;
};
constexpr CanvasSize kRatio1{921, 633};
constexpr CanvasSize kRatio2{1842, 1266};

// Sampled period of a plot and the full scales of its two halves.
struct Waveforms {
    std::vector<double> vc;
    std::vector<double> vo;
    double VPlus = 0;
    double Vcc = 0;
};

//                                       Vcc  Rc  Rs   RoH    RoL    Ci     C  v+   v-    Vd   NP N
constexpr CircuitParameters kIdealExample{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 1, 1};
constexpr CircuitParameters kRealExample{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 1, 1};
// Thresholds swapped: negative times, a capacitor curve that leaves the plot.
constexpr CircuitParameters kSwappedThresholds{12, 22, 4.7, 0, 0, 0, 1, 4, 8, 0, 1, 1};

// One period of the circuit's steady state as the plot samples it.
Waveforms circuitWaveforms(CircuitParameters parameters, std::int32_t N) {
    parameters.N = N;
    testing::SampledPeriod period = testing::SamplePeriod(parameters);
    return {std::move(period.vc), std::move(period.vo), parameters.VPlus, parameters.Vcc};
}

// Samples from a rule, element N + 1 left 0 as the plot allocates it.
Waveforms syntheticWaveforms(std::int32_t N, double VPlus, double Vcc, const std::function<double(std::int32_t)>& vc,
                             const std::function<double(std::int32_t)>& vo) {
    Waveforms w{std::vector<double>(N + 2), std::vector<double>(N + 2), VPlus, Vcc};
    for (std::int32_t k = 0; k <= N; ++k) {
        w.vc[k] = vc(k);
        w.vo[k] = vo(k);
    }
    return w;
}

// Jumps over nearly the whole height about 200 times a period (at every
// sample when N is small) and wanders irregularly in between.
double steep(std::int32_t k, std::int32_t N) {
    const std::int32_t stride = std::max(1, N / 200);
    return ((k / stride) % 2 == 0 ? -1.0 : 0.9) + std::fmod(k * 7919.0, 101.0) / 10000.0;
}

enum class Shape { Ideal, Real, Swapped, Steep, Flat, Overlapping };
constexpr const char* kShapeNames[] = {"Ideal", "Real", "Swapped", "Steep", "Flat", "Overlapping"};

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

TraceRequest requestFor(const Waveforms& w, std::int32_t N, std::int32_t NP, std::optional<TraceStop> stop = {}) {
    return TraceRequest{w.vc, w.vo, N, NP, w.VPlus, w.Vcc, stop};
}

using Renderer = void (*)(PlotCanvas&, const TraceRequest&);

std::vector<std::uint32_t> render(Renderer renderer, const TraceRequest& request, CanvasSize size) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height);
    PlotCanvas canvas(pixels.data(), size.width, size.height, size.width);
    canvas.fill(kBackground);
    renderer(canvas, request);
    return pixels;
}

void expectIdentical(const TraceRequest& request, CanvasSize size) {
    const auto reference = render(DrawTracesPerSegment, request, size);
    const auto aggregated = render(DrawTracesAggregated, request, size);
    const auto [first, _] = std::mismatch(reference.begin(), reference.end(), aggregated.begin());
    if (first == reference.end()) return;
    const auto at = first - reference.begin();
    const auto count = std::inner_product(reference.begin(), reference.end(), aggregated.begin(), std::int64_t{0},
                                          std::plus<>(), std::not_equal_to<>());
    ADD_FAILURE() << count << " pixels differ, the first at x " << at % size.width << ", y " << at / size.width;
}

std::int64_t tracePixels(const TraceRequest& request, CanvasSize size) {
    const auto pixels = render(DrawTracesPerSegment, request, size);
    return static_cast<std::int64_t>(std::count_if(pixels.begin(), pixels.end(), [](auto p) { return p != kBackground; }));
}

using ShapeParam = std::tuple<Shape, std::int32_t, std::int32_t, bool>;  // shape, N, NP, ratio 2

std::string shapeCaseName(const ::testing::TestParamInfo<ShapeParam>& info) {
    const auto [shape, N, NP, ratio2] = info.param;
    return std::string(kShapeNames[static_cast<int>(shape)]) + "_N" + std::to_string(N) + "_NP" + std::to_string(NP) + (ratio2 ? "_ratio2" : "_ratio1");
}

class AggregatedMatchesReference : public ::testing::TestWithParam<ShapeParam> {};

TEST_P(AggregatedMatchesReference, PixelForPixel) {
    const auto [shape, N, NP, ratio2] = GetParam();
    const Waveforms w = waveformsOf(shape, N);
    expectIdentical(requestFor(w, N, NP), ratio2 ? kRatio2 : kRatio1);
}

INSTANTIATE_TEST_SUITE_P(Shapes, AggregatedMatchesReference,
                         ::testing::Combine(::testing::Values(Shape::Ideal, Shape::Real, Shape::Swapped, Shape::Steep,
                                                              Shape::Flat, Shape::Overlapping),
                                            ::testing::Values(1, 2, 3, 10, 999, 100000),
                                            ::testing::Values(1, 5, 37, 400), ::testing::Bool()),
                         shapeCaseName);

struct StopCase {
    std::string name;
    std::int32_t N;
    std::int32_t NP;
    TraceStop stop;
};

class AggregatedStopsLikeReference : public ::testing::TestWithParam<StopCase> {};

TEST_P(AggregatedStopsLikeReference, PixelForPixel) {
    const StopCase& c = GetParam();
    const Waveforms w = waveformsOf(Shape::Real, c.N);
    expectIdentical(requestFor(w, c.N, c.NP, c.stop), kRatio1);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, AggregatedStopsLikeReference,
    ::testing::Values(StopCase{"VcAtFirstSegment", 1000, 5, {Trace::Vc, 1}},
                      StopCase{"VcMidway", 100000, 5, {Trace::Vc, 54321}},
                      StopCase{"VcAtLastSegment", 999, 37, {Trace::Vc, 998}},
                      StopCase{"VoAtFirstSegment", 1000, 5, {Trace::Vo, 1}},
                      StopCase{"VoMidway", 100000, 400, {Trace::Vo, 777}},
                      StopCase{"VoAtLastSegment", 10, 5, {Trace::Vo, 10}}),
    [](const auto& info) { return info.param.name; });

// Far more periods than pixel columns: most periods lie inside one column.
TEST(AggregatedRenderer, MatchesReferenceWithPeriodsNarrowerThanAPixel) {
    for (const std::int32_t N : {1, 2, 3}) {
        const Waveforms w = waveformsOf(Shape::Overlapping, N);
        expectIdentical(requestFor(w, N, 1'000'000), kRatio1);
    }
}

TEST(AggregatedRenderer, MatchesReferenceOnTinyCanvases) {
    for (const CanvasSize size : {CanvasSize{1, 1}, CanvasSize{2, 3}, CanvasSize{7, 5}}) {
        for (const Shape shape : {Shape::Real, Shape::Steep}) {
            const Waveforms w = waveformsOf(shape, 999);
            expectIdentical(requestFor(w, 999, 37), size);
        }
    }
}

TEST(AggregatedRenderer, MatchesReferenceOnSamplesThatAreNotFinite) {
    for (const double odd : {std::numeric_limits<double>::infinity(), std::nan("")}) {
        Waveforms w = waveformsOf(Shape::Real, 999);
        w.vc[600] = -odd;
        w.vo[30] = odd;
        expectIdentical(requestFor(w, 999, 5), kRatio1);
    }
}

TEST(AggregatedRenderer, DrawsNothingWithoutPeriodsOrSamples) {
    const Waveforms w = waveformsOf(Shape::Ideal, 10);
    for (const auto& [N, NP] : {std::pair{10, 0}, std::pair{10, -3}, std::pair{0, 5}, std::pair{-1, 5}}) {
        const TraceRequest request = requestFor(w, N, NP);
        EXPECT_EQ(render(DrawTracesAggregated, request, kRatio1), render(DrawTracesPerSegment, request, kRatio1));
    }
}

// A sample out of all scale lands 2^40 pixels away; the segment to it crosses
// the canvas on its exact line, where halves round upwards.
TEST(PlotCanvasTest, ASegmentFromFarAwayCrossesOnItsExactLine) {
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    const struct {
        DevicePixel from, to;
        int (*row)(int column);
    } cases[] = {
        {{-kFar, -kFar / 2}, {200, 100}, [](int x) { return (x + 1) / 2; }},  // y = x / 2
        {{-kFar, kFar / 2 + 100}, {200, 0}, [](int x) { return 100 - x / 2; }},  // y = 100 - x / 2
    };
    for (const auto& c : cases) {
        std::vector<std::uint32_t> pixels(201 * 128, 0);
        PlotCanvas canvas(pixels.data(), 201, 128, 201);
        canvas.drawSegment(c.from, c.to, 1);
        for (int x = 0; x <= 200; ++x) EXPECT_EQ(canvas.pixel(x, c.row(x)), 1U) << "column " << x;
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 1U), 201);
    }
}

// Guards the comparisons above against a setup that draws nothing at all.
TEST(AggregatedRenderer, ComparedPlotsDoDrawTraces) {
    const Waveforms w = waveformsOf(Shape::Ideal, 999);
    EXPECT_GT(tracePixels(requestFor(w, 999, 5), kRatio1), 2 * 921);
}

}  // namespace
}  // namespace ostrevo
