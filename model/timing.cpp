#include "timing.h"

#include <cmath>

#include "fault.h"
#include "fp_status.h"
#include "number_format.h"

namespace ostrevo {
namespace {

// Why the quotient of a time has no logarithm, in the user's terms.
struct QuotientDiagnosis {
    const char* zeroDenominator;
    const char* zeroBoth;
    const char* zeroNumerator;
    const char* oppositeSides;
};

const QuotientDiagnosis kDischargeDiagnosis{
    "v- è uguale a Vd (divisione per zero)",
    "v+ e v- sono entrambe uguali a Vd (0/0, operazione non valida)",
    "v+ è uguale a Vd (logaritmo di zero)",
    "v+ e v- stanno da parti opposte rispetto a Vd (logaritmo di un numero negativo)",
};

const QuotientDiagnosis kChargeDiagnosis{
    "v+ è uguale a Vcc - Vd (divisione per zero)",
    "v+ e v- sono entrambe uguali a Vcc - Vd (0/0, operazione non valida)",
    "v- è uguale a Vcc - Vd (logaritmo di zero)",
    "v+ e v- stanno da parti opposte rispetto a Vcc - Vd (logaritmo di un numero negativo)",
};

Fault CannotCompute(const char* time, const std::string& reason) {
    return Fault(std::string("Impossibile calcolare ") + time + ": " + reason + ".");
}

// The ratio of the distances to the asymptote at the start and at the end of
// the phase, and its natural logarithm.
double LogOfQuotient(const char* time, const fp::Checked& quotient, double numerator, double denominator,
                     const QuotientDiagnosis& diagnosis) {
    if (quotient.failed()) {
        if (denominator != 0) throw CannotCompute(time, fp::DescribeFaults(quotient.faults));
        throw CannotCompute(time, numerator == 0 ? diagnosis.zeroBoth : diagnosis.zeroDenominator);
    }
    if (quotient.value <= 0) {
        if (numerator == 0) throw CannotCompute(time, diagnosis.zeroNumerator);
        if (quotient.value < 0) throw CannotCompute(time, diagnosis.oppositeSides);
        throw CannotCompute(time, "il rapporto delle tensioni è troppo vicino a zero (logaritmo di zero)");
    }
    return std::log(quotient.value);
}

// Time constant times the logarithm.
double TimeOfPhase(const char* name, double ci, double c, double resistor, double outputResistance,
                   double logarithm) {
    const fp::Checked product = fp::Evaluate(
        [](auto ci, auto c, auto r, auto ro, auto l) { return ((ci + c) * (r + ro)) * l; }, ci, c, resistor,
        outputResistance, logarithm);
    if (product.failed()) throw CannotCompute(name, fp::DescribeFaults(product.faults));
    return product.value;
}

}  // namespace

double DischargeTime(const CircuitParameters& p) {
    const fp::Checked quotient = fp::Evaluate(
        [](auto vPlus, auto vMinus, auto vd) { return (vPlus - vd) / (vMinus - vd); }, p.VPlus, p.VMinus, p.Vd);
    const double logarithm = LogOfQuotient("ts", quotient, p.VPlus - p.Vd, p.VMinus - p.Vd, kDischargeDiagnosis);
    return TimeOfPhase("ts", p.Ci, p.C, p.Rs, p.RoL, logarithm);
}

double ChargeTime(const CircuitParameters& p) {
    const fp::Checked quotient = fp::Evaluate(
        [](auto vcc, auto vPlus, auto vMinus, auto vd) { return ((vcc - vMinus) - vd) / ((vcc - vPlus) - vd); },
        p.Vcc, p.VPlus, p.VMinus, p.Vd);
    const double logarithm =
        LogOfQuotient("tc", quotient, (p.Vcc - p.VMinus) - p.Vd, (p.Vcc - p.VPlus) - p.Vd, kChargeDiagnosis);
    return TimeOfPhase("tc", p.Ci, p.C, p.Rc, p.RoH, logarithm);
}

std::string TimeText(double time, std::string_view decimalSeparator) {
    return FormatDefault(RoundToThreeDecimals(time), decimalSeparator);
}

}  // namespace ostrevo
