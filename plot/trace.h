#pragma once
#include <cstdint>

#include "waveform_form.h"

namespace ostrevo {

// The two traces of the plot: the capacitor voltage vc(t) in the upper half,
// the output voltage vo(t) in the lower half.
enum class Trace { Vc, Vo };

// A trace's colour, which its zero line, its option button and its readout share.
constexpr Rgb TraceColour(Trace trace) { return form2::kReadouts[static_cast<std::size_t>(trace)].voltageColour; }

// The colour as an opaque pixel of the raster, 0xAARRGGBB.
constexpr std::uint32_t Argb(Rgb colour) {
    return 0xFF000000u | (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

}  // namespace ostrevo
