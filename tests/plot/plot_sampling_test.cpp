// The chunked sampling of a plot, on any number of threads, against the one
// pass over every sample: the same fault, the same stop of the drawing.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "fault.h"
#include "sampling_cases.h"
#include "threaded_sampling.h"
#include "trace_stop.h"

namespace ostrevo {
namespace {

// What a plot's sampling ends in: a fault's message, or where the drawing stops.
struct SamplingEnd {
    std::string message;
    std::optional<TraceStop> stop;
    friend bool operator==(const SamplingEnd&, const SamplingEnd&) = default;
};

template <typename Sample>
SamplingEnd EndOf(Sample sample) {
    try {
        return {"", sample()};
    } catch (const Fault& fault) {
        return {fault.what(), std::nullopt};
    }
}

SamplingEnd OnePass(const PeriodWaveform& waveform) {
    const CircuitParameters& p = waveform.parameters();
    return EndOf([&] {
        TraceStopFinder stops(p.N, p.VPlus, p.Vcc);
        SampleWaveforms(waveform, [&](const SampleBlock& block) { stops.take(block); });
        return stops.found().stop(p.NP);
    });
}

SamplingEnd Chunked(const SamplingJob& job, int threads) {
    const auto sampling = std::make_shared<const PlotSampling>(job);
    return EndOf([&] { return SampleAll(sampling, threads).outcome(job.p.NP); });
}

// The page's core has no threads: it samples on one, its workers do the rest.
#ifdef __EMSCRIPTEN__
constexpr int kThreadCounts[] = {1};
#define SKIP_WITHOUT_THREADS() GTEST_SKIP() << "no threads in this WebAssembly"
#else
constexpr int kThreadCounts[] = {1, 2, 5};
#define SKIP_WITHOUT_THREADS()
#endif

TEST(PlotSampling, AnyChunksOnAnyThreadsEndAsOnePass) {
    for (const testing::SamplingCase& c : testing::SamplingCases()) {
        SCOPED_TRACE(c.name);
        const auto [ts, step] = testing::StepsOf(c);
        const SamplingEnd expected = OnePass(PeriodWaveform(c.p, ts, step));
        // Chunks of one sample, across a block, of one block, whole; a
        // thread for every core, and more threads than chunks.
        for (const std::int64_t chunkSamples : {std::int64_t{1}, std::int64_t{7}, std::int64_t{2048}, std::int64_t{1} << 20}) {
            if (chunkSamples < 7 && c.p.N > 10'000) continue;
            for (const int threads : kThreadCounts) {
                EXPECT_EQ(Chunked({c.p, ts, step, chunkSamples}, threads), expected) << chunkSamples << " " << threads;
            }
        }
    }
}

// Chunks come in any order; the fault of vc in an earlier chunk wins over
// any later one and over every fault of vo, and ends what is needed.
TEST(SamplingMerge, FirstFaultInSampleOrderWhateverTheOrderOfChunks) {
    const SampleFault vo3{3, "vo 3"}, vc9{9, "vc 9"}, vc5{5, "vc 5"};
    SamplingMerge merge(6);
    EXPECT_EQ(merge.doneFraction(), 0);
    merge.add(4, {vc9, std::nullopt, {}});
    EXPECT_FALSE(merge.needs(5));
    EXPECT_TRUE(merge.needs(4));
    merge.add(1, {std::nullopt, vo3, {}});
    merge.add(2, {vc5, std::nullopt, {}});
    merge.add(3, {SampleFault{7, "vc 7"}, std::nullopt, {}});  // taken before the pass was known to stop
    merge.add(6, {SampleFault{1, "vc 1"}, std::nullopt, {}});  // no such chunk
    EXPECT_FALSE(merge.needs(3));
    EXPECT_FALSE(merge.complete());
    EXPECT_DOUBLE_EQ(merge.doneFraction(), 2.0 / 3);
    merge.add(0, {std::nullopt, std::nullopt, {.vc = 4, .vo = {}}});
    EXPECT_TRUE(merge.complete());
    EXPECT_EQ(EndOf([&] { return merge.outcome(1); }).message, "vc 5");

    SamplingMerge clean(3);
    clean.add(2, {std::nullopt, std::nullopt, {.vc = 40, .vo = 2}});
    clean.add(1, {std::nullopt, std::nullopt, {.vc = {}, .vo = 25}});
    clean.add(1, {std::nullopt, vo3, {}});  // a chunk counts once
    EXPECT_FALSE(clean.complete());
    clean.add(0, {});
    EXPECT_EQ(clean.outcome(1), (TraceStop{Trace::Vc, 39}));
    EXPECT_EQ(clean.outcome(0), std::nullopt);

    EXPECT_EQ(SamplingMerge(1).doneFraction(), 0);
    SamplingMerge none(0);  // nothing to sample
    EXPECT_TRUE(none.complete());
    EXPECT_EQ(none.doneFraction(), 1);
    // The first failure that is no fault of the samples ends it all.
    SamplingMerge failed(4);
    failed.fail(std::make_exception_ptr(std::bad_alloc()));
    failed.fail(std::make_exception_ptr(std::length_error("")));
    EXPECT_TRUE(failed.complete());
    EXPECT_FALSE(failed.needs(0));
    EXPECT_THROW(failed.outcome(1), std::bad_alloc);
}

// The end is told once, by the last thread, when every chunk is in.
TEST(ThreadedSampling, TellsItsEndOnceAllIsIn) {
    SKIP_WITHOUT_THREADS();
    CircuitParameters p{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 5, 1'000'000};
    const auto sampling = std::make_shared<const PlotSampling>(SamplingJob{p, 1.22, 6.9e-6, 1 << 14});
    for (const int threads : {0, 3}) {
        std::atomic<int> finished = 0;
        std::atomic<double> doneWhenTold = 0;
        ThreadedSampling threaded(sampling, threads, [&] {
            doneWhenTold = threaded.doneFraction();
            ++finished;
        });
        threaded.wait();
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(doneWhenTold, 1);
        EXPECT_FALSE(threaded.stopped());
    }
}

TEST(ThreadedSampling, StopsBetweenChunksAndTellsHowFar) {
    SKIP_WITHOUT_THREADS();
    CircuitParameters p{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 5, 2'000'000'000};
    const auto sampling = std::make_shared<const PlotSampling>(SamplingJob{p, 1.22, 3.5e-9, 1 << 14});
    std::atomic<int> finished = 0;
    ThreadedSampling threaded(sampling, 3, [&] { ++finished; });
    while (threaded.doneFraction() == 0) std::this_thread::yield();
    threaded.stop();
    threaded.wait();
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(threaded.stopped());
    EXPECT_GT(threaded.doneFraction(), 0);
    EXPECT_LT(threaded.doneFraction(), 0.01);
    p.N = 2047;  // samples 0..2047 in chunks of 1024, and one more sample
    EXPECT_EQ(PlotSampling({p, 1.22, 0.01, 1024}).chunkCount(), 2);
    p.N = 2048;
    EXPECT_EQ(PlotSampling({p, 1.22, 0.01, 1024}).chunkCount(), 3);
    EXPECT_EQ(SamplingJob::ChunkSamplesFor(2'000'000'001, 2), 1 << 20);
    EXPECT_EQ(SamplingJob::ChunkSamplesFor(1'000'000, 2), 250'000);
    EXPECT_EQ(SamplingJob::ChunkSamplesFor(1'000'001, 0), 500'001);
    EXPECT_EQ(SamplingJob::ChunkSamplesFor(1'000, 8), 1 << 14);
}

}  // namespace
}  // namespace ostrevo
