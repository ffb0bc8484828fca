#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ostrevo {

// A trace as sound: mono PCM samples in [-1, 1], one stretch of equal
// length per device column of the plot, from `firstColumn` to the right edge.
// Each face only plays it, and moves the cursor to
// firstColumn + floor(seconds played / secondsPerColumn).
struct AudioTrace {
    int sampleRate = 0;
    std::int64_t firstColumn = 0;
    double secondsPerColumn = 0;
    std::vector<float> pcm;
};

// The whole width of the plot lasts about this long.
inline constexpr double kAudioTraceSeconds = 3.0;

// One column of the sounding trace: the trace's height in its half, 0 at
// the half's lowest level to 1 at its highest (none where nothing is drawn),
// and whether vo(t) changes level in it.
struct SoundColumn {
    std::optional<double> height;
    bool switches = false;
};

// The pitch rises with the height, logarithmically, from 200 Hz at 0 to
// 1600 Hz at 1; a column without a trace is silent; a short click marks
// each switching column.
AudioTrace SoundOf(std::span<const SoundColumn> columns, std::int64_t firstColumn, double secondsPerColumn,
                   int sampleRate);

}  // namespace ostrevo
