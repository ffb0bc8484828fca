#pragma once
#include <cstddef>

namespace ostrevo {

// Room for any double's shortest text.
inline constexpr std::size_t kShortestTextSize = 32;

// Writes the shortest decimal text that reads back as `value` (with '.' as
// the decimal point) into `text` and returns its length. Where the library
// has std::to_chars for doubles that is its text; elsewhere (the WebAssembly
// toolchain) the platform's own shortest text of a finite non-zero number
// where a face has handed one in, else the fewest significant digits, from
// 15 to 17, that read back, as printf's %g writes them.
std::size_t ShortestText(double value, char* text);

// The platform's shortest text of a finite, non-zero double, written into
// `text` (kShortestTextSize bytes); returns its length.
using ShortestTextOfPlatform = std::size_t (*)(double value, char* text);
void UseShortestTextOfPlatform(ShortestTextOfPlatform platform);

}  // namespace ostrevo
