#include "threaded_sampling.h"

#include <algorithm>
#include <utility>

namespace ostrevo {

int CoreCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

ThreadedSampling::ThreadedSampling(std::shared_ptr<const PlotSampling> sampling, int threads,
                                   std::function<void()> finished)
    : sampling_(std::move(sampling)), finished_(std::move(finished)), merge_(sampling_->chunkCount()) {
    if (startThreads(std::max(threads, 1))) return;
    // Not one thread to be had: the sampling ends at once, with why.
    if (finished_) finished_();
}

// Whether any thread started; those the system gives do the work.
bool ThreadedSampling::startThreads(int threads) {
    // Threads start under the lock, so that none ends before all are counted in.
    const std::lock_guard lock(mutex_);
    try {
        for (int t = 0; t < threads; ++t) {
            threads_.emplace_back([this] { work(); });
            ++running_;
        }
    } catch (...) {
        if (running_ == 0) merge_.fail(std::current_exception());
    }
    return running_ > 0;
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
