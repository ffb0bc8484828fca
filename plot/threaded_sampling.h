#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "plot_sampling.h"

namespace ostrevo {

// The processor's cores, at least one.
int CoreCount();

// The chunks of a plot's sampling computed on a number of threads, each
// taking the next needed chunk in turn. It can be stopped between chunks and
// tells how far it is; the merged outcome does not depend on the number of
// threads.
class ThreadedSampling {
public:
    // Starts at once. `finished` is called once, on the last thread to end,
    // when every needed chunk is in or the sampling was stopped (where no
    // thread can start, at once, the merge holding why).
    ThreadedSampling(std::shared_ptr<const PlotSampling> sampling, int threads, std::function<void()> finished = {});
    // Stops and waits for the threads.
    ~ThreadedSampling();
    ThreadedSampling(const ThreadedSampling&) = delete;
    ThreadedSampling& operator=(const ThreadedSampling&) = delete;

    // No chunk starts after this; those under way end (a few milliseconds).
    void stop();
    // Waits until every thread has ended.
    void wait();
    double doneFraction() const;
    bool stopped() const;
    // Once ended without a stop: the merged chunks.
    const SamplingMerge& merged() const { return merge_; }

private:
    bool startThreads(int threads);
    void work();
    // The next needed chunk, unless stopped.
    std::optional<std::int64_t> takeChunk();

    std::shared_ptr<const PlotSampling> sampling_;
    std::function<void()> finished_;
    mutable std::mutex mutex_;
    SamplingMerge merge_;
    std::int64_t next_ = 0;
    int running_ = 0;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

// Every needed chunk, on `threads` threads (on the calling one for one).
SamplingMerge SampleAll(const std::shared_ptr<const PlotSampling>& sampling, int threads);

}  // namespace ostrevo
