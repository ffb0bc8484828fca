#include "threaded_sampling.h"

#include <algorithm>
#include <utility>

namespace ostrevo {

int CoreCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

ThreadedSampling::ThreadedSampling(std::shared_ptr<const PlotSampling> sampling, int threads,
                                   std::function<void()> finished)
    : sampling_(std::move(sampling)), finished_(std::move(finished)), merge_(sampling_->chunkCount()) {
    // Threads start under the lock, so that none ends before all are counted in.
    const std::lock_guard lock(mutex_);
    try {
        for (int t = 0; t < std::max(threads, 1); ++t) {
            threads_.emplace_back([this] { work(); });
            ++running_;
        }
    } catch (...) {
        // The system gave fewer threads than asked: those it gave do the work.
        if (running_ == 0) throw;
    }
}

ThreadedSampling::~ThreadedSampling() {
    stop();
    wait();
}

void ThreadedSampling::stop() {
    const std::lock_guard lock(mutex_);
    stop_ = true;
}

void ThreadedSampling::wait() {
    for (std::thread& thread : threads_) {
        if (thread.joinable()) thread.join();
    }
}

double ThreadedSampling::doneFraction() const {
    const std::lock_guard lock(mutex_);
    return merge_.doneFraction();
}

bool ThreadedSampling::stopped() const {
    const std::lock_guard lock(mutex_);
    return stop_;
}

std::optional<std::int64_t> ThreadedSampling::takeChunk() {
    const std::lock_guard lock(mutex_);
    if (stop_ || !merge_.needs(next_)) return std::nullopt;
    return next_++;
}

void ThreadedSampling::work() {
    try {
        while (const std::optional<std::int64_t> index = takeChunk()) {
            ChunkOutcome outcome = sampling_->sampleChunk(*index);
            const std::lock_guard lock(mutex_);
            merge_.add(*index, outcome);
        }
    } catch (...) {
        const std::lock_guard lock(mutex_);
        merge_.fail(std::current_exception());
    }
    const bool last = [this] {
        const std::lock_guard lock(mutex_);
        return --running_ == 0;
    }();
    if (last && finished_) finished_();
}

SamplingMerge SampleAll(const std::shared_ptr<const PlotSampling>& sampling, int threads) {
    if (threads <= 1) {  // mutants: skip (one thread either way; the page's core has no other)
        SamplingMerge merge(sampling->chunkCount());
        for (std::int64_t index = 0; merge.needs(index); ++index) {
            merge.add(index, sampling->sampleChunk(index));
        }
        return merge;
    }
    ThreadedSampling threaded(sampling, threads);
    threaded.wait();
    return threaded.merged();
}

}  // namespace ostrevo
