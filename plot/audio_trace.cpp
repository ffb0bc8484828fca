#include "audio_trace.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ostrevo {
namespace {

constexpr double kLowestPitch = 200;   // Hz, at the half's lowest level
constexpr double kPitchRange = 8;      // the highest level sounds three octaves higher
constexpr float kToneLevel = 0.3F;
constexpr double kClickSeconds = 0.004;
constexpr float kClickLevel = 0.6F;
constexpr double kFadeSeconds = 0.005;  // no crack where a tone starts or stops

double Pitch(double height) { return kLowestPitch * std::pow(kPitchRange, height); }

// A click: a burst of the highest tone there is, dying away.
float Click(std::int64_t sample, int sampleRate) {
    const double dying = 1 - static_cast<double>(sample) / (kClickSeconds * sampleRate);
    if (dying <= 0) return 0;
    return static_cast<float>((sample % 2 == 0 ? kClickLevel : -kClickLevel) * dying);
}

}  // namespace

AudioTrace SoundOf(std::span<const SoundColumn> columns, std::int64_t firstColumn, double secondsPerColumn,
                   int sampleRate) {
    AudioTrace sound{sampleRate, firstColumn, secondsPerColumn, {}};
    if (sampleRate <= 0 || !(secondsPerColumn > 0)) return sound;
    const auto sampleAt = [&](std::size_t column) {
        return static_cast<std::int64_t>(std::llround(static_cast<double>(column) * secondsPerColumn * sampleRate));
    };
    sound.pcm.resize(static_cast<std::size_t>(sampleAt(columns.size())));
    const auto fade = static_cast<double>(sampleRate) * kFadeSeconds;
    double phase = 0;  // carried from column to column: the pitch glides without a jump
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const SoundColumn& sounding = columns[column];
        for (std::int64_t i = sampleAt(column); i < sampleAt(column + 1); ++i) {
            float level = 0;
            if (sounding.height) {
                phase = std::fmod(phase + Pitch(*sounding.height) / sampleRate, 1.0);
                level = kToneLevel * static_cast<float>(std::sin(2 * std::numbers::pi * phase));
            }
            sound.pcm[static_cast<std::size_t>(i)] = level;
        }
    }
    // The tone fades in and out at both ends of the whole sound; the clicks
    // come on top, whole.
    const auto length = static_cast<double>(sound.pcm.size());
    for (std::size_t i = 0; i < sound.pcm.size(); ++i) {
        const double edge = std::min(static_cast<double>(i), length - 1 - static_cast<double>(i));
        if (edge < fade) sound.pcm[i] *= static_cast<float>(edge / fade);
    }
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (!columns[column].switches) continue;
        for (std::int64_t i = sampleAt(column); i < sampleAt(column + 1); ++i) {
            sound.pcm[static_cast<std::size_t>(i)] += Click(i - sampleAt(column), sampleRate);
        }
    }
    return sound;
}

}  // namespace ostrevo
