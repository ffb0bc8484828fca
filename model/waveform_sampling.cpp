#include <cmath>
#include <string>

#include "fault.h"
#include "fp_status.h"
#include "module1.h"

namespace ostrevo {
namespace {

// Stops the sampling when `result` raised a fault; `cause` explains the usual
// reason when `causeHolds`, otherwise the status flags speak.
void Require(const fp::Checked& result, const char* trace, std::int64_t k, bool causeHolds, const char* cause) {
    if (!result.failed()) return;
    throw Fault("Impossibile calcolare il campione " + std::to_string(k) + " di " + trace + ": " +
                (causeHolds ? std::string(cause) : fp::DescribeFaults(result.faults)) + ".");
}

void RequireBuffers(const std::vector<double>& vc, const std::vector<double>& vo, std::int32_t n) {
    const auto needed = static_cast<std::size_t>(static_cast<std::int64_t>(n) + 2);
    if (vc.size() < needed || vo.size() < needed) {
        throw Fault("Impossibile calcolare i campioni: lo spazio per gli N = " + std::to_string(n) +
                    " campioni non è stato preparato.");
    }
}

}  // namespace

void Module1::SampleWaveforms() {
    const CircuitParameters& p = Parameters;
    const std::int32_t n = p.N;
    if (n >= 0) RequireBuffers(VcSamples, VoSamples, n);
    const double dischargeConstant = (p.Ci + p.C) * (p.Rs + p.RoL);
    const double chargeConstant = (p.Rc + p.RoH) * (p.Ci + p.C);

    // Capacitor voltage: from v+ down towards Vd, then from v- up towards Vcc - Vd.
    SampleIndex = 0;
    for (std::int64_t k = 0; k <= n; SampleIndex = static_cast<std::int32_t>(++k)) {
        const fp::Checked phase = fp::Evaluate([](double t, double step) { return t / step; }, ts, SampleStep);
        Require(phase, "vc(t)", k, SampleStep == 0, "il passo di campionamento (tc + ts)/N è zero");
        fp::Checked sample;
        if (phase.value >= static_cast<double>(k)) {
            const fp::Checked x = fp::Evaluate(
                [](double kk, double step, double ci, double c, double rs, double rol) {
                    return (-kk) * step / ((ci + c) * (rs + rol));
                },
                static_cast<double>(k), SampleStep, p.Ci, p.C, p.Rs, p.RoL);
            Require(x, "vc(t)", k, dischargeConstant == 0,
                    "la costante di tempo di scarica (Ci + C)·(Rs + RoL) è zero");
            sample = fp::Evaluate([](double vd, double vPlus, double e) { return vd + (vPlus - vd) * std::exp(e); },
                                  p.Vd, p.VPlus, x.value);
        } else {
            const fp::Checked x = fp::Evaluate(
                [](double kk, double m, double step, double rc, double roh, double ci, double c) {
                    return -(kk - m) * step / ((rc + roh) * (ci + c));
                },
                static_cast<double>(k), phase.value, SampleStep, p.Rc, p.RoH, p.Ci, p.C);
            Require(x, "vc(t)", k, chargeConstant == 0, "la costante di tempo di carica (Rc + RoH)·(Ci + C) è zero");
            sample = fp::Evaluate(
                [](double vcc, double vd, double vMinus, double e) {
                    return (vcc - vd) + (vMinus - vcc + vd) * std::exp(e);
                },
                p.Vcc, p.Vd, p.VMinus, x.value);
        }
        VcSamples[static_cast<std::size_t>(k)] = sample.value;
        Require(sample, "vc(t)", k, false, "");
    }

    // Output voltage: the drop across RoL while low, the supply less the drop across RoH while high.
    SampleIndex = 0;
    for (std::int64_t k = 0; k <= n; SampleIndex = static_cast<std::int32_t>(++k)) {
        const fp::Checked phase = fp::Evaluate([](double t, double step) { return t / step; }, ts, SampleStep);
        Require(phase, "vo(t)", k, SampleStep == 0, "il passo di campionamento (tc + ts)/N è zero");
        const double vc = VcSamples[static_cast<std::size_t>(k)];
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
                [](double v, double vcc, double vd, double roh, double rc) {
                    return vcc - roh * ((vcc - vd - v) / (rc + roh));
                },
                vc, p.Vcc, p.Vd, p.RoH, p.Rc);
            resistanceIsZero = p.Rc + p.RoH == 0;
            zeroResistance = "Rc + RoH è zero (divisione per zero)";
        }
        VoSamples[static_cast<std::size_t>(k)] = sample.value;
        Require(sample, "vo(t)", k, resistanceIsZero, zeroResistance);
    }
}

}  // namespace ostrevo
