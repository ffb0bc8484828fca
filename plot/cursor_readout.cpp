#include "cursor_readout.h"

#include <cmath>

#include "number_format.h"
#include "plot_mapping.h"
#include "waveform_form.h"

namespace ostrevo {
namespace {

// Between the time and the name of the voltage: blank, unit, a double quote,
// blank, semicolon, blank.
constexpr std::string_view kToolTipSeparator = " usec\" ; ";
constexpr std::string_view kOutOfRange = "fuori scala";

}  // namespace

std::string ReadoutNumber(double value, int decimals, std::string_view separator) {
    if (!std::isfinite(value)) return std::string(kOutOfRange);
    return FormatFixed(value, decimals, separator);
}

std::string TraceName(Trace trace) {
    return FindControl(form2::kForm, form2::kReadouts[static_cast<std::size_t>(trace)].option)->caption;
}

Readout ReadOut(Trace trace, const PlotScale& scale, float x, float y, std::string_view separator) {
    const double t = TimeAtX(x, scale.ts, scale.tc, scale.NP);
    const bool vc = trace == Trace::Vc;
    const double volts = vc ? VcAtY(y, scale.VPlus) : VoAtY(y, scale.Vcc);
    Readout readout{ReadoutNumber(t, 3, separator), ReadoutNumber(volts, 2, separator), {}};
    readout.toolTip.append("t = ")
        .append(readout.time)
        .append(kToolTipSeparator)
        .append(vc ? "vc(t) = " : "vo(t) = ")
        .append(readout.voltage)
        .append("V");
    return readout;
}

}  // namespace ostrevo
