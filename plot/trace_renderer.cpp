#include "trace_renderer.h"

#include "plot_mapping.h"

namespace ostrevo {
namespace {

// Segments 1..last of one trace of period p; segment k joins samples k and k + 1.
template <typename ToY>
void drawTrace(PlotCanvas& canvas, const TraceRequest& request, std::int32_t p, std::int32_t last,
               std::span<const double> samples, ToY toY, std::uint32_t colour) {
    for (std::int32_t k = 1; k <= last; ++k) {
        const PlotPoint from{static_cast<float>(PlotX(p, k, request.NP, request.N)),
                             static_cast<float>(toY(samples[k]))};
        const PlotPoint to{static_cast<float>(PlotX(p, k + 1, request.NP, request.N)),
                           static_cast<float>(toY(samples[k + 1]))};
        canvas.drawSegment(canvas.toDevice(from), canvas.toDevice(to), colour);
    }
}

}  // namespace

void DrawTracesPerSegment(PlotCanvas& canvas, const TraceRequest& request) {
    const auto vcToY = [&](double vc) { return VcToY(vc, request.VPlus); };
    const auto voToY = [&](double vo) { return VoToY(vo, request.Vcc); };
    const bool stopsInVc = request.stop.trace == TraceStop::Trace::Vc;
    const bool stopsInVo = request.stop.trace == TraceStop::Trace::Vo;
    for (std::int32_t p = 1; p <= request.NP; ++p) {
        const std::int32_t vcLast = stopsInVc ? request.stop.segment - 1 : request.N - 1;
        drawTrace(canvas, request, p, vcLast, request.vcSamples, vcToY, kVcTraceColour);
        if (stopsInVc) return;
        const std::int32_t voLast = stopsInVo ? request.stop.segment - 1 : request.N;
        drawTrace(canvas, request, p, voLast, request.voSamples, voToY, kVoTraceColour);
        if (stopsInVo) return;
    }
}

}  // namespace ostrevo
