#include "fast_trace_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "plot_mapping.h"
#include "trace_renderer.h"
#include "vector_state.h"

namespace ostrevo {
namespace {

struct Extrema {
    double min = 0;
    double max = 0;
};

// min and max that let a NaN through, so that one NaN sample shows in every
// block above it.
double lower(double kept, double next) { return (next < kept || std::isnan(next)) ? next : kept; }
double higher(double kept, double next) { return (next > kept || std::isnan(next)) ? next : kept; }

Extrema extremaOf(double sample) { return {sample, sample}; }
Extrema extremaOf(const Extrema& block) { return block; }

void include(Extrema& into, const Extrema& more) {
    into.min = lower(into.min, more.min);
    into.max = higher(into.max, more.max);
}

// The same for values known to be numbers: plain, branch-free comparisons.
void includeNumbers(Extrema& into, const Extrema& more) {
    into.min = std::min(into.min, more.min);
    into.max = std::max(into.max, more.max);
}

// The smallest and the largest sample of any index range of a buffer, read
// from a pyramid: each level holds the extrema of blocks of entries of the
// level below. The blocks of samples are long, so that the pyramid takes about
// 2 / kSampleBlock of the buffer's own memory; the blocks above are short,
// so that a range costs few reads: at most 2 * kSampleBlock samples and
// 2 * kUpperBlock entries per level above.
class RangeExtrema {
public:
    explicit RangeExtrema(std::span<const double> samples) : samples_(samples) {
        levels_.push_back(blockExtrema(samples, kSampleBlock));
        while (levels_.back().size() > 1) {
            levels_.push_back(blockExtrema(std::span<const Extrema>(levels_.back()), kUpperBlock));
        }
    }

    bool hasNaN() const { return !levels_.back().empty() && std::isnan(levels_.back().front().min); }

    // Extrema of the samples first..last, both included; only for a buffer without NaN.
    Extrema of(std::int64_t first, std::int64_t last) const {
        Extrema result = extremaOf(samples_[first]);
        for (std::size_t level = 0; first <= last; ++level) {
            if (level == levels_.size()) {  // the top: one entry, nothing to climb to
                includeEach(result, level, first, last);
                break;
            }
            // Take the loose entries at both ends; what remains is whole blocks of the level above.
            const std::int64_t block = level == 0 ? kSampleBlock : kUpperBlock;
            const std::int64_t alignedFirst = std::min((first + block - 1) / block * block, last + 1);
            includeEach(result, level, first, alignedFirst - 1);
            first = alignedFirst;
            const std::int64_t alignedEnd = std::max((last + 1) / block * block, first);
            includeEach(result, level, alignedEnd, last);
            last = alignedEnd - 1;
            first /= block;
            last = (last + 1) / block - 1;
        }
        return result;
    }

private:
    static constexpr std::int64_t kSampleBlock = 64;
    static constexpr std::int64_t kUpperBlock = 8;

    template <typename Entry>
    static std::vector<Extrema> blockExtrema(std::span<const Entry> entries, std::int64_t length) {
        std::vector<Extrema> blocks;
        const auto blockLength = static_cast<std::size_t>(length);
        blocks.reserve((entries.size() + blockLength - 1) / blockLength);
        for (std::size_t start = 0; start < entries.size(); start += blockLength) {
            const auto block = entries.subspan(start, std::min(blockLength, entries.size() - start));
            Extrema extrema = extremaOf(block.front());
            for (const Entry& entry : block) include(extrema, extremaOf(entry));
            blocks.push_back(extrema);
        }
        return blocks;
    }

    // Level 0 is the samples themselves; level n is levels_[n - 1].
    void includeEach(Extrema& into, std::size_t level, std::int64_t first, std::int64_t last) const {
        for (std::int64_t index = first; index <= last; ++index) {
            includeNumbers(into, level == 0 ? extremaOf(samples_[index]) : levels_[level - 1][index]);
        }
    }

    std::span<const double> samples_;
    std::vector<std::vector<Extrema>> levels_;
};

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

// One trace: its samples, their extrema and how a sample becomes a row.
struct DrawnTrace {
    std::span<const double> samples;
    RangeExtrema extrema;
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
    const auto pointAt = [&](std::int64_t k) { return DevicePixel{columnOf(k), trace.row(canvas, trace.samples[k])}; };
    std::int64_t k = 1;
    while (k <= lastSample && lastSegment >= 1) {
        const std::int64_t column = columnOf(k);
        const std::int64_t end =
            lastWithValueNear(k, lastSample, column, plot.lastSampleGuess(p, column, k, lastSample), columnOf);
        if (k > 1) canvas.drawSegment(pointAt(k - 1), pointAt(k), trace.colour);
        if (end > k) {
            const Extrema extrema = trace.extrema.of(k, end);
            canvas.drawColumnRun(column, trace.row(canvas, extrema.min), trace.row(canvas, extrema.max),
                                 trace.colour);
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
    ClearVectorUpperState();  // the pyramid and the columns run over millions of samples
    const auto count = static_cast<std::size_t>(request.N) + 2;
    const auto vcSamples = request.vcSamples.first(count);
    const auto voSamples = request.voSamples.first(count);
    const DrawnTrace vc{vcSamples, RangeExtrema(vcSamples), VcToY, request.VPlus, Argb(TraceColour(Trace::Vc))};
    const DrawnTrace vo{voSamples, RangeExtrema(voSamples), VoToY, request.Vcc, Argb(TraceColour(Trace::Vo))};
    // A NaN breaks the order of the samples that the extrema rely on.
    if (vc.extrema.hasNaN() || vo.extrema.hasNaN()) {
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
