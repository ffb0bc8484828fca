#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "circuit.h"

namespace ostrevo {

// The sampling step (tc + ts) / N of one period. Stops when it cannot be computed.
double SampleStep(const Times& times, std::int32_t N);

// Stops an N whose N + 1, the last sample index of the vo trace, does not fit 32 bits.
void RequireSampleCount(std::int32_t N);

// Both traces at one sample index.
struct Sample {
    double vc = 0;
    double vo = 0;
};

// The subexpressions every sample repeats, each the value the formulas
// evaluate first (sums, products and differences taken left to right), so
// that using it leaves every rounding in its place.
struct SampleInvariants {
    double phase;             // ts / step
    double dischargeTau;      // (Ci + C) * (Rs + RoL)
    double chargeTau;         // (Rc + RoH) * (Ci + C)
    double dischargeSpan;     // v+ - Vd
    double chargeAsymptote;   // Vcc - Vd
    double chargeSpan;        // v- - Vcc + Vd
    double dischargeDivisor;  // Rs + RoL
    double chargeDivisor;     // Rc + RoH
    bool clean = false;       // computed without fault
};

// One period of the steady state, each sample a closed formula of its index
// k = 0..N: the capacitor discharges while ts / step >= k and charges after.
// Within each phase both traces are monotone in k (the exponent is linear in
// k, every other step a monotone function of the one before).
class PeriodWaveform {
public:
    PeriodWaveform(const CircuitParameters& p, double ts, double step);

    const CircuitParameters& parameters() const { return p_; }
    double ts() const { return ts_; }
    double step() const { return step_; }
    const SampleInvariants& invariants() const { return v_; }
    // The last discharge sample; -1 when the period starts charging.
    std::int64_t lastDischarge() const { return lastDischarge_; }

    // Sample k, to the last bit what the loop computing every sample in turn
    // gives. k = N + 1 gives zeros: the point each period of vo ends on.
    Sample at(std::int64_t k) const;

    // The pieces of the formulas, for the sampling's blocks.
    double exponent(std::int64_t k, bool discharge) const {
        return discharge ? (-static_cast<double>(k)) * step_ / v_.dischargeTau
                         : -(static_cast<double>(k) - v_.phase) * step_ / v_.chargeTau;
    }
    double vcOf(double exponentValue, bool discharge) const;
    double voOf(double vc, bool discharge) const {
        return discharge ? (vc - p_.Vd) * p_.RoL / v_.dischargeDivisor
                         : p_.Vcc - p_.RoH * ((v_.chargeAsymptote - vc) / v_.chargeDivisor);
    }

private:
    CircuitParameters p_;
    double ts_;
    double step_;
    SampleInvariants v_;
    std::int64_t lastDischarge_;
};

// Consecutive samples first, first + 1, ... of both traces, all of one phase.
struct SampleBlock {
    std::int64_t first = 0;
    std::span<const double> vc;
    std::span<const double> vo;  // empty when the sampling was asked for vc alone
    const PeriodWaveform* waveform = nullptr;
    bool discharge = false;

    std::int64_t last() const { return first + static_cast<std::int64_t>(vc.size()) - 1; }
    double vcAt(std::int64_t k) const { return vc[static_cast<std::size_t>(k - first)]; }
    // vo of sample k, from its vc where the block does not hold it: the same bits.
    double voAt(std::int64_t k) const {
        return vo.empty() ? waveform->voOf(vcAt(k), discharge) : vo[static_cast<std::size_t>(k - first)];
    }
};

// Whether blocks hold vo, or leave it to be computed from vc where it is
// needed (a block without fault then costs one division less per sample).
enum class VoSamples { Kept, OnDemand };

// A sample that could not be computed, with the message that says why.
struct SampleFault {
    std::int64_t k = 0;
    std::string message;
    friend bool operator==(const SampleFault&, const SampleFault&) = default;
};

// What sampling a range found: the first sample of vc that could not be
// computed (the range stops there), and the first of vo.
struct RangeFaults {
    std::optional<SampleFault> vc;
    std::optional<SampleFault> vo;
};

// Computes samples first..last of the period (within 0..N) in one pass, a
// block at a time, and hands each block to `take` in the order of k; no
// memory grows with the range. Neither the block with the first fault of vc
// nor any block from the one with the first fault of vo on is handed over.
RangeFaults SampleWaveformRange(const PeriodWaveform& waveform, std::int64_t first, std::int64_t last,
                                const std::function<void(const SampleBlock&)>& take, VoSamples vo = VoSamples::Kept);

// Samples 0..N (nothing for N < 0) the same way; stops at the first sample of
// vc that cannot be computed, else at the first of vo, with the message of
// the loop that computes every sample of vc and then every sample of vo.
void SampleWaveforms(const PeriodWaveform& waveform, const std::function<void(const SampleBlock&)>& take);

}  // namespace ostrevo
