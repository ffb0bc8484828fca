#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// The values a plot was drawn with: the readout turns pointer positions back
// into times and voltages of that plot, whatever the circuit model holds now.
struct PlotScale {
    double ts = 0;
    double tc = 0;
    std::int32_t NP = 0;
    double VPlus = 0;
    double Vcc = 0;
};

enum class Trace { Vc, Vo };

// The trace whose half of the plot holds the height y: vc from y = 50 up, vo
// from 0 to 50. Below the plot (dragging) the choice stays as it was: nullopt.
std::optional<Trace> TraceAt(float y);

// What the readout shows for one trace at a pointer position.
struct Readout {
    std::string time;     // "0.000", microseconds
    std::string voltage;  // "0.00", volts
    std::string toolTip;  // "t = 46.268 usec\" ; vc(t) = 8.00V"
};

// Inverts the plot mapping at (x, y) for `trace`, with `separator` as the
// decimal separator. A value beyond the range of a double reads "fuori scala".
Readout ReadOut(Trace trace, const PlotScale& scale, float x, float y, std::string_view separator);

}  // namespace ostrevo
