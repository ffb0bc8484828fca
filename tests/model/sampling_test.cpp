// The sampling of one period: the worked example, and the fast path against
// the plain loop over k, bit for bit, also where it stops at a fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "circuit_examples.h"
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

struct SamplingCase {
    const char* name;
    CircuitParameters p;
    double ts = NAN;    // computed from p when not given
    double step = NAN;  // (tc + ts) / N when not given
    std::int64_t fault = -1;  // the sample where the sampling stops
    const char* reason = "";
    const char* trace = "vc(t)";
};

CircuitParameters With(CircuitParameters p, std::int32_t N, double Rc, double Rs) {
    std::tie(p.N, p.Rc, p.Rs) = std::tuple(N, Rc, Rs);
    return p;
}

TEST(SamplingTest, FastPathMatchesThePlainLoop) {
    const char* overflow = "il risultato supera il massimo numero rappresentabile";
    const char* noDischarge = "la costante di tempo di scarica (Ci + C)·(Rs + RoL) è zero";
    const SamplingCase cases[] = {
        {"ideal", kIdeal}, {"real", kReal}, {"many samples", With(kReal, 1'000'000, 22, 4.7)},
        {"N = 4099", With(kIdeal, 4099, 22, 4.7)}, {"v+ below v-", {12, 22, 4.7, 0, 0, 0, 1, 4, 8, 0, 5, 1000}},
        {"whole phase quotient", With(kIdeal, 4, 22, 4.7), 10, 10}, {"N = 0", With(kIdeal, 0, 22, 4.7), 10, 10},
        {"N = 1, phase below 1", With(kReal, 1, 22, 4.7), 0.5, 1}, {"phase 0", With(kReal, 3, 22, 4.7), 0, 1}, {"N = -1", With(kIdeal, -1, 22, 4.7), 10, 10},
        {"all discharge", With(kReal, 5000, 22, 4.7), 1e9, 1}, {"all charge", With(kReal, 5000, 22, 4.7), -1, 1},
        {"zero step", With(kIdeal, 10, 22, 4.7), 10, 0, 0, "il passo di campionamento (tc + ts)/N è zero"},
        {"no discharge resistance", With(kIdeal, 10, 22, 0), 10, 10, 0, noDischarge},
        {"no charge resistance mid block", With(kIdeal, 10'000, 0, 4.7), 3000, 1, 3001,
         "la costante di tempo di carica (Rc + RoH)·(Ci + C) è zero"},
        {"charge that overflows", With(kIdeal, 100'000, -1, 4.7), 100, 1, 808, overflow},
        // exp overflows while the sample it scales would not: Windows' runtime raises no flag for it.
        {"exp overflows first", {12, -1, 4.7, 0, 0, 0, 1, 8, 11.5, 0, 5, 1000}, 100, 1, 810, overflow},
        {"discharge that overflows", With(kReal, 100'000, 22, -1), 1e9, 1, 659, overflow},
        {"charge time constant too large", With(kReal, 1000, 1.79e308, 4.7), 100, 1, 101, overflow},
        {"exact path, all discharge", With(kReal, 1000, 1.79e308, 4.7), 500, 0.5},  // a time constant overflows
        {"exact path, all charge", With(kReal, 1000, 22, 1.79e308), -1, 0.5},
        {"fault alone in its block", With(kIdeal, 10, 22, 0), 0, 1, 0, noDischarge},
        {"Rc = RoH, Ci = C", {12, 0.195, 4.7, 0.195, 0.075, 1, 1, 6.7, 5.33, 0.6, 5, 10}, 0, 1e308, 2, overflow},
        {"Ci = C, Rs = RoL", {12, 22, 0.001, 0, 0.001, 1, 1, 8, 4, 0, 5, 10}, 1e308, 1e308, 1, overflow},
        {"vo overflows", {12, 22, 0, 0, 1e308, 0, 1, 8, 4, 0, 5, 5000}, 100, 1, 0, overflow, "vo(t)"},
        // a fault at a block's first sample alone (where no status flags show it)
        {"vo overflows at 0 only", {12, 22, 0, 0, 1e300, 0, 1, 1e10, 4, 0, 5, 10}, 1e308, 1e301, 0, overflow, "vo(t)"},
        {"vo fault, then vc fault", {12, -1, 0, 0, 1e308, 0, 1, 8, 11.5, 0, 5, 5000}, 100, 1, 810, overflow},
    };
    for (const SamplingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const double ts = std::isnan(c.ts) ? DischargeTime(c.p) : c.ts;
        const double step = std::isnan(c.step) ? (ChargeTime(c.p) + ts) / c.p.N : c.step;
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
