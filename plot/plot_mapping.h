#pragma once
#include <cstdint>
#include <optional>

#include "trace.h"

namespace ostrevo {

// The plot's user coordinates: x from 0 (left) to 100 (right) over the NP
// periods, y from 0 (bottom) to 100 (top). The vc trace has its 0 V at y = 50
// and v+ at y = 95, the vo trace its 0 V at y = 0 and Vcc at y = 45.
//
// Both directions in the order of operations the picture is defined by: every
// renderer maps through these, so that two renderers of the same plot agree to
// the last bit, and the readout inverts them.
inline constexpr double kUserExtent = 100;  // of x and of y
inline constexpr double kVcZeroY = 50;
inline constexpr double kFullScaleHeight = 45;  // from a trace's 0 V to its full scale

// ---- values to user coordinates

// x of sample k of period p (p counted from 1).
inline double PlotX(std::int32_t p, std::int32_t k, std::int32_t NP, std::int32_t N) {
    const double periodWidth = kUserExtent / NP;
    return periodWidth * (p - 1) + periodWidth * k / N;
}

// Also for fp::Tracked numbers, whose faults the trace stop reads.
template <typename Number>
inline Number VcToY(Number vc, Number VPlus) { return vc * kFullScaleHeight / VPlus + kVcZeroY; }

template <typename Number>
inline Number VoToY(Number vo, Number Vcc) { return vo * kFullScaleHeight / Vcc; }

// ---- user coordinates to values

// The sample index, not rounded, at x in period p: PlotX solved for k.
inline double SampleAtX(double x, std::int64_t p, std::int32_t NP, std::int32_t N) {
    const double periodWidth = kUserExtent / NP;
    return (x - periodWidth * static_cast<double>(p - 1)) * N / periodWidth;
}

// The time at x of a plot of NP periods of ts + tc.
inline double TimeAtX(double x, double ts, double tc, std::int32_t NP) { return x / kUserExtent * (ts + tc) * NP; }

inline double VcAtY(double y, double VPlus) { return (y - kVcZeroY) * VPlus / kFullScaleHeight; }

inline double VoAtY(double y, double Vcc) { return y * Vcc / kFullScaleHeight; }

// The trace whose half of the plot holds the height y: vc from its zero line
// up, vo below it. Below the plot no trace: nullopt.
inline std::optional<Trace> TraceAt(double y) {
    if (y >= kVcZeroY) return Trace::Vc;
    if (y >= 0) return Trace::Vo;
    return std::nullopt;
}

}  // namespace ostrevo
