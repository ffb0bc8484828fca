#pragma once
#include <cstdint>
#include <optional>

#include "fault.h"
#include "plot_window.h"
#include "waveform_sampling.h"

namespace ostrevo {

// Where the drawing of the traces must stop: at the first segment of period 1
// that reaches a sample whose y cannot be computed or does not fit the single
// precision the drawing takes (vc first, then vo). Found while the samples
// are computed, from the blocks the sampling hands over.
class TraceStopFinder {
public:
    TraceStopFinder(std::int32_t N, std::int32_t NP, double VPlus, double Vcc);

    // The next block of samples, in the order of k. Its samples must be
    // monotone in k in each trace, as those of one phase are: a y that cannot
    // be drawn then shows at one of the block's ends.
    void take(const SampleBlock& block);
    // Once samples 0..N have been taken: none when every segment can be drawn.
    std::optional<TraceStop> stop() const;

private:
    std::int32_t N_;
    std::int32_t NP_;
    double VPlus_;
    double Vcc_;
    std::optional<std::int64_t> vcSample_;  // the first sample without a drawable y
    std::optional<std::int64_t> voSample_;
};

// Why the traces of a request with a stop could not be drawn whole.
Fault CannotDrawWhole(const TraceRequest& request);

}  // namespace ostrevo
