#pragma once
#include "plot_canvas.h"
#include "plot_window.h"

namespace ostrevo {

// Draws the traces one segment at a time, in the order vc(p = 1), vo(p = 1),
// vc(p = 2), ...: the straightforward renderer, and the reference every faster
// renderer must match pixel for pixel.
void DrawTracesPerSegment(PlotCanvas& canvas, const TraceRequest& request);

}  // namespace ostrevo
