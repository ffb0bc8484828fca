#include "waveform_sampling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "fault.h"
#include "fp_status.h"
#include "vector_state.h"

namespace ostrevo {
namespace {

// Stops the sampling when `result` raised a fault; `cause` explains the usual
// reason when `causeHolds`, otherwise the status flags speak.
void Require(const fp::Checked& result, const char* trace, std::int64_t k, bool causeHolds, const char* cause) {
    if (!result.failed()) return;
    throw Fault("Impossibile calcolare il campione " + std::to_string(k) + " di " + trace + ": " +
                (causeHolds ? std::string(cause) : fp::DescribeFaults(result.faults)) + ".");
}

void RequireBuffers(std::span<const double> vc, std::span<const double> vo, std::int32_t n) {
    const auto needed = static_cast<std::size_t>(static_cast<std::int64_t>(n) + 2);
    if (vc.size() < needed || vo.size() < needed) {
        throw Fault("Impossibile calcolare i campioni: lo spazio per gli N = " + std::to_string(n) +
                    " campioni non è stato preparato.");
    }
}

// What one sampling works on: the circuit, the discharge time, the step and
// the two buffers.
struct Sampling {
    const CircuitParameters& p;
    double ts;
    double step;
    std::span<double> vc;
    std::span<double> vo;
};

// ---- One sample at a time, every step tested: what the sampling is defined
// by, and the replay that finds the exact sample of a fault.

fp::Checked PhaseQuotient(const Sampling& s) {
    return fp::Evaluate([](double t, double step) { return t / step; }, s.ts, s.step);
}

void SampleVcExactly(const Sampling& s, std::int64_t k) {
    const CircuitParameters& p = s.p;
    const fp::Checked phase = PhaseQuotient(s);
    Require(phase, "vc(t)", k, s.step == 0, "il passo di campionamento (tc + ts)/N è zero");
    fp::Checked sample;
    if (phase.value >= static_cast<double>(k)) {
        const fp::Checked x = fp::Evaluate(
            [](double kk, double step, double ci, double c, double rs, double rol) {
                return (-kk) * step / ((ci + c) * (rs + rol));
            },
            static_cast<double>(k), s.step, p.Ci, p.C, p.Rs, p.RoL);
        Require(x, "vc(t)", k, (p.Ci + p.C) * (p.Rs + p.RoL) == 0,
                "la costante di tempo di scarica (Ci + C)·(Rs + RoL) è zero");
        sample = fp::Evaluate([](double vd, double vPlus, double e) { return vd + (vPlus - vd) * std::exp(e); },
                              p.Vd, p.VPlus, x.value);
    } else {
        const fp::Checked x = fp::Evaluate(
            [](double kk, double m, double step, double rc, double roh, double ci, double c) {
                return -(kk - m) * step / ((rc + roh) * (ci + c));
            },
            static_cast<double>(k), phase.value, s.step, p.Rc, p.RoH, p.Ci, p.C);
        Require(x, "vc(t)", k, (p.Rc + p.RoH) * (p.Ci + p.C) == 0,
                "la costante di tempo di carica (Rc + RoH)·(Ci + C) è zero");
        sample = fp::Evaluate(
            [](double vcc, double vd, double vMinus, double e) { return (vcc - vd) + (vMinus - vcc + vd) * std::exp(e); },
            p.Vcc, p.Vd, p.VMinus, x.value);
    }
    s.vc[static_cast<std::size_t>(k)] = sample.value;
    Require(sample, "vc(t)", k, false, "");
}

void SampleVoExactly(const Sampling& s, std::int64_t k) {
    const CircuitParameters& p = s.p;
    const fp::Checked phase = PhaseQuotient(s);
    Require(phase, "vo(t)", k, s.step == 0, "il passo di campionamento (tc + ts)/N è zero");
    const double vc = s.vc[static_cast<std::size_t>(k)];
    fp::Checked sample;
    bool resistanceIsZero = false;
    const char* zeroResistance = "";
    if (phase.value >= static_cast<double>(k)) {
        sample = fp::Evaluate([](double v, double vd, double rol, double rs) { return (v - vd) * rol / (rs + rol); },
                              vc, p.Vd, p.RoL, p.Rs);
        resistanceIsZero = p.Rs + p.RoL == 0;
        zeroResistance = "Rs + RoL è zero (divisione per zero)";
    } else {
        sample = fp::Evaluate(
            [](double v, double vcc, double vd, double roh, double rc) { return vcc - roh * ((vcc - vd - v) / (rc + roh)); },
            vc, p.Vcc, p.Vd, p.RoH, p.Rc);
        resistanceIsZero = p.Rc + p.RoH == 0;
        zeroResistance = "Rc + RoH è zero (divisione per zero)";
    }
    s.vo[static_cast<std::size_t>(k)] = sample.value;
    Require(sample, "vo(t)", k, resistanceIsZero, zeroResistance);
}

void SampleExactly(const Sampling& s) {
    for (std::int64_t k = 0; k <= s.p.N; ++k) SampleVcExactly(s, k);
    for (std::int64_t k = 0; k <= s.p.N; ++k) SampleVoExactly(s, k);
}

// ---- The fast path: the same operations on the same operands, so the same
// bits, with the loop invariants taken out of the loops, the two phases as two
// index ranges, and the status flags tested once per block of samples.

// What every sample repeats. Each is the value of a subexpression that the
// formulas evaluate first (sums, products and differences taken left to
// right), so using it leaves every rounding in its place.
struct Invariants {
    double phase;            // ts / SampleStep
    double dischargeTau;     // (Ci + C) * (Rs + RoL)
    double chargeTau;        // (Rc + RoH) * (Ci + C)
    double dischargeSpan;    // v+ - Vd
    double chargeAsymptote;  // Vcc - Vd
    double chargeSpan;       // v- - Vcc + Vd
    double dischargeDivisor; // Rs + RoL
    double chargeDivisor;    // Rc + RoH
};

// The invariants, or nothing when computing them raised a fault: the exact
// path then reports it at the sample where it belongs.
std::optional<Invariants> CleanInvariants(const Sampling& s) {
    fp::ClearFlags();
    CircuitParameters p = s.p;
    double ts = s.ts;
    double step = s.step;
    fp::Pin(p);
    fp::Pin(ts);
    fp::Pin(step);
    Invariants v{ts / step,
                 (p.Ci + p.C) * (p.Rs + p.RoL),
                 (p.Rc + p.RoH) * (p.Ci + p.C),
                 p.VPlus - p.Vd,
                 p.Vcc - p.Vd,
                 p.VMinus - p.Vcc + p.Vd,
                 p.Rs + p.RoL,
                 p.Rc + p.RoH};
    fp::Pin(v);
    if (fp::RaisedFlags() != 0) return std::nullopt;
    return v;
}

// The last discharge sample: the phase test "ts / SampleStep >= k" holds for
// k = 0..floor(ts / SampleStep) and for no other k (k is exact as a double).
std::int64_t LastDischargeSample(double phase, std::int32_t n) {
    if (!(phase >= 0)) return -1;  // a NaN passes no phase test either
    if (phase >= n) return n;
    return static_cast<std::int64_t>(std::floor(phase));
}

constexpr std::int64_t kBlock = 2048;

// Whether a block computed without fault: no status flag raised, and finite
// samples. The samples of a range are monotone in k (their exponent is linear
// in k), so an exponential that overflowed anywhere in the block, which some
// math libraries do not flag, shows at one of its two ends.
bool CleanBlock(const std::array<double, kBlock>& block, std::int64_t count) {
    return fp::RaisedFlags() == 0 && std::isfinite(block[0]) && std::isfinite(block[count - 1]);
}

// Stores sample(k) for k = first..last into `out`, a block at a time. A block
// that is not clean is not stored; `exact` redoes it sample by sample, which
// stores what the straightforward loop stores and throws where it throws.
template <typename Sample, typename Exact>
void FillRange(std::span<double> out, std::int64_t first, std::int64_t last, Sample sample, Exact exact) {
    std::array<double, kBlock> block;
    for (std::int64_t start = first; start <= last; start += kBlock) {
        const std::int64_t count = std::min(kBlock, last - start + 1);
        fp::ClearFlags();
        std::int64_t base = start;
        fp::Pin(base);  // no sample of the block is computed before the flags are cleared
        for (std::int64_t i = 0; i < count; ++i) block[i] = sample(base + i);
        fp::Pin(block);
        if (CleanBlock(block, count)) {
            std::copy_n(block.begin(), count, out.begin() + start);
        } else {
            for (std::int64_t k = start; k < start + count; ++k) exact(k);
        }
    }
}

void SampleVcFast(const Sampling& s, const Invariants& v, std::int64_t lastDischarge) {
    const CircuitParameters& p = s.p;
    const double step = s.step;
    const auto exact = [&s](std::int64_t k) { SampleVcExactly(s, k); };
    FillRange(s.vc, 0, lastDischarge, [&](std::int64_t k) {
        return p.Vd + v.dischargeSpan * std::exp((-static_cast<double>(k)) * step / v.dischargeTau);
    }, exact);
    FillRange(s.vc, lastDischarge + 1, p.N, [&](std::int64_t k) {
        return v.chargeAsymptote + v.chargeSpan * std::exp(-(static_cast<double>(k) - v.phase) * step / v.chargeTau);
    }, exact);
}

void SampleVoFast(const Sampling& s, const Invariants& v, std::int64_t lastDischarge) {
    const CircuitParameters& p = s.p;
    const double* vc = s.vc.data();
    const auto exact = [&s](std::int64_t k) { SampleVoExactly(s, k); };
    FillRange(s.vo, 0, lastDischarge, [&](std::int64_t k) {
        return (vc[k] - p.Vd) * p.RoL / v.dischargeDivisor;
    }, exact);
    FillRange(s.vo, lastDischarge + 1, p.N, [&](std::int64_t k) {
        return p.Vcc - p.RoH * ((v.chargeAsymptote - vc[k]) / v.chargeDivisor);
    }, exact);
}

}  // namespace

double SampleStep(const Times& times, std::int32_t N) {
    const double n = N;
    const fp::Checked step = fp::Evaluate([](double tc, double ts, double count) { return (tc + ts) / count; },
                                          times.tc, times.ts, n);
    if (!step.failed()) return step.value;
    throw Fault(std::string("Impossibile calcolare il passo di campionamento (tc + ts)/N: ") +
                (n == 0 ? "il numero di campioni N è zero (divisione per zero)" : fp::DescribeFaults(step.faults)) + ".");
}

void SampleWaveforms(const CircuitParameters& p, double ts, double step, std::span<double> vc,
                     std::span<double> vo) {
    if (p.N < 0) return;
    RequireBuffers(vc, vo, p.N);
    ClearVectorUpperState();  // every sample calls libm's exp
    const Sampling sampling{p, ts, step, vc, vo};
    const std::optional<Invariants> invariants = CleanInvariants(sampling);
    if (!invariants) {
        SampleExactly(sampling);
        return;
    }
    const std::int64_t lastDischarge = LastDischargeSample(invariants->phase, p.N);
    SampleVcFast(sampling, *invariants, lastDischarge);
    SampleVoFast(sampling, *invariants, lastDischarge);
}

}  // namespace ostrevo
