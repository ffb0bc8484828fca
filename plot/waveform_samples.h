#pragma once
#include "plot_window.h"
#include "waveform_sampling.h"

namespace ostrevo {

// The circuit's period as the renderers read it: each sample from its closed
// formula when asked for, none kept.
class WaveformSamples : public PeriodSamples {
public:
    explicit WaveformSamples(const PeriodWaveform& waveform) : waveform_(waveform) {}

    const PeriodWaveform& waveform() const { return waveform_; }
    double sample(Trace trace, std::int64_t k) const override;
    // The samples are monotone within each phase, so the range of a run is
    // that of its two ends and of the ends of the phases inside it.
    SampleRange range(Trace trace, std::int64_t first, std::int64_t last) const override;

private:
    PeriodWaveform waveform_;
};

}  // namespace ostrevo
