#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "form_interfaces.h"

namespace ostrevo {

// A point in the plot's user coordinates: x from 0 (left) to 100 (right),
// y from 0 (bottom) to 100 (top). Computed in double, handed over in single.
struct PlotPoint {
    float x = 0;
    float y = 0;
};

// Where the drawing of the traces must stop because a coordinate could not be
// computed. Every period is the same sampled period, so a bad coordinate is met
// in the first period; segments are counted from 1 as in the drawing loops.
struct TraceStop {
    enum class Trace { None, Vc, Vo };
    Trace trace = Trace::None;  // None: every segment of every period is drawn
    std::int32_t segment = 0;   // first segment of that trace (period 1) not drawn
};

// The traces of one plot: one sampled period repeated NP times. Period p
// (from 1), sample k sits at x = 100/NP*(p-1) + 100/NP*k/N; the vc trace joins
// samples 1..N in red at y = vc*45/VPlus + 50, the vo trace joins samples
// 1..N+1 in blue at y = vo*45/Vcc. Use the functions of plot_mapping.h.
struct TraceRequest {
    std::span<const double> vcSamples;  // N + 2 elements
    std::span<const double> voSamples;  // N + 2 elements
    std::int32_t N = 0;
    std::int32_t NP = 0;
    double VPlus = 0;
    double Vcc = 0;
    TraceStop stop;
};

// The waveform window as the plot procedures see it.
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
    virtual void placeLabel(std::string_view control, const std::string& utf8Text, float left, float top) = 0;
    // Draws the traces in the order vc(p=1), vo(p=1), vc(p=2), ... up to request.stop.
    virtual void drawTraces(const TraceRequest& request) = 0;
    // The values the plot on screen was drawn with, kept for the cursor readout.
    virtual void rememberPlot(double ts, double tc, std::int32_t NP, double VPlus, double Vcc) = 0;
};

}  // namespace ostrevo
