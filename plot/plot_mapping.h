#pragma once
#include <cstdint>

namespace ostrevo {

// The plot's mapping from values to user coordinates, in the order of
// operations the picture is defined by. Every renderer uses these, so that two
// renderers of the same plot agree to the last bit.

// x of sample k of period p (p counted from 1).
inline double PlotX(std::int32_t p, std::int32_t k, std::int32_t NP, std::int32_t N) {
    const double periodWidth = 100.0 / NP;
    return periodWidth * (p - 1) + periodWidth * k / N;
}

// y of a capacitor voltage: 0 V at y = 50, v+ at y = 95.
inline double VcToY(double vc, double VPlus) { return vc * 45 / VPlus + 50; }

// y of an output voltage: 0 V at y = 0, Vcc at y = 45.
inline double VoToY(double vo, double Vcc) { return vo * 45 / Vcc; }

}  // namespace ostrevo
