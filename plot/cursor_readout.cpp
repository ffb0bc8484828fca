#include "cursor_readout.h"

#include <cmath>

#include "catalogue.h"
#include "number_format.h"
#include "plot_mapping.h"

namespace ostrevo {
namespace {

std::string Fixed(double value, int decimals, std::string_view separator) {
    if (!std::isfinite(value)) return std::string(Words(Text::OffScale));
    return FormatFixed(value, decimals, separator);
}

}  // namespace

Readout ReadOut(Trace trace, const PlotScale& scale, float x, float y, std::string_view separator) {
    const double t = TimeAtX(x, scale.ts, scale.tc, scale.NP);
    const bool vc = trace == Trace::Vc;
    const double volts = vc ? VcAtY(y, scale.VPlus) : VoAtY(y, scale.Vcc);
    Readout readout{Fixed(t, 3, separator), Fixed(volts, 2, separator), {}};
    readout.toolTip = Say(Text::ReadoutToolTip,
                          {{"time", readout.time}, {"trace", vc ? "vc(t)" : "vo(t)"}, {"voltage", readout.voltage}});
    return readout;
}

}  // namespace ostrevo
