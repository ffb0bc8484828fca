#pragma once
#include <string_view>

#include "plot_window.h"

namespace ostrevo {

// The tick marks of both axes, in the plot's foreground colour, and the zero
// line of each trace in its colour.
void DrawAxes(PlotWindow& plot);

// The times at a quarter, half and three quarters of the time axis, with the
// locale's decimal separator, and the captions of the voltage scale. Stops
// when the times cannot be computed.
void LabelAxes(PlotWindow& plot, const PlotScale& scale, std::string_view decimalSeparator);

}  // namespace ostrevo
