#include "shortest_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ostrevo {
namespace {

ShortestTextOfPlatform platformText = nullptr;

}  // namespace

void UseShortestTextOfPlatform(ShortestTextOfPlatform platform) { platformText = platform; }

std::size_t ShortestText(double value, char* text) {
#if defined(__cpp_lib_to_chars)
    return static_cast<std::size_t>(std::to_chars(text, text + kShortestTextSize, value).ptr - text);
#else
    if (platformText != nullptr && std::isfinite(value) && value != 0) return platformText(value, text);  // mutants: skip (WebAssembly only: tests/web)
    // Any double has a text of 17 significant digits that reads back; one of
    // 15 digits is exact whenever a shorter one exists.
    int length = 0;  // mutants: skip (WebAssembly only: tests/web)
    for (int digits = 15; digits <= 17; ++digits) {  // mutants: skip (WebAssembly only: tests/web)
        length = std::snprintf(text, kShortestTextSize, "%.*g", digits, value);  // mutants: skip (WebAssembly only: tests/web)
        if (std::strtod(text, nullptr) == value) break;  // mutants: skip (WebAssembly only: tests/web)
    }
    return static_cast<std::size_t>(length);
#endif
}

}  // namespace ostrevo
