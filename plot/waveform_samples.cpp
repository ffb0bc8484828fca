#include "waveform_samples.h"

namespace ostrevo {

double WaveformSamples::sample(Trace trace, std::int64_t k) const {
    const Sample both = waveform_.at(k);
    return trace == Trace::Vc ? both.vc : both.vo;
}

SampleRange WaveformSamples::range(Trace trace, std::int64_t first, std::int64_t last) const {
    SampleRange range = SampleRange::Of(sample(trace, first));
    range.include(sample(trace, last));
    // The last sample of each phase inside the run and the first of the next:
    // discharge, charge, and the zero after sample N (never inside: the last).
    const std::int64_t lastDischarge = waveform_.lastDischarge();
    for (const std::int64_t k : {lastDischarge, lastDischarge + 1, std::int64_t{waveform_.parameters().N}}) {
        if (k > first && k < last) range.include(sample(trace, k));
    }
    return range;
}

}  // namespace ostrevo
