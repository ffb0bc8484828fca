#include "fast_trace_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plot_mapping.h"
#include "trace_renderer.h"
#include "vector_state.h"

namespace ostrevo {
namespace {

// Narrows inside < beyond, where valueAt(inside) == value and valueAt(beyond)
// differs (or beyond is past the end), down to the last index with `value`.
template <typename ValueAt>
std::int64_t bisectLast(std::int64_t inside, std::int64_t beyond, std::int64_t value, ValueAt valueAt) {
    while (beyond - inside > 1) {
        const std::int64_t middle = inside + (beyond - inside) / 2;
        (valueAt(middle) == value ? inside : beyond) = middle;
    }
    return inside;
}

// The last index in [first, last] where the non-decreasing function valueAt
// still gives `value`, the value it gives at `first`. Gallops, then bisects:
// a few calls for a short stretch, a few dozen for a long one.
template <typename ValueAt>
std::int64_t lastWithValue(std::int64_t first, std::int64_t last, std::int64_t value, ValueAt valueAt) {
    std::int64_t inside = first;
    for (std::int64_t step = 1; inside + step <= last; step *= 2) {
        if (valueAt(inside + step) != value) return bisectLast(inside, inside + step, value, valueAt);
        inside += step;
    }
    return bisectLast(inside, last + 1, value, valueAt);
}

// The same, starting from a guess of the answer within [first, last]: a few
// calls when the guess is close, whichever side of the answer it falls on.
template <typename ValueAt>
std::int64_t lastWithValueNear(std::int64_t first, std::int64_t last, std::int64_t value, std::int64_t guess,
                               ValueAt valueAt) {
    if (valueAt(guess) == value) return lastWithValue(guess, last, value, valueAt);
    std::int64_t beyond = guess;
    for (std::int64_t step = 1; beyond - step > first; step *= 2) {
        if (valueAt(beyond - step) == value) return bisectLast(beyond - step, beyond, value, valueAt);
        beyond -= step;
    }
    return bisectLast(first, beyond, value, valueAt);
}

// Where the samples land on the canvas, by the same arithmetic as the
// reference renderer.
class PlotGeometry {
public:
    PlotGeometry(const PlotCanvas& canvas, std::int32_t NP, std::int32_t N) : canvas_(canvas), NP_(NP), N_(N) {}

    std::int32_t periods() const { return NP_; }
    std::int32_t samplesPerPeriod() const { return N_; }

    // About the last sample of period p, within first..last, that still falls
    // in `column`: the mapping solved for k. Single-precision x makes it a few
    // samples off, which the search starting from it corrects.
    std::int64_t lastSampleGuess(std::int64_t p, std::int64_t column, std::int64_t first, std::int64_t last) const {
        const double nextColumnX = canvas_.toUserX(static_cast<double>(column) + 0.5);
        const double k = std::floor(SampleAtX(nextColumnX, p, NP_, N_));
        if (!(k > static_cast<double>(first))) return first;  // also when k is not a number
        if (!(k < static_cast<double>(last))) return last;
        return static_cast<std::int64_t>(k);
    }

    // Non-decreasing in p and in k.
    std::int64_t column(std::int64_t p, std::int64_t k) const {
        return canvas_.toDeviceX(static_cast<float>(
            PlotX(static_cast<std::int32_t>(p), static_cast<std::int32_t>(k), NP_, N_)));
    }

private:
    const PlotCanvas& canvas_;
    std::int32_t NP_;
    std::int32_t N_;
};

// One trace: its samples and how a sample becomes a row.
struct DrawnTrace {
    const PeriodSamples& samples;
    Trace which;
    double (*toY)(double sample, double fullScale);
    double fullScale;
    std::uint32_t colour;

    // Monotone in the sample: the mapping to y and to the row only multiply,
    // divide, add, round and clamp.
    std::int64_t row(const PlotCanvas& canvas, double sample) const {
        return canvas.toDeviceY(static_cast<float>(toY(sample, fullScale)));
    }
};

// Segments 1..lastSegment of one trace of period p. Per column only the
// vertical extent of the samples in it is drawn, plus the one segment that
// steps into the column from the previous one.
void drawTraceOfPeriod(PlotCanvas& canvas, const PlotGeometry& plot, const DrawnTrace& trace, std::int64_t p,
                       std::int64_t lastSegment) {
    const std::int64_t lastSample = lastSegment + 1;
    const auto columnOf = [&](std::int64_t k) { return plot.column(p, k); };
    const auto pointAt = [&](std::int64_t k) {
        return DevicePixel{columnOf(k), trace.row(canvas, trace.samples.sample(trace.which, k))};
    };
    std::int64_t k = 1;
    while (k <= lastSample && lastSegment >= 1) {
        const std::int64_t column = columnOf(k);
        const std::int64_t end =
            lastWithValueNear(k, lastSample, column, plot.lastSampleGuess(p, column, k, lastSample), columnOf);
        if (k > 1) canvas.drawSegment(pointAt(k - 1), pointAt(k), trace.colour);
        if (end > k) {
            const SampleRange range = trace.samples.range(trace.which, k, end);
            canvas.drawColumnRun(column, trace.row(canvas, range.min), trace.row(canvas, range.max), trace.colour);
        }
        k = end + 1;
    }
}

// The last period from p on that lies, with every point of both traces, in
// the one column where period p lies (p itself when p spans several columns).
// Such periods draw the same pixels as p, and drawing a pair of traces again
// right after itself changes nothing, so only p needs drawing.
std::int64_t lastRepeatOf(const PlotGeometry& plot, std::int64_t p) {
    // The last vo point (sample N + 1) is the period's rightmost point; a
    // later period's first point is not left of p's first point.
    const std::int64_t rightmost = plot.samplesPerPeriod() + 1;
    const std::int64_t column = plot.column(p, 1);
    const auto rightmostColumn = [&](std::int64_t period) { return plot.column(period, rightmost); };
    if (rightmostColumn(p) != column) return p;
    return lastWithValue(p, plot.periods(), column, rightmostColumn);
}

}  // namespace

void DrawTracesAggregated(PlotCanvas& canvas, const TraceRequest& request) {
    if (request.NP < 1 || request.N < 1) return;
    ClearVectorUpperState();  // the columns call exp, Qt may have dirtied the state; mutants: skip (speed only)
    const PeriodSamples& samples = *request.samples;
    const DrawnTrace vc{samples, Trace::Vc, VcToY<double>, request.VPlus, Argb(TraceColour(Trace::Vc))};
    const DrawnTrace vo{samples, Trace::Vo, VoToY<double>, request.Vcc, Argb(TraceColour(Trace::Vo))};
    // A NaN breaks the order of the samples that the ranges of the columns rely on.
    const std::int64_t lastSample = std::int64_t{request.N} + 1;
    const auto hasNaN = [&](Trace trace) { return std::isnan(samples.range(trace, 0, lastSample).min); };
    if (hasNaN(Trace::Vc) || hasNaN(Trace::Vo)) {
        DrawTracesPerSegment(canvas, request);
        return;
    }
    const PlotGeometry plot(canvas, request.NP, request.N);
    for (std::int64_t p = 1; p <= request.NP; p = lastRepeatOf(plot, p) + 1) {
        drawTraceOfPeriod(canvas, plot, vc, p, request.lastSegment(Trace::Vc));
        if (request.stopsIn(Trace::Vc)) return;
        drawTraceOfPeriod(canvas, plot, vo, p, request.lastSegment(Trace::Vo));
        if (request.stopsIn(Trace::Vo)) return;
    }
}

}  // namespace ostrevo
