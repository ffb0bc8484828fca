// SampleWaveforms must leave exactly the bits of the plain sample-by-sample
// loop in both buffers, also when it stops at a fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fault.h"
#include "fp_status.h"
#include "timing.h"
#include "waveform_sampling.h"

namespace ostrevo {
namespace {

struct Outcome {
    std::vector<double> vc;
    std::vector<double> vo;
    bool faulted = false;
};

// The loop as it reads: phase test for every k, the status tested after the
// phase quotient, after each exponent and after each stored sample.
Outcome SampleOneByOne(const CircuitParameters& p, double ts, double step, Outcome o) {
    const auto failed = [](const fp::Checked& c) { return c.failed(); };
    const auto phaseOf = [&] { return fp::Evaluate([](double t, double s) { return t / s; }, ts, step); };
    for (std::int32_t k = 0; k <= p.N; ++k) {
        const fp::Checked phase = phaseOf();
        if (failed(phase)) return o.faulted = true, o;
        fp::Checked x;
        fp::Checked sample;
        if (phase.value >= k) {
            x = fp::Evaluate([&](double kk) { return (-kk) * step / ((p.Ci + p.C) * (p.Rs + p.RoL)); }, double(k));
            if (failed(x)) return o.faulted = true, o;
            sample = fp::Evaluate([&](double e) { return p.Vd + (p.VPlus - p.Vd) * std::exp(e); }, x.value);
        } else {
            x = fp::Evaluate([&](double kk) { return -(kk - phase.value) * step / ((p.Rc + p.RoH) * (p.Ci + p.C)); },
                             double(k));
            if (failed(x)) return o.faulted = true, o;
            sample = fp::Evaluate([&](double e) { return (p.Vcc - p.Vd) + (p.VMinus - p.Vcc + p.Vd) * std::exp(e); },
                                  x.value);
        }
        o.vc[k] = sample.value;
        if (failed(sample)) return o.faulted = true, o;
    }
    for (std::int32_t k = 0; k <= p.N; ++k) {
        const fp::Checked phase = phaseOf();
        if (failed(phase)) return o.faulted = true, o;
        const fp::Checked sample =
            phase.value >= k
                ? fp::Evaluate([&](double v) { return (v - p.Vd) * p.RoL / (p.Rs + p.RoL); }, o.vc[k])
                : fp::Evaluate([&](double v) { return p.Vcc - p.RoH * ((p.Vcc - p.Vd - v) / (p.Rc + p.RoH)); }, o.vc[k]);
        o.vo[k] = sample.value;
        if (failed(sample)) return o.faulted = true, o;
    }
    return o;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

struct SamplingCase {
    std::string name;
    CircuitParameters p;  // in internal units
    std::optional<double> ts;    // computed from p when not given
    std::optional<double> step;  // (tc + ts) / N when not given
    const char* fault = nullptr;  // the message of a case that stops at a fault
};

// Earlier contents, so that a sample left unwritten shows.
constexpr double kStale = 7.25;

class SamplingMatchesTheOneByOneLoop : public ::testing::TestWithParam<SamplingCase> {};

TEST_P(SamplingMatchesTheOneByOneLoop, BitForBit) {
    const SamplingCase& c = GetParam();
    const double ts = c.ts.value_or(DischargeTime(c.p));
    const double step = c.step.value_or((ChargeTime(c.p) + ts) / c.p.N);
    const auto length = static_cast<std::size_t>(std::max(c.p.N + 2, 1));
    Outcome sampled{std::vector<double>(length, kStale), std::vector<double>(length, kStale)};

    const Outcome expected = SampleOneByOne(c.p, ts, step, sampled);
    ASSERT_EQ(expected.faulted, c.fault != nullptr);
    std::string message;
    try {
        SampleWaveforms(c.p, ts, step, sampled.vc, sampled.vo);
    } catch (const Fault& fault) {
        message = fault.what();
    }
    EXPECT_EQ(message, c.fault != nullptr ? c.fault : "");
    EXPECT_TRUE(SameBits(sampled.vc, expected.vc));
    EXPECT_TRUE(SameBits(sampled.vo, expected.vo));
}

//                          Vcc  Rc    Rs   RoH    RoL    Ci     C  v+   v-    Vd   NP  N
constexpr CircuitParameters kIdeal{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 5, 1000};
constexpr CircuitParameters kReal{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 5, 1000};

CircuitParameters With(CircuitParameters p, std::int32_t N) {
    p.N = N;
    return p;
}

CircuitParameters WithResistors(CircuitParameters p, double Rc, double Rs) {
    p.Rc = Rc;
    p.Rs = Rs;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SamplingMatchesTheOneByOneLoop,
    ::testing::Values(
        SamplingCase{"IdealExample", kIdeal, {}, {}}, SamplingCase{"RealExample", kReal, {}, {}},
        SamplingCase{"RealExampleManySamples", With(kReal, 1'000'000), {}, {}},
        SamplingCase{"IdealOddBlockLength", With(kIdeal, 4099), {}, {}},
        SamplingCase{"SwappedThresholds", CircuitParameters{12, 22, 4.7, 0, 0, 0, 1, 4, 8, 0, 5, 1000}, {}, {}},
        SamplingCase{"WholePhaseQuotient", With(kIdeal, 4), 10, 10},
        SamplingCase{"NoSamplesButTheFirst", With(kIdeal, 0), 10, 10},
        SamplingCase{"OneSample", With(kReal, 1), {}, {}}, SamplingCase{"TwoSamples", With(kReal, 2), {}, {}},
        SamplingCase{"NegativeN", With(kIdeal, -1), 10, 10},
        SamplingCase{"AllDischarge", With(kIdeal, 5000), 1e9, 1},
        SamplingCase{"AllCharge", With(kIdeal, 5000), -1, 1},
        // Faults: at the first sample, in the middle of a block of the charge, deep in the charge.
        SamplingCase{"ZeroStep", With(kIdeal, 10), 10, 0,
                     "Impossibile calcolare il campione 0 di vc(t): il passo di campionamento (tc + ts)/N è zero."},
        SamplingCase{"NoDischargeResistance", WithResistors(kIdeal, 22, 0), 10, 10,
                     "Impossibile calcolare il campione 0 di vc(t): la costante di tempo di scarica (Ci + C)·(Rs + "
                     "RoL) è zero."},
        SamplingCase{"NoChargeResistanceMidBlock", WithResistors(With(kIdeal, 10'000), 0, 4.7), 3000, 1,
                     "Impossibile calcolare il campione 3001 di vc(t): la costante di tempo di carica (Rc + RoH)·(Ci "
                     "+ C) è zero."},
        SamplingCase{"ChargeThatOverflows", WithResistors(With(kIdeal, 100'000), -1, 4.7), 100, 1,
                     "Impossibile calcolare il campione 808 di vc(t): il risultato supera il massimo numero "
                     "rappresentabile."},
        // exp overflows while the sample it scales would not: no status flag on Windows' runtime.
        SamplingCase{"ExpOverflowsFirst", CircuitParameters{12, -1, 4.7, 0, 0, 0, 1, 8, 11.5, 0, 5, 1000}, 100, 1,
                     "Impossibile calcolare il campione 810 di vc(t): il risultato supera il massimo numero "
                     "rappresentabile."}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace ostrevo
