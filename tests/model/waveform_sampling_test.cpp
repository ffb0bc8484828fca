#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fakes.h"
#include "module1.h"

namespace ostrevo {
namespace {

using testing::CircuitTexts;

// Agreement to the six significant digits the values are quoted with.
void ExpectSixDigits(double actual, double quoted, const std::string& what) {
    EXPECT_NEAR(actual, quoted, 5e-6 * std::fabs(quoted)) << what;
}

class SamplingTest : public testing::ModuleTest {
protected:
    void prepare(const CircuitTexts& texts) {
        testing::TypeCircuit(form, texts);
        module.ReadParameters(ReadOrder::DrawWaveforms);
        testing::PrepareSampling(module);
    }
    void expectPeriod(double ts, double tc, double step, double phaseQuotient) const {
        ExpectSixDigits(module.ts, ts, "ts");
        ExpectSixDigits(module.tc, tc, "tc");
        ExpectSixDigits(module.SampleStep, step, "step");
        ExpectSixDigits(module.ts / module.SampleStep, phaseQuotient, "ts / step");
    }
    // Given times and step, for the phase boundary cases.
    void prepareSteps(double ts, double step, std::int32_t n) {
        testing::TypeCircuit(form, {"12", "22", "4.7", "0", "0", "0", "1", "8", "4", "0", "1", "1"});
        module.ReadParameters(ReadOrder::DrawWaveforms);
        module.Parameters.N = n;
        testing::PrepareSampling(module, ts, step);
    }
};

TEST_F(SamplingTest, IdealExampleSplitsThePeriodAtSample176) {
    prepare(testing::kIdealCircuit);
    module.SampleWaveforms();
    expectPeriod(3.25779, 15.24924, 0.0185070, 176.030);
    EXPECT_EQ(module.VcSamples[0], 8);
    ExpectSixDigits(module.VcSamples[176], 4.00047, "vc 176");
    ExpectSixDigits(module.VcSamples[177], 4.00653, "vc 177");
    ExpectSixDigits(module.VcSamples[1000], 8.00000, "vc 1000");
    for (std::size_t k = 0; k <= 1000; ++k) EXPECT_EQ(module.VoSamples[k], k <= 176 ? 0 : 12) << k;
    EXPECT_EQ(module.VcSamples[1001], 0);
    EXPECT_EQ(module.VoSamples[1001], 0);
    EXPECT_EQ(module.SampleIndex, 1001);
}

TEST_F(SamplingTest, RealExampleValues) {
    prepare(testing::kRealCircuit);
    module.SampleWaveforms();
    expectPeriod(1.22066, 5.70578, 0.00692644, 176.232);
    const struct {
        std::size_t k;
        double vc;
        double vo;
    } samples[] = {
        {0, 6.7, 0.0958115}, {176, 5.33158, 0.0743181}, {177, 5.33145, 11.9466831}, {1000, 6.70000, 11.9587069}};
    for (const auto& s : samples) {
        ExpectSixDigits(module.VcSamples[s.k], s.vc, "vc " + std::to_string(s.k));
        ExpectSixDigits(module.VoSamples[s.k], s.vo, "vo " + std::to_string(s.k));
    }
    EXPECT_EQ(module.VcSamples[0], module.Parameters.VPlus);
    EXPECT_EQ(module.VoSamples[0], (6.7 - 0.6) * module.Parameters.RoL / (4.7 + module.Parameters.RoL));
}

TEST_F(SamplingTest, AWholePhaseQuotientMakesThatSampleADischargeSample) {
    prepareSteps(10, 10, 4);  // ts = 10, tc = 30, N = 4
    module.SampleWaveforms();
    // RoL = 0: exactly 0 while discharging; RoH = 0: exactly Vcc while charging.
    EXPECT_EQ(module.VoSamples, (std::vector<double>{0, 0, 12, 12, 12, 0}));
    EXPECT_LT(module.VcSamples[1], 8);
    EXPECT_EQ(module.VcSamples[2], 12 + (4 - 12) * std::exp(-10 / 22.0));
}

TEST_F(SamplingTest, BuffersTooShortAreRefused) {
    prepareSteps(10, 10, 4);
    module.VoSamples.resize(3);
    EXPECT_THROW(module.SampleWaveforms(), Fault);
}

}  // namespace
}  // namespace ostrevo
