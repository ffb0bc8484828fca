#include "trace_stop.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <span>
#include <string>

#include "fp_status.h"
#include "plot_mapping.h"

namespace ostrevo {
namespace {

// A y coordinate can be drawn when it is computed without fault and fits the
// single precision the drawing takes.
template <typename ToY>
bool CanDraw(ToY toY, double sample, double fullScale) {
    const fp::Checked y = fp::Evaluate(toY, sample, fullScale);
    return !y.failed() && std::fabs(y.value) <= FLT_MAX;
}

// Whether every sample 1..last has a drawable y, with one status test for the
// whole trace rather than one per sample.
template <typename ToY>
bool AllDrawable(std::span<const double> samples, std::int32_t last, ToY toY, double fullScale) {
    fp::ClearFlags();
    fp::Pin(fullScale);
    bool fits = true;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(last); ++k) {
        fits &= std::fabs(toY(samples[k], fullScale)) <= FLT_MAX;  // false for a NaN too
    }
    fp::Pin(fits);
    return fits && fp::RaisedFlags() == 0;
}

// First segment of period 1 that reaches a sample (of 1..last) with no
// drawable y; segment k joins samples k and k + 1. 0 when all can be drawn.
template <typename ToY>
std::int32_t FirstUndrawableSegment(std::span<const double> samples, std::int32_t last, ToY toY, double fullScale) {
    if (AllDrawable(samples, last, toY, fullScale)) return 0;
    for (std::int32_t k = 1; k <= last; ++k) {
        if (!CanDraw(toY, samples[static_cast<std::size_t>(k)], fullScale)) return std::max(1, k - 1);
    }
    return 0;
}

}  // namespace

std::optional<TraceStop> FindTraceStop(const TraceRequest& request) {
    if (request.NP < 1) return std::nullopt;
    const auto vcToY = [](double vc, double vPlus) { return VcToY(vc, vPlus); };
    const auto voToY = [](double vo, double vcc) { return VoToY(vo, vcc); };
    if (request.N >= 2) {
        const std::int32_t segment = FirstUndrawableSegment(request.vcSamples, request.N, vcToY, request.VPlus);
        if (segment > 0) return TraceStop{Trace::Vc, segment};
    }
    if (request.N >= 1) {
        const std::int32_t segment = FirstUndrawableSegment(request.voSamples, request.N + 1, voToY, request.Vcc);
        if (segment > 0) return TraceStop{Trace::Vo, segment};
    }
    return std::nullopt;
}

Fault CannotDrawWhole(const TraceRequest& request) {
    const bool vc = request.stopsIn(Trace::Vc);
    const double fullScale = vc ? request.VPlus : request.Vcc;
    std::string reason;
    if (fullScale == 0) {
        reason = vc ? "la tensione di soglia superiore v+ è zero (divisione per zero)"
                    : "la tensione di alimentazione Vcc è zero (divisione per zero)";
    } else {
        reason = "un campione è fuori dalla scala del grafico (il risultato supera il massimo numero rappresentabile)";
    }
    return Fault(std::string("Impossibile disegnare ") + (vc ? "vc(t)" : "vo(t)") + ": " + reason + ".");
}

}  // namespace ostrevo
