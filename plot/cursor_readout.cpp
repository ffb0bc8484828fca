#include "cursor_readout.h"

#include <cmath>

#include "catalogue.h"
#include "number_format.h"
#include "plot_mapping.h"
#include "waveform_form.h"

namespace ostrevo {

std::string ReadoutNumber(double value, int decimals, std::string_view separator) {
    if (!std::isfinite(value)) return std::string(Words(Text::OffScale));
    return FormatFixed(value, decimals, separator);
}

std::string TraceName(Trace trace) {
    return FindControl(form2::kForm, form2::kReadouts[static_cast<std::size_t>(trace)].option)->caption;
}

Readout ReadOut(Trace trace, const PlotScale& scale, float x, float y, std::string_view separator) {
    const double t = TimeAtX(x, scale.ts, scale.tc, scale.NP);
    const double volts = trace == Trace::Vc ? VcAtY(y, scale.VPlus) : VoAtY(y, scale.Vcc);
    Readout readout{ReadoutNumber(t, 3, separator), ReadoutNumber(volts, 2, separator), {}};
    readout.toolTip =
        Say(Text::ReadoutToolTip, {{"time", readout.time}, {"trace", TraceName(trace)}, {"voltage", readout.voltage}});
    return readout;
}

}  // namespace ostrevo
