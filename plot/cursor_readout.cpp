#include "cursor_readout.h"

#include <cmath>

#include "number_format.h"

namespace ostrevo {
namespace {

// Between the time and the name of the voltage: blank, unit, a double quote,
// blank, semicolon, blank.
constexpr std::string_view kToolTipSeparator = " usec\" ; ";
constexpr std::string_view kOutOfRange = "fuori scala";

std::string Fixed(double value, int decimals, std::string_view separator) {
    if (!std::isfinite(value)) return std::string(kOutOfRange);
    return FormatFixed(value, decimals, separator);
}

}  // namespace

std::optional<Trace> TraceAt(float y) {
    if (y >= 50) return Trace::Vc;
    if (y >= 0) return Trace::Vo;
    return std::nullopt;
}

Readout ReadOut(Trace trace, const PlotScale& scale, float x, float y, std::string_view separator) {
    const double t = x / 100.0 * (scale.ts + scale.tc) * scale.NP;
    const bool vc = trace == Trace::Vc;
    const double volts = vc ? (y - 50.0) * scale.VPlus / 45 : y * scale.Vcc / 45;
    Readout readout{Fixed(t, 3, separator), Fixed(volts, 2, separator), {}};
    readout.toolTip.append("t = ")
        .append(readout.time)
        .append(kToolTipSeparator)
        .append(vc ? "vc(t) = " : "vo(t) = ")
        .append(readout.voltage)
        .append("V");
    return readout;
}

}  // namespace ostrevo
