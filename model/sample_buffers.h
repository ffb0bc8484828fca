#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace ostrevo {

// The two sample buffers of the plot, vc and vo. They outlive a plot so that
// the next plot of the same size reuses their memory.
class SampleBuffers {
public:
    // Makes both buffers hold N + 2 zeros (one zero for N below -1). Memory of
    // exactly that size is reused; otherwise the old memory is freed before the
    // new is taken, so that a large plot never holds two pairs of buffers.
    // Stops, before anything is allocated, when N + 1 overflows or when the
    // buffers would take more than half of the machine's memory, and stops
    // when the memory cannot be had.
    void prepare(std::int32_t N);

    std::span<double> vc() { return vc_; }
    std::span<double> vo() { return vo_; }

private:
    std::vector<double> vc_;
    std::vector<double> vo_;
};

}  // namespace ostrevo
