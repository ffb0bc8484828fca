#pragma once
#include <string>
#include <string_view>

#include "plot_window.h"

namespace ostrevo {

// The text alternative of a plot, from the values it was drawn with: what
// the two traces are and between which levels they move, the period with ts
// and tc, the number of periods and the time span, and where a fault stopped
// the drawing. `traces` is null when no trace was drawn.
std::string DescribePlot(const PlotScale& scale, const TraceRequest* traces, std::string_view decimalSeparator);

}  // namespace ostrevo
