#include "waveform_sampling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "fault.h"
#include "fp_status.h"
#include "vector_state.h"

namespace ostrevo {
namespace {

// The usual reason of a fault, where `holds`.
std::optional<Text> ReasonIf(bool holds, Text reason) { return holds ? std::optional(reason) : std::nullopt; }

// Stops the sampling when `result` raised a fault, with its usual reason
// when there is one, otherwise with what the faults say.
void Require(const fp::Checked& result, std::string_view trace, std::int64_t k,
             std::optional<Text> reason = std::nullopt) {
    if (!result.failed()) return;
    throw Fault(Say(Text::CannotComputeSample,
                    {{"k", std::to_string(k)},
                     {"trace", trace},
                     {"reason", reason ? Words(*reason) : fp::DescribeFaults(result.faults)}}));
}

// ---- One sample at a time, every step checked: what the sampling is defined
// by, and the replay that finds the exact sample of a fault.

fp::Checked PhaseQuotient(const PeriodWaveform& w) {
    return fp::Evaluate([](auto t, auto step) { return t / step; }, w.ts(), w.step());
}

double ExactVc(const PeriodWaveform& w, std::int64_t k) {
    const CircuitParameters& p = w.parameters();
    const fp::Checked phase = PhaseQuotient(w);
    Require(phase, "vc(t)", k, ReasonIf(w.step() == 0, Text::StepZero));
    fp::Checked sample;
    if (phase.value >= static_cast<double>(k)) {
        const fp::Checked x = fp::Evaluate(
            [](auto kk, auto step, auto ci, auto c, auto rs, auto rol) { return (-kk) * step / ((ci + c) * (rs + rol)); },
            static_cast<double>(k), w.step(), p.Ci, p.C, p.Rs, p.RoL);
        Require(x, "vc(t)", k, ReasonIf((p.Ci + p.C) * (p.Rs + p.RoL) == 0, Text::DischargeTimeConstantZero));
        sample = fp::Evaluate([](auto vd, auto vPlus, auto e) { return vd + (vPlus - vd) * fp::Exp(e); }, p.Vd,
                              p.VPlus, x.value);
    } else {
        const fp::Checked x = fp::Evaluate(
            [](auto kk, auto m, auto step, auto rc, auto roh, auto ci, auto c) {
                return -(kk - m) * step / ((rc + roh) * (ci + c));
            },
            static_cast<double>(k), phase.value, w.step(), p.Rc, p.RoH, p.Ci, p.C);
        Require(x, "vc(t)", k, ReasonIf((p.Rc + p.RoH) * (p.Ci + p.C) == 0, Text::ChargeTimeConstantZero));
        sample = fp::Evaluate(
            [](auto vcc, auto vd, auto vMinus, auto e) { return (vcc - vd) + (vMinus - vcc + vd) * fp::Exp(e); },
            p.Vcc, p.Vd, p.VMinus, x.value);
    }
    Require(sample, "vc(t)", k);
    return sample.value;
}

double ExactVo(const PeriodWaveform& w, std::int64_t k, double vc) {
    const CircuitParameters& p = w.parameters();
    // The phase computed without fault: vc of the same sample needed it.
    if (PhaseQuotient(w).value >= static_cast<double>(k)) {
        const fp::Checked sample = fp::Evaluate(
            [](auto v, auto vd, auto rol, auto rs) { return (v - vd) * rol / (rs + rol); }, vc, p.Vd, p.RoL, p.Rs);
        Require(sample, "vo(t)", k, ReasonIf(p.Rs + p.RoL == 0, Text::RsRoLZero));
        return sample.value;
    }
    const fp::Checked sample = fp::Evaluate(
        [](auto v, auto vcc, auto vd, auto roh, auto rc) { return vcc - roh * ((vcc - vd - v) / (rc + roh)); }, vc,
        p.Vcc, p.Vd, p.RoH, p.Rc);
    Require(sample, "vo(t)", k, ReasonIf(p.Rc + p.RoH == 0, Text::RcRoHZero));
    return sample.value;
}

// The invariants, and whether any of them faulted: then the blocks are
// computed sample by sample, which reports the fault at the sample where it
// belongs.
SampleInvariants InvariantsOf(CircuitParameters p, double ts, double step) {
    fp::ClearFlags();
    fp::Pin(p);     // mutants: skip (optimiser's order only)
    fp::Pin(ts);    // mutants: skip (optimiser's order only)
    fp::Pin(step);  // mutants: skip (optimiser's order only)
    using fp::Tracked;
    const Tracked ci = p.Ci, c = p.C, rs = p.Rs, rol = p.RoL, rc = p.Rc, roh = p.RoH, vd = p.Vd, vcc = p.Vcc;
    const std::array<Tracked, 8> values{Tracked(ts) / step, (ci + c) * (rs + rol), (rc + roh) * (ci + c),
                                        p.VPlus - vd,       vcc - vd,              p.VMinus - vcc + vd,
                                        rs + rol,           rc + roh};
    SampleInvariants v{values[0].value(), values[1].value(), values[2].value(), values[3].value(),
                       values[4].value(), values[5].value(), values[6].value(), values[7].value()};
    fp::Pin(v);  // mutants: skip (optimiser's order only)
    int faults = fp::RaisedFlags();
    for (const Tracked& value : values) faults |= value.faults();
    v.clean = faults == 0;
    return v;
}

// The last discharge sample: the phase test "ts / step >= k" holds for
// k = 0..floor(ts / step) and for no other k (k is exact as a double).
std::int64_t LastDischargeSample(double phase, std::int32_t n) {
    if (!(phase >= 0)) return -1;  // a NaN passes no phase test either
    return static_cast<std::int64_t>(std::floor(std::min<double>(phase, n)));
}

constexpr std::int64_t kBlock = 2048;  // mutants: skip (any length computes the same samples)

// Both ends of a block finite. Within a phase every intermediate value is
// monotone in k, so a value that is not finite anywhere in the block, the
// mark of every fault where no status flags say so, shows at one of them.
bool FiniteEnds(const std::array<double, kBlock>& block, std::int64_t count) {
    return std::isfinite(block[0]) && std::isfinite(block[count - 1]);
}

// The one pass over a range of samples: each block computed with the
// invariants and checked once (status flags where the runtime has them, and
// the block's ends), a block that is not clean computed again sample by
// sample with every step checked.
class SamplingPass {
public:
    SamplingPass(const PeriodWaveform& w, const std::function<void(const SampleBlock&)>& take, VoSamples vo)
        : w_(w), take_(take), keepVo_(vo == VoSamples::Kept) {}

    RangeFaults run(std::int64_t first, std::int64_t last) {
        const std::int64_t lastDischarge = w_.lastDischarge();
        sampleRange(first, std::min(last, lastDischarge), true);
        sampleRange(std::max(first, lastDischarge + 1), last, false);
        return faults_;
    }

private:
    void sampleRange(std::int64_t first, std::int64_t last, bool discharge) {
        for (std::int64_t start = first; start <= last && !faults_.vc; start += kBlock) {
            sampleBlock(start, std::min(kBlock, last - start + 1), discharge);
        }
    }

    void sampleBlock(std::int64_t start, std::int64_t count, bool discharge) {
        bool clean = false;
        bool voKept = keepVo_;
        if (w_.invariants().clean) {
            clean = discharge ? computeBlock<true>(start, count) : computeBlock<false>(start, count);
        }
        if (!clean) {
            replayBlock(start, count);
            voKept = true;
        }
        if (faults_.vc || faults_.vo) return;
        const auto vo = voKept ? std::span<const double>(vo_).first(count) : std::span<const double>();
        take_({start, std::span(vc_).first(count), vo, &w_, discharge});
    }

    // The block with the invariants; whether it computed without fault.
    template <bool kDischarge>
    bool computeBlock(std::int64_t start, std::int64_t count) {
        fp::ClearFlags();  // mutants: skip (a stale flag only has the block computed again, to the same bits)
        std::int64_t base = start;
        fp::Pin(base);  // no sample computed before the flags are cleared; mutants: skip (optimiser's order only)
        for (std::int64_t i = 0; i < count; ++i) vc_[i] = w_.vcOf(w_.exponent(base + i, kDischarge), kDischarge);
        bool voFinite = true;
        if (!faults_.vo) voFinite = computeVo<kDischarge>(count);
        fp::Pin(vc_);  // mutants: skip (optimiser's order only)
        fp::Pin(vo_);  // mutants: skip (optimiser's order only)
        return fp::RaisedFlags() == 0 && FiniteEnds(vc_, count) && voFinite &&
               std::isfinite(w_.exponent(start, kDischarge)) && std::isfinite(w_.exponent(start + count - 1, kDischarge));
    }

    // vo of the block, or of its ends only where it is computed on demand:
    // within a phase each step of vo is monotone in vc, and vc in k, so a
    // fault anywhere in the block shows at one of its ends. Whether both are finite.
    template <bool kDischarge>
    bool computeVo(std::int64_t count) {
        if (keepVo_) {
            for (std::int64_t i = 0; i < count; ++i) vo_[i] = w_.voOf(vc_[i], kDischarge);
        } else {
            vo_[0] = w_.voOf(vc_[0], kDischarge);
            vo_[count - 1] = w_.voOf(vc_[count - 1], kDischarge);
        }
        return FiniteEnds(vo_, count);
    }

    // The block sample by sample: keeps the first fault of vc, where the pass
    // stops, and the first of vo.
    void replayBlock(std::int64_t start, std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) {
            if (!keepFault(faults_.vc, start + i, [&] { vc_[i] = ExactVc(w_, start + i); })) return;
        }
        for (std::int64_t i = 0; i < count && !faults_.vo; ++i) {
            keepFault(faults_.vo, start + i, [&] { vo_[i] = ExactVo(w_, start + i, vc_[i]); });
        }
    }

    // Runs `compute` for sample k; whether it computed without fault.
    template <typename Compute>
    static bool keepFault(std::optional<SampleFault>& kept, std::int64_t k, Compute compute) {
        try {
            compute();
            return true;
        } catch (const Fault& fault) {
            kept = SampleFault{k, fault.what()};
            return false;
        }
    }

    const PeriodWaveform& w_;
    const std::function<void(const SampleBlock&)>& take_;
    std::array<double, kBlock> vc_{};
    std::array<double, kBlock> vo_{};
    bool keepVo_;
    RangeFaults faults_;
};

}  // namespace

double SampleStep(const Times& times, std::int32_t N) {
    const double n = N;
    const fp::Checked step =
        fp::Evaluate([](auto tc, auto ts, auto count) { return (tc + ts) / count; }, times.tc, times.ts, n);
    if (!step.failed()) return step.value;
    const std::string_view reason = n == 0 ? Words(Text::SampleCountZero) : fp::DescribeFaults(step.faults);
    throw Fault(Say(Text::CannotComputeStep, {{"reason", reason}}));
}

void RequireSampleCount(std::int32_t N) {
    if (N < std::numeric_limits<std::int32_t>::max()) return;
    throw Fault(Say(Text::TooManySamples, {{"count", std::to_string(N)}}));
}

PeriodWaveform::PeriodWaveform(const CircuitParameters& p, double ts, double step)
    : p_(p), ts_(ts), step_(step), v_(InvariantsOf(p, ts, step)), lastDischarge_(LastDischargeSample(v_.phase, p.N)) {}

double PeriodWaveform::vcOf(double exponentValue, bool discharge) const {
    return discharge ? p_.Vd + v_.dischargeSpan * std::exp(exponentValue)
                     : v_.chargeAsymptote + v_.chargeSpan * std::exp(exponentValue);
}

Sample PeriodWaveform::at(std::int64_t k) const {
    if (k > p_.N) return {};
    const bool discharge = k <= lastDischarge_;
    const double vc = vcOf(exponent(k, discharge), discharge);
    return {vc, voOf(vc, discharge)};
}

RangeFaults SampleWaveformRange(const PeriodWaveform& waveform, std::int64_t first, std::int64_t last,
                                const std::function<void(const SampleBlock&)>& take, VoSamples vo) {
    ClearVectorUpperState();  // every sample calls libm's exp; mutants: skip (speed only)
    return SamplingPass(waveform, take, vo).run(first, last);
}

void SampleWaveforms(const PeriodWaveform& waveform, const std::function<void(const SampleBlock&)>& take) {
    const RangeFaults faults = SampleWaveformRange(waveform, 0, waveform.parameters().N, take);
    if (faults.vc) throw Fault(faults.vc->message);
    if (faults.vo) throw Fault(faults.vo->message);
}

}  // namespace ostrevo
