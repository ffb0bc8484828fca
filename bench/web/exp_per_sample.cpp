// One exp per sample of one period, as WebAssembly beside the page: the least
// the sampling of "Grafici" can take in the same browser.
#include <cmath>

extern "C" double ExpPerSample(int lastSample, double scale) {
    double sum = 0;
    for (int k = 0; k <= lastSample; ++k) sum += std::exp(-static_cast<double>(k) * scale);
    return sum;
}
