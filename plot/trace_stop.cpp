#include "trace_stop.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include "catalogue.h"
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

// The same in plain arithmetic, where a fault of the mapping shows in its
// result: every fault of its three steps leaves a y that is not finite.
template <typename ToY>
bool Fits(ToY toY, double sample, double fullScale) {
    // False for a NaN too. A false where a y fits only has the block scanned.
    return std::fabs(toY(sample, fullScale)) <= FLT_MAX;  // mutants: skip (speed only)
}

// The first sample of first..last (at(k)) without a drawable y, for samples
// monotone in k: the ends tell whether there is one.
template <typename At, typename ToY>
std::optional<std::int64_t> FirstUndrawable(At at, std::int64_t first, std::int64_t last, ToY toY, double fullScale) {
    if (first > last) return std::nullopt;
    // Speed only: without it the scan below finds the same.
    if (Fits(toY, at(first), fullScale) && Fits(toY, at(last), fullScale)) return std::nullopt;  // mutants: skip (speed)
    for (std::int64_t k = first; k <= last; ++k) {
        if (!CanDraw(toY, at(k), fullScale)) return k;
    }
    return std::nullopt;
}

// Segment k joins samples k and k + 1; a sample without y stops the segment
// that reaches it.
TraceStop StopAt(Trace trace, std::int64_t sample) {
    return {trace, static_cast<std::int32_t>(std::max<std::int64_t>(1, sample - 1))};
}

const auto kVcToY = [](auto vc, auto vPlus) { return VcToY(vc, vPlus); };
const auto kVoToY = [](auto vo, auto vcc) { return VoToY(vo, vcc); };

}  // namespace

void UndrawableSamples::include(const UndrawableSamples& other) {
    const auto first = [](std::optional<std::int64_t>& kept, std::optional<std::int64_t> found) {
        if (found && (!kept || *found < *kept)) kept = found;
    };
    first(vc, other.vc);
    first(vo, other.vo);
}

std::optional<TraceStop> UndrawableSamples::stop(std::int32_t NP) const {
    if (NP < 1) return std::nullopt;
    if (vc) return StopAt(Trace::Vc, *vc);
    // Sample N + 1 of vo, the zero each period ends on, has no y only where
    // Vcc is zero, and then sample 1 has none either.
    if (vo) return StopAt(Trace::Vo, *vo);
    return std::nullopt;
}

TraceStopFinder::TraceStopFinder(std::int32_t N, double VPlus, double Vcc) : N_(N), VPlus_(VPlus), Vcc_(Vcc) {}

void TraceStopFinder::take(const SampleBlock& block) {
    if (found_.vc) return;  // vc stops first, wherever vo would
    const std::int64_t first = std::max<std::int64_t>(block.first, 1);
    const auto vc = [&](std::int64_t k) { return block.vcAt(k); };
    const auto vo = [&](std::int64_t k) { return block.voAt(k); };
    if (N_ >= 2) found_.vc = FirstUndrawable(vc, first, block.last(), kVcToY, VPlus_);
    if (!found_.vo) found_.vo = FirstUndrawable(vo, first, block.last(), kVoToY, Vcc_);
}

Fault CannotDrawWhole(const TraceRequest& request) {
    const bool vc = request.stopsIn(Trace::Vc);
    const double fullScale = vc ? request.VPlus : request.Vcc;
    const Text reason = fullScale != 0 ? Text::SampleOffScale : (vc ? Text::VPlusZero : Text::VccZero);
    return Fault(Say(Text::CannotDraw, {{"trace", vc ? "vc(t)" : "vo(t)"}, {"reason", Words(reason)}}));
}

}  // namespace ostrevo
