#include "trace_renderer.h"

#include "plot_mapping.h"

namespace ostrevo {
namespace {

// Segments 1..last of one trace of period p; segment k joins samples k and k + 1.
template <typename ToY>
void drawTrace(PlotCanvas& canvas, const TraceRequest& request, Trace trace, std::int32_t p, ToY toY) {
    const std::uint32_t colour = Argb(TraceColour(trace));
    const std::int32_t last = request.lastSegment(trace);
    for (std::int32_t k = 1; k <= last; ++k) {
        const PlotPoint from{static_cast<float>(PlotX(p, k, request.NP, request.N)),
                             static_cast<float>(toY(request.samples->sample(trace, k)))};
        const PlotPoint to{static_cast<float>(PlotX(p, k + 1, request.NP, request.N)),
                           static_cast<float>(toY(request.samples->sample(trace, k + 1)))};
        canvas.drawSegment(canvas.toDevice(from), canvas.toDevice(to), colour);
    }
}

}  // namespace

void DrawTracesPerSegment(PlotCanvas& canvas, const TraceRequest& request) {
    const auto vcToY = [&](double vc) { return VcToY(vc, request.VPlus); };
    const auto voToY = [&](double vo) { return VoToY(vo, request.Vcc); };
    for (std::int32_t p = 1; p <= request.NP; ++p) {
        drawTrace(canvas, request, Trace::Vc, p, vcToY);
        if (request.stopsIn(Trace::Vc)) return;
        drawTrace(canvas, request, Trace::Vo, p, voToY);
        if (request.stopsIn(Trace::Vo)) return;
    }
}

}  // namespace ostrevo
