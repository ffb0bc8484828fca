#pragma once
#include <cstdint>
#include <optional>

#include "fault.h"
#include "plot_window.h"
#include "waveform_sampling.h"

namespace ostrevo {

// The first samples of each trace whose y cannot be computed or does not fit
// the single precision the drawing takes; none where every y can be drawn.
struct UndrawableSamples {
    std::optional<std::int64_t> vc;
    std::optional<std::int64_t> vo;
    friend bool operator==(const UndrawableSamples&, const UndrawableSamples&) = default;

    // The first of both, for samples found in two parts of the period.
    void include(const UndrawableSamples& other);
    // Where the drawing of the traces must stop: at the first segment of
    // period 1 that reaches such a sample (vc first, then vo); none when
    // every segment can be drawn.
    std::optional<TraceStop> stop(std::int32_t NP) const;
};

// Finds the undrawable samples while the samples are computed, from the
// blocks the sampling hands over (none of vc where N < 2: a single sample of
// vc joins no segment).
class TraceStopFinder {
public:
    TraceStopFinder(std::int32_t N, double VPlus, double Vcc);

    // The next block of samples, in the order of k. Its samples must be
    // monotone in k in each trace, as those of one phase are: a y that cannot
    // be drawn then shows at one of the block's ends.
    void take(const SampleBlock& block);
    const UndrawableSamples& found() const { return found_; }

private:
    std::int32_t N_;
    double VPlus_;
    double Vcc_;
    UndrawableSamples found_;
};

// Why the traces of a request with a stop could not be drawn whole.
Fault CannotDrawWhole(const TraceRequest& request);

}  // namespace ostrevo
