#pragma once
#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

#include "circuit.h"
#include "plot_window.h"
#include "trace_stop.h"
#include "waveform_samples.h"

namespace ostrevo {

// Everything the samples of one plot follow from, in plain numbers, so that
// any thread, or a worker with a core of its own, can compute any chunk of them.
struct SamplingJob {
    CircuitParameters p;
    double ts = 0;
    double step = 0;
    std::int64_t chunkSamples = 1;  // samples per chunk (the last chunk may be shorter)

    // Chunks of a size that keeps `workers` busy to the end and lets a stop
    // come soon: a few per worker, none longer than a few milliseconds.
    static std::int64_t ChunkSamplesFor(std::int64_t samples, int workers);
};

// What the samples of one chunk showed.
struct ChunkOutcome {
    std::optional<SampleFault> vcFault;  // the first of vc in the chunk: the chunk stops there
    std::optional<SampleFault> voFault;  // the first of vo in the chunk
    UndrawableSamples undrawable;        // the first samples of the chunk without a drawable y
    friend bool operator==(const ChunkOutcome&, const ChunkOutcome&) = default;
};

// The sampling of one plot, samples 0..N of the period, in chunks of
// consecutive samples that can be computed in any order, anywhere.
class PlotSampling {
public:
    explicit PlotSampling(const SamplingJob& job);

    const SamplingJob& job() const { return job_; }
    const PeriodWaveform& waveform() const { return waveform_; }
    std::int64_t sampleCount() const { return sampleCount_; }
    std::int64_t chunkCount() const;
    // Safe to call from several threads at once.
    ChunkOutcome sampleChunk(std::int64_t index) const;

private:
    SamplingJob job_;
    PeriodWaveform waveform_;
    std::int64_t sampleCount_;
};

// The outcomes of the chunks, merged in the order of the samples whatever
// order they come in: the outcome of one pass over every sample.
class SamplingMerge {
public:
    explicit SamplingMerge(std::int64_t chunkCount);

    void add(std::int64_t index, const ChunkOutcome& outcome);
    // Something other than a fault of the samples (memory that ran out)
    // stopped a chunk: the outcome is that, and no chunk is needed any more.
    void fail(std::exception_ptr failure);
    bool failed() const { return failure_ != nullptr; }
    // False past the last chunk, and for a chunk after one where vc could not
    // be computed: the pass stops there, whatever comes after.
    bool needs(std::int64_t index) const { return index < end_; }
    // Every chunk that is needed has been added.
    bool complete() const { return addedBeforeEnd_ == end_; }
    // How far the sampling is, from 0 to 1.
    double doneFraction() const;
    // Once complete: throws what stopped a chunk, or the fault of the first
    // sample that has one (any of vc before any of vo), else returns where the drawing of the traces
    // over NP periods stops.
    std::optional<TraceStop> outcome(std::int32_t NP) const;

private:
    std::vector<bool> added_;
    std::int64_t end_;                // chunks from here on are not needed
    std::int64_t addedBeforeEnd_ = 0;
    std::optional<SampleFault> vcFault_;
    std::optional<SampleFault> voFault_;
    UndrawableSamples undrawable_;
    std::exception_ptr failure_;
};

}  // namespace ostrevo
