#pragma once
#include <emscripten/val.h>

#include "plot_sampling.h"

namespace ostrevo::web {

// A plot's sampling as plain JavaScript objects, for the messages between the
// core's worker and the sampling workers (core_messages.d.ts: SamplingJob,
// ChunkOutcome). Sample indices fit a double exactly: they stay below 2^32.
emscripten::val JobToJs(const SamplingJob& job);
SamplingJob JobFromJs(const emscripten::val& job);
emscripten::val OutcomeToJs(const ChunkOutcome& outcome);
ChunkOutcome OutcomeFromJs(const emscripten::val& outcome);

// Samples a period of the real example with this many samples and forgets
// them: a worker's engine then runs the sampling at its best from the first
// plot on (WebKit interprets code it has not yet seen run much).
void WarmUpSampling(double samples);

// One sampling worker's instance of a plot's sampling.
class ChunkSampler {
public:
    explicit ChunkSampler(const emscripten::val& job) : sampling_(JobFromJs(job)) {}
    emscripten::val sampleChunk(double index) const;

private:
    PlotSampling sampling_;
};

}  // namespace ostrevo::web
