#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "circuit_examples.h"
#include "fault.h"
#include "field_reading.h"
#include "waveform_sampling.h"

namespace ostrevo {
namespace {

using testing::SampledPeriod;

// Agreement to the six significant digits the values are quoted with.
void ExpectSixDigits(double actual, double quoted, const std::string& what) {
    EXPECT_NEAR(actual, quoted, 5e-6 * std::fabs(quoted)) << what;
}

SampledPeriod Sampled(Example example) {
    testing::FakeForm form;
    testing::TypeCircuit(form, testing::ExampleTexts(example));
    return testing::SamplePeriod(ReadCircuit(form, kCircuitFields));
}

void ExpectPeriod(const SampledPeriod& period, double ts, double tc, double step, double phaseQuotient) {
    ExpectSixDigits(period.times.ts, ts, "ts");
    ExpectSixDigits(period.times.tc, tc, "tc");
    ExpectSixDigits(period.step, step, "step");
    ExpectSixDigits(period.times.ts / period.step, phaseQuotient, "ts / step");
}

TEST(SamplingTest, IdealExampleSplitsThePeriodAtSample176) {
    const SampledPeriod period = Sampled(Example::Ideal);
    ExpectPeriod(period, 3.25779, 15.24924, 0.0185070, 176.030);
    EXPECT_EQ(period.vc[0], 8);
    ExpectSixDigits(period.vc[176], 4.00047, "vc 176");
    ExpectSixDigits(period.vc[177], 4.00653, "vc 177");
    ExpectSixDigits(period.vc[1000], 8.00000, "vc 1000");
    for (std::size_t k = 0; k <= 1000; ++k) EXPECT_EQ(period.vo[k], k <= 176 ? 0 : 12) << k;
    EXPECT_EQ(period.vc[1001], 0);
    EXPECT_EQ(period.vo[1001], 0);
}

TEST(SamplingTest, RealExampleValues) {
    const SampledPeriod period = Sampled(Example::Real);
    ExpectPeriod(period, 1.22066, 5.70578, 0.00692644, 176.232);
    const struct {
        std::size_t k;
        double vc;
        double vo;
    } samples[] = {
        {0, 6.7, 0.0958115}, {176, 5.33158, 0.0743181}, {177, 5.33145, 11.9466831}, {1000, 6.70000, 11.9587069}};
    for (const auto& s : samples) {
        ExpectSixDigits(period.vc[s.k], s.vc, "vc " + std::to_string(s.k));
        ExpectSixDigits(period.vo[s.k], s.vo, "vo " + std::to_string(s.k));
    }
    EXPECT_EQ(period.vc[0], period.p.VPlus);
    EXPECT_EQ(period.vo[0], (6.7 - 0.6) * period.p.RoL / (4.7 + period.p.RoL));
}

// The ideal circuit (RoL = RoH = 0) with ts = 10, tc = 30 and N = 4: the step is 10.
constexpr CircuitParameters kFourSamples{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 1, 4};

TEST(SamplingTest, AWholePhaseQuotientMakesThatSampleADischargeSample) {
    std::vector<double> vc(6), vo(6);
    SampleWaveforms(kFourSamples, 10, 10, vc, vo);
    // RoL = 0: exactly 0 while discharging; RoH = 0: exactly Vcc while charging.
    EXPECT_EQ(vo, (std::vector<double>{0, 0, 12, 12, 12, 0}));
    EXPECT_LT(vc[1], 8);
    EXPECT_EQ(vc[2], 12 + (4 - 12) * std::exp(-10 / 22.0));
}

TEST(SamplingTest, BuffersTooShortAreRefused) {
    std::vector<double> vc(6), vo(3);
    EXPECT_THROW(SampleWaveforms(kFourSamples, 10, 10, vc, vo), Fault);
}

}  // namespace
}  // namespace ostrevo
