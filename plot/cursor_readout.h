#pragma once
#include <string>
#include <string_view>

#include "plot_window.h"
#include "trace.h"

namespace ostrevo {

// What the readout shows for one trace at a pointer position.
struct Readout {
    std::string time;     // "0.000", microseconds
    std::string voltage;  // "0.00", volts
    std::string toolTip;  // "t = 46.268 usec\" ; vc(t) = 8.00V"
};

// A readout's number: `decimals` fixed decimals with `separator`; a value
// beyond the range of a double reads "fuori scala".
std::string ReadoutNumber(double value, int decimals, std::string_view separator);

// The name of a trace as its option button shows it: "vc(t)", "vo(t)".
std::string TraceName(Trace trace);

// Inverts the plot mapping at (x, y) for `trace`, with `separator` as the
// decimal separator. A value beyond the range of a double reads "fuori scala".
Readout ReadOut(Trace trace, const PlotScale& scale, float x, float y, std::string_view separator);

}  // namespace ostrevo
