#include "timing.h"

#include <cmath>

#include "catalogue.h"
#include "fault.h"
#include "fp_status.h"
#include "number_format.h"

namespace ostrevo {
namespace {

// Why the quotient of a time has no logarithm, in the user's terms.
struct QuotientDiagnosis {
    Text zeroDenominator;
    Text zeroBoth;
    Text zeroNumerator;
    Text oppositeSides;
};

constexpr QuotientDiagnosis kDischargeDiagnosis{Text::VMinusAtVd, Text::BothAtVd, Text::VPlusAtVd,
                                                Text::OppositeSidesOfVd};

constexpr QuotientDiagnosis kChargeDiagnosis{Text::VPlusAtVccMinusVd, Text::BothAtVccMinusVd,
                                             Text::VMinusAtVccMinusVd, Text::OppositeSidesOfVccMinusVd};

// The ratio of the distances to the asymptote at the start and at the end of
// the phase, and its natural logarithm.
double LogOfQuotient(const char* time, const fp::Checked& quotient, double numerator, double denominator,
                     const QuotientDiagnosis& diagnosis) {
    if (quotient.failed()) {
        if (denominator != 0) throw CannotCompute(time, fp::DescribeFaults(quotient.faults));
        throw CannotCompute(time, Words(numerator == 0 ? diagnosis.zeroBoth : diagnosis.zeroDenominator));
    }
    if (quotient.value <= 0) {
        if (numerator == 0) throw CannotCompute(time, Words(diagnosis.zeroNumerator));
        if (quotient.value < 0) throw CannotCompute(time, Words(diagnosis.oppositeSides));
        throw CannotCompute(time, Words(Text::QuotientNearZero));
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
