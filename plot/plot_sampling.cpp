#include "plot_sampling.h"

#include <algorithm>
#include <utility>

#include "fault.h"

namespace ostrevo {
namespace {

// A chunk of 2^20 samples takes a few milliseconds of a core (more in the
// page), so that a stop comes soon; one of 2^14 still costs far more than
// handing it to a worker.
constexpr std::int64_t kShortestChunk = std::int64_t{1} << 14;
constexpr std::int64_t kLongestChunk = std::int64_t{1} << 20;
// Two chunks for each worker, so that none waits long for the last ones
// while a plot of a few million samples needs few messages to its workers.
constexpr std::int64_t kChunksPerWorker = 2;

}  // namespace

std::int64_t SamplingJob::ChunkSamplesFor(std::int64_t samples, int workers) {
    const std::int64_t chunks = kChunksPerWorker * std::max(workers, 1);
    return std::clamp((samples + chunks - 1) / chunks, kShortestChunk, kLongestChunk);
}

PlotSampling::PlotSampling(const SamplingJob& job)
    : job_(job),
      waveform_(job.p, job.ts, job.step),
      // Below -1 as -1: nothing to sample or draw.
      sampleCount_(std::int64_t{std::max(job.p.N, -1)} + 1) {}

std::int64_t PlotSampling::chunkCount() const {
    return (sampleCount_ + job_.chunkSamples - 1) / job_.chunkSamples;
}

ChunkOutcome PlotSampling::sampleChunk(std::int64_t index) const {
    const std::int64_t first = index * job_.chunkSamples;
    const std::int64_t last = std::min(first + job_.chunkSamples, sampleCount_) - 1;
    TraceStopFinder stops(static_cast<std::int32_t>(sampleCount_ - 1), job_.p.VPlus, job_.p.Vcc);
    const auto take = [&](const SampleBlock& block) { stops.take(block); };
    RangeFaults faults = SampleWaveformRange(waveform_, first, last, take, VoSamples::OnDemand);
    return {std::move(faults.vc), std::move(faults.vo), stops.found()};
}

SamplingMerge::SamplingMerge(std::int64_t chunkCount)
    : added_(static_cast<std::size_t>(std::max<std::int64_t>(chunkCount, 0))),
      end_(static_cast<std::int64_t>(added_.size())) {}

void SamplingMerge::add(std::int64_t index, const ChunkOutcome& outcome) {
    if (index < 0 || index >= static_cast<std::int64_t>(added_.size()) || added_[index]) return;
    added_[index] = true;
    if (index < end_) ++addedBeforeEnd_;
    const auto keepFirst = [](std::optional<SampleFault>& kept, const std::optional<SampleFault>& found) {
        if (found && (!kept || found->k < kept->k)) kept = found;
    };
    keepFirst(vcFault_, outcome.vcFault);
    keepFirst(voFault_, outcome.voFault);
    undrawable_.include(outcome.undrawable);
    if (outcome.vcFault && index < end_) {
        // The pass stops in this chunk: those after it no longer count.
        end_ = index + 1;
        addedBeforeEnd_ = std::count(added_.begin(), added_.begin() + end_, true);
    }
}

void SamplingMerge::fail(std::exception_ptr failure) {
    if (!failure_) failure_ = std::move(failure);
    end_ = addedBeforeEnd_ = 0;
}

double SamplingMerge::doneFraction() const {
    return end_ == 0 ? 1.0 : static_cast<double>(addedBeforeEnd_) / static_cast<double>(end_);
}

std::optional<TraceStop> SamplingMerge::outcome(std::int32_t NP) const {
    if (failure_) std::rethrow_exception(failure_);
    if (vcFault_) throw Fault(vcFault_->message);
    if (voFault_) throw Fault(voFault_->message);
    return undrawable_.stop(NP);
}

}  // namespace ostrevo
