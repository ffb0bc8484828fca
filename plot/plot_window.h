#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "form_types.h"
#include "trace.h"

namespace ostrevo {

// A point in the plot's user coordinates (see plot_mapping.h). Computed in
// double, handed over in single.
struct PlotPoint {
    float x = 0;
    float y = 0;
};

// Where the drawing of the traces must stop because a coordinate could not be
// computed. Every period is the same sampled period, so a bad coordinate is met
// in the first period; segments are counted from 1 as in the drawing loops.
struct TraceStop {
    Trace trace = Trace::Vc;
    std::int32_t segment = 0;  // first segment of that trace (period 1) not drawn
    friend bool operator==(const TraceStop&, const TraceStop&) = default;
};

// The smallest and the largest of some samples; both NaN when one of them is.
struct SampleRange {
    double min = 0;
    double max = 0;

    static SampleRange Of(double sample) { return {sample, sample}; }
    void include(double sample) {
        if (std::isnan(sample) || std::isnan(min)) {
            min = max = std::numeric_limits<double>::quiet_NaN();
        } else {
            min = std::min(min, sample);
            max = std::max(max, sample);
        }
    }
};

// The samples of one period, k = 0..N + 1 of each trace, as the renderers
// read them: one at a time, or the range of a run of them.
class PeriodSamples {
public:
    virtual ~PeriodSamples() = default;
    virtual double sample(Trace trace, std::int64_t k) const = 0;
    // The range of samples first..last (first <= last) of `trace`.
    virtual SampleRange range(Trace trace, std::int64_t first, std::int64_t last) const = 0;
};

// The traces of one plot: one sampled period repeated NP times. In period p
// (from 1) the vc trace joins samples 1..N, the vo trace samples 1..N+1, each
// in its colour, through the mapping of plot_mapping.h.
struct TraceRequest {
    std::shared_ptr<const PeriodSamples> samples;
    std::int32_t N = 0;
    std::int32_t NP = 0;
    double VPlus = 0;
    double Vcc = 0;
    std::optional<TraceStop> stop;  // none: every segment of every period is drawn

    bool stopsIn(Trace trace) const { return stop && stop->trace == trace; }
    // The last segment of `trace` drawn in a period: all of them, or those before the stop.
    std::int32_t lastSegment(Trace trace) const {
        if (stopsIn(trace)) return stop->segment - 1;
        return trace == Trace::Vc ? N - 1 : N;
    }
};

// The values a plot was drawn with: the readout turns pointer positions back
// into times and voltages of that plot, whatever the fields hold now.
struct PlotScale {
    double ts = 0;
    double tc = 0;
    std::int32_t NP = 0;
    double VPlus = 0;
    double Vcc = 0;
    double VMinus = 0;
};

// The waveform window as the plot command sees it.
class PlotWindow {
public:
    virtual ~PlotWindow() = default;
    // Creates the window hidden when it does not exist yet.
    virtual void ensureCreated() = 0;
    // Shows the window without blocking the main window.
    virtual void show() = 0;
    // Replaces the picture of Picture1 by the empty one of Picture2.
    virtual void erasePlot() = 0;
    // One-pixel solid segment on Picture1; no colour means Picture1's foreground colour.
    virtual void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) = 0;
    // Caption and upper-left corner, in user coordinates, of a label inside
    // Picture1 (Label1..Label3) or Picture3 (Label4, Label6..Label8, Label11..Label13).
    virtual void placeLabel(ControlName control, const std::string& utf8Text, float left, float top) = 0;
    // Draws the traces in the order vc(p=1), vo(p=1), vc(p=2), ... up to request.stop.
    virtual void drawTraces(const TraceRequest& request) = 0;
    // The values the plot on screen was drawn with, kept for the cursor readout;
    // told once the axis labels show that plot's times.
    virtual void rememberPlot(const PlotScale& scale) = 0;
};

}  // namespace ostrevo
