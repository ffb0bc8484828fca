#pragma once
#include <optional>

#include "fault.h"
#include "plot_window.h"

namespace ostrevo {

// Where the drawing of the request's traces must stop: at the first segment of
// period 1 that reaches a sample whose y cannot be computed or does not fit
// the single precision the drawing takes. None when every segment can be drawn.
std::optional<TraceStop> FindTraceStop(const TraceRequest& request);

// Why the traces of a request with a stop could not be drawn whole.
Fault CannotDrawWhole(const TraceRequest& request);

}  // namespace ostrevo
