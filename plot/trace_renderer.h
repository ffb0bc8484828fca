#pragma once
#include <cstdint>

#include "plot_canvas.h"
#include "plot_window.h"

namespace ostrevo {

inline constexpr std::uint32_t kVcTraceColour = 0xFFFF0000;  // red
inline constexpr std::uint32_t kVoTraceColour = 0xFF0000FF;  // blue

// Draws the traces one segment at a time, in the order vc(p = 1), vo(p = 1),
// vc(p = 2), ...: the straightforward renderer, and the reference every faster
// renderer must match pixel for pixel.
void DrawTracesPerSegment(PlotCanvas& canvas, const TraceRequest& request);

}  // namespace ostrevo
