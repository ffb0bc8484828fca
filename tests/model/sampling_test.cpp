// The sampling of one period: the worked example, and the fast path against
// the plain loop over k, bit for bit, also where it stops at a fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "circuit_examples.h"
#include "sampling_cases.h"
#include "fault.h"
#include "timing.h"
#include "waveform_sampling.h"

namespace ostrevo {
namespace {

//                          Vcc  Rc  Rs   RoH    RoL    Ci     C  v+   v-    Vd   NP  N
constexpr CircuitParameters kIdeal{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 5, 1000};
constexpr CircuitParameters kReal{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 5, 1000};

// The values quoted to six significant digits: the times, the step, and vc
// and vo at the start, the last discharge sample and the first charge sample.
TEST(SamplingTest, RealExample) {
    const testing::SampledPeriod period = testing::SamplePeriod(kReal);
    const double quoted[] = {1.22066, 5.70578, 0.00692644, 6.7, 5.33158, 5.33145, 0.0958115, 0.0743181, 11.9466831};
    const double actual[] = {period.times.ts, period.times.tc, period.step,    period.vc[0], period.vc[176],
                             period.vc[177],  period.vo[0],    period.vo[176], period.vo[177]};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(actual[i], quoted[i], 5e-6 * quoted[i]) << i;
    EXPECT_THROW(SampleStep({1, 2}, 0), Fault);
    EXPECT_THROW(RequireSampleCount(2147483647), Fault);
    EXPECT_NO_THROW(RequireSampleCount(2147483646));
}

// The loop as the formulas read, nothing taken out of it.
double PlainVc(const CircuitParameters& p, double phase, double step, double k) {
    if (phase >= k) return p.Vd + (p.VPlus - p.Vd) * std::exp((-k) * step / ((p.Ci + p.C) * (p.Rs + p.RoL)));
    return (p.Vcc - p.Vd) + (p.VMinus - p.Vcc + p.Vd) * std::exp(-(k - phase) * step / ((p.Rc + p.RoH) * (p.Ci + p.C)));
}
double PlainVo(const CircuitParameters& p, double phase, double vc, double k) {
    if (phase >= k) return (vc - p.Vd) * p.RoL / (p.Rs + p.RoL);
    return p.Vcc - p.RoH * ((p.Vcc - p.Vd - vc) / (p.Rc + p.RoH));
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SamplingTest, FastPathMatchesThePlainLoop) {
    for (const testing::SamplingCase& c : testing::SamplingCases()) {
        SCOPED_TRACE(c.name);
        const auto [ts, step] = testing::StepsOf(c);
        const PeriodWaveform waveform(c.p, ts, step);
        std::vector<double> vc, vo;
        std::string message;
        try {
            SampleWaveforms(waveform, [&](const SampleBlock& block) {
                ASSERT_EQ(block.first, static_cast<std::int64_t>(vc.size()));
                vc.insert(vc.end(), block.vc.begin(), block.vc.end());
                vo.insert(vo.end(), block.vo.begin(), block.vo.end());
            });
        } catch (const Fault& fault) {
            message = fault.what();
        }
        const bool faulted = c.fault >= 0;
        EXPECT_EQ(message, faulted ? "Impossibile calcolare il campione " + std::to_string(c.fault) + " di " +
                                         c.trace + ": " + c.reason + "."
                                   : "");
        // A range reports its first fault with its sample.
        const RangeFaults faults = SampleWaveformRange(waveform, 0, c.p.N, [](const SampleBlock&) {});
        const std::optional<SampleFault>& first = faults.vc ? faults.vc : faults.vo;
        EXPECT_EQ(first ? first->k : -1, c.fault);
        const auto handedOver = static_cast<std::int64_t>(vc.size());
        EXPECT_EQ(handedOver == std::max(c.p.N + 1, 0), !faulted);
        if (faulted) { EXPECT_LE(handedOver, c.fault); }
        for (std::int64_t k = 0; k <= c.p.N; ++k) {
            const double plainVc = PlainVc(c.p, ts / step, step, k);
            const double plainVo = PlainVo(c.p, ts / step, plainVc, k);
            if (k < handedOver) { ASSERT_TRUE(SameBits(vc[k], plainVc) && SameBits(vo[k], plainVo)) << k; }
            if (faulted) continue;
            const Sample sample = waveform.at(k);  // the closed formula the drawing reads
            ASSERT_TRUE(SameBits(sample.vc, plainVc) && SameBits(sample.vo, plainVo)) << k;
        }
        const Sample afterLast = waveform.at(c.p.N + 1);
        EXPECT_EQ(std::tie(afterLast.vc, afterLast.vo), std::tuple(0.0, 0.0));
    }
}

}  // namespace
}  // namespace ostrevo
