#pragma once
#include <string_view>

// What a window shows while one of its commands takes long: a progress bar
// and a button that stops the command (Escape does the same). Nothing of it
// shows before the command has run for kShowAfterMilliseconds, so that a
// quick command never flashes it.
namespace ostrevo::long_work {

inline constexpr int kShowAfterMilliseconds = 300;
// The bar moves at least this often.
inline constexpr int kUpdateMilliseconds = 100;

inline constexpr std::string_view kStopCaption = "Interrompi";
// The bar's name for screen readers.
inline constexpr std::string_view kProgressName = "Avanzamento del comando";

}  // namespace ostrevo::long_work
